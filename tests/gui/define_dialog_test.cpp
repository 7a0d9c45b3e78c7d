// The definition editor driven as a user drives it, on the sample sales definition.

#include "gui/definitions/define_dialog.h"
#include "gui/platform/color_box.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

namespace ranvo::gui {

namespace fs = std::filesystem;

class DefineDialogTest : public QObject {
    Q_OBJECT

private:
    // The sample sales definition copied into a folder of its own, shown in an active window as
    // the user sees it, with its detail records selected.
    struct SampleDialog {
        SampleDialog() {
            fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.def", file);
            dialog = std::make_unique<TfrmDefine>(dir.path(), std::vector<std::string>{}, host);
            dialog->openDefinition(file);
            dialog->show();
            active = QTest::qWaitForWindowActive(dialog.get());
            dialog->lstDefine->setCurrentRow(2);
        }

        test::TempDir dir;
        test::FakeUiHost host;
        fs::path file = dir / "sales.def";
        std::unique_ptr<TfrmDefine> dialog;
        bool active = false;
    };

    static QString cell(QTableView& view, int row, int column) {
        return view.model()->index(row, column).data(Qt::EditRole).toString();
    }

    static std::string lastMessage(const test::FakeUiHost& host) {
        return host.messages.empty() ? std::string() : host.messages.back().text;
    }

    static QPushButton* button(QWidget& dialog, const QString& caption) {
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
            if (candidate->text() == caption) {
                return candidate;
            }
        }
        return nullptr;
    }

    // A click with the mouse, which moves the focus to the button as it is pressed.
    static void click(QWidget& dialog, const QString& caption) {
        QPushButton* target = button(dialog, caption);
        QVERIFY2(target != nullptr, qPrintable(caption));
        QTest::mouseClick(target, Qt::LeftButton);
    }

    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Backspace);
        }
        QTest::keyClicks(box, text);
    }

    // Starts editing a field-grid cell and types into it; the cell editor stays open.
    static QLineEdit* typeInCell(QTableView& grid, int row, int column, const QString& text) {
        const QModelIndex index = grid.model()->index(row, column);
        grid.setCurrentIndex(index);
        grid.edit(index);
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(index));
        if (editor != nullptr) {
            editor->selectAll();
            QTest::keyClicks(editor, text);
        }
        return editor;
    }

    static void trigger(QTableView& grid, const QString& caption) {
        for (QAction* action : grid.actions()) {
            if (action->text() == caption) {
                action->trigger();
                return;
            }
        }
        QFAIL(qPrintable(caption));
    }

