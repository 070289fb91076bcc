#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "Printers.h"
#include "core/Moji.h"

namespace zepo {
namespace {
using test::S;
using test::SjisIs;

TEST(Moji, LeadByteRanges) {
    struct Case {
        unsigned char b;
        bool lead;
    };
    for (auto c : std::vector<Case>{{0x80, false},
                                    {0x81, true},
                                    {0x9F, true},
                                    {0xA0, false},
                                    {0xDF, false},
                                    {0xE0, true},
                                    {0xFC, true},
                                    {0xFD, false},
                                    {'A', false}})
        EXPECT_EQ(IsLeadByte(c.b), c.lead) << int(c.b);
}

TEST(Moji, CharacterClasses) {
    struct Case {
        std::string text;
        bool single;
        bool dbl;
    };
    const std::vector<Case> cases = {
        {"", true, true},
        {"abc", true, false},
        {S("ｶﾞﾗｽ"), true, false},  // half-width katakana are one byte each
        {S("あいう"), false, true},
        {S("あ1い"), false, false},       // one-byte character at an odd position
        {S("あ") + "\x82", false, true},  // ends with a lone lead byte
        {"a" + S("あ"), false, false},
        {S("①～"), false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSingleByteText(c.text), c.single) << SjisToUtf8(c.text);
        EXPECT_EQ(IsDoubleByteText(c.text), c.dbl) << SjisToUtf8(c.text);
    }
}

TEST(Moji, CutBytesNeverSplitsACharacter) {
    struct Case {
        std::string text;
        size_t limit;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"abcdef", 4, "abcd"},
        {"abc", 10, "abc"},
        {S("あいう"), 4, S("あい")},
        {S("あいう"), 5, S("あい")},  // the third character would be split: dropped whole
        {"a" + S("あい"), 4, "a" + S("あ")},
        {std::string(60, 'x'), 50, std::string(50, 'x')},
        {"", 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CutBytes(c.text, c.limit), c.expected) << SjisToUtf8(c.text);
}

TEST(Moji, OnlyALoneLeadByteAtTheEndIsDropped) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"ab\x83", "ab"},
        {"\x83", ""},
        {"\x83\x41", "\x83\x41"},  // ア is whole
        {"\x83\x83", "\x83\x83"},  // a lead byte can be a trail byte too
        {"\x83\x83\x83", "\x83\x83"},
        {"a\x83\x83\x83", "a\x83\x83"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WithoutLoneLeadByte(c.text), c.expected);
}

TEST(Moji, BareFileNameIgnoresTrailBackslash) {
    // ソ is 83 5C: its second byte is a backslash that must not split the name.
    EXPECT_THAT(BareFileName(S("C:\\zepo\\ソフト.bmp")), SjisIs("ソフト.bmp"));
    EXPECT_THAT(BareFileName(S("ソフト.bmp")), SjisIs("ソフト.bmp"));
    EXPECT_EQ(BareFileName("dir/sub/a.avi"), "a.avi");
    EXPECT_EQ(BareFileName(""), "");
}

}  // namespace
}  // namespace zepo
