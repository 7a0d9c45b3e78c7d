#pragma once

// The definition editor's rules. It works on a definition of its own (the working definition),
// never the main window's, and writes it as a `.def` file or exports it as XML. Its window shows
// three areas: the file area (name, folder and file-level attributes), the condition area (the
// condition being edited) and the field sheet of that condition. The areas are edit buffers: the
// window copies its widgets into File, Condition and Fields (and a cell still being edited into
// PendingCell) before each command and shows them again after it; texts are CP932.

#include "core/definitions/define_class.h"
#include "core/definitions/field_sheet.h"
#include "core/platform/ui_host.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ranvo {

struct DefinitionFileControls {
    std::string FileName;
    std::string Folder;
    std::string DefineName;
    bool Fixed = true;          // fixed-length, else CSV
    bool ByRecordLength = true; // fixed-length records cut by a length, else one a line
    std::string RecordLength;
    std::string Separate;
    bool TabSeparator = false;
    bool UseQuote = false;
    std::string Quote;
    bool QuoteAlways = false;
    bool TopTitle = false;
};

struct ConditionControls {
    std::string Name;
    std::int32_t Color = 16777215;
    bool UseWord = false;
    std::string Start;
    std::string Word;
    bool ULWord = false;
    bool UseLength = false;
    std::string CheckLength{"0"};
    // The format decides these two boxes: they cannot be changed while locked.
    bool UseWordLocked = false;
    bool UseLengthLocked = false;
};

// A field-sheet cell whose editor was still open when a command started.
struct PendingCellEdit {
    int Row = 0;
    int Column = 0;
    std::string Text;
};

class DefinitionEditor {
public:
    // `programFolder` is the folder beside the program: its define/ folder is where definitions
    // go by default.
    DefinitionEditor(std::filesystem::path programFolder, UiHost& host);

    DefinitionFileControls File;
    ConditionControls Condition;
    FieldSheet Fields;
    // Field rows copied for the field sheet's record paste commands.
    std::vector<FieldSheetRow> CopiedRows;
    // The condition area differs from the selected condition; something is not saved yet.
    bool ConditionChanged = false;
    bool DefinitionChanged = false;
    // Every command takes this edit first, as if its editing had ended, and does not run when
    // the field sheet refuses it: no command works on a screen older than what the user typed.
    std::optional<PendingCellEdit> PendingCell;

    [[nodiscard]] const TDefineClass& Definition() const { return m_definition; }
    [[nodiscard]] std::vector<std::string> ConditionNames() const;
    // The condition the area was filled from, -1 for none.
    [[nodiscard]] int Selected() const { return m_selected; }
    [[nodiscard]] std::filesystem::path DefineFolder() const { return m_programFolder / "define"; }

    // The pending cell edit taken into the field sheet; a taken edit changes the condition.
    CellEdit ApplyPendingCell();

    // A new definition: fixed-length records of a given length, and the fallback condition with
    // one field of 256 bytes. The path of the last definition read is kept.
    void New();
    // Reads a `.def` file into a fresh working definition and shows it; a file that cannot be
    // read, or whose format is neither fixed-length nor CSV, is reported and gives a new one.
    bool Open(const std::filesystem::path& path);
    // Lets the user choose a definition file, proposing the last one read, and opens it; unsaved
    // changes are offered for saving first, as on Close.
    bool ChooseAndOpen();
    // Lets the user choose the folder the definition is saved in.
    void ChooseFolder();
    // Leaving the definition name box names the file after the definition when it has no name.
    void DefineNameLeft();
    // Another format chosen: the field sheet is emptied and the condition boxes the format
    // decides are set and locked. Choosing the format shown changes nothing.
    void ChooseFormat(bool fixed, bool byRecordLength);

    // A save that cannot complete (a refused update of the condition, a check, a question
    // answered No) writes nothing and loses nothing: what was entered stays on the screen or,
    // once applied, in the working definition.
    bool Save();
    bool ExportXml();
    // Offers to save what changed, or to go back. True when the window may close: nothing
    // changed, the user chose not to save, or the save succeeded.
    [[nodiscard]] bool Close();

    // Fills the condition area from condition `index`, after offering to apply a changed area
    // to the condition shown before. False, with the area kept, when that update is refused.
    bool SelectCondition(int index);
    // Add and Update answer whether the definition changed: an area that describes the fallback
    // condition updates condition 0 instead, when the user agrees.
    bool Add();
    bool Update();
    bool Delete();
    void MoveUp();
    void MoveDown();
    // Empties the field sheet.
    void Reset();
    // Lets the user choose a CSV file of fields and reads it into the emptied field sheet.
    bool ReadCsv();

private:
    enum class Fallback { No, Declined, Updated };

    [[nodiscard]] bool takePendingCell();
    void showDefinition();
    void lockConditionBoxes();
    [[nodiscard]] bool checkFile();
    [[nodiscard]] bool checkStoredTexts();
    void copyFileInto(TDefineClass& definition) const;
    [[nodiscard]] Fallback offerFallback(bool forUpdate);
    [[nodiscard]] std::optional<bool> settledBeforeStoring(bool forUpdate);
    [[nodiscard]] bool settleUnsavedChanges();
    [[nodiscard]] bool checkConditionValues();
    void writeCondition(TCondition& condition) const;
    void fillCondition(int index);
    [[nodiscard]] std::filesystem::path existingFolderOr(const std::filesystem::path& fallback) const;

    std::filesystem::path m_programFolder;
    UiHost& m_host;
    TDefineClass m_definition;
    int m_selected = -1;
};

} // namespace ranvo
