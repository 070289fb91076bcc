#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "core/TextCodec.h"

namespace zepo {
namespace {

TEST(TextCodec, CodePage932BothWays) {
    struct Case {
        const char* utf8;
        std::string sjis;
    };
    const std::vector<Case> cases = {
        {"～", "\x81\x60"}, {"①", "\x87\x40"},  {"＼", "\x81\x5F"},
        {"－", "\x81\x7C"}, {"ｶﾞ", "\xB6\xDE"}, {"ソ表", "\x83\x5C\x95\x5C"},
        {"abc", "abc"},     {"", ""},           {"ＭＳ 明朝", "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9"},
    };
    for (const auto& c : cases) {
        SjisConversion to = Utf8ToSjis(c.utf8);
        EXPECT_TRUE(to.ok()) << c.utf8;
        EXPECT_EQ(to.bytes, c.sjis) << c.utf8;
        EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8);
    }
}

TEST(TextCodec, CharactersOutsideTheCodePageAreReportedNotDropped) {
    SjisConversion c = Utf8ToSjis("a😀b한c");
    EXPECT_FALSE(c.ok());
    EXPECT_EQ(c.lost, "😀한");
    EXPECT_EQ(c.bytes, "abc");
}

TEST(TextCodec, InvalidShiftJisBecomesReplacementCharacters) {
    EXPECT_EQ(SjisToUtf8("a\x82"), "a\xEF\xBF\xBD");      // lone lead byte at the end
    EXPECT_EQ(SjisToUtf8("\x85\x40z"), "\xEF\xBF\xBDz");  // unassigned row
}

TEST(TextCodec, SystemTextsAreCached) {
    const std::string& a = Sjis("保存に失敗しました");
    EXPECT_EQ(&a, &Sjis("保存に失敗しました"));
    EXPECT_EQ(SjisToUtf8(a), "保存に失敗しました");
}

TEST(TextCodec, EverySystemTextInTheSourcesFitsTheCodePage) {
    // Sjis() keeps what converts; a text with a character outside code page 932 would be
    // shown to the user or written to a card with that character missing.
    const std::regex literal(R"re(Sjis\("((?:[^"\\]|\\.)*)"\))re");
    int seen = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(ZEPO_SOURCE_DIR) + "/src")) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path());
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it, ++seen) {
            const std::string utf8 = (*it)[1];
            EXPECT_TRUE(Utf8ToSjis(utf8).ok()) << entry.path() << ": " << utf8;
        }
    }
    EXPECT_GT(seen, 20);
}

// Characters a card cannot hold reach a Shift-JIS message as themselves with their code points,
// never as UTF-8 bytes read as Shift-JIS; invisible ones by their code points alone.
TEST(TextCodec, RefusedCharactersAreShownThemselvesAndByCodePoint) {
    const struct {
        const char* typed;
        const char* shown;
        const char* message;
    } cases[] = {
        {"a😀b", "a😀b", "カードに書けない文字が含まれています: 「😀」(U+1F600)"},
        {"2€0", "2€0", "カードに書けない文字が含まれています: 「€」(U+20AC)"},
        {"名前😀🍣😀", "名前😀🍣😀", "カードに書けない文字が含まれています: 「😀」(U+1F600) 「🍣」(U+1F363)"},
        {"a\u202Eb\u0301", "aU+202EbU+0301", "カードに書けない文字が含まれています: (U+202E) (U+0301)"},
        {"ｶｰﾄﾞ", "ｶｰﾄﾞ", "カードに書けない文字が含まれています: "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageToUtf8(ShownInSjis(c.typed)), c.shown) << c.typed;
        EXPECT_EQ(MessageToUtf8(UnwritableCharactersMessage(c.typed)), c.message) << c.typed;
    }
    // Bytes of a card that merely look like a carried character (an invisible one, plain ASCII,
    // a lone 0xFF) read as any other Shift-JIS.
    for (const char* bytes : {"a\xFF\xE2\x80\xAE\xFF", "\xFF\x41\xFF", "\xFF\x82\xA0"})
        EXPECT_EQ(MessageToUtf8(bytes), SjisToUtf8(bytes)) << bytes;
}

// File names may be UTF-8, raw Shift-JIS, both (ASCII) or neither.
TEST(TextCodec, TellsUtf8AndShiftJisApart) {
    const struct {
        std::string bytes;
        bool utf8, sjis;
    } cases[] = {
        {"main.zep", true, true},
        {"ｶｰﾄﾞ.zep", true, false},  // EF BD B6 ...: EF leads no character of the code page
        {Sjis("表.txt"), false, true},
        {Sjis("ｱｲｳ"), false, true},
        {"\xC0\xAF", false, true},           // an overlong "/" in UTF-8, ﾀｯ in Shift-JIS
        {"\xED\xA0\x80", false, false},      // a surrogate
        {"\xF4\x90\x80\x80", false, false},  // beyond U+10FFFF
        {"\x82", false, false},              // a lone lead byte
        {"\xEF\xBF\xBD", true, false},       // U+FFFD itself is UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUtf8(c.bytes), c.utf8) << c.bytes;
        EXPECT_EQ(IsShiftJis(c.bytes), c.sjis) << c.bytes;
    }
}

}  // namespace
}  // namespace zepo
