#pragma once

// The cell editor of a table that is typed into as a spreadsheet: Left with the caret at the
// start of the text, or Right with it at the end, ends editing and moves to the cell beside,
// where there is one.

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace ranvo::gui {

class EdgeMovingDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit EdgeMovingDelegate(QAbstractItemView* view);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QAbstractItemView* m_view;
};

} // namespace ranvo::gui
