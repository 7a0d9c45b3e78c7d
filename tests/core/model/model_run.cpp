#include "core/model/model_run.h"

#include "core/app/cell_selection.h"
#include "core/app/column_sizes.h"
#include "core/app/hiding.h"
#include "core/editing/cell_editing.h"
#include "core/editing/find_replace.h"
#include "core/editing/record_operations.h"
#include "core/editing/sort.h"
#include "core/editing/undo.h"
#include "core/export/save_commands.h"
#include "core/loading/data_encoding.h"
#include "core/loading/open_command.h"
#include "core/model/model_checks.h"
#include "core/model/random_input.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <sstream>
#include <tuple>
#include <utility>

namespace ranvo::test {
namespace {

using Records = std::vector<RefRecord>;

// The file as the model holds it.
struct Model {
    Records records;
    std::vector<Records> undo;          // the records before each undoable edit
    Records saved;                      // as last saved or read
    std::vector<std::string> clipboard; // record texts copied or cut
    std::string disk;                   // the file's text as last written or read (before encoding)
};

// About as many records as a file grows to; fewer when it starts.
constexpr std::size_t kMostRecords = 50;

// Every step writes a file: in memory where the system has a folder there, so that flushing each
// write to a disk does not make the run slow.
std::filesystem::path memoryFolder() {
    std::error_code error;
    const std::filesystem::path shm = "/dev/shm";
    return std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
}

// Pieces between the separators; the empty text is one empty piece.
std::vector<std::string> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator)) {
        pieces.emplace_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    pieces.emplace_back(text);
    return pieces;
}

class ModelRun {
public:
    ModelRun(FileScheme scheme, KanjiCode code, std::uint32_t seed)
        : m_ref(std::move(scheme)), m_code(code), m_seed(seed), m_input(m_ref, seed),
          m_dir(memoryFolder()), m_state(AppHome(), TRanvoSetting::Defaults()) {}

    // Runs `steps` steps; answers the first disagreement, or nothing.
    std::optional<std::string> run(int steps) {
        if (std::optional<std::string> failure = writeFirstFile(); failure) {
            return failure;
        }
        if (std::optional<std::string> failure = open(); failure) {
            return failure;
        }
        for (m_step = 1; m_step <= steps; ++m_step) {
            m_host.messages.clear();
            m_host.answers.clear();
            note(randomStep());
            ShowCurrentCell(m_state); // as the window does after every command
            if (std::optional<std::string> failure = check(); failure) {
                return report(*failure);
            }
        }
        return std::nullopt;
    }

private:
    int anyCol() { return m_input.Below(m_state.Grid.ColCount()); }
    int anyRow() { return m_input.Below(m_state.Grid.RowCount()); }
    int dataCol() { return 1 + m_input.Below(std::max(m_state.Grid.ColCount() - 1, 1)); }

    // Selects a random rectangle (sometimes whole rows, sometimes cells of row or column 0) and
    // answers it for the step's description.
    std::string selectAny() {
        const int left = anyCol();
        const int right = anyCol();
        int top = anyRow();
        int bottom = m_input.Chance(20) ? top : anyRow();
        if (m_input.Chance(10)) {
            top = 1;
            bottom = m_state.Grid.RowCount() - 1;
        }
        const GridRect rect{std::min(left, right), std::min(top, bottom), std::max(left, right),
                            std::max(top, bottom)};
        m_state.Grid.SetSelection(rect);
        return " (" + std::to_string(rect.Left) + "," + std::to_string(rect.Top) + ")-(" +
               std::to_string(rect.Right) + "," + std::to_string(rect.Bottom) + ")";
    }

    // The cursor moved as the user moves it: a hidden cell is refused and another taken.
    void moveTo(int col, int row) { SetCurrentCell(m_state, col, row); }

    // --- the model's view of the grid --------------------------------------------------------

