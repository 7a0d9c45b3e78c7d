#include "core/printing/grid_printer.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace ranvo {
namespace {

int truncated(double value) {
    return static_cast<int>(std::trunc(value));
}

int millimetresToPixels(int mm, int dpi) {
    return truncated(mm / 25.4 * dpi);
}

// The first item of each strip when items of the given device extents are laid along a length
// of `room`, after `fixed` pixels of repeated fixed items. An item that fills the room exactly
// ends its strip; an item larger than the room gets a strip of its own. No strip holds nothing
// to draw: hidden items after the last shown one stay in the strip before them.
std::vector<int> stripStarts(int first, int count, int fixed, int room, const std::function<int(int)>& extent) {
    std::vector<int> starts{first};
    int lastShown = count - 1;
    while (lastShown >= first && extent(lastShown) <= 0) {
        --lastShown;
    }
    long long total = 0;
    for (int item = first; item < count;) {
        const int size = extent(item);
        const long long used = fixed + total + size;
        if (used < room) {
            total += size;
            ++item;
            continue;
        }
        if (used == room || item == starts.back()) {
            ++item; // the item ends its strip, or overflows it alone
        }
        if (item > lastShown) {
            break;
        }
        starts.push_back(item);
        total = 0;
    }
    return starts;
}

} // namespace

void TOlenSGridPrinter::CalcLayout(const DataGrid& grid, const PrintDevice& device, bool preview) {
    m_device = device;
    m_scaleX = device.ScreenDpiX > 0 ? static_cast<double>(device.DpiX) / device.ScreenDpiX : 1.0;
    m_scaleY = device.ScreenDpiY > 0 ? static_cast<double>(device.DpiY) / device.ScreenDpiY : 1.0;
    m_previewScaleX = preview && device.DpiX > 0
                          ? static_cast<double>(device.ScreenDpiX * ScreenRatioX / 1000) / device.DpiX
                          : 1.0;
    m_previewScaleY = preview && device.DpiY > 0
                          ? static_cast<double>(device.ScreenDpiY * ScreenRatioY / 1000) / device.DpiY
                          : 1.0;
    m_leftMargin = millimetresToPixels(LeftMargin, device.DpiX);
    m_topMargin = millimetresToPixels(TopMargin + ExtraTopMargin, device.DpiY);
    const int rightMargin = millimetresToPixels(RightMargin, device.DpiX);
    const int bottomMargin = millimetresToPixels(BottomMargin + ExtraBottomMargin, device.DpiY);
    const int printableWidth = device.PageWidth - m_leftMargin - rightMargin;
    const int printableHeight = device.PageHeight - m_topMargin - bottomMargin;

    const auto rowHeight = [&](int row) { return truncated(std::max(grid.RowHeight(row), 0) * m_scaleY); };
    const auto colWidth = [&](int col) { return truncated(std::max(grid.ColWidth(col), 0) * m_scaleX); };
    int fixedHeight = 0;
    int fixedWidth = 0;
    if (DrawFixedArea) {
        for (int row = 0; row < grid.FixedRows(); ++row) {
            fixedHeight += rowHeight(row);
        }
        for (int col = 0; col < grid.FixedCols(); ++col) {
            fixedWidth += colWidth(col);
        }
    }
    m_rowStarts = stripStarts(DrawFixedArea ? grid.FixedRows() : 0, grid.RowCount(), fixedHeight,
                              printableHeight, rowHeight);
    m_colStarts = stripStarts(DrawFixedArea ? grid.FixedCols() : 0, grid.ColCount(), fixedWidth,
                              printableWidth, colWidth);
    m_current = {};
}

int TOlenSGridPrinter::PageNumber(PagePosition page) const {
    return (page.ColStrip - 1) * RowStrips() + page.RowStrip;
}

PagePosition TOlenSGridPrinter::PageAt(int number) const {
    const int rows = std::max(RowStrips(), 1);
    return {(number - 1) / rows + 1, (number - 1) % rows + 1};
}

bool TOlenSGridPrinter::HasNext() const {
    return PageNumber(m_current) < PageCount();
}

