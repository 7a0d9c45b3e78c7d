#pragma once

// A UiHost for tests: records every message, answers questions and file choosers from queues,
// keeps the clipboard in memory and measures text as a monospace font would (7 pixels a byte,
// 12 pixels high).

#include "core/platform/ui_host.h"

#include <deque>
#include <string>
#include <vector>

namespace ranvo::test {

class FakeUiHost : public UiHost {
public:
    struct ShownMessage {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        std::string title; // of a question; empty for the program's name
    };

    static constexpr int kCharWidth = 7;
    static constexpr int kTextHeight = 12;

    Answer Message(std::string_view text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseFolder(std::string_view caption,
                                                      const std::filesystem::path& initial) override;
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(std::string_view text) override { clipboard = text; }
    void Beep(BeepKind kind) override { beeps.push_back(kind); }
    void BeginBusy() override;
    void EndBusy() override { --busyDepth; }
    // Monospace: every byte kCharWidth wide. Proportional: bytes from "A" to "Z" twice as wide.
    int TextWidth(FontRole, std::string_view text) override;
    int TextHeight(FontRole, std::string_view) override { return kTextHeight; }
    std::optional<int> ByteWidth(FontRole) override {
        return proportional || !offerByteWidth ? std::nullopt : std::optional<int>(kCharWidth);
    }
    bool ShiftDown() override { return shiftDown; }
    // The user cancels the work as soon as it starts when `cancelWork` is set.
    bool RunWithProgress(std::string_view caption, TaskProgress& progress,
                         const std::function<void()>& work) override;

    // The texts of the messages shown so far, in order.
    [[nodiscard]] std::vector<std::string> messageTexts() const;

    std::vector<ShownMessage> messages;
    std::deque<Answer> answers;   // questions take these in order; Yes/No boxes default to No
    std::deque<std::optional<std::filesystem::path>> chosenPaths; // default: cancelled
    std::vector<FileChoice> fileChoices;
    std::string clipboard;
    std::vector<BeepKind> beeps;
    int busyDepth = 0;
    int busyCount = 0;
    bool shiftDown = false;
    bool cancelWork = false;
    std::vector<std::string> progressCaptions;
    bool proportional = false;
    bool offerByteWidth = true;
    int measuredTexts = 0;

private:
    std::optional<std::filesystem::path> nextPath(const FileChoice& choice);
};

} // namespace ranvo::test