    [[nodiscard]] bool hasRecord(int row) const {
        return row >= 1 && static_cast<std::size_t>(row) <= m_model.records.size();
    }
    RefRecord& record(int row) { return m_model.records[static_cast<std::size_t>(row) - 1]; }
    [[nodiscard]] std::string cell(int col, int row) const {
        return col >= 1 && hasRecord(row)
                   ? m_ref.Cell(m_model.records[static_cast<std::size_t>(row) - 1],
                                static_cast<std::size_t>(col) - 1)
                   : std::string();
    }
    void setCell(int col, int row, std::string_view text) {
        record(row) = m_ref.WithCell(record(row), static_cast<std::size_t>(col) - 1, text);
    }
    [[nodiscard]] bool visible(int col, int row) const {
        return m_state.Grid.ColWidth(col) > 0 && m_state.Grid.RowHeight(row) > 0;
    }
    void push() { m_model.undo.push_back(m_model.records); }

    // A rectangle of cells rewritten in one edit, row by row and cell by cell; rows without a
    // record take nothing, and the edit is undone as one.
    void rewrite(GridRect rect,
                 const std::function<std::string(int, int, const std::string&)>& newText) {
        rect.Bottom = std::min(rect.Bottom, static_cast<int>(m_model.records.size()));
        if (rect.Bottom < rect.Top || rect.Left > rect.Right) {
            return;
        }
        push();
        for (int row = rect.Top; row <= rect.Bottom; ++row) {
            for (int col = rect.Left; col <= rect.Right; ++col) {
                setCell(col, row, newText(col, row, cell(col, row)));
            }
        }
    }

    [[nodiscard]] GridRect dataSelection() const {
        GridRect rect = m_state.Grid.Selection();
        rect.Left = std::max(rect.Left, 1);
        rect.Top = std::max(rect.Top, 1);
        rect.Right = std::min(rect.Right, m_state.Grid.ColCount() - 1);
        rect.Bottom = std::min(rect.Bottom, m_state.Grid.RowCount() - 1);
        return rect;
    }

    // --- the steps ------------------------------------------------------------------------------

    std::string randomStep() {
        using Step = std::string (ModelRun::*)();
        static constexpr std::pair<int, Step> kSteps[] = {
            {14, &ModelRun::commitCellEdit},
            {7, &ModelRun::cellBox},
            {8, &ModelRun::pasteCells},
            {5, &ModelRun::clearCells},
            {4, &ModelRun::replaceInCell},
            {4, &ModelRun::replaceAll},
            {4, &ModelRun::changeCase},
            {7, &ModelRun::newRecord},
            {5, &ModelRun::insertRecord},
            {3, &ModelRun::copyRecords},
            {1, &ModelRun::cutRecords},
            {4, &ModelRun::pasteRecords},
            {4, &ModelRun::deleteRecords},
            {5, &ModelRun::sort},
            {5, &ModelRun::hideOrShow},
            {15, &ModelRun::undo},
            {3, &ModelRun::save},
            {1, &ModelRun::reopen},
        };
        int total = 0;
        for (const auto& step : kSteps) {
            total += step.first;
        }
        int roll = m_input.Below(total);
        for (const auto& [weight, step] : kSteps) {
            if (roll < weight) {
                // Pasting all the records again and again would double the file each time: a long
                // file takes records out instead of adding them.
                const bool adds = step == &ModelRun::newRecord || step == &ModelRun::insertRecord ||
                                  step == &ModelRun::pasteRecords;
                return (this->*(adds && m_model.records.size() > kMostRecords
                                    ? &ModelRun::deleteRecords
                                    : step))();
            }
            roll -= weight;
        }
        return {};
    }

    std::string commitCellEdit() {
        const int col = anyCol();
        const int row = anyRow();
        const std::string text = m_input.Value(8);
        const std::string previous(m_state.Grid.Cell(col, row));
        if (col >= 1 && hasRecord(row) && visible(col, row)) {
            const std::string fitted =
                m_ref.FitValue(record(row).condition, static_cast<std::size_t>(col) - 1, text);
            if (fitted != previous) {
                push();
                setCell(col, row, fitted);
            }
        }
        CommitCellEdit(m_state, col, row, text, previous);
        return "edit " + std::to_string(col) + "," + std::to_string(row) + " " + Shown(text);
    }

