// ranvo-window-bench DATA DEF: the window's figures on a large file, offscreen. Opening through
// the open command up to the first painted frame (with and without fitting the column widths),
// and painting one full screen at the top, the middle and the end of the file.

#include "core/app/cell_selection.h"
#include "core/app/highlight.h"
#include "core/editing/sort.h"
#include "gui/app/main_window.h"
#include "gui/grid/grid_view.h"
#include "gui/platform/colors_and_fonts.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void writeConfig(const std::filesystem::path& home, bool openAutoFit) {
    std::ofstream(home / "config.ini", std::ios::binary)
        << "[Ather]\r\nOpenAutoFit=" << (openAutoFit ? 1 : 0) << "\r\n[Editor]\r\nUseSP=1\r\n";
}

void report(const char* what, double milliseconds, double target) {
    std::printf("%-44s %9.1f ms   <= %6.0f ms   %s\n", what, milliseconds, target,
                milliseconds <= target ? "ok" : "MISSED");
}

// Opens the file in a fresh window and paints it once; the time until that frame is painted.
double openToFirstFrame(const std::filesystem::path& data, const std::filesystem::path& definition,
                        bool openAutoFit) {
    ranvo::test::TempDir home;
    writeConfig(home.path(), openAutoFit);
    ranvo::gui::TfrmShowData window(ranvo::AppHome(home.path()), {});
    window.resize(1280, 900);
    window.show();
    QApplication::processEvents();
    const auto start = Clock::now();
    window.DataFileLoad(data, definition);
    (void)window.grid().viewport()->grab();
    const double took = millisecondsSince(start);
    if (window.state().DataFileName.empty()) {
        std::fprintf(stderr, "the file did not open\n");
        std::exit(1);
    }
    return took;
}

// The time to paint the whole screen with the given row at the top: the first paint there, when
// nothing of it has been drawn before, and the average of repaints of the same screen.
struct PaintTimes {
    double first = 0;
    double again = 0;
};

PaintTimes paintScreen(ranvo::gui::TfrmShowData& window, int topRow) {
    ranvo::MainState& state = window.state();
    state.Grid.SetTopRow(topRow);
    window.grid().gridChanged();
    // Painted into one image that stays, as the screen's backing store does.
    QWidget* viewport = window.grid().viewport();
    QImage target(viewport->size(), QImage::Format_RGB32);
    PaintTimes times;
    auto start = Clock::now();
    viewport->render(&target);
    times.first = millisecondsSince(start);
    constexpr int kRounds = 20;
    start = Clock::now();
    for (int round = 0; round < kRounds; ++round) {
        viewport->render(&target);
    }
    times.again = millisecondsSince(start) / kRounds;
    return times;
}

void reportPaint(const char* where, const PaintTimes& times) {
    std::printf("paint one screen, %-26s %6.1f ms first, %4.1f ms again   <= 10 ms   %s\n", where,
                times.first, times.again, times.first <= 10 ? "ok" : "MISSED");
}

// A filter on the first field of every record type: the record kind letters become words.
void filterFirstField(ranvo::MainState& state, const std::filesystem::path& home) {
    const std::filesystem::path folder = home / "filter";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "kind.fil", std::ios::binary)
        << ";0\r\n;0\r\n;\r\n;1\r\n;1\r\n[Filter]\r\nH=header\r\nD=detail\r\nT=trailer\r\n";
    state.FilterMng.Prepare(state.Definition);
    for (int condition = 1; condition < state.FilterMng.ConditionCount(); ++condition) {
        if (ranvo::TRvFilterSetting* setting = state.FilterMng.Setting(condition, 0)) {
            *setting = {true, "?", "kind.fil"};
        }
    }
    state.FilterMng.Active = state.FilterMng.LoadFilters(folder);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: ranvo-window-bench DATA DEF\n");
        return 2;
    }
    ranvo::gui::installFontSubstitutions();
    const std::filesystem::path data = argv[1];
    const std::filesystem::path definition = argv[2];

    report("open to first frame (OpenAutoFit off)", openToFirstFrame(data, definition, false), 1500);
    report("open to first frame (OpenAutoFit on)", openToFirstFrame(data, definition, true), 2000);

    ranvo::test::TempDir home;
    writeConfig(home.path(), true);
    ranvo::gui::TfrmShowData window(ranvo::AppHome(home.path()), {});
    window.resize(1280, 900);
    window.show();
    window.DataFileLoad(data, definition);
    ranvo::MainState& state = window.state();
    // Every drawing rule on screen: fixed cells, a selection, a highlighted field, a filtered
    // field, unused cells of the shorter record types, space marks.
    ranvo::SetCurrentCell(state, 3, 2);
    ranvo::ToggleHighLight(state);
    state.Grid.SetSelection({2, 2, 4, 6});
    filterFirstField(state, home.path());
    const int rows = state.Grid.RowCount();
    reportPaint("top of the file", paintScreen(window, 1));
    reportPaint("middle of the file", paintScreen(window, rows / 2));
    reportPaint("end of the file", paintScreen(window, rows - 40));

    ranvo::SetCurrentCell(state, 3, 1);
    auto start = Clock::now();
    ranvo::SortRecords(state, window.host(), ranvo::SortAlgorithm::Standard, ranvo::SortDirection::Ascending);
    std::printf("%-44s %9.1f ms\n", "standard sort of every record by column 3", millisecondsSince(start));
    start = Clock::now();
    ranvo::SortRecords(state, window.host(), ranvo::SortAlgorithm::Fast, ranvo::SortDirection::Descending);
    std::printf("%-44s %9.1f ms\n", "fast sort of every record by column 3", millisecondsSince(start));
    return 0;
}