bool TOlenSGridPrinter::HasPrevious() const {
    return PageNumber(m_current) > 1;
}

bool TOlenSGridPrinter::Next() {
    if (!HasNext()) {
        return false;
    }
    m_current = PageAt(PageNumber(m_current) + 1);
    return true;
}

bool TOlenSGridPrinter::Previous() {
    if (!HasPrevious()) {
        return false;
    }
    m_current = PageAt(PageNumber(m_current) - 1);
    return true;
}

std::vector<PagePosition> TOlenSGridPrinter::PrintPages(int from, int to) const {
    const int count = PageCount();
    if (to < 0 || to > count) {
        to = count;
    }
    from = std::clamp(from, 1, std::max(count, 1));
    to = std::max(to, from);
    std::vector<PagePosition> pages;
    for (int number = from; number <= to && number <= count; ++number) {
        pages.push_back(PageAt(number));
    }
    return pages;
}

TOlenSGridPrinter::PagePlan TOlenSGridPrinter::PlanPage(const DataGrid& grid, PagePosition page) const {
    PagePlan plan;
    plan.TextInsetX = truncated(MojiLeft * m_scaleX * m_previewScaleX);
    plan.TextInsetY = truncated(MojiTop * m_scaleY * m_previewScaleY);
    const auto stripEnd = [](const std::vector<int>& starts, int strip, int count) {
        return strip < static_cast<int>(starts.size()) ? starts[static_cast<std::size_t>(strip)] - 1 : count - 1;
    };
    if (page.ColStrip < 1 || page.ColStrip > ColStrips() || page.RowStrip < 1 || page.RowStrip > RowStrips()) {
        return plan;
    }
    const int firstCol = m_colStarts[static_cast<std::size_t>(page.ColStrip - 1)];
    const int lastCol = stripEnd(m_colStarts, page.ColStrip, grid.ColCount());
    const int firstRow = m_rowStarts[static_cast<std::size_t>(page.RowStrip - 1)];
    const int lastRow = stripEnd(m_rowStarts, page.RowStrip, grid.RowCount());
    const double left = m_leftMargin * m_previewScaleX;
    double y = truncated(m_topMargin * m_previewScaleY);

    const auto drawRow = [&](int row, bool fixedRow) {
        const double height = std::max(grid.RowHeight(row), 0) * m_scaleY * m_previewScaleY;
        double x = left;
        const auto drawCell = [&](int col, bool fixed) {
            const double width = std::max(grid.ColWidth(col), 0) * m_scaleX * m_previewScaleX;
            const DeviceRect rect{truncated(x), truncated(y), truncated(x) + truncated(width), truncated(y + height)};
            if (rect.Right > rect.Left && rect.Bottom > rect.Top) {
                plan.Cells.push_back({col, row, rect, fixed});
            }
            x += width;
        };
        if (DrawFixedArea) {
            for (int col = 0; col < grid.FixedCols(); ++col) {
                drawCell(col, true);
            }
        }
        for (int col = firstCol; col <= lastCol; ++col) {
            drawCell(col, fixedRow || col < grid.FixedCols());
        }
        y += height;
    };
    if (DrawFixedArea) {
        for (int row = 0; row < grid.FixedRows(); ++row) {
            drawRow(row, true);
        }
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        drawRow(row, row < grid.FixedRows());
    }
    plan.LastDrawnY = truncated(y);
    return plan;
}

int TOlenSGridPrinter::MmToDeviceX(int mm) const {
    return truncated(mm / 25.4 * m_device.DpiX * m_previewScaleX);
}

int TOlenSGridPrinter::MmToDeviceY(int mm) const {
    return truncated(mm / 25.4 * m_device.DpiY * m_previewScaleY);
}

int TOlenSGridPrinter::DrawnPageWidth() const {
    return truncated(m_device.PageWidth * m_previewScaleX);
}

int TOlenSGridPrinter::DrawnPageHeight() const {
    return truncated(m_device.PageHeight * m_previewScaleY);
}

} // namespace ranvo
