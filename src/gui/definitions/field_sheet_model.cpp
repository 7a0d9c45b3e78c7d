#include "gui/definitions/field_sheet_model.h"

#include "core/text/number_text.h"
#include "gui/platform/color_box.h"
#include "gui/platform/text_codec.h"

#include <array>

namespace ranvo::gui {
namespace {

bool isColorColumn(const QModelIndex& index) {
    return index.column() == FieldSheet::ColorColumn;
}

} // namespace

int FieldSheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.RowCount();
}

int FieldSheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FieldSheet::ColumnCount;
}

QVariant FieldSheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const std::string text = m_sheet.Cell(index.row(), index.column());
    if (isColorColumn(index) && !text.empty() && role != Qt::EditRole) {
        const std::int32_t color = IntegerOr(text, 0);
        if (role == Qt::DisplayRole) {
            return colorName(color);
        }
        if (role == Qt::DecorationRole) {
            return colorSwatch(color);
        }
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return toQString(text);
    }
    return {};
}

QVariant FieldSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<QString, FieldSheet::ColumnCount> captions{
        QStringLiteral("No"), QStringLiteral("フィールド名"), QStringLiteral("開始"),
        QStringLiteral("長さ"), QStringLiteral("文字色")};
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= FieldSheet::ColumnCount) {
        return {};
    }
    return captions[static_cast<std::size_t>(section)];
}

Qt::ItemFlags FieldSheetModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == FieldSheet::NumberColumn ? flags : flags | Qt::ItemIsEditable;
}

bool FieldSheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    emit editRequested(index.row(), index.column(), value.toString());
    return true;
}

void FieldSheetModel::refresh() {
    beginResetModel();
    endResetModel();
}

QWidget* FieldSheetDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    if (!isColorColumn(index)) {
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* box = new ColorBox(parent);
    connect(box, &ColorBox::colorChosen, this, &FieldSheetDelegate::colorPicked);
    return box;
}

void FieldSheetDelegate::finishEditing(QWidget* editor) {
    emit commitData(editor);
    emit closeEditor(editor);
}

void FieldSheetDelegate::colorPicked() {
    if (auto* box = qobject_cast<ColorBox*>(sender())) {
        finishEditing(box);
    }
}

void FieldSheetDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<ColorBox*>(editor)) {
        box->setColor(IntegerOr(fromQString(index.data(Qt::EditRole).toString()), 0));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void FieldSheetDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    if (auto* box = qobject_cast<ColorBox*>(editor)) {
        model->setData(index, QString::number(box->color()));
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace ranvo::gui
