// The grid widget's geometry, hidden extents and keyboard movement.

#include "core/app/cell_selection.h"
#include "core/loading/definition_builder.h"
#include "core/loading/grid_fill.h"
#include "gui/grid/grid_view.h"
#include "support/fake_ui_host.h"

#include <QMouseEvent>
#include <QtTest>

namespace ranvo::gui {

class GridViewTest : public QObject {
    Q_OBJECT

private:
    struct Fixture {
        MainState state{AppHome(), TRanvoSetting::Defaults()};
        test::FakeUiHost host;
        GridView view{state.Grid};

        Fixture() {
            state.Definition = test::DefinitionBuilder("FL").condition("", 1, {{"a", 2}, {"b", 2}}).build();
            RecordList records;
            for (int i = 0; i < 100; ++i) {
                records.Append(0, std::to_string(1000 + i));
            }
            state.Grid.SetRecords(std::move(records));
            state.Grid.SetDefaultRowHeight(20);
            state.Grid.SetDefaultColWidth(60);
            FillGrid(state, host);
            state.Grid.SetTopRow(1);
            state.Grid.SetLeftCol(1);
            state.Grid.SetCurrent(1, 1);
            view.canSelectCell = [this](int col, int row) { return SelectCell(state, col, row); };
            view.resize(400, 300);
            view.show();
            view.gridChanged();
        }
    };

private slots:
    void hiddenRowsLeaveOneLineOrNothing() {
        Fixture f;
        f.state.Grid.SetRowHeight(3, 0);
        f.state.Grid.SetRowHeight(4, -1);
        f.view.gridChanged();
        const QRect row2 = f.view.cellRect(1, 2);
        const QRect row3 = f.view.cellRect(1, 3);
        const QRect row5 = f.view.cellRect(1, 5);
        QCOMPARE(row3.top(), row2.top() + 21);
        QCOMPARE(row3.height(), 0);
        QVERIFY(f.view.cellRect(1, 4).isNull());
        QCOMPARE(row5.top(), row3.top() + 1); // the line of row 3, nothing for row 4
        QCOMPARE(f.view.cellAt(QPoint(row5.left() + 1, row5.top() + 1)), QPoint(1, 5));
    }

    void arrowKeysStepOverHiddenRowsThroughTheOwner() {
        Fixture f;
        f.state.Grid.SetRowHeight(2, 0);
        f.state.Grid.SetRowHeight(3, -1);
        f.view.gridChanged();
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(f.state.Grid.Row(), 4);
        QTest::keyClick(&f.view, Qt::Key_Right);
        QCOMPARE(f.state.Grid.Col(), 2);
        QTest::keyClick(&f.view, Qt::Key_Down);
        QTest::keyClick(&f.view, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(f.state.Grid.Selection(), (GridRect{2, 4, 2, 5}));
        // Up again meets the hidden rows: refused, the cursor goes on to the visible row above.
        QTest::keyClick(&f.view, Qt::Key_Up);
        QCOMPARE(f.state.Grid.Row(), 1);
    }

    void currentCellStaysInViewWhenPagingDown() {
        Fixture f;
        QTest::keyClick(&f.view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(f.state.Grid.Row(), 100);
        QVERIFY(!f.view.cellRect(2, 100).isNull());
        QVERIFY(f.state.Grid.TopRow() > 80);
        QTest::keyClick(&f.view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.state.Grid.TopRow(), 1);
    }

    void captionsSelectWholeColumnsRowsAndEverything() {
        Fixture f;
        QWidget* viewport = f.view.viewport();
        const QPoint column2 = f.view.cellRect(2, 0).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, column2);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, column2);
        QCOMPARE(f.state.Grid.Selection(), (GridRect{2, 1, 2, 100}));

        const QPoint row5 = f.view.cellRect(0, 5).center();
        const QPoint row2 = f.view.cellRect(0, 2).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, row5);
        QMouseEvent move(QEvent::MouseMove, row2, viewport->mapToGlobal(row2), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, row2);
        QCOMPARE(f.state.Grid.Selection(), (GridRect{1, 2, 2, 5}));

        const QPoint corner = f.view.cellRect(0, 0).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, corner);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, corner);
        QCOMPARE(f.state.Grid.Selection(), (GridRect{1, 1, 2, 100}));
        QVERIFY(f.state.Grid.Row() <= 100 && f.state.Grid.Col() <= 2);
    }

    void draggingCaptionBordersResizesColumnsAndRows() {
        Fixture f;
        QWidget* viewport = f.view.viewport();
        const auto drag = [viewport](QPoint from, QPoint to) {
            QTest::mousePress(viewport, Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, {});
            QCoreApplication::sendEvent(viewport, &move);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        };
        const QRect column1 = f.view.cellRect(1, 0);
        const QPoint afterColumn1(column1.left() + column1.width(), column1.center().y());
        drag(afterColumn1, afterColumn1 + QPoint(30, 0));
        QCOMPARE(f.state.Grid.ColWidth(1), 90);
        QCOMPARE(f.state.Grid.Selection(), (GridRect{1, 1, 1, 1})); // no column was selected
        QCOMPARE(f.view.cellRect(2, 0).left(), column1.left() + 91);

        const QRect row2 = f.view.cellRect(0, 2);
        const QPoint belowRow2(row2.center().x(), row2.top() + row2.height() + 1); // within reach
        drag(belowRow2, belowRow2 + QPoint(0, 9));
        QCOMPARE(f.state.Grid.RowHeight(2), 30);

        // Dragged past its start, a column keeps one pixel: sizing never hides it.
        const QRect column2 = f.view.cellRect(2, 0);
        drag(QPoint(column2.right() + 1, column2.center().y()),
             QPoint(column2.left() - 20, column2.center().y()));
        QCOMPARE(f.state.Grid.ColWidth(2), 1);
    }

    void viewNeverStaysScrolledPastTheLastRow() {
        Fixture f;
        QTest::keyClick(&f.view, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(f.state.Grid.TopRow() > 80);
        for (int row = 60; row <= 100; ++row) {
            f.state.Grid.SetRowHeight(row, -1);
        }
        f.view.gridChanged();
        QVERIFY(f.state.Grid.TopRow() < 59);
        const QRect last = f.view.cellRect(1, 59);
        QVERIFY(!last.isNull());
        QVERIFY(last.bottom() > f.view.viewport()->height() - 22); // the view is filled to its end
    }

    void selectedCellIsPaintedNavy() {
        Fixture f;
        const QImage image = f.view.viewport()->grab().toImage();
        const QRect cell = f.view.cellRect(1, 1);
        QCOMPARE(image.pixelColor(cell.right() - 1, cell.bottom() - 1), QColor(0x00, 0x00, 0x80));
        const QRect other = f.view.cellRect(2, 2);
        QCOMPARE(image.pixelColor(other.right() - 1, other.bottom() - 1), QColor(Qt::white));
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::GridViewTest)
#include "grid_view_test.moc"
