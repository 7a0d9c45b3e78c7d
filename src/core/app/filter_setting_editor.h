#pragma once

// The filter setting dialog's rules: which filter table each field of the current definition is
// translated by and what a value missing from it shows. The dialog's field controls are an edit
// buffer for one field, the shown field; they are written back into the filter manager (a commit)
// when the user picks another field or condition, applies or closes. The dialog copies its
// widgets into Controls before each call and shows Controls again after it.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

// The field controls: whether each can be used, and what it holds (texts in CP932).
struct FilterFieldControls {
    bool ApplyEnabled = false;
    bool Applied = false;
    // The filter table list and its label, and the default text's check box.
    bool FilterEnabled = false;
    std::string FilterFile;
    bool HasDefault = false;
    bool DefaultEnabled = false;
    std::string DefaultText;

    bool operator==(const FilterFieldControls&) const = default;
};

class FilterSettingEditor {
public:
    // Prepares the filter manager for the current definition unless that was done, and shows
    // the first condition.
    FilterSettingEditor(MainState& state, UiHost& host);

    [[nodiscard]] std::vector<std::string> ConditionNames() const;
    // The field names of the shown condition.
    [[nodiscard]] std::vector<std::string> FieldNames() const;
    // Whether field `field` of the shown condition is translated (the list draws it in blue).
    [[nodiscard]] bool FieldApplied(int field) const;
    // The names the filter table and setting file lists offer, read when the dialog opened or
    // saved last.
    [[nodiscard]] const std::vector<std::string>& FilterFiles() const { return m_filterFiles; }
    [[nodiscard]] const std::vector<std::string>& SettingFiles() const { return m_settingFiles; }

    // The shown condition and field (-1 for none); a refused change leaves them as they were.
    [[nodiscard]] int Condition() const { return m_condition; }
    [[nodiscard]] int Field() const { return m_field; }

    FilterFieldControls Controls;

    // The apply box and the default-text box were clicked: what they enable follows them.
    void ApplyClicked();
    void DefaultClicked();

    // Commit the shown field and show another condition (no field) or field. False, after a
    // warning, when the shown field's controls are not fit to be committed.
    bool SelectCondition(int condition);
    bool SelectField(int field);
    // Commits the shown field if it is fit, loads the filter tables of every translated field and
    // switches translated display on, or off after an error when a table cannot be read.
    void Apply();
    // Switches translated display off; the settings stay.
    void Release();
    // Commits the shown field as the dialog closes.
    void Close();

    // Writes the settings to `name` (CP932, its extension made ".fls") in the filter folder.
    void SaveSetting(std::string_view name);
    // Reads the settings from `name` (CP932, as it stands) in the filter folder; the shown
    // field's controls then show what was read.
    void OpenSetting(std::string_view name);

private:
    [[nodiscard]] bool fieldShown() const;
    [[nodiscard]] bool filterFileMissing();
    [[nodiscard]] bool defaultTextHasComma();
    void commit();
    // Commits the shown field if there is one and it passes the checks; false, after a warning,
    // when it does not.
    bool commitChecked();
    void showField(int field);
    void listFolder();

    MainState& m_state;
    UiHost& m_host;
    std::vector<std::string> m_filterFiles;
    std::vector<std::string> m_settingFiles;
    int m_condition = -1;
    int m_field = -1;
};

} // namespace ranvo
