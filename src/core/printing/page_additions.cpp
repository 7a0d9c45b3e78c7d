#include "core/printing/page_additions.h"

#include "core/platform/code_page.h"
#include "core/platform/local_time.h"
#include "core/text/number_text.h"
#include "core/text/text_helpers.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace ranvo {
namespace {

// ／ and ページ (CP932).
constexpr std::string_view kWideSlash = "\x81\x5E";
constexpr std::string_view kPage = "\x83\x79\x81\x5B\x83\x57";

} // namespace

std::string AdditionText(const MainState& state, const TPageAddition& addition, int page, int pageCount,
                         std::string_view now) {
    switch (addition.Kind) {
    case AdditionKind::PrintedAt:
        return std::string(now);
    case AdditionKind::PageNumber:
        return std::to_string(pageCount == 1 ? 1 : page) + std::string(kWideSlash) + std::to_string(pageCount) +
               std::string(kPage);
    case AdditionKind::DataFileName:
        return PathToCp932(state.DataFileName.filename());
    case AdditionKind::DataFilePath:
        return PathToCp932(state.DataFileName);
    case AdditionKind::DefineFileName:
        return PathToCp932(state.Definition.FilePath.filename());
    case AdditionKind::DefineFilePath:
        return PathToCp932(state.Definition.FilePath);
    case AdditionKind::FreeText:
        return addition.FreeText;
    }
    return {};
}

std::string PrintedAtText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = LocalTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

AdditionSpot PlaceAddition(int position, int textWidth, const TOlenSGridPrinter& printer, int printZoom) {
    const int pageWidth = printer.DrawnPageWidth();
    const int column = position % 3;
    const int x = column == 0   ? printer.MmToDeviceX(printer.LeftMargin)
                  : column == 1 ? pageWidth / 2 - textWidth / 2
                                : pageWidth - printer.MmToDeviceX(printer.RightMargin) - textWidth;
    const int y = position < 3 ? printer.MmToDeviceY(printer.TopMargin)
                               : printer.DrawnPageHeight() -
                                     printer.MmToDeviceY(printer.BottomMargin + printer.ExtraBottomMargin) -
                                     printZoom / 100;
    return {x, y};
}

void ReserveAdditionRoom(TOlenSGridPrinter& printer, int headerHeight, int footerHeight, int screenDpi) {
    if (screenDpi <= 0) {
        return;
    }
    printer.ExtraTopMargin = static_cast<int>(std::trunc(headerHeight / static_cast<double>(screenDpi) * 25.4));
    printer.ExtraBottomMargin = static_cast<int>(std::trunc(footerHeight / (screenDpi * 25.4)));
}

AdditionEditor::AdditionEditor(const PageAdditions& additions, UiHost& host) : m_host(host), m_working(additions) {
    for (int i = 0; i < PageAdditionCount; ++i) {
        Enabled[static_cast<std::size_t>(i)] = additions[static_cast<std::size_t>(i)].Enabled;
    }
    show();
}

void AdditionEditor::show() {
    const TPageAddition& addition = m_working[static_cast<std::size_t>(m_position)];
    Shown.Kind = addition.Kind;
    Shown.FreeText = addition.FreeText;
    Shown.FontName = addition.Font.Name;
    Shown.FontColor = addition.Font.Color;
    Shown.FontSize = std::to_string(addition.Font.Size);
    Shown.Bold = addition.Font.Style == FontStyleBold;
}

bool AdditionEditor::store() {
    if (!IsDigits(Shown.FontSize)) {
        m_host.ShowError("文字サイズは、数値で設定して下さい");
        return false;
    }
    const std::int32_t size = IntegerOr(Shown.FontSize, 0);
    if (size < 1 || size > 99) {
        m_host.ShowError("文字サイズは、1～99で設定して下さい");
        return false;
    }
    TPageAddition& addition = m_working[static_cast<std::size_t>(m_position)];
    addition.Kind = Shown.Kind;
    addition.FreeText = Shown.FreeText;
    addition.Font.Name = Shown.FontName;
    addition.Font.Color = Shown.FontColor;
    addition.Font.Size = size;
    addition.Font.Style = Shown.Bold ? FontStyleBold : addition.Font.Style & ~FontStyleBold;
    return true;
}

bool AdditionEditor::Select(int position) {
    if (position < 0 || position >= PageAdditionCount || !store()) {
        return false;
    }
    m_position = position;
    show();
    return true;
}

std::optional<PageAdditions> AdditionEditor::Set() {
    if (!store()) {
        return std::nullopt;
    }
    PageAdditions additions = m_working;
    for (int i = 0; i < PageAdditionCount; ++i) {
        additions[static_cast<std::size_t>(i)].Enabled = Enabled[static_cast<std::size_t>(i)];
    }
    return additions;
}

} // namespace ranvo
