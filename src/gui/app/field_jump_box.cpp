#include "gui/app/field_jump_box.h"

#include "gui/platform/text_codec.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QAbstractListModel>

namespace ranvo::gui {

// The names as a list model that converts each one when it is asked for.
class FieldNameModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] const std::vector<std::string>& names() const { return m_names; }
    void setNames(const std::vector<std::string>& names) {
        beginResetModel();
        m_names = names;
        endResetModel();
    }

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_names.size());
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({}) ||
            (role != Qt::DisplayRole && role != Qt::EditRole)) {
            return {};
        }
        return toQString(m_names[static_cast<std::size_t>(index.row())]);
    }

private:
    std::vector<std::string> m_names;
};

FieldJumpBox::FieldJumpBox(QWidget* parent) : QComboBox(parent), m_model(new FieldNameModel(this)) {
    setModel(m_model);
}

void FieldJumpBox::setNames(const std::vector<std::string>& names) {
    if (names != m_model->names()) {
        m_model->setNames(names);
    }
}

void FieldJumpBox::showPopup() {
    int widest = 0;
    const QFontMetrics metrics = fontMetrics();
    for (const std::string& name : m_model->names()) {
        widest = std::max(widest, metrics.horizontalAdvance(toQString(name)));
    }
    view()->setMinimumWidth(widest + 20);
    QComboBox::showPopup();
}

} // namespace ranvo::gui
