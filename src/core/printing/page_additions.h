#pragma once

// The page additions as printed: the text of each, where it goes on a page, the room the headers
// take above the grid, and the rules of the dialog that edits them.

#include "core/platform/ui_host.h"
#include "core/printing/grid_printer.h"
#include "core/state/main_state.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// The text of an addition (CP932) on page `page` of `pageCount`; `now` is the date and time the
// print was made, as the user's short date and long time ("2026/12/08 18:10:05").
[[nodiscard]] std::string AdditionText(const MainState& state, const TPageAddition& addition, int page,
                                       int pageCount, std::string_view now);

// The current local date and time as AdditionText shows it.
[[nodiscard]] std::string PrintedAtText();

struct AdditionSpot {
    int X = 0;
    int Y = 0;
};

// Where the text of the addition at `position` (0 to 5) goes on the drawn page: headers at the
// top margin, footers above the bottom margin; left, centred or right by the text's width.
[[nodiscard]] AdditionSpot PlaceAddition(int position, int textWidth, const TOlenSGridPrinter& printer,
                                         int printZoom);

// The room the headers and footers need, from the tallest text of each among the enabled
// additions (screen pixels), in millimetres for the next layout. The footers stand inside the
// bottom margin, so their room stays 0 at any usual size.
void ReserveAdditionRoom(TOlenSGridPrinter& printer, int headerHeight, int footerHeight, int screenDpi);

// The additions dialog: a working copy of the six additions, one of them shown; the dialog copies
// its boxes into Shown before each step and shows Shown after it.
class AdditionEditor {
public:
    AdditionEditor(const PageAdditions& additions, UiHost& host);

    struct ShownAddition {
        AdditionKind Kind = AdditionKind::PrintedAt;
        std::string FreeText;
        std::string FontName;
        std::int32_t FontColor = 0;
        std::string FontSize; // as typed
        bool Bold = false;
    };

    ShownAddition Shown;
    // The check marks: each addition's enabled state.
    std::array<bool, PageAdditionCount> Enabled{};

    [[nodiscard]] int Position() const { return m_position; }
    // Stores the shown addition and shows another; false, after an error, when its size is not
    // 1 to 99 (the shown one stays).
    bool Select(int position);
    // Stores the shown addition and hands back all six; nothing, after an error, when its size is
    // not fit.
    [[nodiscard]] std::optional<PageAdditions> Set();

private:
    [[nodiscard]] bool store();
    void show();

    UiHost& m_host;
    PageAdditions m_working;
    int m_position = 0;
};

} // namespace ranvo
