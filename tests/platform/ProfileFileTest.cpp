// The settings file module: private-profile reading and writing.

#include <gtest/gtest.h>

#include "platform/ProfileFile.h"

namespace zepo {
namespace {

const char kFile[] =
    "; comment\r\n"
    "[MemoTool]\r\n"
    "ToolName = Memo \r\n"
    "ExeName=\"quoted.exe\"\r\n"
    "[ZEPOED]\n"
    "isToolUse=1\n"
    "Auto256Color=junk\n"
    "Neg=-12\n"
    "Lead=7days\n"
    "Big=99999999999\n"
    "Empty=\n";

TEST(ProfileFile, ReadsWithoutRegardToCaseAndFallsBackToDefaults) {
    ProfileFile p = ProfileFile::FromBytes(kFile);
    struct Case {
        const char *section, *key, *fallback, *expected;
    } strings[] = {
        {"memotool", "TOOLNAME", "d", "Memo"},   {"MemoTool", "ExeName", "d", "quoted.exe"},
        {"MemoTool", "Option", "dflt", "dflt"},  {"Missing", "ToolName", "dflt", "dflt"},
        {"ZEPOED", "Empty", "dflt", ""},         {"ZEPOED", "ToolName", "d", "d"},
    };
    for (const Case& c : strings) EXPECT_EQ(p.GetString(c.section, c.key, c.fallback), c.expected) << c.key;
    struct IntCase {
        const char* key;
        int fallback, expected;
    } ints[] = {{"isToolUse", 0, 1}, {"Auto256Color", 1, 1}, {"Auto256Color", 0, 0}, {"Neg", 0, -12},
                {"Lead", 0, 7},      {"Big", 3, 3},          {"Empty", 5, 5},          {"Nothing", 9, 9}};
    for (const IntCase& c : ints) EXPECT_EQ(p.GetInt("zepoed", c.key, c.fallback), c.expected) << c.key;
}

TEST(ProfileFile, MissingFileIsEmpty) {
    ProfileFile p = ProfileFile::Load("/nonexistent/ZEPOED.INI");
    EXPECT_EQ(p.GetString("A", "B", "x"), "x");
    EXPECT_EQ(p.GetInt("A", "B", 4), 4);
}

TEST(ProfileFile, WritesInPlaceAtTheEndOfTheSectionOrAsANewSection) {
    ProfileFile p = ProfileFile::FromBytes("[A]\r\nk=1\r\n\r\n[B]\r\nx=2\r\n");
    p.SetString("a", "K", "9");        // in place, key spelling of the call
    p.SetString("A", "new", "v");      // before the blank line that ends section A
    p.SetString("C", "ToolName", "\x83\x81\x83\x82");  // Shift-JIS bytes kept as they are
    EXPECT_EQ(p.ToBytes(), "[A]\r\nK=9\r\nnew=v\r\n\r\n[B]\r\nx=2\r\n\r\n[C]\r\nToolName=\x83\x81\x83\x82\r\n");
    EXPECT_EQ(ProfileFile::FromBytes(p.ToBytes()).GetString("c", "toolname", ""), "\x83\x81\x83\x82");
}

TEST(ProfileFile, ValueWithALineBreakCannotForgeAnotherEntry) {
    ProfileFile p = ProfileFile::FromBytes("[MemoTool]\r\nExeName=a\r\n");
    p.SetString("MemoTool", "ExeName", "edit.exe\r\n[ZEPOED]\r\nisToolUse=1");
    p.SetString("MemoTool", "Option", "x\ny");
    EXPECT_EQ(p.ToBytes(), "[MemoTool]\r\nExeName=edit.exe\r\nOption=x\r\n");
    EXPECT_EQ(ProfileFile::FromBytes(p.ToBytes()).GetString("ZEPOED", "isToolUse", "none"), "none");
}

}  // namespace
}  // namespace zepo
