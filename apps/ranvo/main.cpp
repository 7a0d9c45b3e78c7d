// Ranvo: the desktop viewer and editor of record files.

#include "gui/app/main_window.h"
#include "gui/platform/colors_and_fonts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

namespace {

// config.ini, history.dat and the definition folder live beside the program when its folder can
// be written, as users of the program expect; otherwise in the user's configuration folder.
ranvo::AppHome applicationHome() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(programFolder).isWritable()) {
        return ranvo::AppHome(programFolder.toStdString());
    }
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return ranvo::AppHome(userFolder.toStdString());
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ranvo"));
    ranvo::gui::installFontSubstitutions();

    // The standard buttons of message boxes in Japanese, where the translations are installed.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }

    std::vector<std::string> parameters(argv + 1, argv + argc);
    ranvo::gui::TfrmShowData window(applicationHome(), std::move(parameters));
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.openStartupFile(); });
    return QApplication::exec();
}
