#include "core/definitions/definition_editor.h"

#include "core/definitions/item_text.h"
#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace ranvo {
namespace {

// 未定義フィールド1 (CP932): the one field of a new definition.
constexpr std::string_view kFirstFieldName =
    "\x96\xA2\x92\xE8\x8B\x60\x83\x74\x83\x42\x81\x5B\x83\x8B\x83\x68"
    "1";
constexpr std::int32_t kWhite = 16777215;
constexpr std::string_view kApplyChangedCondition = "条件が更新されています。更新を適用しますか？";

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// The first character of a box, a double-byte one whole.
std::string firstCharacter(std::string_view text) {
    return std::string(text.substr(0, text.empty() ? 0 : CharLength(text, 0)));
}

bool endsWithDefExtension(std::string_view name) {
    return name.size() >= 4 && AnsiUpperCase(name.substr(name.size() - 4)) == ".DEF";
}

std::string at(const std::vector<std::string>& list, std::size_t j) {
    return j < list.size() ? list[j] : std::string();
}

} // namespace

DefinitionEditor::DefinitionEditor(std::filesystem::path programFolder, UiHost& host)
    : m_programFolder(std::move(programFolder)), m_host(host) {
    New();
}

std::vector<std::string> DefinitionEditor::ConditionNames() const {
    std::vector<std::string> names;
    for (const TCondition& condition : m_definition.Conditions) {
        names.push_back(condition.ConditionName);
    }
    return names;
}

CellEdit DefinitionEditor::ApplyPendingCell() {
    if (!PendingCell) {
        return CellEdit::Unchanged;
    }
    const PendingCellEdit edit = std::move(*PendingCell);
    PendingCell.reset();
    const CellEdit result = Fields.Edit(edit.Row, edit.Column, edit.Text, m_host);
    if (result == CellEdit::Taken) {
        ConditionChanged = true;
    }
    return result;
}

bool DefinitionEditor::takePendingCell() {
    return ApplyPendingCell() != CellEdit::Refused;
}

void DefinitionEditor::New() {
    const std::filesystem::path lastRead = m_definition.FilePath;
    m_definition = TDefineClass();
    m_definition.FilePath = lastRead;
    m_definition.FileFormat = "FB";
    m_definition.Separate = ",";
    m_definition.Quote = "\"";
    m_definition.QuoteAlways = true;
    TCondition& fallback = m_definition.Conditions.emplace_back();
    fallback.ConditionName = TDefineClass::FallbackConditionName;
    fallback.ConditionColor = kWhite;
    fallback.UseWord = true;
    fallback.MaxLength = 256;
    fallback.FieldName = {std::string(kFirstFieldName)};
    fallback.FieldStart = {"1"};
    fallback.FieldLength = {"256"};
    fallback.FieldColor = {"0"};
    File = DefinitionFileControls();
    File.Folder = PathToCp932(DefineFolder());
    File.Separate = ",";
    File.Quote = "\"";
    File.QuoteAlways = true;
    showDefinition();
}

bool DefinitionEditor::Open(const std::filesystem::path& path) {
    TDefineClass read;
    bool accepted = false;
    {
        const DefineLoadedKeeper keeper;
        accepted = read.LoadFromFile(path) && (read.IsFixedFormat() || read.IsCsvFormat());
    }
    if (!accepted) {
        m_host.ShowError("この定義ファイルは不正な内容を含んでいる為、読み込めません");
        New();
        if (!read.FilePath.empty()) {
            m_definition.FilePath = read.FilePath;
        }
        return false;
    }
    m_definition = std::move(read);
    m_definition.SourcePath = path;
    File = DefinitionFileControls();
    File.FileName = PathToCp932(path.filename());
    File.Folder = PathToCp932(path.parent_path());
    File.DefineName = m_definition.DefineName;
    File.RecordLength = std::to_string(m_definition.RecordLength);
    File.Quote = m_definition.Quote;
    File.Fixed = m_definition.IsFixedFormat();
    File.ByRecordLength = File.Fixed && m_definition.FileFormat.ends_with('B');
    File.UseQuote = !File.Fixed && m_definition.FileFormat.ends_with('T');
    File.TabSeparator = m_definition.Separate == "\t";
    File.Separate = m_definition.Separate.empty() ? std::string(",")
                    : File.TabSeparator           ? std::string()
                                                  : m_definition.Separate;
    File.QuoteAlways = m_definition.QuoteAlways;
    File.TopTitle = m_definition.TopTitle;
    showDefinition();
    return true;
}

