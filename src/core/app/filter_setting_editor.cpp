#include "core/app/filter_setting_editor.h"

#include "core/platform/code_page.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"
#include "core/views/filter_folder.h"

#include <algorithm>
#include <system_error>

namespace ranvo {
namespace {

// The text a field without a default shows in the (disabled) default box.
constexpr std::string_view kNoMatchText = TRvFilterMng::NoMatchText;

// The name after the last folder separator, found character by character: 5C is also a trail
// byte.
std::string fileNamePart(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
        if (path[pos] == '\\' || path[pos] == '/') {
            start = pos + 1;
        }
    }
    return std::string(path.substr(start));
}

FilterFieldControls noFieldControls() {
    return {false, false, false, {}, false, false, std::string(kNoMatchText)};
}

} // namespace

FilterSettingEditor::FilterSettingEditor(MainState& state, UiHost& host)
    : m_state(state), m_host(host) {
    listFolder();
    if (!m_state.FiltersPrepared) {
        m_state.FilterMng.Prepare(m_state.Definition);
        m_state.FiltersPrepared = true;
    }
    Controls = noFieldControls();
    if (!m_state.Definition.Conditions.empty()) {
        SelectCondition(0);
    }
}

void FilterSettingEditor::listFolder() {
    const std::filesystem::path folder = m_state.Home.FilterFolder();
    m_filterFiles = ListFilterFiles(folder, ".fil");
    m_settingFiles = ListFilterFiles(folder, ".fls");
}

std::vector<std::string> FilterSettingEditor::ConditionNames() const {
    std::vector<std::string> names;
    for (const TCondition& condition : m_state.Definition.Conditions) {
        names.push_back(condition.ConditionName);
    }
    return names;
}

std::vector<std::string> FilterSettingEditor::FieldNames() const {
    std::vector<std::string> names;
    for (int j = 0; j < m_state.FilterMng.FieldCount(m_condition); ++j) {
        names.push_back(m_state.Definition.GetFieldName(m_condition, j));
    }
    return names;
}

bool FilterSettingEditor::FieldApplied(int field) const {
    const TRvFilterSetting* setting = m_state.FilterMng.Setting(m_condition, field);
    return setting != nullptr && setting->Applied;
}

void FilterSettingEditor::ApplyClicked() {
    Controls.FilterEnabled = Controls.Applied;
    Controls.DefaultEnabled = Controls.Applied && Controls.HasDefault;
}

void FilterSettingEditor::DefaultClicked() {
    Controls.DefaultEnabled = Controls.FilterEnabled && Controls.HasDefault;
}

bool FilterSettingEditor::fieldShown() const {
    return m_state.FilterMng.Setting(m_condition, m_field) != nullptr;
}

