#pragma once

// The UiHost of the command-line tool: messages go to standard error, questions are answered
// No (a batch run never confirms anything destructive), choosers choose nothing, and text is
// measured as a monospace terminal would show it. Long work may show its progress on a terminal.

#include "core/platform/ui_host.h"

namespace ranvo::cli {

class ConsoleHost : public UiHost {
public:
    // With `showProgress`, long work shows how far it has come on standard error (a terminal).
    explicit ConsoleHost(bool showProgress = false) : m_showProgress(showProgress) {}

    Answer Message(std::string_view text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return {}; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return {}; }
    std::optional<std::filesystem::path> ChooseFolder(std::string_view,
                                                      const std::filesystem::path&) override {
        return {};
    }
    std::string ClipboardText() override { return m_clipboard; }
    void SetClipboardText(std::string_view text) override { m_clipboard = text; }
    void Beep(BeepKind) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    int TextWidth(FontRole, std::string_view text) override {
        return static_cast<int>(text.size()) * 8;
    }
    int TextHeight(FontRole, std::string_view) override { return 16; }
    std::optional<int> ByteWidth(FontRole) override { return 8; }
    bool ShiftDown() override { return false; }
    bool RunWithProgress(std::string_view caption, TaskProgress& progress,
                         const std::function<void()>& work) override;

    // Whether an error message was shown since the last call.
    [[nodiscard]] bool takeError();

private:
    std::string m_clipboard;
    bool m_error = false;
    bool m_showProgress = false;
};

} // namespace ranvo::cli
