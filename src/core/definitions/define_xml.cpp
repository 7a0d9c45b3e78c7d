// The definition as an XML document for use outside the program: Shift_JIS, one element a line
// indented by tabs, CR LF line ends. Nothing reads it back.

#include "core/definitions/define_class.h"

#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "core/text/text_helpers.h"

#include <string>

namespace ranvo {
namespace {

class XmlLines {
public:
    void line(int tabs, std::string_view text) {
        m_text.append(static_cast<std::size_t>(tabs), '\t').append(text).append("\r\n");
    }
    void element(int tabs, std::string_view name, std::string_view value) {
        line(tabs, "<" + std::string(name) + ">" + std::string(value) + "</" + std::string(name) + ">");
    }
    void element(int tabs, std::string_view name, std::int32_t value) {
        element(tabs, name, std::to_string(value));
    }
    void flag(int tabs, std::string_view name, bool value) {
        element(tabs, name, value ? "True" : "False");
    }
    [[nodiscard]] const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// The separator and the quote are single characters written as they are, except the two that
// would break the document; a double quote stays bare, as readers of the document expect it.
std::string characterValue(std::string_view value) {
    if (value == "<") {
        return "&lt;";
    }
    if (value == "&") {
        return "&amp;";
    }
    return std::string(value);
}

} // namespace

bool TDefineClass::SaveToXml(const std::filesystem::path& path) const {
    // Every field needs a name, a start and a colour beside its length.
    for (const TCondition& condition : Conditions) {
        const std::size_t fields = condition.FieldLength.size();
        if (condition.FieldName.size() < fields || condition.FieldStart.size() < fields ||
            condition.FieldColor.size() < fields) {
            return false;
        }
    }
    const std::filesystem::path folder = path.parent_path();
    if (!folder.empty() && !PathExists(folder)) {
        return false;
    }

    XmlLines xml;
    xml.line(0, R"(<?xml version = "1.0" encoding = "Shift_JIS" ?>)");
    xml.line(0, "<Define>");
    xml.element(1, "DefineName", XmlEscape(DefineName));
    xml.element(1, "FileFormat", FileFormat);
    xml.element(1, "Separate", Separate == "\t" ? std::string("tab") : characterValue(Separate));
    xml.element(1, "Quote", characterValue(Quote));
    xml.flag(1, "TopTitle", TopTitle);
    xml.element(1, "RecordLength", RecordLength);
    xml.flag(1, "QuoteAlways", QuoteAlways);
    for (const TCondition& condition : Conditions) {
        xml.line(1, "<Condition>");
        xml.element(1, "ConditionName", XmlEscape(condition.ConditionName));
        xml.flag(2, "UseWord", condition.UseWord);
        xml.element(1, "CheckStart", condition.CheckStart);
        xml.element(1, "CheckWord", XmlEscape(condition.CheckWord));
        xml.flag(2, "ULWord", condition.ULWord);
        xml.flag(2, "UseLength", condition.UseLength);
        xml.element(2, "CheckLength", condition.CheckLength);
        xml.element(2, "ConditionLength", condition.ConditionLength);
        xml.element(2, "ConditionColor", condition.ConditionColor);
        xml.element(2, "MaxLength", condition.MaxLength);
        for (std::size_t j = 0; j < condition.FieldLength.size(); ++j) {
            xml.line(0, "<Field>");
            xml.element(0, "FieldName", XmlEscape(condition.FieldName[j]));
            xml.element(0, "FieldStart", condition.FieldStart[j]);
            xml.element(0, "FieldLength", condition.FieldLength[j]);
            xml.element(0, "FieldColor", condition.FieldColor[j]);
            xml.line(0, "</Field>");
        }
        xml.line(1, "</Condition>");
    }
    xml.line(0, "</Define>");
    return WriteFileReplacing(path, xml.text());
}

} // namespace ranvo
