#pragma once

// The data grid on screen: a scroll area that paints the visible cells of a DataGrid, its fixed
// row and column, grid lines and hidden rows and columns (extent 0: one line; -1: nothing), and
// moves the current cell with the keyboard and the mouse. Before the current cell moves it asks
// its owner, as a string grid asks through its select-cell event; the owner may refuse and move
// the cursor itself. Dragging the line after a caption resizes that column or row; the view never
// stays scrolled past the last row or column.
//
// Painting and scrolling cost what is on screen: positions come from the grid's prefix sums.

#include "core/grid/data_grid.h"
#include "gui/grid/axis_layout.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <functional>
#include <string>

class QLineEdit;
class QPainter;

namespace ranvo::gui {

class GridView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit GridView(DataGrid& grid, QWidget* parent = nullptr);

    // Asked before the current cell moves to (col, row); false refuses the move.
    std::function<bool(int col, int row)> canSelectCell;
    // The in-place editor closed on cell (col, row) with `text` (CP932); `previous` is what the
    // cell held when the editor opened.
    std::function<void(int col, int row, const std::string& text, const std::string& previous)>
        commitEdit;
    // Draws one cell into `rect` (grid lines excluded); `selected` is true inside the selection.
    // The default draws its text plainly.
    std::function<void(QPainter& painter, const QRect& rect, int col, int row, bool selected)> drawCell;

    void setCellFont(const QFont& font);
    void setBackgroundColor(const QColor& color);
    // The grid's shape, extents, cells or scroll position changed: lay out and repaint.
    void gridChanged();
    // While suspended nothing is painted, so that bulk work does not repaint after each step.
    void setPaintingSuspended(bool suspended);

    // The cell under a point of the viewport, or (-1, -1).
    [[nodiscard]] QPoint cellAt(const QPoint& point) const;
    // The cell's rectangle in the viewport (empty when it is not on screen).
    [[nodiscard]] QRect cellRect(int col, int row) const;

    // Moves the current cell as the keyboard or the mouse would, asking canSelectCell first.
    void moveTo(int col, int row, bool extendSelection);
    // Scrolls the current cell, set from outside, into view.
    void scrollToCurrent();

    // The in-place editor: opened on the current data cell (its text selected, so that typing
    // replaces it), committed, or cancelled with the cell's text put back.
    void openEditor(bool selectAll);
    void commitEditor();
    void cancelEditor();
    [[nodiscard]] bool isEditing() const;
    [[nodiscard]] QLineEdit* editor() const { return m_editor; }

signals:
    void currentCellChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // A border in the captions that the mouse can drag: the column (or row) it ends.
    struct SizingBorder {
        Qt::Orientation orientation = Qt::Horizontal; // Horizontal: a column's width
        int index = -1;
        int start = 0; // the pixel where the column or row begins
    };

    void relayout();
    // Scrolls back so that the last row and column end at the view's edge at most.
    bool keepViewFilled();
    [[nodiscard]] SizingBorder sizingBorderAt(const QPoint& point) const;
    void resizeTo(const QPoint& point);
    void syncScrollBars();
    void keepCurrentCellInView();
    void drawPlainCell(QPainter& painter, const QRect& rect, int col, int row, bool selected);
    // A cell under the mouse made usable for a selection: outside the grid the last one used,
    // the fixed row or column the first data one.
    [[nodiscard]] QPoint normalised(QPoint cell);
    void selectFromAnchor(QPoint to);
    void selectCaptions(QPoint to);
    void autoScroll(const QPoint& position);
    [[nodiscard]] bool isSelected(int col, int row) const;

    DataGrid& m_grid;
    QFont m_cellFont;
    QColor m_background = Qt::white;
    AxisLayout m_rows;
    AxisLayout m_cols;
    bool m_syncing = false;
    QLineEdit* m_editor = nullptr;
    int m_editCol = 0;
    int m_editRow = 0;
    std::string m_editPrevious;
    // Mouse selection through the captions: where the press was (0 for a fixed row or column or
    // outside the grid), and the last data cell the mouse was over.
    bool m_mouseSelecting = false;
    // The border being dragged, if any.
    SizingBorder m_sizing;
    QPoint m_anchor{1, 1};
    QPoint m_lastMouse{1, 1};
};

} // namespace ranvo::gui