    std::string cellBox() {
        moveTo(anyCol(), anyRow());
        const int col = m_state.Grid.Col();
        const int row = m_state.Grid.Row();
        const std::string text = m_input.Value(8);
        if (col >= 1 && hasRecord(row) && visible(col, row)) {
            push();
            setCell(col, row, text);
        }
        CellBoxEntered(m_state, m_state.CellBoxText);
        CellBoxLeft(m_state, text);
        return "cell box " + std::to_string(col) + "," + std::to_string(row) + " " + Shown(text);
    }

    std::string pasteCells() {
        const std::string where = selectAny();
        std::string text;
        for (int k = m_input.Below(3); k >= 0; --k) {
            const int values = m_input.Chance(10) ? 0 : 1 + m_input.Below(3);
            for (int j = 0; j < values; ++j) {
                text += (j > 0 ? "\t" : "") + m_input.Value(5, ValueUse::BlockCell);
            }
            text += k > 0 || m_input.Chance(30)
                        ? "\r\n"
                        : ""; // a spreadsheet ends its block with a line end
        }
        // One final line end starts no line; then lines at CR LF and values at TAB.
        std::string_view block = text;
        if (block.ends_with("\r\n")) {
            block.remove_suffix(2);
        }
        std::vector<std::vector<std::string>> lines;
        for (const std::string& line : splitAt(block, "\r\n")) {
            lines.push_back(splitAt(line, "\t"));
        }
        const GridRect selection = m_state.Grid.Selection();
        std::vector<int> rows;
        for (int row = std::max(selection.Top, 1);
             row < m_state.Grid.RowCount() && rows.size() < lines.size(); ++row) {
            if (m_state.Grid.RowHeight(row) > 0) {
                rows.push_back(row);
            }
        }
        std::size_t widest = 0;
        for (const auto& line : lines) {
            widest = std::max(widest, line.size());
        }
        std::vector<int> cols;
        for (int col = std::max(selection.Left, 1);
             col < m_state.Grid.ColCount() && cols.size() < widest; ++col) {
            if (m_state.Grid.ColWidth(col) > 0) {
                cols.push_back(col);
            }
        }
        if (!rows.empty() && !cols.empty()) {
            rewrite({cols.front(), rows.front(), cols.back(), rows.back()},
                    [&](int col, int row, const std::string& old) {
                        const auto line = std::find(rows.begin(), rows.end(), row);
                        const auto at = std::find(cols.begin(), cols.end(), col);
                        if (line == rows.end() || at == cols.end()) {
                            return old;
                        }
                        const auto& values = lines[static_cast<std::size_t>(line - rows.begin())];
                        const auto index = static_cast<std::size_t>(at - cols.begin());
                        return index < values.size() ? values[index] : old;
                    });
        }
        PasteCells(m_state, text);
        return "paste cells" + where + " " + Shown(text);
    }

    std::string clearCells() {
        const std::string where = selectAny();
        rewrite(dataSelection(), [&](int col, int row, const std::string&) {
            return m_ref.FitValue(record(row).condition, static_cast<std::size_t>(col) - 1, {});
        });
        ClearSelectedCells(m_state);
        return "clear" + where;
    }

    std::string changeCase() {
        const std::string where = selectAny();
        const bool upper = m_input.Chance(50);
        rewrite(dataSelection(), [&](int, int, const std::string& old) {
            return reference::ChangeCase(old, upper);
        });
        ChangeCaseOfSelection(m_state, upper);
        return (upper ? "upper case" : "lower case") + where;
    }

