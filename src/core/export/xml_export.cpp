#include "core/export/xml_export.h"

#include "core/app/grid_queries.h"
#include "core/export/encoded_file.h"
#include "core/export/save_target.h"
#include "core/loading/data_encoding.h"
#include "core/text/text_helpers.h"

namespace ranvo {
namespace {

std::string_view declaration(KanjiCode code) {
    switch (code) {
    case KanjiCode::Euc: return "<?xml version=\"1.0\" encoding=\"EUC_JP\" ?>";
    case KanjiCode::Jis: return "<?xml version=\"1.0\" encoding=\"JIS\" ?>";
    case KanjiCode::Unicode: return "<?xml version=\"1.0\" encoding=\"UniCode\" ?>";
    case KanjiCode::Utf8: return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
    case KanjiCode::ShiftJis: break;
    }
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>";
}

// An element name from a name of the definition; a name with nothing left is "_", so that the
// document keeps its elements.
std::string tagName(std::string_view name) {
    std::string tag = XmlTagName(name);
    return tag.empty() ? "_" : tag;
}

// The document piece by piece: the declaration, the root, one element per record with one per
// field of its condition.
void ForEachXmlPiece(const MainState& state, const std::function<void(std::string_view)>& piece) {
    const TDefineClass& definition = state.Definition;
    const DataGrid& grid = state.Grid;
    std::vector<std::string> conditionTags;
    std::vector<std::vector<std::string>> fieldTags;
    for (std::size_t i = 0; i < definition.Conditions.size(); ++i) {
        conditionTags.push_back(tagName(definition.Conditions[i].ConditionName));
        std::vector<std::string>& tags = fieldTags.emplace_back();
        for (int field = 0; field < FieldCount(definition, static_cast<int>(i)); ++field) {
            tags.push_back(tagName(definition.GetFieldName(static_cast<int>(i), field)));
        }
    }
    const std::string root = tagName(definition.DefineName);
    piece(declaration(state.Loaded.Code));
    piece("\r\n<" + root + ">\r\n");
    CellList cells;
    std::string elements;
    const auto tag = [&elements](std::string_view before, std::string_view name, std::string_view after) {
        elements += before;
        elements += name;
        elements += after;
    };
    for (int row = 1; grid.HasRecord(row); ++row) {
        const auto condition = static_cast<std::size_t>(RowCondition(state, row));
        const std::size_t known = condition < conditionTags.size() ? condition : 0;
        grid.CutRow(row, cells);
        tag("\t<", conditionTags[known], ">\r\n");
        for (std::size_t field = 0; field < fieldTags[known].size(); ++field) {
            const std::string& name = fieldTags[known][field];
            tag("\t\t<", name, ">");
            AppendXmlEscaped(elements, cells.ValueOr(field));
            tag("</", name, ">\r\n");
        }
        tag("\t</", conditionTags[known], ">\r\n");
        if (elements.size() >= (std::size_t{1} << 16)) {
            piece(elements);
            elements.clear();
        }
    }
    piece(elements);
    piece("</" + root + ">\r\n");
}

} // namespace

std::string BuildXmlText(const MainState& state) {
    std::string text;
    ForEachXmlPiece(state, [&](std::string_view piece) { text += piece; });
    return text;
}

WriteOutcome WriteXmlFile(const MainState& state, const std::filesystem::path& target, const AcceptLoss& accept) {
    EncodedFileWriter writer(target, state.Loaded.Code, state.Utf8Bom, state.Characters);
    ForEachXmlPiece(state, [&](std::string_view piece) { writer.Add(piece); });
    return writer.Finish(accept);
}

void ExportXml(MainState& state, UiHost& host) {
    if (state.DataFileName.empty() || state.Definition.Conditions.empty()) {
        return;
    }
    std::filesystem::path proposed = state.DataFileName;
    proposed.replace_extension(".xml");
    const std::optional<std::filesystem::path> target = ChooseSaveTarget(host, proposed);
    if (!target) {
        return;
    }
    WriteOutcome outcome = WriteOutcome::Failed;
    {
        BusyGuard busy(host);
        outcome = WriteXmlFile(state, *target, [&host](std::size_t lost) {
            return AskToWriteLostCharacters(host, lost);
        });
    }
    if (outcome == WriteOutcome::Written) {
        host.ShowInformation("保存しました");
    } else if (outcome == WriteOutcome::Failed) {
        host.ShowError("保存に失敗しました");
    }
}

} // namespace ranvo
