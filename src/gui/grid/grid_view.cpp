#include "gui/grid/grid_view.h"

#include "gui/platform/text_codec.h"

#include <algorithm>
#include <cstdlib>

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace ranvo::gui {
namespace {

const QColor kGridLine(0xC0, 0xC0, 0xC0);
constexpr int kTextInset = 2;

// The scroll bar counts visible scrolling entries; its value is how many lie before the first
// one shown.
void configureScrollBar(QScrollBar* bar, const AxisExtents& extents, int fixedCount, int first,
                        int length) {
    const int scrollable = extents.visibleBefore(extents.count()) - extents.visibleBefore(fixedCount);
    const int lastVisible = extents.previousVisible(extents.count() - 1);
    int maximum = 0;
    if (lastVisible >= fixedCount) {
        const int lastFirst = firstToShowLast(extents, fixedCount, lastVisible, length);
        maximum = extents.visibleBefore(lastFirst) - extents.visibleBefore(fixedCount);
    }
    bar->setRange(0, std::max(0, std::min(maximum, scrollable)));
    bar->setPageStep(std::max(1, length / std::max(1, extents.defaultExtent() + 1)));
    bar->setValue(extents.visibleBefore(first) - extents.visibleBefore(fixedCount));
}

int firstFromScrollBar(const QScrollBar* bar, const AxisExtents& extents, int fixedCount) {
    const int index = extents.nthVisible(extents.visibleBefore(fixedCount) + bar->value());
    return std::clamp(index, fixedCount, std::max(fixedCount, extents.count() - 1));
}

} // namespace

GridView::GridView(DataGrid& grid, QWidget* parent) : QAbstractScrollArea(parent), m_grid(grid) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true); // the sizing cursor over caption borders
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    drawCell = [this](QPainter& painter, const QRect& rect, int col, int row, bool selected) {
        drawPlainCell(painter, rect, col, row, selected);
    };
    setAttribute(Qt::WA_InputMethodEnabled);
    m_editor = new QLineEdit(viewport());
    m_editor->setFrame(false);
    m_editor->hide();
    m_editor->installEventFilter(this);
}

bool GridView::isEditing() const {
    return m_editor->isVisible();
}

void GridView::openEditor(bool selectAll) {
    const int col = m_grid.Col();
    const int row = m_grid.Row();
    const QRect rect = cellRect(col, row);
    if (isEditing() || col < m_grid.FixedCols() || row < m_grid.FixedRows() || col < 1 ||
        row < 1 || rect.isEmpty()) {
        return;
    }
    // The editor holds at most maxLength() characters and would cut a longer text when it
    // commits: such a cell is only replaced by typing, never opened with its text.
    const std::string_view text = m_grid.Cell(col, row);
    const bool fits = text.size() <= static_cast<std::size_t>(m_editor->maxLength());
    if (!fits && !selectAll) {
        QApplication::beep();
        return;
    }
    m_editCol = col;
    m_editRow = row;
    m_editPrevious = std::string(text);
    m_editor->setFont(m_cellFont);
    m_editor->setText(fits ? toQString(m_editPrevious) : QString());
    m_editor->setGeometry(rect);
    if (selectAll) {
        m_editor->selectAll();
    }
    m_editor->show();
    m_editor->setFocus();
}

void GridView::commitEditor() {
    if (!isEditing()) {
        return;
    }
    m_editor->hide();
    if (commitEdit) {
        commitEdit(m_editCol, m_editRow, fromQString(m_editor->text()), m_editPrevious);
    }
    setFocus();
    viewport()->update();
    emit currentCellChanged();
}

