// The program's images: the icon drawn from its scalable image at every size the desktop asks
// for, the one the about box shows, and the toolbar's images at 100% and 200%.

#include "gui/platform/program_images.h"
#include "gui/settings/info_dialog.h"

#include <QDir>
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

    // Every image of the resources' toolbar folder draws something at both scales: a file that is
    // missing from the resources or that the image plugin cannot read gives an empty picture.
    void toolbarImagesDrawAtBothScales() {
        QVERIFY(!toolbarIcon(QStringLiteral("save")).isNull()); // the resources are registered now
        const QDir folder(QStringLiteral(":/icons/toolbar"));
        const QStringList names = folder.entryList({QStringLiteral("*.svg")});
        QCOMPARE(names.size(), 21);
        for (const QString& name : names) {
            for (const int size : {16, 32}) {
                const QImage image = toolbarIcon(name.chopped(4)).pixmap(size, size).toImage();
                QCOMPARE(image.size(), QSize(size, size));
                int painted = 0;
                for (int y = 0; y < size; ++y) {
                    for (int x = 0; x < size; ++x) {
                        painted += image.pixelColor(x, y).alpha() > 0 ? 1 : 0;
                    }
                }
                QVERIFY2(painted > size * size / 4, qPrintable(name));
            }
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
#include "program_images_test.moc"