    // One replacement in the model: the first match in the cell, with an undo entry.
    void replaceInModel(int col, int row, const FindOptions& options,
                        std::string_view replacement) {
        std::string text = cell(col, row);
        const std::size_t found = reference::FindKey(text, options.Key, options.MatchCase);
        if (found != std::string::npos) {
            text.replace(found, options.Key.size(), replacement);
        }
        push();
        setCell(col, row, text);
    }

    FindOptions randomFind() {
        FindOptions options;
        options.Key = m_input.SearchKey(m_model.records, m_state.Grid.ColCount());
        options.MatchCase = m_input.Chance(60);
        options.Direction = static_cast<FindDirection>(m_input.Below(3));
        return options;
    }

    std::string replaceInCell() {
        const int col = dataCol();
        const int row = anyRow();
        const FindOptions options = randomFind();
        const std::string replacement = m_input.Value(4);
        if (hasRecord(row)) {
            replaceInModel(col, row, options, replacement);
        }
        ReplaceInCell(m_state, col, row, options, replacement);
        return "replace in " + std::to_string(col) + "," + std::to_string(row) + " " +
               Shown(options.Key) + " by " + Shown(replacement);
    }

    // The model's search: the cells of a grid of `cols` columns in the direction's order from
    // `start`, hidden ones never matching, without wrapping.
    std::optional<std::pair<int, int>> findFrom(const FindOptions& options, int startCol,
                                                int startRow, int cols) {
        const int lastCol = cols - 1;
        const int lastRow = m_state.Grid.RowCount() - 1;
        const auto matches = [&](int col, int row) {
            return visible(col, row) && reference::FindKey(cell(col, row), options.Key,
                                                           options.MatchCase) != std::string::npos;
        };
        if (options.Direction == FindDirection::Whole) {
            for (int row = std::max(startRow, 1); row <= lastRow; ++row) {
                for (int col = row == startRow ? std::max(startCol, 1) : 1; col <= lastCol; ++col) {
                    if (matches(col, row)) {
                        return std::pair{col, row};
                    }
                }
            }
        } else if (options.Direction == FindDirection::Row) {
            for (int col = std::max(startCol, 1); col <= lastCol && startRow >= 1; ++col) {
                if (matches(col, startRow)) {
                    return std::pair{col, startRow};
                }
            }
        } else {
            for (int row = std::max(startRow, 1); row <= lastRow && startCol >= 1; ++row) {
                if (matches(startCol, row)) {
                    return std::pair{startCol, row};
                }
            }
        }
        return std::nullopt;
    }

    std::string replaceAll() {
        moveTo(anyCol(), anyRow());
        const FindOptions options = randomFind();
        const std::string replacement = m_input.Value(4);
        const bool confirm = m_input.Chance(50);
        std::vector<Answer> answers;
        for (int i = 0; i < 40; ++i) {
            answers.push_back(m_input.Chance(8)    ? Answer::Cancel
                              : m_input.Chance(65) ? Answer::Yes
                                                   : Answer::No);
        }
        std::size_t asked = 0;
        int col = m_state.Grid.Col();
        int row = m_state.Grid.Row();
        // A replacement that puts a separator into a plain CSV value makes more values, and the
        // grid grows to show them while the search goes on.
        int cols = m_state.Grid.ColCount();
        std::optional<std::pair<int, int>> found =
            options.Direction == FindDirection::Whole ? findFrom(options, 1, 1, cols)
            : options.Direction == FindDirection::Row ? findFrom(options, 1, row, cols)
                                                      : findFrom(options, col, 1, cols);
        while (found) {
            const Answer answer = !confirm                 ? Answer::Yes
                                  : asked < answers.size() ? answers[asked]
                                                           : Answer::No;
            asked += confirm ? 1 : 0;
            if (answer == Answer::Cancel) {
                break;
            }
            std::tie(col, row) = *found;
            if (answer == Answer::Yes) {
                // Values a replacement splits the cell into are passed over.
                const auto before = static_cast<int>(m_ref.Cells(record(row)).size());
                replaceInModel(col, row, options, replacement);
                const auto after = static_cast<int>(m_ref.Cells(record(row)).size());
                cols = std::max(cols, after + 1);
                col += options.Direction != FindDirection::Column ? std::max(after - before, 0) : 0;
            }
            if (options.Direction == FindDirection::Column) {
                found = findFrom(options, col, row + 1, cols);
            } else if (options.Direction == FindDirection::Whole && col >= cols - 1) {
                found = findFrom(options, 1, row + 1, cols);
            } else {
                found = findFrom(options, col + 1, row, cols);
            }
        }
        m_host.answers.assign(answers.begin(), answers.end());
        ReplaceAll(m_state, m_host, options, replacement, confirm);
        const std::size_t questions =
            std::count_if(m_host.messages.begin(), m_host.messages.end(),
                          [](const auto& m) { return m.text == "置き換えますか？"; });
        m_pendingFailure = questions == asked ? ""
                                              : "replace all asked " + std::to_string(questions) +
                                                    " times, the model " + std::to_string(asked);
        return std::string("replace all ") + Shown(options.Key) + " by " + Shown(replacement) +
               (options.MatchCase ? " case" : "") + " direction " +
               std::to_string(static_cast<int>(options.Direction)) + (confirm ? " asking" : "");
    }

