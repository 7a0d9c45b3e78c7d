#pragma once

// The definition editor's field grid as a Qt model over the core's field sheet, and the delegate
// that edits its colour cells with a colour drop-down. An edit is not applied while the cell
// editor closes: the model hands it on (editRequested), and the dialog applies it once the
// editor is gone, because an accepted edit may change every row below, or when a command needs
// the sheet before that.

#include "core/definitions/field_sheet.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace ranvo::gui {

class FieldSheetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FieldSheetModel(FieldSheet& sheet, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_sheet(sheet) {}

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The sheet changed as a whole: show it afresh.
    void refresh();

signals:
    void editRequested(int row, int column, const QString& text);

private:
    FieldSheet& m_sheet;
};

class FieldSheetDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // Ends the editing in `editor` as leaving the cell does: its text goes to the model.
    void finishEditing(QWidget* editor);

private:
    // A colour picked is a colour given: the cell takes it at once.
    void colorPicked();
};

} // namespace ranvo::gui