void GridView::cancelEditor() {
    if (isEditing()) {
        m_editor->hide();
        setFocus();
        viewport()->update();
    }
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor) {
        return QAbstractScrollArea::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusOut && isEditing()) {
        commitEditor();
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int caret = m_editor->cursorPosition();
        const bool atStart = caret == 0 && !m_editor->hasSelectedText();
        const bool atEnd = caret == m_editor->text().size() && !m_editor->hasSelectedText();
        switch (key->key()) {
        case Qt::Key_Escape: cancelEditor(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: commitEditor(); return true;
        case Qt::Key_Up: commitEditor(); moveTo(m_grid.Col(), m_grid.Row() - 1, false); return true;
        case Qt::Key_Down: commitEditor(); moveTo(m_grid.Col(), m_grid.Row() + 1, false); return true;
        case Qt::Key_Left:
            if (atStart) {
                commitEditor();
                moveTo(m_grid.Col() - 1, m_grid.Row(), false);
                return true;
            }
            break;
        case Qt::Key_Right:
            if (atEnd) {
                commitEditor();
                moveTo(m_grid.Col() + 1, m_grid.Row(), false);
                return true;
            }
            break;
        default: break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() == m_grid.Col() && cell.y() == m_grid.Row()) {
        openEditor(false);
    }
}

// Typing through the input method starts an edit as typing a key does.
void GridView::inputMethodEvent(QInputMethodEvent* event) {
    openEditor(true);
    if (isEditing()) {
        QCoreApplication::sendEvent(m_editor, event);
    }
}

void GridView::setCellFont(const QFont& font) {
    m_cellFont = font;
    viewport()->update();
}

void GridView::setBackgroundColor(const QColor& color) {
    m_background = color;
    viewport()->update();
}

void GridView::setPaintingSuspended(bool suspended) {
    viewport()->setUpdatesEnabled(!suspended);
}

void GridView::gridChanged() {
    relayout();
    viewport()->update();
}

void GridView::relayout() {
    const QSize size = viewport()->size();
    do {
        m_rows =
            layoutAxis(m_grid.RowHeights(), m_grid.FixedRows(), m_grid.TopRow(), size.height());
        m_cols = layoutAxis(m_grid.ColWidths(), m_grid.FixedCols(), m_grid.LeftCol(), size.width());
    } while (keepViewFilled());
    m_grid.SetVisibleCounts(m_rows.fullyShown, m_cols.fullyShown);
    syncScrollBars();
}

// Rows hidden below the top row, or shown again above it, would otherwise leave the view
// scrolled past the end with empty space where rows could show.
bool GridView::keepViewFilled() {
    const QSize size = viewport()->size();
    const auto lastFirst = [](const AxisExtents& extents, int fixedCount, int length) {
        const int last = extents.previousVisible(extents.count() - 1);
        return last < fixedCount ? fixedCount : firstToShowLast(extents, fixedCount, last, length);
    };
    const int top =
        lastFirst(m_grid.RowHeights(), m_grid.FixedRows(), size.height() - m_rows.fixedEnd);
    const int left =
        lastFirst(m_grid.ColWidths(), m_grid.FixedCols(), size.width() - m_cols.fixedEnd);
    bool moved = false;
    if (m_grid.TopRow() > top) {
        m_grid.SetTopRow(top);
        moved = true;
    }
    if (m_grid.LeftCol() > left) {
        m_grid.SetLeftCol(left);
        moved = true;
    }
    return moved;
}

void GridView::syncScrollBars() {
    m_syncing = true;
    const QSize size = viewport()->size();
    configureScrollBar(verticalScrollBar(), m_grid.RowHeights(), m_grid.FixedRows(), m_grid.TopRow(),
                       size.height() - m_rows.fixedEnd);
    configureScrollBar(horizontalScrollBar(), m_grid.ColWidths(), m_grid.FixedCols(),
                       m_grid.LeftCol(), size.width() - m_cols.fixedEnd);
    m_syncing = false;
}

void GridView::scrollContentsBy(int, int) {
    if (m_syncing) {
        return;
    }
    commitEditor();
    m_grid.SetTopRow(firstFromScrollBar(verticalScrollBar(), m_grid.RowHeights(), m_grid.FixedRows()));
    m_grid.SetLeftCol(firstFromScrollBar(horizontalScrollBar(), m_grid.ColWidths(), m_grid.FixedCols()));
    const QSize size = viewport()->size();
    m_rows = layoutAxis(m_grid.RowHeights(), m_grid.FixedRows(), m_grid.TopRow(), size.height());
    m_cols = layoutAxis(m_grid.ColWidths(), m_grid.FixedCols(), m_grid.LeftCol(), size.width());
    m_grid.SetVisibleCounts(m_rows.fullyShown, m_cols.fullyShown);
    viewport()->update();
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void GridView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), m_background);
    if (m_cols.segments.empty() || m_rows.segments.empty()) {
        return;
    }
    const AxisSegment& lastCol = m_cols.segments.back();
    const AxisSegment& lastRow = m_rows.segments.back();
    const int right = lastCol.start + lastCol.extent + 1;
    const int bottom = lastRow.start + lastRow.extent + 1;
    for (const AxisSegment& row : m_rows.segments) {
        painter.fillRect(0, row.start + row.extent, right, 1, kGridLine);
    }
    for (const AxisSegment& col : m_cols.segments) {
        painter.fillRect(col.start + col.extent, 0, 1, bottom, kGridLine);
    }
    for (const AxisSegment& row : m_rows.segments) {
        if (row.extent <= 0) {
            continue;
        }
        for (const AxisSegment& col : m_cols.segments) {
            if (col.extent > 0) {
                const QRect rect(col.start, row.start, col.extent, row.extent);
                painter.setClipRect(rect);
                drawCell(painter, rect, col.index, row.index, isSelected(col.index, row.index));
            }
        }
    }
}

