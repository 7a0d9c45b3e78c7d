#include "support/fake_ui_host.h"

namespace ranvo::test {

Answer FakeUiHost::Message(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    const bool question =
        buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    messages.push_back(
        {std::string(text), icon, buttons, question ? CurrentQuestionTitle() : std::string()});
    if (buttons == MessageButtons::Ok) {
        return Answer::Ok;
    }
    if (buttons == MessageButtons::Yes) {
        return Answer::Yes;
    }
    if (answers.empty()) {
        return Answer::No;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::filesystem::path> FakeUiHost::nextPath(const FileChoice& choice) {
    fileChoices.push_back(choice);
    if (chosenPaths.empty()) {
        return std::nullopt;
    }
    auto path = chosenPaths.front();
    chosenPaths.pop_front();
    return path;
}

std::optional<std::filesystem::path> FakeUiHost::ChooseOpenFile(const FileChoice& choice) {
    return nextPath(choice);
}

std::optional<std::filesystem::path> FakeUiHost::ChooseSaveFile(const FileChoice& choice) {
    return nextPath(choice);
}

std::optional<std::filesystem::path> FakeUiHost::ChooseFolder(std::string_view caption,
                                                              const std::filesystem::path& initial) {
    return nextPath({std::string(caption), {}, initial});
}

int FakeUiHost::TextWidth(FontRole, std::string_view text) {
    ++measuredTexts;
    int width = 0;
    for (const char c : text) {
        width += proportional && c >= 'A' && c <= 'Z' ? 2 * kCharWidth : kCharWidth;
    }
    return width;
}

void FakeUiHost::BeginBusy() {
    ++busyDepth;
    ++busyCount;
}

std::vector<std::string> FakeUiHost::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}

bool FakeUiHost::RunWithProgress(std::string_view caption, TaskProgress& progress,
                                 const std::function<void()>& work) {
    progressCaptions.emplace_back(caption);
    progress.CancelRequested = cancelWork;
    work();
    return !progress.Cancelled();
}

} // namespace ranvo::test
