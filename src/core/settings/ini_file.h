#pragma once

// An INI text file held in memory from loading to writing.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

// The whole of an INI file (CP932 text) held as its lines, so that a program can change the
// values it knows and write the file back without losing anything else: every line that is not
// written to (unknown sections and keys, comments, blank lines, odd text) goes back byte for byte;
// only the line ends become CR LF.
//
// How lines are understood, as users who edit INI files by hand expect:
// - A line whose first non-blank byte is "[" and that has a "]" after it names a section: the text
//   between them, without surrounding blanks. Text after the "]" is ignored.
// - A line whose first non-blank byte is ";" is a comment.
// - Any other line with an "=" is a key: the text before the first "=", without surrounding
//   blanks, names it (it must not be empty); the text after that "=", without surrounding blanks,
//   is its value. Blanks are space and TAB. Other lines are kept as text and mean nothing.
// - Names of sections and keys match without regard to the case of ASCII letters; the trail byte
//   of a double-byte character is never taken for a letter.
// - When a section name occurs more than once, the first section of that name is the one read
//   and written; within it, the first key of a name is the one read and written. Keys above the
//   first section belong to no section and are never found.
// - The text ends at its first NUL byte; CR LF, a lone CR and a lone LF each end a line.
// Any bytes load; nothing here fails on bad content.
class IniFile {
public:
    // An empty file without a name: reads give their defaults, writes change only the memory.
    IniFile() = default;
    // Loads the file when it can be read; otherwise starts empty. Either way `updateFile` writes
    // to `fileName`.
    explicit IniFile(std::filesystem::path fileName);

    // Replaces everything held by `bytes`, read as the contents of a file.
    void loadText(std::string_view bytes);

    [[nodiscard]] const std::filesystem::path& fileName() const { return m_fileName; }

    [[nodiscard]] bool valueExists(std::string_view section, std::string_view key) const;
    // The key's value, or `fallback` when the key is missing (an empty value is not missing).
    [[nodiscard]] std::string readString(std::string_view section, std::string_view key,
                                         std::string_view fallback) const;
    // The value as an integer (see ToInteger), or `fallback` when it is missing or not a number.
    [[nodiscard]] std::int32_t readInteger(std::string_view section, std::string_view key,
                                           std::int32_t fallback) const;
    // The value as a boolean (see ToBoolean: any number but 0 is true), or `fallback` when it is
    // missing or neither a number nor True or False.
    [[nodiscard]] bool readBool(std::string_view section, std::string_view key,
                                bool fallback) const;

    // Sets the key's value. An existing key keeps its line up to the start of its value, so the
    // spelling and spacing of its name stay; a value equal to the one held leaves the line as it
    // is. A missing key is added after the last key of its section (right after the section name
    // when it has none); a missing section is added at the end of the text, after a blank line.
    // A value is cut at its first CR, LF or NUL, which could otherwise never be read back and
    // would let a value break into lines of its own. Blanks at either end of a value are kept in
    // the text but not read back. Section and key names are plain names: no line ends, no "]" in
    // a section name, no "=" in a key name.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Writes in signed decimal: 0x8000000F is written as -2147483633.
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Writes 1 or 0.
    void writeBool(std::string_view section, std::string_view key, bool value);

    // The file's bytes as `updateFile` writes them: every line followed by CR LF.
    [[nodiscard]] std::string text() const;
    // Writes `text()` to the file through WriteFileReplacing; false when that fails or the object
    // has no file name.
    bool updateFile() const;

private:
    enum class LineKind { Text, Section, Key };

    // One line of the text and what it means. For a section `nameBegin`/`nameLength` locate its
    // name; for a key its name and `valueBegin`/`valueLength` its value, blanks excluded.
    struct Line {
        std::string text;
        LineKind kind = LineKind::Text;
        std::size_t nameBegin = 0;
        std::size_t nameLength = 0;
        std::size_t valueBegin = 0;
        std::size_t valueLength = 0;

        [[nodiscard]] std::string_view name() const {
            return std::string_view(text).substr(nameBegin, nameLength);
        }
        [[nodiscard]] std::string_view value() const {
            return std::string_view(text).substr(valueBegin, valueLength);
        }
    };

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    static Line parseLine(std::string text);
    [[nodiscard]] std::size_t findSection(std::string_view section) const;
    [[nodiscard]] std::size_t findKey(std::size_t sectionLine, std::string_view key) const;
    [[nodiscard]] const Line* findValue(std::string_view section, std::string_view key) const;

    std::filesystem::path m_fileName;
    std::vector<Line> m_lines;
};

} // namespace ranvo
