#include "gui/platform/qt_ui_host.h"

#include "core/platform/background_work.h"
#include "gui/platform/colors_and_fonts.h"
#include "gui/platform/text_codec.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QClipboard>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QStringList>

#include <algorithm>

namespace ranvo::gui {
namespace {

// "name|pattern|name|pattern" with ";" between patterns, as the file choosers of the system are
// described, made into Qt's "name (pattern pattern);;..." form.
QString qtFilter(const std::string& filter) {
    const QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const qsizetype paren = name.lastIndexOf(QLatin1Char('('));
        if (paren > 0) {
            name.truncate(paren);
        }
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries.append(name.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

// Messages break their lines with CR LF, and some with LF CR; a box shows each as one break.
QString messageLines(std::string_view text) {
    QString lines = fromUtf8(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

std::optional<std::filesystem::path> chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return pathFromQString(path);
}

} // namespace

QtUiHost::QtUiHost(QWidget* owner, const TRanvoSetting& settings)
    : m_owner(owner), m_settings(settings) {}

Answer QtUiHost::Message(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    const BusyPause pause(*this);
    QMessageBox box(m_owner);
    const bool question =
        buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    box.setWindowTitle(question && !CurrentQuestionTitle().empty()
                           ? fromUtf8(CurrentQuestionTitle())
                           : QApplication::applicationName());
    box.setText(messageLines(text));
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::Yes: box.setStandardButtons(QMessageBox::Yes); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::Ok;
    }
}

std::optional<std::filesystem::path> QtUiHost::ChooseOpenFile(const FileChoice& choice) {
    return chosen(QFileDialog::getOpenFileName(m_owner, fromUtf8(choice.caption),
                                               pathToQString(choice.initial), qtFilter(choice.filter)));
}

// The program asks its own question before overwriting a file, so the chooser asks none.
std::optional<std::filesystem::path> QtUiHost::ChooseSaveFile(const FileChoice& choice) {
    return chosen(QFileDialog::getSaveFileName(m_owner, fromUtf8(choice.caption), pathToQString(choice.initial),
                                               qtFilter(choice.filter), nullptr,
                                               QFileDialog::DontConfirmOverwrite));
}

std::optional<std::filesystem::path> QtUiHost::ChooseFolder(std::string_view caption,
                                                            const std::filesystem::path& initial) {
    return chosen(QFileDialog::getExistingDirectory(m_owner, fromUtf8(caption), pathToQString(initial)));
}

// Programs on this desktop end clipboard lines with LF alone; the cell blocks and records read
// from it end theirs with CR LF, so a lone LF is taken for one.
std::string QtUiHost::ClipboardText() {
    QString text = QApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return fromQString(text);
}

void QtUiHost::SetClipboardText(std::string_view text) {
    QApplication::clipboard()->setText(toQString(text));
}

void QtUiHost::Beep(BeepKind) {
    QApplication::beep();
}

bool QtUiHost::RunWithProgress(std::string_view caption, TaskProgress& progress,
                               const std::function<void()>& work) {
    constexpr int kSteps = 1000;
    BackgroundWork background(work);
    QProgressDialog dialog(fromUtf8(caption), QStringLiteral("中止"), 0, kSteps, m_owner);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                     [&progress] { progress.CancelRequested = true; });
    // The work touches nothing the window shows, so the window paints while it runs, also inside
    // a busy command.
    const BusyPause pause(*this);
    QEventLoop loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        const std::uint64_t total = progress.Total.load(std::memory_order_relaxed);
        const std::uint64_t done = progress.Done.load(std::memory_order_relaxed);
        if (total > 0 && !dialog.wasCanceled()) {
            dialog.setValue(static_cast<int>(std::min<std::uint64_t>(done * kSteps / total, kSteps - 1)));
        }
        if (background.Finished()) {
            loop.quit();
        }
    });
    timer.start(30);
    loop.exec();
    background.Join();
    return !progress.Cancelled();
}

void QtUiHost::BeginBusy() {
    if (m_busyDepth++ == 0) {
        showBusy(true);
    }
}

void QtUiHost::EndBusy() {
    if (--m_busyDepth == 0) {
        showBusy(false);
    }
}

void QtUiHost::showBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
    if (onBusyChanged) {
        onBusyChanged(busy);
    }
}

QtUiHost::BusyPause::BusyPause(QtUiHost& host) : m_host(host), m_paused(host.m_busyDepth > 0) {
    if (m_paused) {
        m_host.showBusy(false);
    }
}

QtUiHost::BusyPause::~BusyPause() {
    if (m_paused) {
        m_host.showBusy(true);
    }
}

QFont QtUiHost::font(FontRole role) const {
    return toQFont(fontSetting(m_settings, role));
}

int QtUiHost::TextWidth(FontRole role, std::string_view text) {
    return QFontMetrics(font(role)).horizontalAdvance(toQString(text));
}

int QtUiHost::TextHeight(FontRole role, std::string_view) {
    // The line height of the font, whatever the text: heights lay out rows.
    return QFontMetrics(font(role)).height();
}

std::optional<int> QtUiHost::ByteWidth(FontRole role) {
    std::optional<int>& known = m_byteWidths[static_cast<std::size_t>(role)];
    if (!known) {
        known = byteRegularWidth(QFontMetrics(font(role))).value_or(0);
    }
    return *known > 0 ? known : std::nullopt;
}

bool QtUiHost::ShiftDown() {
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

} // namespace ranvo::gui
