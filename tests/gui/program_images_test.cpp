// The program's icon: drawn from its scalable image at every size the desktop asks for, and the
// one the about box shows.

#include "gui/platform/program_icon.h"
#include "gui/settings/info_dialog.h"

#include <QImage>
#include <QLabel>
#include <QtTest>

namespace ranvo::gui {

class ProgramIconTest : public QObject {
    Q_OBJECT

private slots:
    // A missing resource or a missing image plugin leaves an empty or blank picture.
    void drawsAtEverySize() {
        for (const int size : {16, 24, 32, 48, 64, 256}) {
            const QImage image = programIcon().pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            const QColor corner = image.pixelColor(0, 0);
            const QColor middle = image.pixelColor(size / 2, size / 2);
            QCOMPARE(corner.alpha(), 0); // the sheet's rounded corner lets the background through
            QCOMPARE(middle.alpha(), 255);
        }
    }

    void aboutBoxShowsIt() {
        TfrmInfo about;
        const QImage shown = about.lblIcon->pixmap().toImage();
        QVERIFY(!shown.isNull());
        QCOMPARE(
            shown.convertToFormat(QImage::Format_ARGB32),
            programIcon().pixmap(shown.size()).toImage().convertToFormat(QImage::Format_ARGB32));
    }
};

} // namespace ranvo::gui

QTEST_MAIN(ranvo::gui::ProgramIconTest)
#include "program_icon_test.moc"
