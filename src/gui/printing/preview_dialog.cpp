#include "gui/printing/preview_dialog.h"

#include "core/printing/page_additions.h"
#include "gui/printing/addition_dialog.h"
#include "gui/printing/page_renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <array>

namespace ranvo::gui {
namespace {

constexpr std::array<int, 6> kZooms{200, 150, 100, 75, 50, 25};
constexpr int kFirstRenderRatio = 750;
// The page stands this far from the page area's edges.
constexpr int kPageMargin = 100;

} // namespace

TfrmPreView::TfrmPreView(MainState& state, TOlenSGridPrinter& gridPrinter, QPrinter& printer, UiHost& host,
                         QWidget* parent)
    : QDialog(parent), m_state(state), m_gridPrinter(gridPrinter), m_printer(printer), m_host(host) {
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    cmbPrev = new QPushButton(QStringLiteral("前ページ"), this);
    lblPage = new QLabel(this);
    cmdNext = new QPushButton(QStringLiteral("次ページ"), this);
    auto* cmbPrint = new QPushButton(QStringLiteral("印刷"), this);
    auto* cmdSetting = new QPushButton(QStringLiteral("プリンタ設定"), this);
    auto* cmdAddition = new QPushButton(QStringLiteral("付加情報設定"), this);
    chkPrintVReplace = new QCheckBox(QStringLiteral("フィルタを有効にする"), this);
    chkPrintVReplace->setChecked(state.PrintFilter);
    cmbZoom = new QComboBox(this);
    for (const int zoom : kZooms) {
        cmbZoom->addItem(QString::number(zoom) + QLatin1Char('%'));
    }
    connect(cmbPrev, &QPushButton::clicked, this, &TfrmPreView::cmbPrevClick);
    connect(cmdNext, &QPushButton::clicked, this, &TfrmPreView::cmdNextClick);
    connect(cmbPrint, &QPushButton::clicked, this, &TfrmPreView::cmbPrintClick);
    connect(cmdSetting, &QPushButton::clicked, this, &TfrmPreView::cmdSettingClick);
    connect(cmdAddition, &QPushButton::clicked, this, &TfrmPreView::cmdAdditionClick);
    connect(chkPrintVReplace, &QCheckBox::clicked, this, &TfrmPreView::chkPrintVReplaceClick);
    connect(cmbZoom, &QComboBox::activated, this, &TfrmPreView::zoomChange);

    imgPreview = new QLabel;
    imgPreview->setMargin(kPageMargin);
    m_pageArea = new QScrollArea(this);
    m_pageArea->setWidget(imgPreview);
    m_pageArea->setBackgroundRole(QPalette::Dark);
    auto* tools = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(cmbPrev), static_cast<QWidget*>(lblPage),
                            static_cast<QWidget*>(cmdNext), static_cast<QWidget*>(cmbPrint),
                            static_cast<QWidget*>(cmdSetting), static_cast<QWidget*>(cmdAddition),
                            static_cast<QWidget*>(chkPrintVReplace), static_cast<QWidget*>(cmbZoom)}) {
        tools->addWidget(widget);
    }
    tools->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_pageArea, 1);

    // A first rendering measures the page additions that the next layout makes room for.
    m_gridPrinter.ScreenRatioX = m_gridPrinter.ScreenRatioY = kFirstRenderRatio;
    render();
    zoomChange(2); // 100 %
    resize(900, 700);
}

PrintDevice TfrmPreView::device() const {
    m_printer.setFullPage(true);
    const int resolution = m_printer.resolution();
    const QRect paper = m_printer.pageLayout().fullRectPixels(resolution);
    return {resolution, resolution, logicalDpiX(), logicalDpiY(), paper.width(), paper.height()};
}

void TfrmPreView::render() {
    m_gridPrinter.CalcLayout(m_state.Grid, device(), true);
    m_gridPrinter.First();
    m_page = QImage(std::max(m_gridPrinter.DrawnPageWidth(), 1), std::max(m_gridPrinter.DrawnPageHeight(), 1),
                    QImage::Format_RGB32);
    drawCurrent();
    cmbPrev->setEnabled(false);
    cmdNext->setEnabled(m_gridPrinter.HasNext());
}