    // While a record is typed, the record commands, sort and hiding do nothing.
    void tryWhileTyping() {
        const Records before = m_model.records;
        const std::size_t undoDepth = m_state.UndoData.Count();
        const std::vector<std::string> clipboard = m_state.RecordClipboard;
        (void)selectAny();
        m_host.answers = {Answer::Yes, Answer::Yes};
        switch (m_input.Below(8)) {
        case 0:
            SortRecords(m_state, m_host, SortAlgorithm::Standard, SortDirection::Ascending);
            break;
        case 1:
            DeleteRecords(m_state, m_host);
            break;
        case 2:
            CutRecords(m_state, m_host);
            break;
        case 3:
            CopyRecords(m_state, m_host);
            break;
        case 4:
            PasteRecords(m_state);
            break;
        case 5:
            (void)BeginNewRecord(m_state);
            break;
        case 6:
            (void)BeginInsertRecord(m_state);
            break;
        default:
            HideSelectedRows(m_state);
            break;
        }
        if (!m_host.messages.empty() || m_state.UndoData.Count() != undoDepth ||
            m_state.RecordClipboard != clipboard ||
            m_state.Grid.Records().size() != before.size() + 1 || !m_state.AddBoxActive) {
            m_pendingFailure = "a command ran while a record was being typed";
        }
        m_host.answers.clear();
    }

    void endEntry(int row, const std::string& text) {
        if (!text.empty()) {
            push();
            m_model.records.insert(m_model.records.begin() + (row - 1), m_ref.Typed(text));
        }
        EndRecordEntry(m_state, text);
    }

    std::string newRecord() {
        if (!BeginNewRecord(m_state)) {
            m_pendingFailure = "no new record";
            return "new record";
        }
        if (m_input.Chance(30)) {
            tryWhileTyping();
        }
        const std::string text = m_input.TypedRecord();
        endEntry(static_cast<int>(m_model.records.size()) + 1, text);
        return "new record " + Shown(text);
    }

    std::string insertRecord() {
        moveTo(anyCol(), anyRow());
        const int row = m_state.Grid.Row();
        const bool possible = hasRecord(row);
        if (BeginInsertRecord(m_state) != possible) {
            m_pendingFailure =
                "insert at row " + std::to_string(row) + (possible ? " refused" : " allowed");
            return "insert";
        }
        if (!possible) {
            return "insert refused at " + std::to_string(row);
        }
        if (m_input.Chance(30)) {
            tryWhileTyping();
        }
        const std::string text = m_input.TypedRecord();
        endEntry(row, text);
        return "insert at " + std::to_string(row) + " " + Shown(text);
    }

