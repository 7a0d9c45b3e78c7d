#pragma once

// Everything the core asks of the user or of the desktop goes through this interface: message
// boxes and questions, file and folder choosers, the clipboard, beeps, the wait cursor, text
// measuring and the Shift key. The window implements it with Qt; tests use a scripted fake, so
// every flow that asks a question runs headless.
//
// Message texts are UTF-8 (the system's own Japanese texts, with data already converted for
// display). Clipboard texts and measured texts are CP932 bytes, as the core holds them.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace ranvo {

enum class MessageIcon { None, Information, Warning, Error };
enum class MessageButtons { Ok, Yes, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };
enum class BeepKind { Default, Information };
// The fonts of the settings that text is drawn in, so the host can measure with the right one.
enum class FontRole { Editor, Fixed, HighLight, Filter, Status };

struct FileChoice {
    std::string caption; // UTF-8
    std::string filter;  // "name|pattern|name|pattern", UTF-8
    std::filesystem::path initial;
};

// How far a long piece of work has come, and whether the user asked to stop it. The work updates
// it from whichever thread runs it; the host reads it to show progress.
struct TaskProgress {
    std::atomic<std::uint64_t> Done{0};
    std::atomic<std::uint64_t> Total{0};
    std::atomic<bool> CancelRequested{false};

    void Report(std::uint64_t done, std::uint64_t total) {
        Total.store(total, std::memory_order_relaxed);
        Done.store(done, std::memory_order_relaxed);
    }
    [[nodiscard]] bool Cancelled() const { return CancelRequested.load(std::memory_order_relaxed); }
};

class UiHost {
public:
    virtual ~UiHost() = default;

    virtual Answer Message(std::string_view text, MessageIcon icon, MessageButtons buttons) = 0;

    [[nodiscard]] virtual std::optional<std::filesystem::path>
    ChooseOpenFile(const FileChoice& choice) = 0;
    [[nodiscard]] virtual std::optional<std::filesystem::path>
    ChooseSaveFile(const FileChoice& choice) = 0;
    [[nodiscard]] virtual std::optional<std::filesystem::path>
    ChooseFolder(std::string_view caption, const std::filesystem::path& initial) = 0;

    [[nodiscard]] virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(std::string_view text) = 0;

    virtual void Beep(BeepKind kind) = 0;
    // The wait cursor with grid painting switched off; calls nest. Use BusyGuard.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;

    [[nodiscard]] virtual int TextWidth(FontRole font, std::string_view text) = 0;
    [[nodiscard]] virtual int TextHeight(FontRole font, std::string_view text) = 0;
    // The width of one byte of text when the font gives every half-width character the same
    // width and every full-width (double-byte) character twice that, so that a text's width is
    // its byte count times this; nothing for any other font. Lets widths be fitted to millions
    // of cells from their byte lengths alone.
    [[nodiscard]] virtual std::optional<int> ByteWidth(FontRole font) = 0;
    [[nodiscard]] virtual bool ShiftDown() = 0;

    // Runs `work`, which reports to `progress`, while the user sees `caption` (UTF-8), how far it
    // has come and a way to cancel it; a window keeps painting meanwhile. `work` must touch nothing
    // the host shows. Answers false when the user cancelled (the work has then stopped). Without a
    // window the work simply runs.
    virtual bool RunWithProgress(std::string_view caption, TaskProgress& progress,
                                 const std::function<void()>& work) {
        (void)caption;
        work();
        return !progress.Cancelled();
    }

    void ShowError(std::string_view text) {
        Message(text, MessageIcon::Error, MessageButtons::Ok);
    }
    void ShowWarning(std::string_view text) {
        Message(text, MessageIcon::Warning, MessageButtons::Ok);
    }
    void ShowInformation(std::string_view text) {
        Message(text, MessageIcon::Information, MessageButtons::Ok);
    }
    // An information box with Yes and No: true for Yes.
    [[nodiscard]] bool AskYesNo(std::string_view text) {
        return Message(text, MessageIcon::Information, MessageButtons::YesNo) == Answer::Yes;
    }

    // The title of the questions (boxes with more than one button) asked now, UTF-8; empty for
    // the program's own name. Set it with QuestionTitle.
    [[nodiscard]] const std::string& CurrentQuestionTitle() const { return m_questionTitle; }

private:
    friend class QuestionTitle;
    std::string m_questionTitle;
};

// The questions asked while it lives carry `title`, as a command that names its question box
// wants; the title before comes back when it ends.
class QuestionTitle {
public:
    QuestionTitle(UiHost& host, std::string title)
        : m_host(host), m_previous(std::exchange(host.m_questionTitle, std::move(title))) {}
    ~QuestionTitle() { m_host.m_questionTitle = std::move(m_previous); }
    QuestionTitle(const QuestionTitle&) = delete;
    QuestionTitle& operator=(const QuestionTitle&) = delete;

private:
    UiHost& m_host;
    std::string m_previous;
};

// Busy state for a scope: the wait cursor shows and the grid does not paint until the scope
// ends, also when an exception leaves it.
class BusyGuard {
public:
    explicit BusyGuard(UiHost& host) : m_host(host) { m_host.BeginBusy(); }
    ~BusyGuard() { m_host.EndBusy(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    UiHost& m_host;
};

} // namespace ranvo
