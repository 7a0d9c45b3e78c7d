#include "core/export/xml_export.h"

#include "core/app/grid_queries.h"
#include "core/export/save_target.h"
#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"
#include "core/text/text_helpers.h"

namespace ranvo {
namespace {

std::string_view declaration(KanjiCode code) {
    switch (code) {
    case KanjiCode::Euc: return "<?xml version=\"1.0\" encoding=\"EUC_JP\" ?>";
    case KanjiCode::Jis: return "<?xml version=\"1.0\" encoding=\"JIS\" ?>";
    case KanjiCode::Unicode: return "<?xml version=\"1.0\" encoding=\"UniCode\" ?>";
    case KanjiCode::Utf8: return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
    case KanjiCode::ShiftJis: break;
    }
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>";
}

// An element name from a name of the definition; a name with nothing left is "_", so that the
// document keeps its elements.
std::string tagName(std::string_view name) {
    std::string tag = XmlTagName(name);
    return tag.empty() ? "_" : tag;
}

} // namespace

std::string BuildXmlText(const MainState& state) {
    const TDefineClass& definition = state.Definition;
    const DataGrid& grid = state.Grid;
    std::vector<std::string> conditionTags;
    for (const TCondition& condition : definition.Conditions) {
        conditionTags.push_back(tagName(condition.ConditionName));
    }
    const std::string root = tagName(definition.DefineName);
    std::string text;
    text += declaration(state.Loaded.Code);
    text += "\r\n<" + root + ">\r\n";
    for (int row = 1; row < grid.RowCount(); ++row) {
        const int condition = RowCondition(state, row);
        const std::string& tag = static_cast<std::size_t>(condition) < conditionTags.size()
                                     ? conditionTags[static_cast<std::size_t>(condition)]
                                     : conditionTags.front();
        text += "\t<" + tag + ">\r\n";
        for (int field = 0; field < FieldCount(definition, condition); ++field) {
            const std::string name = tagName(definition.GetFieldName(condition, field));
            text += "\t\t<" + name + ">" + XmlEscape(grid.Cell(field + 1, row)) + "</" + name + ">\r\n";
        }
        text += "\t</" + tag + ">\r\n";
    }
    text += "</" + root + ">\r\n";
    return text;
}

WriteOutcome WriteXmlFile(const MainState& state, const std::filesystem::path& target,
                          const AcceptLoss& accept) {
    return WriteEncodedFile(target, BuildXmlText(state), state.Loaded.Code, state.Utf8Bom,
                            state.Characters, accept);
}

void ExportXml(MainState& state, UiHost& host) {
    if (state.DataFileName.empty() || state.Definition.Conditions.empty()) {
        return;
    }
    std::filesystem::path proposed = state.DataFileName;
    proposed.replace_extension(".xml");
    const std::optional<std::filesystem::path> target = ChooseSaveTarget(host, proposed);
    if (!target) {
        return;
    }
    WriteOutcome outcome = WriteOutcome::Failed;
    {
        BusyGuard busy(host);
        outcome = WriteXmlFile(state, *target, [&host](std::size_t lost) {
            return AskToWriteLostCharacters(host, lost);
        });
    }
    if (outcome == WriteOutcome::Written) {
        host.ShowInformation("保存しました");
    } else if (outcome == WriteOutcome::Failed) {
        host.ShowError("保存に失敗しました");
    }
}

} // namespace ranvo
