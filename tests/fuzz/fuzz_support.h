#pragma once

// What the fuzz targets share: a scratch folder of the process for the readers that take a path,
// a host that answers no question, and a check that stops the fuzzer with a message.

#include "core/platform/ui_host.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace ranvo::fuzz {

// A folder of this process, removed when it ends.
[[nodiscard]] const std::filesystem::path& ScratchFolder();
// Writes `bytes` to `name` in the scratch folder and answers its path.
std::filesystem::path WriteScratch(const std::string& name, std::string_view bytes);
[[nodiscard]] std::string ReadScratch(const std::filesystem::path& path);

// A failed property: the message, then abort, which the fuzzer reports as a crash with its input.
[[noreturn]] void Fail(std::string_view what);
inline void Check(bool holds, std::string_view what) {
    if (!holds) {
        Fail(what);
    }
}

// The input as the fuzzer gives it.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Takes choices from the front of the input: a byte (0 when none is left), or a text up to the
// next NUL byte (the rest when there is none).
class InputReader {
public:
    explicit InputReader(std::string_view input) : m_input(input) {}
    std::uint8_t byte() {
        if (m_input.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(m_input.front());
        m_input.remove_prefix(1);
        return value;
    }
    std::string_view text() {
        const std::size_t end = m_input.find('\0');
        const std::string_view taken = m_input.substr(0, end);
        m_input.remove_prefix(end == std::string_view::npos ? m_input.size() : end + 1);
        return taken;
    }
    [[nodiscard]] std::string_view rest() const { return m_input; }

private:
    std::string_view m_input;
};

// Answers every question with No, chooses nothing, measures as a monospace font would.
class SilentHost : public UiHost {
public:
    Answer Message(std::string_view, MessageIcon, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return {}; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return {}; }
    std::optional<std::filesystem::path> ChooseFolder(std::string_view,
                                                      const std::filesystem::path&) override {
        return {};
    }
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(std::string_view) override {}
    void Beep(BeepKind) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    int TextWidth(FontRole, std::string_view text) override { return static_cast<int>(text.size()) * 7; }
    int TextHeight(FontRole, std::string_view) override { return 12; }
    std::optional<int> ByteWidth(FontRole) override { return 7; }
    bool ShiftDown() override { return false; }
};

} // namespace ranvo::fuzz
