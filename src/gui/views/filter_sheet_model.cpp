#include "gui/views/filter_sheet_model.h"

#include "gui/platform/text_codec.h"

namespace ranvo::gui {

int FilterSheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.RowCount();
}

int FilterSheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FilterTableSheet::ColumnCount;
}

QVariant FilterSheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return toQString(m_sheet.Cell(index.row(), index.column()));
}

QVariant FilterSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QString::number(section + 1);
    }
    return section == FilterTableSheet::KeyColumn ? QStringLiteral("キー") : QStringLiteral("値");
}

Qt::ItemFlags FilterSheetModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool FilterSheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    std::string text = fromQString(value.toString());
    const bool addsRow = m_sheet.AddsRow(index.row(), index.column(), text);
    if (addsRow) {
        beginInsertRows({}, m_sheet.RowCount(), m_sheet.RowCount());
    }
    m_sheet.SetCell(index.row(), index.column(), std::move(text));
    if (addsRow) {
        endInsertRows();
    }
    emit dataChanged(index, index);
    return true;
}

void FilterSheetModel::change(const std::function<void()>& changeSheet) {
    beginResetModel();
    changeSheet();
    endResetModel();
}

} // namespace ranvo::gui
