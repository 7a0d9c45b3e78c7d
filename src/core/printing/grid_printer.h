#pragma once

// The grid printer: cuts the grid into pages that fit the printable area of the paper, repeats
// the fixed row and column on every page, and says where every cell of a page goes, in device
// pixels, for a printer or for the preview bitmap. Measurements are the grid's on screen, scaled
// by the ratio of the device's pixels per inch to the screen's. It draws nothing itself: the
// window paints the cells it lists.
//
// Pages are strips of columns crossed with strips of rows, numbered down first: page number =
// (column strip - 1) x row strips + row strip, both strips counted from 1.

#include "core/grid/data_grid.h"

#include <vector>

namespace ranvo {

// The device printed on: its resolution, the screen's, and the page in device pixels.
struct PrintDevice {
    int DpiX = 600;
    int DpiY = 600;
    int ScreenDpiX = 96;
    int ScreenDpiY = 96;
    int PageWidth = 0;
    int PageHeight = 0;
};

struct DeviceRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const DeviceRect&) const = default;
};

struct PageCell {
    int Col = 0;
    int Row = 0;
    DeviceRect Rect;
    bool Fixed = false;
};

// Strips are counted from 1, as page numbers are.
struct PagePosition {
    int ColStrip = 1;
    int RowStrip = 1;

    bool operator==(const PagePosition&) const = default;
};

class TOlenSGridPrinter {
public:
    // Text inset from the cell's left and top, screen pixels.
    int MojiTop = 2;
    int MojiLeft = 2;
    // Page margins, millimetres.
    int LeftMargin = 10;
    int TopMargin = 10;
    int RightMargin = 5;
    int BottomMargin = 10;
    // Preview zoom in thousandths (1000 = 100 %).
    int ScreenRatioX = 1000;
    int ScreenRatioY = 1000;
    bool DrawFixedArea = true;
    // Room for the page additions, millimetres, added to the top and bottom margins by the next
    // layout.
    int ExtraTopMargin = 0;
    int ExtraBottomMargin = 0;

    // Lays the grid out for `device`: previewing scales the device to the screen at the zoom;
    // printing draws at the device's own size.
    void CalcLayout(const DataGrid& grid, const PrintDevice& device, bool preview);

    [[nodiscard]] int ColStrips() const { return static_cast<int>(m_colStarts.size()); }
    [[nodiscard]] int RowStrips() const { return static_cast<int>(m_rowStarts.size()); }
    [[nodiscard]] int PageCount() const { return ColStrips() * RowStrips(); }
    [[nodiscard]] int PageNumber(PagePosition page) const;
    [[nodiscard]] PagePosition PageAt(int number) const;

    // The page the preview shows, and stepping through the pages: false, with the page kept, when
    // there is no page after or before it.
    [[nodiscard]] PagePosition Current() const { return m_current; }
    void First() { m_current = {}; }
    [[nodiscard]] bool HasNext() const;
    [[nodiscard]] bool HasPrevious() const;
    bool Next();
    bool Previous();

    // The pages a print of pages `from` to `to` puts on paper, in page-number order: a `to` below
    // 0 or past the last page means the last page, a `from` below 1 the first, one past the last
    // the last, and a `to` below `from` is `from`.
    [[nodiscard]] std::vector<PagePosition> PrintPages(int from, int to) const;

    // The cells of a page and where they go; `LastDrawnY` is the device y just below its last
    // row. Hidden rows and columns take no room and are not listed.
    struct PagePlan {
        std::vector<PageCell> Cells;
        int LastDrawnY = 0;
        int TextInsetX = 0;
        int TextInsetY = 0;
    };
    [[nodiscard]] PagePlan PlanPage(const DataGrid& grid, PagePosition page) const;

    // Millimetres on the device as drawn (in preview, at the preview's scale).
    [[nodiscard]] int MmToDeviceX(int mm) const;
    [[nodiscard]] int MmToDeviceY(int mm) const;
    // The device's size as drawn: the preview bitmap's, or the paper's.
    [[nodiscard]] int DrawnPageWidth() const;
    [[nodiscard]] int DrawnPageHeight() const;
    // Scale from the screen's pixels to the drawn device's, vertically (font sizes follow it).
    [[nodiscard]] double PreviewScaleY() const { return m_previewScaleY; }

private:
    PrintDevice m_device;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    double m_previewScaleX = 1.0;
    double m_previewScaleY = 1.0;
    int m_leftMargin = 0;
    int m_topMargin = 0;
    std::vector<int> m_colStarts;
    std::vector<int> m_rowStarts;
    PagePosition m_current;
};

} // namespace ranvo
