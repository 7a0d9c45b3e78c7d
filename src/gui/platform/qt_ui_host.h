#pragma once

// The UiHost of the window: Qt's message boxes, file dialogs, clipboard and cursor, and text
// measured in the fonts of the settings.

#include "core/platform/ui_host.h"
#include "core/settings/ranvo_setting.h"

#include <QFont>

#include <array>
#include <functional>
#include <optional>

class QWidget;

namespace ranvo::gui {

class QtUiHost : public UiHost {
public:
    QtUiHost(QWidget* owner, const TRanvoSetting& settings);

    Answer Message(std::string_view text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseFolder(std::string_view caption,
                                                      const std::filesystem::path& initial) override;
    std::string ClipboardText() override;
    void SetClipboardText(std::string_view text) override;
    void Beep(BeepKind kind) override;
    void BeginBusy() override;
    void EndBusy() override;
    int TextWidth(FontRole font, std::string_view text) override;
    int TextHeight(FontRole font, std::string_view text) override;
    std::optional<int> ByteWidth(FontRole font) override;
    bool ShiftDown() override;
    // The work runs on a thread of its own while a progress dialog with 中止 shows how far it has
    // come and the window keeps painting.
    bool RunWithProgress(std::string_view caption, TaskProgress& progress,
                         const std::function<void()>& work) override;

    // The font of a role, from the settings as they are now.
    [[nodiscard]] QFont font(FontRole role) const;
    // Forget measurements after the settings' fonts changed.
    void fontsChanged() { m_byteWidths.fill(std::nullopt); }

    // Called with true when busy work starts and false when the last of it ends, so that the
    // grid can stop painting meanwhile. A message shown in the middle of busy work ends it for
    // as long as the box is open: the user sees the window as it is now, such as the cell that a
    // question is about, with the normal cursor.
    std::function<void(bool)> onBusyChanged;

private:
    // Busy work paused for the life of a message box.
    class BusyPause {
    public:
        explicit BusyPause(QtUiHost& host);
        ~BusyPause();
        BusyPause(const BusyPause&) = delete;
        BusyPause& operator=(const BusyPause&) = delete;

    private:
        QtUiHost& m_host;
        bool m_paused;
    };

    void showBusy(bool busy);

    QWidget* m_owner;
    const TRanvoSetting& m_settings;
    int m_busyDepth = 0;
    // Per role: not yet measured, or the measured byte width (0: the font is not byte-regular).
    std::array<std::optional<int>, 5> m_byteWidths;
};

} // namespace ranvo::gui
