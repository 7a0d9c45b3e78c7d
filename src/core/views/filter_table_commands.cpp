#include "core/views/filter_table_commands.h"

#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"
#include "core/views/filter_folder.h"

namespace ranvo {
namespace {

std::optional<std::string> readFile(UiHost& host, const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        host.ShowError("ファイル\"" + path.string() + "\"を開けません");
    }
    return bytes;
}

// Rows are numbered from 1 on screen.
std::string unstorableKeyMessage(int row, std::string_view key) {
    return std::to_string(row + 1) + "行目のキー「" + Cp932ToUtf8(Trim(key)).bytes +
           "」は保存できません\r\nキーの先頭に「;」と「[」は使えません。また、キーに「="
           "」は使えません";
}

bool endsWithTableExtension(std::string_view name) {
    return name.size() >= 4 && AnsiUpperCase(name.substr(name.size() - 4)) == ".FIL";
}

} // namespace

bool OpenFilterTable(FilterTableSheet& sheet, UiHost& host, const std::filesystem::path& folder,
                     std::string_view name) {
    BusyGuard busy(host);
    const std::optional<std::string> bytes = readFile(host, folder / Cp932ToPath(name));
    if (bytes) {
        sheet.ReadFilterFile(*bytes);
    }
    return bytes.has_value();
}

bool ReadFilterTableCsv(FilterTableSheet& sheet, UiHost& host) {
    const std::optional<std::filesystem::path> path = host.ChooseOpenFile(
        {"CSVファイル読込", "CSVファイル (*.csv)|*.csv|全てのファイル (*.*)|*.*", {}});
    if (!path) {
        return false;
    }
    const std::optional<std::string> bytes = readFile(host, *path);
    if (bytes) {
        BusyGuard busy(host);
        sheet.ReadCsv(*bytes);
    }
    return bytes.has_value();
}

std::optional<std::string> SaveFilterTable(const FilterTableSheet& sheet, UiHost& host,
                                           const std::filesystem::path& folder,
                                           std::string_view name) {
    if (Trim(name).empty()) {
        host.ShowError("ファイル名が設定されていません");
        return std::nullopt;
    }
    if (const std::optional<int> row = sheet.FirstUnstorableKey()) {
        host.ShowError(unstorableKeyMessage(*row, sheet.Cell(*row, FilterTableSheet::KeyColumn)));
        return std::nullopt;
    }
    std::string fileName(name);
    if (!endsWithTableExtension(fileName)) {
        fileName += ".fil";
    }
    const std::filesystem::path path = folder / Cp932ToPath(fileName);
    if (!ReadyFilterFileForSaving(host, path)) {
        return std::nullopt;
    }
    if (!WriteFileReplacing(path, sheet.FilterFileText())) {
        host.ShowError("ファイル\"" + path.string() + "\"を作成できません");
        return std::nullopt;
    }
    host.ShowInformation("保存しました");
    return fileName;
}

bool DeleteFilterTableRows(FilterTableSheet& sheet, UiHost& host, int top, int bottom) {
    if (top < 0 || bottom < top || bottom >= sheet.RowCount()) {
        return false;
    }
    const std::string question = std::to_string(bottom - top + 1) +
                                 "行のレコードを削除しようとしています\r\n"
                                 "削除すると元に戻すことはできません\r\nよろしいですか？";
    if (!host.AskYesNo(question)) {
        return false;
    }
    sheet.DeleteRows(top, bottom);
    return true;
}

std::optional<int> FindInFilterTable(const FilterTableSheet& sheet, UiHost& host, FilterFindBy by,
                                     std::string_view text, int current) {
    if (text.empty() || (by == FilterFindBy::Number && !IsDigits(text))) {
        host.ShowWarning("No指定のときは、検索文字列に数値を指定して下さい");
        return std::nullopt;
    }
    std::optional<int> row = sheet.Find(by, text, current);
    if (!row) {
        host.ShowInformation("指定の条件に当てはまる情報はありませんでした");
    }
    return row;
}

} // namespace ranvo
