// Ranvo: the desktop viewer and editor of record files.

#include "core/app/program_home.h"
#include "gui/app/main_window.h"
#include "gui/app/ranvo_application.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/program_images.h"
#include "gui/platform/text_codec.h"

#include <cstring>
#include <iostream>
#include <string_view>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

namespace {

constexpr std::string_view kUsage = R"(usage: ranvo [DATA]
       ranvo -d DATA DEF
       ranvo --help

Opens the Ranvo window. With DATA, it opens that data file at once, with the definition
that automatic detection picks: a definition beside DATA, the one DATA was last opened
with, or the known definition that recognises the most records. When the settings say
so, or while Shift is held, the open dialog is shown first.

Options:
  -d DATA DEF
      Opens DATA with the definition file DEF, which must exist and end in ".def";
      otherwise the window starts empty.
  --help
      Prints this text and the folders the program uses, and exits.
)";

// Where the program runs, and where an installed copy finds its data and the user's settings.
ranvo::ProgramPlaces programPlaces() {
    using ranvo::gui::pathFromQString;
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString sharedData =
        QDir::cleanPath(programFolder + QStringLiteral("/" RANVO_DATA_FROM_PROGRAM));
    const QString userConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {pathFromQString(programFolder), QFileInfo(programFolder).isWritable(),
            pathFromQString(sharedData), pathFromQString(userConfig) / "ranvo"};
}

int printUsage(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    const ranvo::AppHome home = ranvo::LocateAppHome(programPlaces());
    std::cout << kUsage << "\nSettings (config.ini, history.dat, define/, filter/): "
              << home.Folder().string() << "\nHelp document: " << home.HelpFile().string() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
        return printUsage(argc, argv);
    }
    ranvo::gui::RanvoApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ranvo"));
    QGuiApplication::setDesktopFileName(QStringLiteral(RANVO_APP_ID));
    QApplication::setWindowIcon(ranvo::gui::programIcon());
    ranvo::gui::installFontSubstitutions();

    // The standard buttons of message boxes in Japanese, where the translations are installed.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }

    const ranvo::AppHome home = ranvo::LocateAppHome(programPlaces());
    if (!ranvo::PrepareAppHome(home)) {
        std::cerr << "ranvo: cannot create the settings folder " << home.Folder().string() << '\n';
    }
    std::vector<std::string> parameters(argv + 1, argv + argc);
    ranvo::gui::TfrmShowData window(home, std::move(parameters));
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.openStartupFile(); });
    return QApplication::exec();
}
