// The window's UiHost: its message boxes as the user meets them.

#include "gui/platform/qt_ui_host.h"

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace ranvo::gui {

class QtUiHostTest : public QObject {
    Q_OBJECT

private:
    // Looks at the next message box once it shows, then presses its `button`.
    static void answerNextBox(std::function<void(QMessageBox&)> look,
                              QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [look = std::move(look), button] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                look(*box);
                box->button(button)->click();
            }
        });
    }

private slots:
    void messagesBreakTheirLinesOnceAndQuestionsCarryTheirTitle() {
        QWidget owner;
        const TRanvoSetting settings = TRanvoSetting::Defaults();
        QtUiHost host(&owner, settings);
        QString text;
        QString title;
        const auto look = [&](QMessageBox& box) {
            text = box.text();
            title = box.windowTitle();
        };
        answerNextBox(look, QMessageBox::No);
        {
            const QuestionTitle question(host, "確認");
            QVERIFY(!host.AskYesNo("編集\n\rこの作業\r\n続けますか？"));
        }
        QCOMPARE(text, QStringLiteral("編集\nこの作業\n続けますか？"));
        QCOMPARE(title, QStringLiteral("確認"));

        answerNextBox(look, QMessageBox::Yes);
        QVERIFY(host.AskYesNo("保存しますか？")); // the scope ended: the program's name again
        QCOMPARE(title, QApplication::applicationName());
    }

    void aQuestionDuringBusyWorkShowsTheWindowAsItIs() {
        QWidget owner;
        const TRanvoSetting settings = TRanvoSetting::Defaults();
        QtUiHost host(&owner, settings);
        bool painting = true;
        host.onBusyChanged = [&painting](bool busy) { painting = !busy; };
        host.BeginBusy();
        QVERIFY(!painting);
        bool paintingDuringBox = false;
        bool waitCursorDuringBox = true;
        answerNextBox(
            [&](QMessageBox&) {
                paintingDuringBox = painting;
                waitCursorDuringBox = QApplication::overrideCursor() != nullptr;
            },
            QMessageBox::Yes);
        QVERIFY(host.AskYesNo("置き換えますか？"));
        QVERIFY(paintingDuringBox);
        QVERIFY(!waitCursorDuringBox);
        QVERIFY(!painting); // busy again until the work ends
        QVERIFY(QApplication::overrideCursor() != nullptr);
        host.EndBusy();
        QVERIFY(painting);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::QtUiHostTest)
#include "qt_ui_host_test.moc"
