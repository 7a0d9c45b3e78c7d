// ranvo-extreme-bench: the window's figures on files of extreme shape, offscreen. A one-line CSV
// file of 30,000 and of 100,000 fields (opening it up to the first painted frame, one arrow key
// and its repaint), and a file whose one cell holds 20 MB (painting the screen: time and memory
// above what the loaded file holds).

#include "gui/app/main_window.h"
#include "gui/grid/grid_view.h"
#include "gui/platform/colors_and_fonts.h"
#include "support/temp_dir.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const std::string& what, double value, double target, const char* unit) {
    std::printf("%-58s %9.1f %s   <= %5.0f %s   %s\n", what.c_str(), value, unit, target, unit,
                value <= target ? "ok" : "MISSED");
}

// A figure of /proc/self/status, in MB.
double statusMegabytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(key)) {
            return std::stod(line.substr(std::string(key).size())) * 1024 / 1e6;
        }
    }
    return 0;
}

// From here on the peak resident size counts afresh.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A CSV definition whose one condition has no named fields: every value is a column.
std::string csvDefinition() {
    return "rvDefine ver1.0\r\ndefine\r\nheader,wide,0,CS,,\",\",0\r\nconditions\r\n"
           "head,none,,1,0,0,16777215,0,0,0,0\r\nlength\r\nname\r\ncolor\r\nstart\r\n";
}

struct Window {
    explicit Window(const fs::path& home, bool fixedCellInfo) : window(ranvo::AppHome(home), {}) {
        window.resize(1280, 900);
        window.show();
        QApplication::processEvents();
        window.state().FixedCellInfo = fixedCellInfo;
    }
    ranvo::gui::TfrmShowData window;
};

// Painted into one image that stays, as the screen's backing store does.
double paint(ranvo::gui::TfrmShowData& window) {
    QWidget* viewport = window.grid().viewport();
    QImage target(viewport->size(), QImage::Format_RGB32);
    const auto start = Clock::now();
    viewport->render(&target);
    return millisecondsSince(start);
}

void wideFile(const fs::path& folder, int fields, bool fixedCellInfo) {
    std::string line;
    for (int field = 1; field <= fields; ++field) {
        line += "v" + std::to_string(field * 7919 % 100000) + "x,";
    }
    line.back() = '\r';
    line += "\n";
    const fs::path data = folder / "wide.csv";
    const fs::path definition = folder / "wide.def";
    writeFile(data, line);
    writeFile(definition, csvDefinition());
    ranvo::test::TempDir home;
    std::ofstream(home.path() / "config.ini", std::ios::binary) << "[Ather]\r\nOpenAutoFit=1\r\n";
    Window shown(home.path(), fixedCellInfo);
    ranvo::gui::TfrmShowData& window = shown.window;
    const std::string name =
        std::to_string(fields) + " fields" + (fixedCellInfo ? ", fixed-cell information" : "");
    auto start = Clock::now();
    window.DataFileLoad(data, definition);
    (void)paint(window);
    report("open to first frame, " + name, millisecondsSince(start), 1000, "ms");
    if (window.state().Grid.ColCount() != fields + 1) {
        std::fprintf(stderr, "the wide file did not open\n");
        std::exit(1);
    }
    constexpr int kKeys = 20;
    for (const int from : {1, fields / 2, fields - kKeys - 1}) {
        window.grid().moveTo(from, 1, false);
        start = Clock::now();
        for (int key = 0; key < kKeys; ++key) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(&window.grid(), &press);
            (void)paint(window);
        }
        report("arrow key and repaint at column " + std::to_string(from) + ", " + name,
               millisecondsSince(start) / kKeys, 50, "ms");
    }
}