    // The selection's rows that hold records, when there are any.
    std::optional<std::pair<int, int>> selectedRecordRows() const {
        const GridRect selection = m_state.Grid.Selection();
        const int bottom = std::min(selection.Bottom, static_cast<int>(m_model.records.size()));
        if (m_model.records.empty() || selection.Top <= 0 || selection.Top > bottom) {
            return std::nullopt;
        }
        return std::pair{selection.Top, bottom};
    }

    void copyToModelClipboard(int top, int bottom) {
        m_model.clipboard.clear();
        for (int row = top; row <= bottom; ++row) {
            m_model.clipboard.push_back(record(row).text);
        }
    }

    void eraseRows(int top, int bottom) {
        m_model.records.erase(m_model.records.begin() + (top - 1),
                              m_model.records.begin() + bottom);
    }

    std::string copyRecords() {
        const std::string where = selectAny();
        if (const auto rows = selectedRecordRows()) {
            copyToModelClipboard(rows->first, rows->second);
        }
        CopyRecords(m_state, m_host);
        return "copy records" + where;
    }

    std::string cutRecords() {
        const std::string where = selectAny();
        const bool yes = m_input.Chance(70);
        if (const auto rows = selectedRecordRows(); rows && yes) {
            copyToModelClipboard(rows->first, rows->second);
            eraseRows(rows->first, rows->second);
            m_model.undo.clear();
        }
        m_host.answers = {yes ? Answer::Yes : Answer::No};
        CutRecords(m_state, m_host);
        return "cut records" + where + (yes ? "" : " declined");
    }

    std::string pasteRecords() {
        const std::string where = selectAny();
        const int top = m_state.Grid.Selection().Top;
        if (top > 0 && top < m_state.Grid.RowCount() && !m_model.clipboard.empty()) {
            push();
            const int at = std::min(top, static_cast<int>(m_model.records.size()) + 1);
            Records pasted;
            for (const std::string& text : m_model.clipboard) {
                pasted.push_back(m_ref.Typed(text));
            }
            m_model.records.insert(m_model.records.begin() + (at - 1), pasted.begin(),
                                   pasted.end());
        }
        PasteRecords(m_state);
        return "paste records" + where;
    }

    std::string deleteRecords() {
        const std::string where = selectAny();
        const bool yes = m_input.Chance(80);
        if (const auto rows = selectedRecordRows(); rows && yes) {
            push();
            eraseRows(rows->first, rows->second);
        }
        m_host.answers = {yes ? Answer::Yes : Answer::No};
        DeleteRecords(m_state, m_host);
        return "delete records" + where + (yes ? "" : " declined");
    }

    std::string sort() {
        moveTo(anyCol(), anyRow());
        const int col = m_state.Grid.Col();
        const auto algorithm = m_input.Chance(50) ? SortAlgorithm::Standard : SortAlgorithm::Fast;
        const auto direction =
            m_input.Chance(50) ? SortDirection::Ascending : SortDirection::Descending;
        SortRecords(m_state, m_host, algorithm, direction);
        const std::string what =
            std::string(algorithm == SortAlgorithm::Fast ? "fast" : "standard") + " sort " +
            (direction == SortDirection::Ascending ? "up" : "down") + " by " + std::to_string(col);
        if (col < 1 || m_model.records.empty()) {
            return what;
        }
        push();
        const auto key = [&](const RefRecord& r) {
            return m_ref.Cell(r, static_cast<std::size_t>(col) - 1);
        };
        const auto before = [&](const RefRecord& a, const RefRecord& b) {
            return direction == SortDirection::Ascending ? key(a) < key(b) : key(b) < key(a);
        };
        if (algorithm == SortAlgorithm::Fast) {
            std::stable_sort(m_model.records.begin(), m_model.records.end(), before);
            return what;
        }
        // The standard sort need not keep equal keys in order: the program's order is taken when
        // it holds the same records in an order sorted by the key.
        Records got;
        const RecordList& list = m_state.Grid.Records();
        for (std::size_t i = 0; i < list.size(); ++i) {
            got.push_back({list.Condition(i), std::string(list.Text(i))});
        }
        Records expected = m_model.records;
        std::stable_sort(expected.begin(), expected.end(), before);
        Records sortedGot = got;
        std::stable_sort(sortedGot.begin(), sortedGot.end(), before);
        const auto byText = [](const RefRecord& a, const RefRecord& b) {
            return std::tie(a.condition, a.text) < std::tie(b.condition, b.text);
        };
        Records sameA = expected;
        Records sameB = got;
        std::sort(sameA.begin(), sameA.end(), byText);
        std::sort(sameB.begin(), sameB.end(), byText);
        if (sameA != sameB || !std::is_sorted(got.begin(), got.end(), before)) {
            m_pendingFailure = "the standard sort lost records or left them out of order";
        } else {
            m_model.records = got;
        }
        return what;
    }

