#include "core/settings/ini_file.h"
#include "support/byte_files.h"

#include <gtest/gtest.h>
#include <string>

namespace ranvo {
namespace {

using namespace std::string_literals;

IniFile fromText(std::string_view bytes) {
    IniFile ini;
    ini.loadText(bytes);
    return ini;
}

TEST(IniFile, FindsSectionsAndKeysAsHandEditedFilesExpect) {
    const IniFile ini = fromText("top=before any section\n  [ Editor ] trailing words\n"
                                 "; FontSize=1\n\tfontsize =  12 \t\nPath=a=b\nEmpty=\n=no name\n"
                                 "no equals sign\n[Editor\nFontSize=99\n[editor]\nLate=1\n");
    EXPECT_EQ(ini.readInteger("EDITOR", "FontSize", 0), 12);
    EXPECT_EQ(ini.readString("Editor", "Path", "-"), "a=b");
    EXPECT_EQ(ini.readString("Editor", "Empty", "-"), "");
    // Comments, nameless keys, lines without "=" and keys above every section are never found,
    // nor keys of a later section of the same name.
    for (const char* key : {"; FontSize", "", "no equals sign", "Late"}) {
        EXPECT_FALSE(ini.valueExists("Editor", key)) << key;
    }
    EXPECT_FALSE(ini.valueExists("", "top"));
    EXPECT_EQ(ini.readString("Missing", "Key", "fallback"), "fallback");
}

TEST(IniFile, NamesAreMatchedCharacterWiseInCp932) {
    // "]" is 5D, the trail byte of ゾ (83 5D); the trail byte of ア (83 41) is "A".
    const IniFile ini = fromText("[\x83\x5D]\n\x83\x41=1\n[\x83\x5D\x83\x5D x]\nk=\x95\x5C\n");
    EXPECT_TRUE(ini.valueExists("\x83\x5D", "\x83\x41"));
    EXPECT_FALSE(ini.valueExists("\x83\x5D", "\x83\x61")); // a trail byte is not a letter
    EXPECT_EQ(ini.readString("\x83\x5D\x83\x5D X", "K", ""), "\x95\x5C");
}

TEST(IniFile, NumbersAndBooleansFallBackOnBadValues) {
    const IniFile ini =
        fromText("[S]\nhex=0x8000000F\nword=abc\nbig=2147483648\nempty=\ntwo=2\nyes=true\n");
    EXPECT_EQ(ini.readInteger("S", "hex", 0), -2147483633);
    for (const char* key : {"word", "big", "empty", "missing"}) {
        EXPECT_EQ(ini.readInteger("S", key, 7), 7) << key;
        EXPECT_TRUE(ini.readBool("S", key, true)) << key;
        EXPECT_FALSE(ini.readBool("S", key, false)) << key;
    }
    EXPECT_TRUE(ini.readBool("S", "two", false));
    EXPECT_TRUE(ini.readBool("S", "yes", false));
}

TEST(IniFile, WritesInPlaceAndKeepsEveryOtherLine) {
    IniFile ini = fromText("; note\n[A]\nkey = 1 ; old\nSame =  5\n\n[B]\r\nx=1\rjunk\n");
    ini.writeInteger("a", "KEY", 2);
    ini.writeInteger("A", "same", 5); // an unchanged value leaves its line as it was
    EXPECT_EQ(ini.text(), "; note\r\n[A]\r\nkey = 2\r\nSame =  5\r\n\r\n[B]\r\nx=1\r\njunk\r\n");
}

TEST(IniFile, AppendsKeysToTheirSectionAndSectionsAtTheEnd) {
    IniFile ini = fromText("[A]\na=1\n; about A\n\n[B]\n[A]\nz=1\n");
    ini.writeString("A", "b", "2");
    ini.writeString("B", "c", "3");
    ini.writeString("C", "d", "4");
    ini.writeBool("C", "e", true);
    EXPECT_EQ(ini.text(), test::CrLfLines({"[A]", "a=1", "b=2", "; about A", "", "[B]", "c=3",
                                           "[A]", "z=1", "", "[C]", "d=4", "e=1"}));

    IniFile empty;
    empty.writeString("S", "k", "v");
    EXPECT_EQ(empty.text(), "[S]\r\nk=v\r\n");
}

TEST(IniFile, ValuesCannotBreakIntoLines) {
    IniFile ini;
    ini.writeString("S", "a", "one\r\n[S]\r\na=two");
    ini.writeString("S", "b", "x\0y"s);
    EXPECT_EQ(ini.text(), "[S]\r\na=one\r\nb=x\r\n");
}

TEST(IniFile, TextEndsAtNul) {
    const IniFile ini = fromText("[S]\r\na=1\0\r\nb=2\r\n"s);
    EXPECT_EQ(ini.readString("S", "a", ""), "1");
    EXPECT_FALSE(ini.valueExists("S", "b"));
    EXPECT_EQ(ini.text(), "[S]\r\na=1\r\n");
}

TEST(IniFile, ArbitraryBytesLoadAndWrittenValuesReadBack) {
    test::InputGenerator generator(20240531);
    const std::string sample = "[Editor]\r\nFontSize=9\r\n\r\n[Sta]\r\nx = y\r\n";
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = round % 2 == 0 ? generator.bytes(600) : generator.mutate(sample);
        IniFile ini = fromText(bytes);
        const std::string value = "v" + std::to_string(round);
        ini.writeString("Editor", "FontSize", value);
        ini.writeString("Sta", "Color", "c");
        ini.writeString("New", "Key", "n");
        const IniFile again = fromText(ini.text());
        ASSERT_EQ(again.readString("editor", "fontsize", ""), value)
            << testing::PrintToString(bytes);
        ASSERT_EQ(again.readString("Sta", "Color", ""), "c");
        ASSERT_EQ(again.readString("New", "Key", ""), "n");
        ASSERT_EQ(again.text(), ini.text());
    }
}

} // namespace
} // namespace ranvo