private slots:
    void theSampleIsShownAndItsFieldsEdited() {
        test::TempDir dir;
        test::FakeUiHost host;
        fs::copy_file(fs::path(RANVO_SAMPLES) / "sales" / "sales.def", dir / "sales.def");
        TfrmDefine dialog(dir.path(), {"/extra"}, host);
        dialog.openDefinition(dir / "sales.def");
        QCOMPARE(dialog.txtDefineFileName->text(), QStringLiteral("sales.def"));
        QCOMPARE(dialog.txtDefineName->text(), QStringLiteral("売上伝票"));
        QVERIFY(dialog.optFix->isChecked() && dialog.optNewLine->isChecked());
        QCOMPARE(dialog.lstDefine->count(), 4);
        QCOMPARE(dialog.cmbDefineFolder->itemText(0), QStringLiteral("/extra"));

        dialog.lstDefine->setCurrentRow(2); // the detail records
        QCOMPARE(dialog.txtKey->text(), QStringLiteral("D"));
        QTableView& grid = *dialog.stgField;
        QCOMPARE(grid.model()->rowCount(), 6);
        QVERIFY(grid.isColumnHidden(FieldSheet::NumberColumn));
        QCOMPARE(cell(grid, 2, FieldSheet::NameColumn), QStringLiteral("商品名"));

        grid.model()->setData(grid.model()->index(1, FieldSheet::LengthColumn), QStringLiteral("8"));
        QApplication::processEvents(); // the edit is applied once the cell editor is gone
        QCOMPARE(cell(grid, 2, FieldSheet::StartColumn), QStringLiteral("10"));
        QCOMPARE(grid.currentIndex().row(), 2);
        QVERIFY(dialog.editor().ConditionChanged);

        grid.model()->setData(grid.model()->index(1, FieldSheet::LengthColumn), QStringLiteral("abc"));
        QApplication::processEvents();
        QCOMPARE(cell(grid, 1, FieldSheet::LengthColumn), QStringLiteral("8"));
        QCOMPARE(host.messageTexts().back(), std::string("不正なデータが入力されました"));

        dialog.optCsv->click();
        QVERIFY(grid.isColumnHidden(FieldSheet::LengthColumn));
        QCOMPARE(grid.model()->rowCount(), 1);
        QVERIFY(dialog.chkWord->isChecked() && !dialog.chkWord->isEnabled());
        QCOMPARE(dialog.lblStart->text(), QStringLiteral("チェックフィールド"));

        host.messages.clear();
        dialog.reject(); // the fake answers No to saving
        QCOMPARE(host.messageTexts(), std::vector<std::string>{"定義ファイルに更新があります\n\r保存しますか？"});
    }

    void aNewDefinitionIsSavedIntoTheDefaultFolder() {
        test::TempDir dir;
        test::FakeUiHost host;
        TfrmDefine dialog(dir.path(), {}, host);
        QCOMPARE(dialog.lstDefine->count(), 1);
        QVERIFY(dialog.optRecord->isChecked());
        dialog.txtDefineName->setText(QStringLiteral("Orders"));
        emit dialog.txtDefineName->editingFinished();
        QCOMPARE(dialog.txtDefineFileName->text(), QStringLiteral("Orders.def"));
        dialog.txtByte->setText(QStringLiteral("256"));
        host.answers = {Answer::Yes}; // the missing define/ folder: use it anyway
        dialog.cmdSaveClick();
        QCOMPARE(host.messageTexts().back(), std::string("定義ファイルの保存に成功しました"));
        QVERIFY(fs::exists(dir / "define" / "Orders.def"));

        TDefineClass saved;
        const DefineLoadedKeeper keeper;
        QVERIFY(saved.LoadFromFile(dir / "define" / "Orders.def"));
        QCOMPARE(saved.FileFormat, std::string("FB"));
        QCOMPARE(saved.RecordLength, 256);
        QCOMPARE(saved.Conditions[0].FieldLength, std::vector<std::string>{"256"});
    }

    void aSaveOrCloseThatCannotCompleteLosesNothing() {
        test::TempDir dir;
        test::FakeUiHost host;
        TfrmDefine dialog(dir.path(), {}, host);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        type(dialog.txtDefineName, QStringLiteral("Orders"));
        type(dialog.txtByte, QStringLiteral("10"));
        host.answers = {Answer::Yes}; // the missing define/ folder: use it anyway
        click(dialog, QStringLiteral("保存(&S)"));
        const fs::path file = dir / "define" / "Orders.def";
        const std::string saved = test::ReadBytes(file);
        type(dialog.txtConditionName, QStringLiteral("Head"));
        type(dialog.txtStart, QStringLiteral("1"));
        type(dialog.txtKey, QStringLiteral("H"));
        click(dialog, QStringLiteral("新規追加(&A)"));
        QCOMPARE(dialog.lstDefine->count(), 2);
        click(dialog, QStringLiteral("リセット(&S)"));

        // Save the changes, apply the area: the empty field grid is refused and the window stays.
        host.messages.clear();
        host.answers = {Answer::Yes, Answer::Yes};
        click(dialog, QStringLiteral("キャンセル(&C)"));
        QCOMPARE(host.messageTexts(),
                 (std::vector<std::string>{"定義ファイルに更新があります\n\r保存しますか？",
                                           "条件が更新されています。更新を適用しますか？",
                                           "フィールドは最低でも一つは必要です"}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.lstDefine->count(), 2);
        QCOMPARE(dialog.lstDefine->item(1)->text(), QStringLiteral("Head"));
        QCOMPARE(test::ReadBytes(file), saved);

        // A missing check position makes the update an offer for the fallback; declining it
        // stops the save and the close as well.
        QLineEdit* editor =
            typeInCell(*dialog.stgField, 0, FieldSheet::NameColumn, QStringLiteral("kind"));
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(*dialog.stgField, 0, FieldSheet::NameColumn), QStringLiteral("kind"));
        type(dialog.txtStart, QString());
        host.messages.clear();
        host.answers = {Answer::Yes, Answer::Yes, Answer::No};
        dialog.reject();
        QCOMPARE(host.messages.size(), std::size_t{3});
        QVERIFY(dialog.isVisible());
        QCOMPARE(test::ReadBytes(file), saved);

        // The close question can go back; No closes without saving.
        host.messages.clear();
        host.answers = {Answer::Cancel};
        dialog.reject();
        QCOMPARE(host.messages.back().buttons, MessageButtons::YesNoCancel);
        QVERIFY(dialog.isVisible());
        host.answers = {Answer::No};
        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(test::ReadBytes(file), saved);
    }

    void enterInATextBoxPressesNoButton() {
        SampleDialog sample;
        QVERIFY(sample.active);
        TfrmDefine& dialog = *sample.dialog;
        const std::vector<std::string> order = dialog.editor().ConditionNames();
        const int folders = dialog.cmbDefineFolder->count();
        for (QLineEdit* box :
             {dialog.txtDefineFileName, dialog.txtDefineName, dialog.txtByte, dialog.txtSeparate,
              dialog.txtBeforeQuote, dialog.txtConditionName, dialog.txtStart, dialog.txtKey,
              dialog.txtCheckLength, dialog.cmbDefineFolder->lineEdit()}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
        }
        QLineEdit* editor =
            typeInCell(*dialog.stgField, 1, FieldSheet::NameColumn, QStringLiteral("X"));
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(*dialog.stgField, 1, FieldSheet::NameColumn), QStringLiteral("X"));

        QCOMPARE(dialog.editor().Selected(), 2);
        QCOMPARE(dialog.editor().ConditionNames(), order);
        QCOMPARE(dialog.cmbDefineFolder->count(), folders);
        QVERIFY(sample.host.messages.empty());
        QVERIFY(dialog.isVisible());
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
            QVERIFY2(!candidate->isDefault(), qPrintable(candidate->text()));
        }
    }

    void aCellBeingEditedIsTakenBeforeTheClickedButtonRuns() {
        SampleDialog sample;
        QVERIFY(sample.active);
        TfrmDefine& dialog = *sample.dialog;
        QTableView& grid = *dialog.stgField;
        const auto fieldNames = [&dialog] {
            return dialog.editor().Definition().Conditions[2].FieldName;
        };

        typeInCell(grid, 5, FieldSheet::NameColumn, QStringLiteral("PEND"));
        click(dialog, QStringLiteral("更新(&E)"));
        QCOMPARE(fieldNames().size(), std::size_t{6});
        QCOMPARE(fieldNames().back(), std::string("PEND"));

        typeInCell(grid, 0, FieldSheet::NameColumn, QStringLiteral("LATE"));
        sample.host.messages.clear();
        sample.host.answers = {Answer::Yes, Answer::Yes}; // apply the area, overwrite the file
        click(dialog, QStringLiteral("保存(&S)"));
        QCOMPARE(sample.host.messageTexts(),
                 (std::vector<std::string>{"条件が更新されています。更新を適用しますか？",
                                           "同名の定義ファイルが存在します\n\r上書きしますか？",
                                           "定義ファイルの保存に成功しました"}));
        QVERIFY(test::ReadBytes(sample.file).find("LATE") != std::string::npos);

        // Another condition clicked in the list: the edit belongs to the condition it was typed in.
        typeInCell(grid, 2, FieldSheet::NameColumn, QStringLiteral("MOVE"));
        sample.host.answers = {Answer::Yes}; // apply the area
        QListWidget& list = *dialog.lstDefine;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(1)).center());
        QCOMPARE(dialog.editor().Selected(), 1);
        QCOMPARE(fieldNames()[2], std::string("MOVE"));
        QCOMPARE(dialog.editor().Definition().Conditions[1].FieldName.size(), std::size_t{4});
        QCOMPARE(cell(grid, 2, FieldSheet::NameColumn), QStringLiteral("店番"));
        list.setCurrentRow(2);

        // A command that arrives while the cell editor is still open (a shortcut, a menu).
        typeInCell(grid, 1, FieldSheet::NameColumn, QStringLiteral("OPEN"));
        dialog.cmdEditClick();
        QCOMPARE(fieldNames()[1], std::string("OPEN"));

        // A pending edit that is refused stops the command.
        type(dialog.txtKey, QStringLiteral("Q"));
        typeInCell(grid, 1, FieldSheet::LengthColumn, QStringLiteral("abc"));
        click(dialog, QStringLiteral("更新(&E)"));
        QCOMPARE(lastMessage(sample.host), std::string("不正なデータが入力されました"));
        QCOMPARE(dialog.editor().Definition().Conditions[2].CheckWord, std::string("D"));
        QCOMPARE(cell(grid, 1, FieldSheet::LengthColumn), QStringLiteral("6"));
        QCOMPARE(dialog.txtKey->text(), QStringLiteral("Q"));
    }

    void cancellingTheOpenChooserKeepsWhatWasTyped() {
        SampleDialog sample;
        QVERIFY(sample.active);
        TfrmDefine& dialog = *sample.dialog;
        type(dialog.txtConditionName, QStringLiteral("Typed"));
        typeInCell(*dialog.stgField, 0, FieldSheet::NameColumn, QStringLiteral("CELL"));
        click(dialog, QStringLiteral("開く(&O)")); // no path chosen: the chooser is cancelled
        QCOMPARE(dialog.txtConditionName->text(), QStringLiteral("Typed"));
        QCOMPARE(cell(*dialog.stgField, 0, FieldSheet::NameColumn), QStringLiteral("CELL"));
        QVERIFY(dialog.editor().ConditionChanged);
        QCOMPARE(sample.host.fileChoices.back().initial, sample.file); // the last definition read
    }

    void commasAreRefusedInEveryNameTheFileStores() {
        SampleDialog sample;
        QVERIFY(sample.active);
        TfrmDefine& dialog = *sample.dialog;
        QTableView& grid = *dialog.stgField;
        const std::string original = test::ReadBytes(sample.file);

        type(dialog.txtConditionName, QStringLiteral("Head,A"));
        type(dialog.txtKey, QStringLiteral("H"));
        click(dialog, QStringLiteral("新規追加(&A)"));
        QCOMPARE(lastMessage(sample.host), std::string("条件名に「,」を含むことはできません"));
        type(dialog.txtConditionName, QStringLiteral("Head"));
        type(dialog.txtKey, QStringLiteral("H,1"));
        click(dialog, QStringLiteral("新規追加(&A)"));
        QCOMPARE(lastMessage(sample.host),
                 std::string("チェック文字に「,」を含むことはできません"));
        QCOMPARE(dialog.lstDefine->count(), 4);

        QLineEdit* editor = typeInCell(grid, 0, FieldSheet::NameColumn, QStringLiteral("a,b"));
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(lastMessage(sample.host),
                     std::string("フィールド名に「,」を含むことはできません"));
        QCOMPARE(cell(grid, 0, FieldSheet::NameColumn), QStringLiteral("区分"));

        // A name pasted into the grid is refused when the condition is written.
        type(dialog.txtKey, QStringLiteral("D"));
        sample.host.clipboard = "x,y";
        grid.setCurrentIndex(grid.model()->index(2, FieldSheet::NameColumn));
        trigger(grid, QStringLiteral("貼り付け"));
        click(dialog, QStringLiteral("更新(&E)"));
        QCOMPARE(lastMessage(sample.host),
                 std::string("3行目のフィールド名に「,」を含むことはできません"));
        QCOMPARE(dialog.editor().Definition().Conditions[2].FieldName[2],
                 std::string("\x8F\xA4\x95\x69\x96\xBC"));

        // Saving applies the area first: the refusal leaves the file as it was.
        sample.host.answers = {Answer::Yes, Answer::Yes};
        click(dialog, QStringLiteral("保存(&S)"));
        QCOMPARE(lastMessage(sample.host),
                 std::string("3行目のフィールド名に「,」を含むことはできません"));
        QCOMPARE(test::ReadBytes(sample.file), original);
    }

    void insertedRowsAreEmptyAndTheNameColumnIsNarrow() {
        SampleDialog sample;
        QVERIFY(sample.active);
        TfrmDefine& dialog = *sample.dialog;
        QTableView& grid = *dialog.stgField;
        grid.setCurrentIndex(grid.model()->index(1, FieldSheet::NameColumn));
        grid.selectionModel()->select(
            QItemSelection(grid.model()->index(1, FieldSheet::NameColumn),
                           grid.model()->index(2, FieldSheet::NameColumn)),
            QItemSelectionModel::ClearAndSelect);
        trigger(grid, QStringLiteral("レコード挿入"));
        QCOMPARE(grid.model()->rowCount(), 8);
        for (const int row : {1, 2}) {
            for (const int column : {FieldSheet::NameColumn, FieldSheet::StartColumn,
                                     FieldSheet::LengthColumn, FieldSheet::ColorColumn}) {
                QCOMPARE(cell(grid, row, column), QString());
            }
        }
        QCOMPARE(cell(grid, 3, FieldSheet::StartColumn), QStringLiteral("2"));
        QCOMPARE(cell(grid, 4, FieldSheet::StartColumn), QStringLiteral("8"));

        // Rows left empty are no fields: the ones below them are kept.
        click(dialog, QStringLiteral("更新(&E)"));
        QCOMPARE(dialog.editor().Definition().Conditions[2].FieldName.size(), std::size_t{5});
        QCOMPARE(dialog.editor().Definition().Conditions[2].FieldStart[4], std::string("32"));
        QCOMPARE(grid.columnWidth(FieldSheet::NameColumn), 100);
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::DefineDialogTest)
#include "define_dialog_test.moc"
