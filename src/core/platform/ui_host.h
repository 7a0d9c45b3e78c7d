#pragma once

// Everything the core asks of the user or of the desktop goes through this interface: message
// boxes and questions, file and folder choosers, the clipboard, beeps, the wait cursor, text
// measuring and the Shift key. The window implements it with Qt; tests use a scripted fake, so
// every flow that asks a question runs headless.
//
// Message texts are UTF-8 (the system's own Japanese texts, with data already converted for
// display). Clipboard texts and measured texts are CP932 bytes, as the core holds them.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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

    void ShowError(std::string_view text) { Message(text, MessageIcon::Error, MessageButtons::Ok); }
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