bool FilterSettingEditor::filterFileMissing() {
    std::error_code error;
    const std::filesystem::path file =
        m_state.Home.FilterFolder() / Cp932ToPath(Controls.FilterFile);
    if (!Controls.Applied || std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    m_host.ShowWarning("指定のフィルタファイルが存在しません\n\r"
                       "適用を解除するか、存在するフィルタファイル名を設定して下さい");
    return true;
}

// A setting file separates the default texts by commas without quoting, so it cannot hold one.
bool FilterSettingEditor::defaultTextHasComma() {
    if (!Controls.HasDefault || Controls.DefaultText.find(',') == std::string::npos) {
        return false;
    }
    m_host.ShowWarning("初期値にカンマ(「,」)は使えません");
    return true;
}

void FilterSettingEditor::commit() {
    TRvFilterSetting* setting = m_state.FilterMng.Setting(m_condition, m_field);
    if (setting == nullptr) {
        return;
    }
    setting->Applied = Controls.Applied;
    setting->DefaultText =
        Controls.HasDefault ? Controls.DefaultText : std::string(TRvFilter::NoDefaultMarker);
    setting->FilterFile = Controls.FilterFile;
}

void FilterSettingEditor::showField(int field) {
    m_field = field;
    const TRvFilterSetting* setting = m_state.FilterMng.Setting(m_condition, m_field);
    if (setting == nullptr) {
        Controls = noFieldControls();
        return;
    }
    Controls.ApplyEnabled = true;
    Controls.Applied = setting->Applied;
    Controls.FilterEnabled = setting->Applied;
    Controls.FilterFile = fileNamePart(setting->FilterFile);
    Controls.HasDefault = setting->DefaultText != TRvFilter::NoDefaultMarker;
    Controls.DefaultEnabled = Controls.HasDefault && setting->Applied;
    Controls.DefaultText = Controls.HasDefault ? setting->DefaultText : std::string();
}

bool FilterSettingEditor::commitChecked() {
    if (!fieldShown()) {
        return true;
    }
    if (filterFileMissing() || defaultTextHasComma()) {
        return false;
    }
    commit();
    return true;
}

bool FilterSettingEditor::SelectCondition(int condition) {
    // The comma check too: the new condition's list shows no field, so a text refused here
    // would otherwise be committed unseen.
    if (!commitChecked()) {
        return false;
    }
    m_condition = condition;
    m_field = -1;
    Controls = noFieldControls();
    return true;
}

bool FilterSettingEditor::SelectField(int field) {
    if (!commitChecked()) {
        return false;
    }
    showField(field);
    return true;
}

void FilterSettingEditor::Apply() {
    commitChecked();
    TRvFilterMng& filters = m_state.FilterMng;
    filters.Active = filters.LoadFilters(m_state.Home.FilterFolder());
    if (!filters.Active) {
        m_host.ShowError("フィルタの設定に失敗しました\n\r"
                         "例えば、指定のフィルタファイルが存在しない場合が考えられます");
    }
}

void FilterSettingEditor::Release() {
    m_state.FilterMng.Active = false;
}

void FilterSettingEditor::Close() {
    // Closing cannot be refused, so a comma that a setting file could not hold is dropped.
    std::erase(Controls.DefaultText, ',');
    commit();
}

void FilterSettingEditor::SaveSetting(std::string_view name) {
    if (Trim(name).empty()) {
        m_host.ShowError("ファイル設定ファイル名が設定されていません");
        return;
    }
    // What the shown field's controls say is saved too, once it passes the checks of a commit.
    if (!commitChecked()) {
        return;
    }
    const std::filesystem::path path =
        TRvFilterMng::SettingFileName(m_state.Home.FilterFolder() / Cp932ToPath(name));
    if (!ReadyFilterFileForSaving(m_host, path)) {
        return;
    }
    if (m_state.FilterMng.SaveSetting(path, m_state.Definition.DefineName)) {
        m_host.ShowInformation("フィルタ設定ファイルを保存しました");
        listFolder();
    } else {
        m_host.ShowError("フィルタ設定ファイルの保存に失敗しました");
    }
}

void FilterSettingEditor::OpenSetting(std::string_view name) {
    const FilterSettingResult result =
        m_state.FilterMng.LoadSetting(m_state.Home.FilterFolder() / Cp932ToPath(name));
    switch (result) {
    case FilterSettingResult::Read:
        m_host.ShowInformation("フィルタ設定ファイルを開きました");
        break;
    case FilterSettingResult::Incomplete:
        m_host.ShowError("フィルタ設定ファイルの構成が不正です");
        break;
    case FilterSettingResult::Mismatch:
        m_host.ShowError("フィルタ設定ファイルの内容が現在の定義ファイルの内容と一致しません");
        break;
    case FilterSettingResult::FileNotFound:
        m_host.ShowError("フィルタ設定ファイルが見つかりません");
        break;
    }
    // The shown field shows what was read, or its next commit would put the old setting back.
    if (fieldShown()) {
        showField(m_field);
    }
}

} // namespace ranvo
