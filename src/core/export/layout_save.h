#pragma once

// The layout save: the loaded data exported as CSV, an HTML table or fixed-length text through
// an output layout set up per condition: which fields are written, in which order, dummy fields,
// and for fixed-length output each field's width, fill character and side. An export: the loaded
// file and its unsaved-changes flag stay as they are.

#include "core/platform/ui_host.h"
#include "core/state/load_options.h"
#include "core/state/main_state.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ranvo {

// One output field of a condition.
struct LayoutSlot {
    bool Enabled = true;
    int Source = -1; // the field written, counted from 0; -1 for a dummy field
    int Width = 1;   // bytes, fixed-length output only
    bool FillFront = false;
    char Fill = ' ';
    bool Trim = false; // blanks cut at both ends before filling
    std::string Name;

    [[nodiscard]] bool IsDummy() const { return Source < 0; }
};

struct LayoutSlotList {
    std::vector<LayoutSlot> Slots;
    int DummyCount = 0;
};

// The slot lists of every condition, in condition order.
class OutputLayout {
public:
    // One slot per field of each condition, in field order; for a CSV definition, a condition
    // with fewer fields than the grid has data columns gets slots "Col<n>" up to them.
    explicit OutputLayout(const MainState& state);

    [[nodiscard]] std::vector<LayoutSlotList>& Lists() { return m_lists; }
    [[nodiscard]] const std::vector<LayoutSlotList>& Lists() const { return m_lists; }
    [[nodiscard]] const LayoutSlotList* List(int condition) const;

    // Appends a dummy field to condition's list and answers its index.
    int AddDummy(int condition);
    // Swaps slot `slot` with the one above or below it; answers where it now is.
    int MoveUp(int condition, int slot);
    int MoveDown(int condition, int slot);

private:
    std::vector<LayoutSlotList> m_lists;
};

// Options every form shares.
struct LayoutOptions {
    KanjiCode Code = KanjiCode::ShiftJis;
    bool OnlyLoaded = false;  // only the grid rows, not the stored file around a read range
    bool VisibleOnly = false; // hidden rows and hidden fields are left out
    bool Filter = false;      // values through the filters
};

struct CsvLayout {
    bool TabSeparator = false; // a tab, whatever Separator holds
    std::string Separator;     // one character
    std::string Quote;
    bool QuoteAlways = false;
    // A title line of the field names of condition TitleCondition (-1: none chosen yet).
    bool Title = false;
    int TitleCondition = -1;
    bool Trim = false;
};

struct HtmlLayout {
    bool Title = false;
    int TitleCondition = -1;
    bool StyleSheet = false;
    // 0x00BBGGRR with system colours resolved; the window knows the system's colours.
    std::function<std::int32_t(std::int32_t)> ResolveColor = [](std::int32_t color) { return color; };
};

struct FixedLayout {
    bool NewLine = true; // one record a line; otherwise all records on one line
};

// The text of each form (CP932, CR LF line ends); nothing when the stored file around the read
// range cannot be read. `outputPath` is the HTML document's title.
[[nodiscard]] std::string BuildLayoutCsv(const MainState& state, const OutputLayout& layout,
                                                        const LayoutOptions& options, const CsvLayout& csv);
[[nodiscard]] std::string BuildLayoutHtml(const MainState& state, const OutputLayout& layout,
                                                         const LayoutOptions& options, const HtmlLayout& html,
                                                         const std::filesystem::path& outputPath);
[[nodiscard]] std::string BuildLayoutFixed(const MainState& state, const OutputLayout& layout,
                                                          const LayoutOptions& options, const FixedLayout& fixed);

// A slot's fixed-length settings as the dialog's boxes hold them, stored into the slot when they
// are fit: a width above 0 and a fill character of one byte. False, after an error message, when
// they are not; the slot stays as it was.
bool CommitSlotSettings(LayoutSlot& slot, std::string_view widthText, std::string_view fillText,
                        bool fillFront, bool trim, UiHost& host);

enum class LayoutForm { Csv, Html, Fixed };

// The save command of the dialog's shown form: checks its options, asks for the file (the data
// file's name with the form's extension proposed) and writes it in `options.Code`, with a message
// either way. `csv`, `html` and `fixed` are read by their own form only.
bool SaveLayout(const MainState& state, UiHost& host, const OutputLayout& layout, LayoutForm form,
                const LayoutOptions& options, const CsvLayout& csv, const HtmlLayout& html,
                const FixedLayout& fixed);

} // namespace ranvo