void DefinitionEditor::showDefinition() {
    PendingCell.reset(); // an edit of the sheet shown before
    Fields.Csv = !File.Fixed;
    ConditionChanged = false;
    DefinitionChanged = false;
    fillCondition(0);
}

bool DefinitionEditor::ChooseAndOpen() {
    // Another definition takes the place of this one: what changed is saved or given up first.
    if (!takePendingCell() || !settleUnsavedChanges()) {
        return false;
    }
    const std::filesystem::path defineFolder = DefineFolder();
    std::filesystem::path initial =
        existingFolderOr(isFolder(defineFolder) ? defineFolder : m_programFolder);
    if (m_definition.FilePath.has_filename()) {
        initial /= m_definition.FilePath.filename(); // the last definition read
    }
    const std::optional<std::filesystem::path> path =
        m_host.ChooseOpenFile({"", "定義ファイル(*.def)|*.def", initial});
    return path && Open(*path);
}

std::filesystem::path DefinitionEditor::existingFolderOr(const std::filesystem::path& fallback) const {
    const std::filesystem::path folder = Cp932ToPath(File.Folder);
    return isFolder(folder) ? folder : fallback;
}

void DefinitionEditor::ChooseFolder() {
    if (const std::optional<std::filesystem::path> folder =
            m_host.ChooseFolder("定義ファイルフォルダ指定", existingFolderOr(DefineFolder()))) {
        File.Folder = PathToCp932(*folder);
        DefinitionChanged = true;
    }
}

void DefinitionEditor::DefineNameLeft() {
    if (File.FileName.empty() && !Trim(File.DefineName).empty()) {
        File.FileName = File.DefineName + ".def";
    }
}

void DefinitionEditor::lockConditionBoxes() {
    const bool wordDecides = !File.Fixed || File.ByRecordLength;
    Condition.UseWordLocked = wordDecides;
    Condition.UseLengthLocked = wordDecides;
    if (wordDecides) {
        Condition.UseWord = true;
        Condition.UseLength = false;
    }
}

void DefinitionEditor::ChooseFormat(bool fixed, bool byRecordLength) {
    if ((fixed == File.Fixed && (!fixed || byRecordLength == File.ByRecordLength)) ||
        !takePendingCell()) {
        return;
    }
    File.Fixed = fixed;
    File.ByRecordLength = byRecordLength;
    Fields.Clear();
    Fields.Csv = !File.Fixed;
    lockConditionBoxes();
    ConditionChanged = true;
    DefinitionChanged = true;
}

void DefinitionEditor::fillCondition(int index) {
    if (index < 0 || index >= static_cast<int>(m_definition.Conditions.size())) {
        m_selected = -1;
        return;
    }
    m_selected = index;
    const TCondition& condition = m_definition.Conditions[static_cast<std::size_t>(index)];
    Condition.Name = condition.ConditionName;
    Condition.Word = condition.CheckWord;
    Condition.Start = std::to_string(condition.CheckStart);
    Condition.Color = condition.ConditionColor;
    Condition.ULWord = condition.ULWord;
    Condition.UseLength = condition.UseLength;
    Condition.UseWord = condition.UseWord;
    Condition.CheckLength = std::to_string(condition.CheckLength);
    lockConditionBoxes();
    std::vector<FieldSheetRow> rows;
    for (std::size_t j = 0; j < condition.FieldName.size(); ++j) {
        rows.push_back({condition.FieldName[j], at(condition.FieldStart, j),
                        at(condition.FieldLength, j), at(condition.FieldColor, j)});
    }
    Fields.Fill(rows);
    ConditionChanged = false;
}

bool DefinitionEditor::SelectCondition(int index) {
    if (!takePendingCell()) {
        return false;
    }
    if (ConditionChanged && index != m_selected && m_selected >= 0 &&
        m_host.AskYesNo(kApplyChangedCondition) && !Update()) {
        return false;
    }
    fillCondition(index);
    return true;
}

