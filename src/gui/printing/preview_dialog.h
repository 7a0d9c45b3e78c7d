#pragma once

// "印刷プレビュー": one page of the data grid at a time as it will print, with zoom, paging, the
// filter option, the printer set-up, the page additions and printing. Printing always goes
// through this window.

#include "core/platform/ui_host.h"
#include "core/printing/grid_printer.h"
#include "core/state/main_state.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace ranvo::gui {

class TfrmPreView : public QDialog {
    Q_OBJECT

public:
    // `printer` is the printer chosen for this run of the program; `gridPrinter` lays the pages
    // out and keeps the headers' room from one rendering to the next.
    TfrmPreView(MainState& state, TOlenSGridPrinter& gridPrinter, QPrinter& printer, UiHost& host,
                QWidget* parent = nullptr);

    [[nodiscard]] const QImage& page() const { return m_page; }

    void cmdNextClick();
    void cmbPrevClick();
    void zoomChange(int index);
    void chkPrintVReplaceClick();
    void cmdAdditionClick();
    void cmdSettingClick();
    void cmbPrintClick();
    // Prints pages `from` to `to` (-1: to the last) on the printer at 100 %.
    void printPages(int from, int to);

    QPushButton* cmbPrev = nullptr;
    QLabel* lblPage = nullptr;
    QPushButton* cmdNext = nullptr;
    QComboBox* cmbZoom = nullptr;
    QCheckBox* chkPrintVReplace = nullptr;

private:
    [[nodiscard]] PrintDevice device() const;
    // Lays the pages out again and shows the first.
    void render();
    void drawCurrent();
    void showPageNumber();

    MainState& m_state;
    TOlenSGridPrinter& m_gridPrinter;
    QPrinter& m_printer;
    UiHost& m_host;
    QImage m_page;
    QLabel* imgPreview = nullptr;
    QScrollArea* m_pageArea = nullptr;
};

} // namespace ranvo::gui
