// Cells painted into images: each drawing rule gives its colours, and space marks appear only
// where the text has spaces.

#include "core/app/highlight.h"
#include "core/loading/definition_builder.h"
#include "core/loading/grid_fill.h"
#include "gui/grid/cell_painter.h"
#include "gui/platform/colors_and_fonts.h"
#include "support/allocation_counter.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace ranvo::gui {

class CellPainterTest : public QObject {
    Q_OBJECT

private:
    struct Fixture {
        MainState state{AppHome(), TRanvoSetting::Defaults()};
        test::FakeUiHost host;

        Fixture() {
            TDefineClass definition = test::DefinitionBuilder("FL")
                                          .condition("", 1, {{"a", 3}})
                                          .condition("H", 1, {{"kind", 1}, {"text", 4}})
                                          .build();
            definition.Conditions[0].ConditionColor = 0x00FFFF; // yellow
            definition.Conditions[1].ConditionColor = 0xFFFF00; // cyan
            state.Definition = definition;
            RecordList records;
            records.Append(1, "Ha b");
            records.Append(0, "xyz");
            records.Append(1, "Habcd");
            state.Grid.SetRecords(std::move(records));
            FillGrid(state, host);
            state.DataFileName = "/data/file.txt";
            state.Settings.SPFontColor = 0x0000FF; // red marks
        }

        QImage paint(int col, int row, bool selected = false) const {
            QImage image(60, 20, QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter painter(&image);
            CellPainter(state).paint(painter, image.rect(), col, row, selected);
            return image;
        }
    };

    static QColor corner(const QImage& image) { return image.pixelColor(58, 18); }

    static bool hasColor(const QImage& image, const QColor& color) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    }

private slots:
    void everyRuleHasItsBackground() {
        Fixture f;
        QCOMPARE(corner(f.paint(0, 1)), toQColor(f.state.Settings.FixedColor));
        QCOMPARE(corner(f.paint(2, 1, true)), QColor(0x00, 0x00, 0x80));
        QCOMPARE(corner(f.paint(2, 1)), QColor(0x00, 0xFF, 0xFF)); // 0xFFFF00 is BGR cyan
        QCOMPARE(corner(f.paint(2, 2)), QColor(0x80, 0x80, 0x80)); // unused: grey
        QCOMPARE(corner(f.paint(1, 2)), QColor(0xFF, 0xFF, 0x00)); // 0x00FFFF is BGR yellow
        f.state.Grid.SetCurrent(2, 1);
        ToggleHighLight(f.state);
        QCOMPARE(corner(f.paint(2, 3)), toQColor(f.state.Settings.HighLightColor));
    }

    void filteredCellHasTheFilterColour() {
        Fixture f;
        test::TempDir folder;
        test::WriteBytes(folder / "k.fil", test::CrLfLines({";0", ";0", ";", ";1", ";1", "[Filter]", "H=head"}));
        f.state.FilterMng.Prepare(f.state.Definition);
        f.state.FilterMng.Setting(1, 0)->Applied = true;
        f.state.FilterMng.Setting(1, 0)->FilterFile = "k.fil";
        QVERIFY(f.state.FilterMng.LoadFilters(folder.path()));
        f.state.FilterMng.Active = true;
        QCOMPARE(corner(f.paint(1, 1)), toQColor(f.state.Settings.FilterColor));
    }

    void aHugeCellIsPaintedFromWhatShows() {
        // Four megabytes in one cell: painting converts and lays out what fits in the cell, and
        // the pixels are those of the text's start.
        std::string text;
        while (text.size() < 4'000'000) {
            text += "ab \x82\xa0\x81\x40";
        }
        MainState state{AppHome(), TRanvoSetting::Defaults()};
        state.Settings.UseSP = true;
        state.Definition = test::DefinitionBuilder("CS").condition("", 1, {}).build();
        RecordList records;
        records.Append(0, text);
        records.Append(0, text.substr(0, 200));
        state.Grid.SetRecords(std::move(records));
        test::FakeUiHost host;
        QVERIFY(FillGrid(state, host));
        QImage huge(200, 20, QImage::Format_RGB32);
        QImage start(200, 20, QImage::Format_RGB32);
        const CellPainter painter(state);
        QPainter onStart(&start);
        painter.paint(onStart, start.rect(), 1, 2, false);
        const std::size_t bytes = test::AllocatedBytesOf([&] {
            QPainter onHuge(&huge);
            painter.paint(onHuge, huge.rect(), 1, 1, true);
            painter.paint(onHuge, huge.rect(), 1, 1, false);
        });
        QVERIFY2(bytes < 100'000, std::to_string(bytes).c_str());
        QCOMPARE(huge, start);
    }

    void spaceMarksOnlyWhereSpacesAre() {
        Fixture f;
        const QColor red(0xFF, 0x00, 0x00);
        QVERIFY(!hasColor(f.paint(2, 1), red)); // space marks are off
        f.state.Settings.UseSP = true;
        QVERIFY(hasColor(f.paint(2, 1), red));  // "a b"
        QVERIFY(!hasColor(f.paint(2, 3), red)); // "abcd"
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::CellPainterTest)
#include "cell_painter_test.moc"