bool DefinitionEditor::checkFile() {
    const auto refuse = [this](std::string_view message) {
        m_host.ShowError(message);
        return false;
    };
    if (Trim(File.FileName).empty()) {
        return refuse("定義ファイル名は必須です");
    }
    if (const std::optional<std::string> refusal = ItemTextRefusal("定義名", File.DefineName)) {
        return refuse(*refusal);
    }
    // Digits beyond a 32-bit length would be saved as no length at all.
    const bool lengthFits = IsDigits(File.RecordLength) && ToInteger(File.RecordLength);
    if (!lengthFits && !Trim(File.RecordLength).empty()) {
        return refuse("レコード長は数値か、空白で指定して下さい");
    }
    if (File.Fixed && File.ByRecordLength && Trim(File.RecordLength).empty()) {
        return refuse("固定長レコード区切りを指定する場合、レコード長は必須です");
    }
    if (File.Separate.size() > 1 && !File.QuoteAlways) {
        return refuse("セパレータは1バイト文字で指定して下さい");
    }
    if (File.Quote.size() >= 2) {
        return refuse("引用符は1バイト文字で指定して下さい");
    }
    if (File.Quote == ",") {
        return refuse("引用符に「,」を指定することはできません");
    }
    if (!File.Fixed && File.Separate.empty() && !File.TabSeparator) {
        return refuse("CSV形式を定義する場合、セパレータが必要です");
    }
    if (File.UseQuote && !File.Fixed && File.Quote.empty()) {
        return refuse("引用符を使用する場合、引用符は必須です");
    }
    return true;
}

void DefinitionEditor::copyFileInto(TDefineClass& definition) const {
    definition.DefineName = File.DefineName;
    definition.RecordLength = IsDigits(File.RecordLength) ? IntegerOr(File.RecordLength, 0) : 0;
    definition.Separate = File.TabSeparator      ? std::string("\t")
                          : File.Separate == "," ? std::string()
                                                 : firstCharacter(File.Separate);
    definition.FileFormat = File.Fixed ? (File.ByRecordLength ? "FB" : "FL")
                                       : (File.UseQuote ? "CT" : "CS");
    definition.Quote = firstCharacter(File.Quote);
    definition.QuoteAlways = File.QuoteAlways;
    definition.TopTitle = File.TopTitle;
}

bool DefinitionEditor::Save() {
    if (!takePendingCell()) {
        return false;
    }
    if (ConditionChanged && m_host.AskYesNo(kApplyChangedCondition) && !Update()) {
        return false;
    }
    // The screen is checked before any question about where to write: a name ".def" alone,
    // made from an empty box, must not pass for a file name.
    if (!checkFile()) {
        return false;
    }
    if (!endsWithDefExtension(File.FileName)) {
        File.FileName += ".def";
    }
    std::filesystem::path folder = Cp932ToPath(File.Folder);
    if (!isFolder(folder)) {
        if (!m_host.AskYesNo("指定フォルダが存在しません\r\n既定のフォルダに保存しますか？")) {
            return false;
        }
        folder = DefineFolder();
        std::error_code error;
        std::filesystem::create_directories(folder, error);
    }
    const std::filesystem::path path = folder / Cp932ToPath(File.FileName);
    if (PathExists(path) && !m_host.AskYesNo("同名の定義ファイルが存在します\n\r上書きしますか？")) {
        return false;
    }
    copyFileInto(m_definition);
    if (!m_definition.SaveToFile(path)) {
        m_host.ShowError("定義ファイルの保存に失敗しました");
        return false;
    }
    m_definition.SourcePath = path;
    File.Folder = PathToCp932(folder);
    m_host.ShowInformation("定義ファイルの保存に成功しました");
    DefinitionChanged = false;
    return true;
}

bool DefinitionEditor::ExportXml() {
    if (!takePendingCell() || !checkFile()) {
        return false;
    }
    copyFileInto(m_definition);
    std::filesystem::path proposed = m_definition.SourcePath.filename();
    proposed.replace_extension(".xml");
    const std::optional<std::filesystem::path> path = m_host.ChooseSaveFile(
        {"", "XMLファイル(*.xml)|*.xml", existingFolderOr(m_programFolder) / proposed});
    if (!path) {
        return false;
    }
    if (PathExists(*path) && !m_host.AskYesNo("同名ファイルが存在します\r\n上書きしますか？")) {
        return false;
    }
    bool written = false;
    {
        const BusyGuard busy(m_host);
        written = m_definition.SaveToXml(*path);
    }
    if (!written) {
        m_host.ShowError("定義ファイルの保存に失敗しました");
        return false;
    }
    m_host.ShowInformation("定義ファイルの保存に成功しました");
    return true;
}