    std::string hideOrShow() {
        const std::string where = selectAny();
        switch (m_input.Below(4)) {
        case 0:
            HideSelectedRows(m_state);
            return "hide rows" + where;
        case 1:
            HideSelectedCols(m_state);
            return "hide columns" + where;
        case 2:
            HideSelectedRowsAndCols(m_state);
            return "hide rows and columns" + where;
        default:
            ShowAllRowsAndCols(m_state);
            return "show all";
        }
    }

    std::string undo() {
        if (!m_model.undo.empty()) {
            m_model.records = std::move(m_model.undo.back());
            m_model.undo.pop_back();
        }
        UndoLast(m_state);
        return "undo";
    }

    std::string save() {
        // Half a character that an edit left behind cannot be written in EUC-JP or UTF-8: the
        // save asks before it becomes "?", and the model takes that.
        m_host.answers = {Answer::Yes};
        if (!SaveInPlace(m_state, m_host)) {
            m_pendingFailure = "the save failed";
        }
        m_host.answers.clear();
        m_model.saved = m_model.records;
        const std::string bytes =
            EncodeDataFile(m_ref.FileText(m_model.records, m_titleLine), m_code, false, m_state.Characters).bytes;
        if (ReadBytes(m_dataPath) != bytes) {
            m_pendingFailure = "the saved file is not the model's file";
        }
        m_model.disk = HeldText(bytes, m_code);
        return "save";
    }

    std::string reopen() {
        if (std::optional<std::string> failure = open(); failure) {
            m_pendingFailure = *failure;
        }
        return "open again";
    }

    // Opens the data file as the open command does; the model reads what was last written.
    std::optional<std::string> open() {
        OpenChoice choice;
        choice.DataPath = m_dataPath;
        choice.DefinitionPath = m_definitionPath;
        choice.Options.Code = m_code;
        if (OpenDataFile(m_state, choice, m_host).Outcome != OpenOutcome::Opened) {
            return "the file could not be opened: " +
                   (m_host.messages.empty() ? std::string() : m_host.messages.back().text);
        }
        m_state.Grid.SetVisibleCounts(10, 5);
        m_state.Grid.SetTopRow(1);
        m_state.Grid.SetLeftCol(1);
        m_model.records = m_ref.Load(m_model.disk);
        m_model.saved = m_model.records;
        m_model.undo.clear();
        return std::nullopt;
    }

    // The definition and a file of 8 to 27 records of every type.
    std::optional<std::string> writeFirstFile() {
        m_definitionPath = m_dir / "model.def";
        m_dataPath = m_dir / "model.dat";
        TDefineClass definition = m_ref.scheme().Definition();
        if (!definition.SaveToFile(m_definitionPath)) {
            return "the definition could not be written";
        }
        if (m_ref.scheme().topTitle) {
            std::vector<std::string> titles;
            for (std::size_t i = 0; i < m_ref.scheme().types[0].fieldLengths.size(); ++i) {
                titles.push_back("T" + std::to_string(i + 1));
            }
            m_titleLine = m_ref.BuildCsv(titles);
        }
        Records records;
        const int count = 8 + m_input.Below(20);
        for (int i = 0; i < count; ++i) {
            const int condition = m_input.Below(static_cast<int>(m_ref.scheme().types.size()));
            records.push_back({condition, m_input.RecordText(condition)});
        }
        const std::string bytes =
            EncodeDataFile(m_ref.FileText(records, m_titleLine), m_code, false, CharacterMap()).bytes;
        WriteBytes(m_dataPath, bytes);
        m_model.disk = HeldText(bytes, m_code);
        InitGridSizes(m_state, m_host);
        return std::nullopt;
    }

