#pragma once

// The filter table editor's grid as a Qt model over the core's sheet: two columns, "キー" and
// "値", rows numbered from 1 in the row header.

#include "core/views/filter_table_sheet.h"

#include <QAbstractTableModel>

#include <functional>

namespace ranvo::gui {

class FilterSheetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FilterSheetModel(FilterTableSheet& sheet, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_sheet(sheet) {}

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Runs a change of the whole sheet and shows it afresh.
    void change(const std::function<void()>& changeSheet);

private:
    FilterTableSheet& m_sheet;
};

} // namespace ranvo::gui