bool DefinitionEditor::Close() {
    return takePendingCell() && settleUnsavedChanges();
}

bool DefinitionEditor::settleUnsavedChanges() {
    if (!ConditionChanged && !DefinitionChanged) {
        return true;
    }
    switch (m_host.Message("定義ファイルに更新があります\n\r保存しますか？",
                           MessageIcon::Information, MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        return Save();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

DefinitionEditor::Fallback DefinitionEditor::offerFallback(bool forUpdate) {
    const bool noPosition = Condition.UseWord && (Trim(Condition.Start).empty() || Condition.Start == "0");
    const bool zeroLength = Condition.UseLength && Condition.CheckLength == "0" &&
                            (forUpdate || (File.Fixed && !File.ByRecordLength));
    const bool noTest = !Condition.UseWord && !Condition.UseLength && (forUpdate || File.Fixed);
    if (!noPosition && !zeroLength && !noTest) {
        return Fallback::No;
    }
    if (!m_host.AskYesNo("この定義適用条件は、「適用定義なしレコード」\r\n"
                         "(適用する定義のないレコードに適用する定義)に対するものです.\r\n"
                         "「適用定義なしレコード」を更新してよろしいですか？")) {
        return Fallback::Declined;
    }
    Condition.Name = TDefineClass::FallbackConditionName;
    Condition.Start = "0";
    Condition.CheckLength = "0";
    writeCondition(m_definition.Conditions[0]);
    fillCondition(0);
    DefinitionChanged = true;
    return Fallback::Updated;
}

// Before anything is written from the condition area, not even condition 0 by the fallback offer.
bool DefinitionEditor::checkStoredTexts() {
    std::optional<std::string> refusal = ItemTextRefusal("条件名", Condition.Name);
    if (!refusal) {
        refusal = ItemTextRefusal("チェック文字", Condition.Word);
    }
    for (int row = 0; !refusal && row < Fields.FieldRowCount(); ++row) {
        refusal = ItemTextRefusal(std::to_string(row + 1) + "行目のフィールド名",
                                  Fields.Cell(row, FieldSheet::NameColumn));
    }
    if (refusal) {
        m_host.ShowError(*refusal);
        return false;
    }
    return true;
}

bool DefinitionEditor::checkConditionValues() {
    const auto refuse = [this](std::string_view message) {
        m_host.ShowError(message);
        return false;
    };
    if (Condition.UseWord) {
        const std::optional<std::int32_t> start = ToInteger(Condition.Start);
        if (!start) {
            return refuse("チェック位置には数値のみ入力して下さい");
        }
        if (*start < 1) {
            return refuse("チェック位置には1以上の値を入力して下さい");
        }
        if (Condition.Word.empty()) {
            return refuse("文字は必須です");
        }
    }
    if (Condition.UseLength) {
        const std::optional<std::int32_t> length = ToInteger(Condition.CheckLength);
        if (!length) {
            return refuse("レコード長の指定は数値で行ってください");
        }
        if (*length < 1) {
            return refuse("レコード長の指定は1以上の値で行ってください");
        }
    }
    return true;
}

void DefinitionEditor::writeCondition(TCondition& condition) const {
    condition.ConditionName = Condition.Name;
    condition.CheckWord = Condition.Word;
    condition.CheckStart = IntegerOr(Condition.Start, 0);
    condition.ConditionLength = static_cast<std::int32_t>(Condition.Word.size());
    condition.ConditionColor = Condition.Color;
    condition.ULWord = Condition.ULWord;
    condition.CheckLength = IntegerOr(Condition.CheckLength, 0);
    condition.UseLength = Condition.UseLength;
    condition.UseWord = Condition.UseWord;
    condition.FieldName.clear();
    condition.FieldLength.clear();
    condition.FieldStart.clear();
    condition.FieldColor.clear();
    std::int64_t maxLength = 0;
    for (const FieldSheetRow& field : Fields.Fields()) {
        condition.FieldName.push_back(field.Name);
        condition.FieldLength.push_back(field.Length);
        condition.FieldStart.push_back(field.Start);
        condition.FieldColor.push_back(field.Color);
        maxLength += IntegerOr(field.Length, 0);
    }
    condition.MaxLength = static_cast<std::int32_t>(std::min<std::int64_t>(maxLength, INT32_MAX));
}

// The checks before a condition is stored, which Add and Update share: the answer of the command
// when one of them settles it, nothing when the condition may be stored.
std::optional<bool> DefinitionEditor::settledBeforeStoring(bool forUpdate) {
    if (!takePendingCell()) {
        return false;
    }
    if (Fields.FieldRowCount() == 0) {
        m_host.ShowError("フィールドは最低でも一つは必要です");
        return false;
    }
    if (!checkStoredTexts()) {
        return false;
    }
    if (const Fallback fallback = offerFallback(forUpdate); fallback != Fallback::No) {
        return fallback == Fallback::Updated;
    }
    return std::nullopt;
}

bool DefinitionEditor::Add() {
    if (const std::optional<bool> settled = settledBeforeStoring(false)) {
        return *settled;
    }
    if (static_cast<int>(m_definition.Conditions.size()) >= TDefineClass::MaxConditionCount) {
        m_host.ShowError("指定できる条件は999個までです");
        return false;
    }
    if (!checkConditionValues()) {
        return false;
    }
    writeCondition(m_definition.Conditions.emplace_back());
    m_selected = static_cast<int>(m_definition.Conditions.size()) - 1;
    ConditionChanged = false;
    DefinitionChanged = true;
    m_host.Beep(BeepKind::Default);
    return true;
}

bool DefinitionEditor::Update() {
    if (const std::optional<bool> settled = settledBeforeStoring(true)) {
        return *settled;
    }
    if (m_selected < 0) {
        return m_host.AskYesNo("定義詳細情報が選択されていないので、新規追加になります\r\nよろしいですか？") &&
               Add();
    }
    if (m_selected == 0) {
        Condition.Name = TDefineClass::FallbackConditionName;
        Condition.Start = "0";
        Condition.Word.clear();
    } else if (!checkConditionValues()) {
        return false;
    }
    writeCondition(m_definition.Conditions[static_cast<std::size_t>(m_selected)]);
    ConditionChanged = false;
    DefinitionChanged = true;
    return true;
}

bool DefinitionEditor::Delete() {
    if (!takePendingCell()) {
        return false;
    }
    if (m_selected == 0) {
        m_host.ShowError("未定義情報を削除することはできません");
        return false;
    }
    if (m_selected < 0 ||
        !m_host.AskYesNo("定義を削除すると、元に戻すことはできません\r\n削除してもよろしいですか？")) {
        return false;
    }
    m_definition.Conditions.erase(m_definition.Conditions.begin() + m_selected);
    DefinitionChanged = true;
    fillCondition(m_selected - 1);
    return true;
}

void DefinitionEditor::MoveUp() {
    if (takePendingCell() && m_selected >= 2) {
        std::swap(m_definition.Conditions[static_cast<std::size_t>(m_selected)],
                  m_definition.Conditions[static_cast<std::size_t>(m_selected - 1)]);
        --m_selected;
        DefinitionChanged = true;
    }
}

void DefinitionEditor::MoveDown() {
    if (takePendingCell() && m_selected >= 1 &&
        m_selected + 1 < static_cast<int>(m_definition.Conditions.size())) {
        std::swap(m_definition.Conditions[static_cast<std::size_t>(m_selected)],
                  m_definition.Conditions[static_cast<std::size_t>(m_selected + 1)]);
        ++m_selected;
        DefinitionChanged = true;
    }
}

void DefinitionEditor::Reset() {
    if (takePendingCell()) {
        Fields.Clear();
        ConditionChanged = true;
    }
}

bool DefinitionEditor::ReadCsv() {
    if (!takePendingCell()) {
        return false;
    }
    const std::optional<std::filesystem::path> path =
        m_host.ChooseOpenFile({"", "CSVファイル(*.csv,*.txt)|*.csv;*.txt", {}});
    if (!path) {
        return false;
    }
    const std::optional<std::string> bytes = ReadFileBytes(*path);
    if (!bytes) {
        m_host.ShowError("ファイル\"" + path->string() + "\"を開けません");
        return false;
    }
    Fields.ReadCsv(*bytes);
    ConditionChanged = true;
    return true;
}

} // namespace ranvo