bool GridView::isSelected(int col, int row) const {
    const GridRect selection = m_grid.Selection();
    const bool fixed = col < m_grid.FixedCols() || row < m_grid.FixedRows();
    return !fixed && col >= selection.Left && col <= selection.Right && row >= selection.Top &&
           row <= selection.Bottom;
}

void GridView::drawPlainCell(QPainter& painter, const QRect& rect, int col, int row, bool selected) {
    const bool fixed = col < m_grid.FixedCols() || row < m_grid.FixedRows();
    painter.fillRect(rect, fixed ? palette().color(QPalette::Button)
                                 : (selected ? QColor(0x00, 0x00, 0x80) : QColor(Qt::white)));
    painter.setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    painter.setFont(m_cellFont);
    const QRect textRect = rect.adjusted(kTextInset, kTextInset, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     toQString(m_grid.Cell(col, row)));
}

QPoint GridView::cellAt(const QPoint& point) const {
    auto find = [](const AxisLayout& layout, int position) {
        for (const AxisSegment& segment : layout.segments) {
            if (position >= segment.start && position < segment.start + segment.extent) {
                return segment.index;
            }
        }
        return -1;
    };
    const int col = find(m_cols, point.x());
    const int row = find(m_rows, point.y());
    return col < 0 || row < 0 ? QPoint(-1, -1) : QPoint(col, row);
}

QRect GridView::cellRect(int col, int row) const {
    auto find = [](const AxisLayout& layout, int index) -> const AxisSegment* {
        for (const AxisSegment& segment : layout.segments) {
            if (segment.index == index) {
                return &segment;
            }
        }
        return nullptr;
    };
    const AxisSegment* colSegment = find(m_cols, col);
    const AxisSegment* rowSegment = find(m_rows, row);
    if (colSegment == nullptr || rowSegment == nullptr) {
        return {};
    }
    return {colSegment->start, rowSegment->start, colSegment->extent, rowSegment->extent};
}

void GridView::moveTo(int col, int row, bool extendSelection) {
    commitEditor();
    const int lastCol = m_grid.ColCount() - 1;
    const int lastRow = m_grid.RowCount() - 1;
    col = std::clamp(col, std::min(m_grid.FixedCols(), lastCol), lastCol);
    row = std::clamp(row, std::min(m_grid.FixedRows(), lastRow), lastRow);
    if (!canSelectCell || canSelectCell(col, row)) {
        if (extendSelection) {
            m_grid.ExtendSelectionTo(col, row);
        } else {
            m_grid.SetCurrent(col, row);
        }
    }
    scrollToCurrent();
    emit currentCellChanged();
}

void GridView::scrollToCurrent() {
    keepCurrentCellInView();
    relayout();
    viewport()->update();
}

