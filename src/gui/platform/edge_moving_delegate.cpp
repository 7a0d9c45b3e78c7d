#include "gui/platform/edge_moving_delegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace ranvo::gui {

EdgeMovingDelegate::EdgeMovingDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view), m_view(view) {}

bool EdgeMovingDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QModelIndex current = m_view->currentIndex();
        const bool caretFree = !editor->hasSelectedText();
        const bool leftOut = key == Qt::Key_Left && caretFree && editor->cursorPosition() == 0 &&
                             current.column() > 0;
        const bool rightOut = key == Qt::Key_Right && caretFree &&
                              editor->cursorPosition() == editor->text().size() &&
                              current.column() < m_view->model()->columnCount(current.parent()) - 1;
        if (leftOut || rightOut) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            m_view->setCurrentIndex(current.siblingAtColumn(current.column() + (leftOut ? -1 : 1)));
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace ranvo::gui