    // --- the comparison -----------------------------------------------------------------------

    std::optional<std::string> check() {
        if (!m_pendingFailure.empty()) {
            return std::exchange(m_pendingFailure, {});
        }
        const DataGrid& grid = m_state.Grid;
        if (m_state.AddBoxActive) {
            return "the add box is still active";
        }
        if (std::optional<std::string> failure =
                CompareRecords(grid.Records(), m_model.records, "the grid's records");
            failure) {
            return failure;
        }
        const auto count = static_cast<int>(m_model.records.size());
        if (grid.RowCount() != count + 1 && !(count == 0 && grid.RowCount() <= 2)) {
            return "row count " + std::to_string(grid.RowCount()) + " for " +
                   std::to_string(count) + " records";
        }
        if (std::optional<std::string> failure =
                CompareCells(m_ref, grid, m_model.records, "the grid");
            failure) {
            return failure;
        }
        for (int row = 1; row < grid.RowCount(); ++row) {
            if (grid.Cell(0, row) != std::to_string(row)) {
                return "row " + std::to_string(row) + " is numbered " + Shown(grid.Cell(0, row));
            }
        }
        if (m_state.UndoData.Count() != m_model.undo.size() ||
            m_state.UndoEnabled != !m_model.undo.empty()) {
            return "undo depth " + std::to_string(m_state.UndoData.Count()) + ", the model " +
                   std::to_string(m_model.undo.size());
        }
        if (!m_state.Modified && m_model.records != m_model.saved) {
            return "not marked modified, yet the records are not those saved";
        }
        if (hasRecord(grid.Row()) && grid.Col() >= 1 &&
            m_state.CellBoxText != cell(grid.Col(), grid.Row())) {
            return "the cell box shows " + Shown(m_state.CellBoxText);
        }
        return checkSavedAndRead();
    }

    // The records written in the file's own layout and code, read back and shown in a grid.
    std::optional<std::string> checkSavedAndRead() {
        return CheckWrittenAndRead(m_ref, m_state, m_model.records, m_titleLine,
                                   m_dir / "check.dat");
    }

    void note(std::string step) {
        m_log.push_back(std::to_string(m_step) + ": " + std::move(step));
        if (m_log.size() > 40) {
            m_log.pop_front();
        }
    }

    std::string report(const std::string& failure) {
        std::ostringstream out;
        out << m_ref.scheme().name << " seed " << m_seed << ", step " << m_step << ": " << failure
            << "\nsteps:";
        for (const std::string& line : m_log) {
            out << "\n  " << line;
        }
        return out.str();
    }

    const ReferenceFile m_ref;
    KanjiCode m_code;
    std::uint32_t m_seed;
    RandomInput m_input;
    TempDir m_dir;
    std::filesystem::path m_dataPath;
    std::filesystem::path m_definitionPath;
    std::string m_titleLine;
    MainState m_state;
    FakeUiHost m_host;
    Model m_model;
    int m_step = 0;
    std::deque<std::string> m_log;
    std::string m_pendingFailure; // found during a step, reported by the check after it
};
} // namespace

std::optional<std::string> RunEditingModel(const FileScheme& scheme, KanjiCode code,
                                           std::uint32_t seed, int steps) {
    return ModelRun(scheme, code, seed).run(steps);
}

} // namespace ranvo::test