void GridView::keepCurrentCellInView() {
    const QSize size = viewport()->size();
    const int row = m_grid.Row();
    const int col = m_grid.Col();
    if (row >= m_grid.FixedRows() && row < m_grid.TopRow()) {
        m_grid.SetTopRow(row);
    } else if (row >= m_grid.FixedRows() && m_grid.RowHeight(row) > 0) {
        const int top = firstToShowLast(m_grid.RowHeights(), m_grid.FixedRows(), row,
                                        size.height() - m_rows.fixedEnd);
        m_grid.SetTopRow(std::max(m_grid.TopRow(), top));
    }
    if (col >= m_grid.FixedCols() && col < m_grid.LeftCol()) {
        m_grid.SetLeftCol(col);
    } else if (col >= m_grid.FixedCols() && m_grid.ColWidth(col) > 0) {
        const int left = firstToShowLast(m_grid.ColWidths(), m_grid.FixedCols(), col,
                                         size.width() - m_cols.fixedEnd);
        m_grid.SetLeftCol(std::max(m_grid.LeftCol(), left));
    }
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    const int col = m_grid.Col();
    const int row = m_grid.Row();
    const int page = std::max(1, m_grid.VisibleRowCount());
    switch (event->key()) {
    case Qt::Key_Up: moveTo(col, row - 1, extend); break;
    case Qt::Key_Down: moveTo(col, row + 1, extend); break;
    case Qt::Key_Left: moveTo(col - 1, row, extend); break;
    case Qt::Key_Right: moveTo(col + 1, row, extend); break;
    case Qt::Key_PageUp: moveTo(col, row - page, extend); break;
    case Qt::Key_PageDown: moveTo(col, row + page, extend); break;
    case Qt::Key_Home: moveTo(m_grid.FixedCols(), control ? m_grid.FixedRows() : row, extend); break;
    case Qt::Key_End:
        moveTo(m_grid.ColCount() - 1, control ? m_grid.RowCount() - 1 : row, extend);
        break;
    default:
        // A character typed on a cell starts editing it, replacing its text; keys held with
        // Control alone are commands.
        if (!event->text().isEmpty() && event->text()[0].isPrint() &&
            (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
            openEditor(true);
            if (isEditing()) {
                QCoreApplication::sendEvent(m_editor, event);
                return;
            }
        }
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

QPoint GridView::normalised(QPoint cell) {
    if (cell.x() < 0) {
        cell.setX(m_lastMouse.x());
    } else if (cell.x() == 0) {
        cell.setX(1);
    } else {
        m_lastMouse.setX(cell.x());
    }
    if (cell.y() < 0) {
        cell.setY(m_lastMouse.y());
    } else if (cell.y() == 0) {
        cell.setY(1);
    } else {
        m_lastMouse.setY(cell.y());
    }
    return cell;
}

void GridView::selectFromAnchor(QPoint to) {
    const int lastCol = m_grid.ColCount() - 1;
    const int lastRow = m_grid.RowCount() - 1;
    const int col = std::clamp(std::max(m_anchor.x(), 1), 1, std::max(lastCol, 1));
    const int row = std::clamp(std::max(m_anchor.y(), 1), 1, std::max(lastRow, 1));
    m_grid.SetCurrent(col, row);
    m_grid.ExtendSelectionTo(std::min(to.x(), lastCol), std::min(to.y(), lastRow));
}

// Whole columns through the column captions, whole rows through the row captions, and every data
// cell through the corner.
void GridView::selectCaptions(QPoint to) {
    const int lastCol = m_grid.ColCount() - 1;
    const int lastRow = m_grid.RowCount() - 1;
    if (lastCol < 1 || lastRow < 1) {
        return;
    }
    const QPoint cell = normalised(to);
    if (m_anchor == QPoint(0, 0) && to == QPoint(0, 0)) {
        m_grid.SetSelection({1, 1, lastCol, lastRow});
    } else if (m_anchor.y() == 0 && to.y() == 0) {
        const int from = std::max(m_anchor.x(), 1);
        m_grid.SetSelection({std::min(from, cell.x()), 1, std::max(from, cell.x()), lastRow});
    } else if (m_anchor.x() == 0 && to.x() == 0) {
        const int from = std::max(m_anchor.y(), 1);
        m_grid.SetSelection({1, std::min(from, cell.y()), lastCol, std::max(from, cell.y())});
    } else {
        return;
    }
    viewport()->update();
    emit currentCellChanged();
}

void GridView::autoScroll(const QPoint& position) {
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    if (position.x() > viewport()->width()) {
        across->setValue(across->value() + 1);
    } else if (position.x() < 0) {
        across->setValue(across->value() - 1);
    }
    if (position.y() > viewport()->height()) {
        down->setValue(down->value() + 1);
    } else if (position.y() < 0) {
        down->setValue(down->value() - 1);
    }
}

// The line after a column caption, or after a row caption, a few pixels either side. A hidden
// column or row is not offered: its line belongs to its visible neighbour.
GridView::SizingBorder GridView::sizingBorderAt(const QPoint& point) const {
    constexpr int kReach = 2;
    const auto find = [&](const AxisLayout& layout, int position, Qt::Orientation orientation) {
        for (const AxisSegment& segment : layout.segments) {
            if (segment.extent > 0 &&
                std::abs(position - (segment.start + segment.extent)) <= kReach) {
                return SizingBorder{orientation, segment.index, segment.start};
            }
        }
        return SizingBorder{};
    };
    if (m_grid.FixedRows() > 0 && point.y() >= 0 && point.y() < m_rows.fixedEnd) {
        return find(m_cols, point.x(), Qt::Horizontal);
    }
    if (m_grid.FixedCols() > 0 && point.x() >= 0 && point.x() < m_cols.fixedEnd) {
        return find(m_rows, point.y(), Qt::Vertical);
    }
    return {};
}

// The column or row being sized ends where the mouse is; it keeps at least one pixel, so that
// sizing never hides it.
void GridView::resizeTo(const QPoint& point) {
    if (m_sizing.orientation == Qt::Horizontal) {
        m_grid.SetColWidth(m_sizing.index, std::max(point.x() - m_sizing.start, 1));
    } else {
        m_grid.SetRowHeight(m_sizing.index, std::max(point.y() - m_sizing.start, 1));
    }
    relayout();
    viewport()->update();
}

void GridView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (event->modifiers() == Qt::NoModifier) {
        m_sizing = sizingBorderAt(event->position().toPoint());
        if (m_sizing.index >= 0) {
            return;
        }
    }
    const QPoint cell = cellAt(event->position().toPoint());
    if (event->modifiers() == Qt::ShiftModifier) {
        selectFromAnchor(normalised(cell));
        viewport()->update();
        emit currentCellChanged();
        return;
    }
    if (m_mouseSelecting) {
        return;
    }
    m_mouseSelecting = true;
    m_anchor = QPoint(std::max(cell.x(), 0), std::max(cell.y(), 0));
    if (cell.x() >= m_grid.FixedCols() && cell.y() >= m_grid.FixedRows() && cell.x() > 0 && cell.y() > 0) {
        moveTo(cell.x(), cell.y(), false);
    }
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (m_sizing.index >= 0) {
        resizeTo(position);
        return;
    }
    if ((event->buttons() & Qt::LeftButton) == 0) {
        const SizingBorder border = sizingBorderAt(position);
        if (border.index < 0) {
            viewport()->unsetCursor();
        } else {
            viewport()->setCursor(border.orientation == Qt::Horizontal ? Qt::SplitHCursor
                                                                       : Qt::SplitVCursor);
        }
        return;
    }
    if (!m_mouseSelecting) {
        return;
    }
    autoScroll(position);
    const QPoint cell = cellAt(position);
    if ((m_anchor.y() == 0 && cell.y() == 0) || (m_anchor.x() == 0 && cell.x() == 0)) {
        selectCaptions(cell);
        return;
    }
    const QPoint to = normalised(cell);
    if (m_anchor.x() >= 1 && m_anchor.y() >= 1) {
        if (to.x() != m_grid.Col() || to.y() != m_grid.Row()) {
            moveTo(to.x(), to.y(), true);
        }
    } else {
        selectFromAnchor(to);
        viewport()->update();
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_sizing.index >= 0) {
        resizeTo(event->position().toPoint());
        m_sizing = {};
        return;
    }
    const QPoint cell = cellAt(event->position().toPoint());
    if (event->modifiers() == Qt::ShiftModifier) {
        selectFromAnchor(normalised(cell));
        viewport()->update();
    } else if (m_mouseSelecting) {
        selectCaptions(QPoint(std::max(cell.x(), 0), std::max(cell.y(), 0)));
    }
    m_mouseSelecting = false;
}

} // namespace ranvo::gui
