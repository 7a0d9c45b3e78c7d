#include "core/text/cell_block.h"

#include "core/text/text_helpers.h"

namespace ranvo {

std::string JoinCellBlock(const CellBlock& rows) {
    std::string text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) {
            text += "\r\n";
        }
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (c > 0) {
                text += '\t';
            }
            text += rows[r][c];
        }
    }
    return text;
}

CellBlock SplitCellBlock(std::string_view text) {
    std::vector<std::string> lines;
    SplitFields(text, lines, "\r\n");
    CellBlock rows(lines.size());
    for (std::size_t r = 0; r < lines.size(); ++r) {
        SplitFields(lines[r], rows[r], "\t");
    }
    return rows;
}

} // namespace ranvo