// Two record types of `fields` named fields each, on alternate lines: every arrow key down changes
// the row's record type, so the field-jump list and the captions change with it.
void namedFields(const fs::path& folder, int fields) {
    std::string definition =
        "rvDefine ver1.0\r\ndefine\r\nheader,named,0,CS,,\",\",0\r\nconditions\r\n"
        "head,none,,1,0,0,16777215,0,0,0,0\r\nlength\r\nname\r\ncolor\r\nstart\r\n";
    for (const char kind : {'A', 'B'}) {
        std::string lengths = "length";
        std::string names = "name";
        std::string colors = "color";
        std::string starts = "start";
        for (int field = 1; field <= fields; ++field) {
            lengths += ",1";
            names += std::string(",") + kind + "field" + std::to_string(field);
            colors += ",0";
            starts += "," + std::to_string(field);
        }
        definition += std::string("head,") + kind + "," + kind + ",1,0,0,16777215,0,0,0,-1\r\n" +
                      lengths + "\r\n" + names + "\r\n" + colors + "\r\n" + starts + "\r\n";
    }
    std::string lines;
    for (int line = 0; line < 40; ++line) {
        lines += line % 2 == 0 ? "A" : "B";
        for (int field = 2; field <= fields; ++field) {
            lines += "," + std::to_string(field);
        }
        lines += "\r\n";
    }
    const fs::path data = folder / "named.csv";
    const fs::path definitionFile = folder / "named.def";
    writeFile(data, lines);
    writeFile(definitionFile, definition);
    ranvo::test::TempDir home;
    std::ofstream(home.path() / "config.ini", std::ios::binary) << "[Ather]\r\nOpenAutoFit=1\r\n";
    for (const bool fixedCellInfo : {false, true}) {
        Window shown(home.path(), fixedCellInfo);
        ranvo::gui::TfrmShowData& window = shown.window;
        const std::string name = std::to_string(fields) + " named fields, two record types" +
                                 (fixedCellInfo ? ", fixed-cell information" : "");
        auto start = Clock::now();
        window.DataFileLoad(data, definitionFile);
        (void)paint(window);
        report("open to first frame, " + name, millisecondsSince(start), 1000, "ms");
        constexpr int kKeys = 20;
        window.grid().moveTo(fields / 2, 1, false);
        start = Clock::now();
        for (int key = 0; key < kKeys; ++key) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(&window.grid(), &press);
            (void)paint(window);
        }
        report("arrow key down and repaint, " + name, millisecondsSince(start) / kKeys, 50, "ms");
    }
}

void bigCell(const fs::path& folder, bool spaceMarks) {
    constexpr std::size_t kBytes = 20'000'000;
    std::string cell;
    cell.reserve(kBytes);
    // Letters, blanks, full-width letters and ideographic spaces, so every kind of mark shows.
    const std::string piece = "ABC def \x82\x60\x82\x61\x81\x40\x8a\xbf\x8e\x9a 123";
    while (cell.size() + piece.size() <= kBytes) {
        cell += piece;
    }
    cell.append(kBytes - cell.size(), 'z');
    const fs::path data = folder / "big.csv";
    const fs::path definition = folder / "big.def";
    writeFile(data, cell + "\r\n");
    writeFile(definition, csvDefinition());
    ranvo::test::TempDir home;
    std::ofstream(home.path() / "config.ini", std::ios::binary)
        << "[Ather]\r\nOpenAutoFit=1\r\n[Editor]\r\nUseSP=" << (spaceMarks ? 1 : 0) << "\r\n";
    Window shown(home.path(), false);
    ranvo::gui::TfrmShowData& window = shown.window;
    const std::string name = spaceMarks ? ", space marks" : "";
    auto start = Clock::now();
    window.DataFileLoad(data, definition);
    std::printf("%-58s %9.1f ms\n", ("open the 20 MB cell" + name).c_str(),
                millisecondsSince(start));
    if (window.state().DataFileName.empty()) {
        std::fprintf(stderr, "the 20 MB file did not open\n");
        std::exit(1);
    }
    // The cell once selected (navy), once not.
    for (const bool selected : {true, false}) {
        window.state().Grid.SetCurrent(selected ? 1 : 0, selected ? 1 : 0);
        window.grid().gridChanged();
        const double before = statusMegabytes("VmRSS:");
        resetPeakMemory();
        const double took = paint(window);
        const double peak = statusMegabytes("VmHWM:") - before;
        const std::string cellName = selected ? "selected" : "not selected";
        report("paint the 20 MB cell, " + cellName + name, took, 50, "ms");
        report("  memory above the loaded file while painting", peak, 50, "MB");
    }
}

} // namespace

// With no arguments every figure is measured; arguments name the ones wanted: "cell", "wide",
// "named".
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ranvo::gui::installFontSubstitutions();
    const QStringList wanted = QApplication::arguments().mid(1);
    auto runs = [&wanted](const char* name) {
        return wanted.isEmpty() || wanted.contains(QLatin1String(name));
    };
    ranvo::test::TempDir folder;
    if (runs("cell")) {
        for (const bool spaceMarks : {false, true}) {
            bigCell(folder.path(), spaceMarks);
        }
    }
    for (const int fields : {30'000, 100'000}) {
        for (const bool fixedCellInfo : {false, true}) {
            if (runs("wide")) {
                wideFile(folder.path(), fields, fixedCellInfo);
            }
        }
        if (runs("named")) {
            namedFields(folder.path(), fields);
        }
    }
    return 0;
}