void TfrmPreView::drawCurrent() {
    m_page.fill(Qt::white);
    {
        QPainter painter(&m_page);
        PageRenderer(m_state, m_gridPrinter, logicalDpiY())
            .render(painter, m_gridPrinter.Current(), m_state.PrintZoom, PrintedAtText());
    }
    imgPreview->setPixmap(QPixmap::fromImage(m_page));
    imgPreview->adjustSize();
    showPageNumber();
}

void TfrmPreView::showPageNumber() {
    lblPage->setText(QString::number(m_gridPrinter.PageNumber(m_gridPrinter.Current())) + QLatin1Char('/') +
                     QString::number(m_gridPrinter.PageCount()));
}

void TfrmPreView::zoomChange(int index) {
    index = std::clamp(index, 0, static_cast<int>(kZooms.size()) - 1);
    cmbZoom->setCurrentIndex(index);
    const int zoom = kZooms[static_cast<std::size_t>(index)];
    m_state.PrintZoom = zoom;
    m_gridPrinter.ScreenRatioX = m_gridPrinter.ScreenRatioY = zoom * 10;
    render();
}

void TfrmPreView::cmdNextClick() {
    if (m_gridPrinter.Next()) {
        drawCurrent();
    }
    cmdNext->setEnabled(m_gridPrinter.HasNext());
    cmbPrev->setEnabled(m_gridPrinter.HasPrevious());
}

void TfrmPreView::cmbPrevClick() {
    if (m_gridPrinter.Previous()) {
        drawCurrent();
    }
    cmbPrev->setEnabled(m_gridPrinter.HasPrevious());
    cmdNext->setEnabled(m_gridPrinter.HasNext());
}

void TfrmPreView::chkPrintVReplaceClick() {
    m_state.PrintFilter = chkPrintVReplace->isChecked();
    render();
}

void TfrmPreView::cmdAdditionClick() {
    TfrmAddition dialog(m_state.Additions, m_host, this);
    dialog.onSet = [this](const PageAdditions& additions) { m_state.Additions = additions; };
    dialog.exec();
    render();
    zoomChange(cmbZoom->currentIndex());
}

void TfrmPreView::cmdSettingClick() {
    QPrintDialog dialog(&m_printer, this);
    dialog.setMinMax(1, m_gridPrinter.PageCount());
    if (dialog.exec() == QDialog::Accepted) {
        render();
        zoomChange(cmbZoom->currentIndex());
    }
}

void TfrmPreView::cmbPrintClick() {
    QPrintDialog dialog(&m_printer, this);
    dialog.setMinMax(1, m_gridPrinter.PageCount());
    dialog.setFromTo(1, m_gridPrinter.PageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const bool range = m_printer.printRange() == QPrinter::PageRange;
    printPages(range ? m_printer.fromPage() : 1, range ? m_printer.toPage() : -1);
}

void TfrmPreView::printPages(int from, int to) {
    const int previewZoom = m_state.PrintZoom;
    m_state.PrintZoom = 100;
    {
        const BusyGuard busy(m_host);
        m_gridPrinter.CalcLayout(m_state.Grid, device(), false);
        QPainter painter(&m_printer);
        const PageRenderer renderer(m_state, m_gridPrinter, logicalDpiY());
        const std::string printedAt = PrintedAtText();
        bool first = true;
        for (const PagePosition page : m_gridPrinter.PrintPages(from, to)) {
            if (!first) {
                m_printer.newPage();
            }
            first = false;
            renderer.render(painter, page, 100, printedAt);
        }
    }
    m_state.PrintZoom = previewZoom;
    // The layout was the paper's: the preview is laid out and drawn again at its zoom.
    zoomChange(cmbZoom->currentIndex());
}

} // namespace ranvo::gui
