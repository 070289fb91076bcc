#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "CardBuilder.h"
#include "model/MacroFile.h"
#include "model/MacroWriter.h"

namespace zepo {
namespace {
using namespace test;

std::vector<std::string> Write(Card& card) {
    std::vector<std::string> lines;
    EXPECT_TRUE(WriteAsSaved(card, lines));
    return lines;
}

// The lines between "card" and "end" that are not the settings group.
std::vector<std::string> Body(Card& card) {
    auto lines = Write(card);
    auto first = std::find(lines.begin(), lines.end(), "") + 1;
    return {first, lines.end() - 1};
}

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(ZEPO_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MacroWriter, FirstCardComesOutByteForByte) {
    Card card = NewCard();
    AddFrame(card, {10, 10, 91, 91}, ColorIndex("GRAY"), 0);
    AddText(card, 30, 40, "はじめ", 0, {}, {"next", "next.zep"});
    card.features[0].Set("WAVE", "start.wav");
    card.featureInUse[0] = true;
    std::vector<std::string> lines = Write(card);
    std::string expected = ReadData("first_card.zep");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(JoinMacroLines(lines), expected);
}

TEST(MacroWriter, PlayerTitleLineOnlyForTheMainCard) {
    struct Case {
        const char* name;
        bool titleLine;
    };
    for (auto c :
         {Case{"main", true}, Case{"Main", true}, Case{"MAIN", true}, Case{"main2", false}, Case{"next", false}}) {
        Card card = NewCard();
        card.settings.name = c.name;
        auto lines = Write(card);
        EXPECT_EQ(lines[0].rfind("ZEPO:", 0) == 0, c.titleLine) << c.name;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("card {") + c.name + "}"), 1);
    }
}

TEST(MacroWriter, EmptyTitleOfTheMainCardBecomesTheDefault) {
    Card card = NewCard();
    card.settings.title.clear();
    auto lines = Write(card);
    EXPECT_THAT(lines[0], SjisIs("ZEPO:ZEPOマクロ"));
    EXPECT_THAT(lines[6], SjisIs("\ttitle  {ZEPOマクロ}"));
    EXPECT_THAT(card.settings.title, SjisIs("ZEPOマクロ"));

    Card other = NewCard();
    other.settings.name = "sub";
    other.settings.title.clear();
    auto sub = Write(other);
    EXPECT_EQ(sub[4], "card {sub}");
    EXPECT_EQ(sub[5], "\tnew    {WHITE}");  // no title statement
    EXPECT_TRUE(other.settings.title.empty());
}

TEST(MacroWriter, EditAndCursorModes) {
    struct Case {
        int edit, cursor;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {0, 0, {}},
        {1, 0, {"\tedit   {1}"}},
        {2, 0, {"\tedit   {0}"}},
        {0, 1, {"\tcursor {1}"}},
        {2, 2, {"\tedit   {0}", "\tcursor {0}"}},
    };
    for (const auto& c : cases) {
        Card card = NewCard();
        card.settings.name = "x";
        card.settings.color = 3;
        card.settings.editMode = c.edit;
        card.settings.fingerCursor = c.cursor;
        auto lines = Write(card);
        std::vector<std::string> settings(lines.begin() + 6, lines.end() - 2);
        std::vector<std::string> expected = {"\tnew    {YELLOW2}"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(settings, expected) << c.edit << "," << c.cursor;
    }
}

TEST(MacroWriter, ObjectGroups) {
    struct Case {
        const char* what;
        std::function<void(Card&)> build;
        std::vector<std::string> body;
    };
    const std::vector<Case> cases = {
        {"frame corners are inclusive",
         [](Card& c) {
             AddFrame(c, {10, 30, 91, 91}, kWhite, 6);
         },
         {"\tcolor  {}{WHITE}", "\tframe  {10,30}{100,120}{FD}", ""}},
        {"glass button frame with an association without file",
         [](Card& c) {
             AddFrame(c, {0, 0, 10, 10}, 12, 7, {"this", ""});
         },
         {"\tcolor  {}{BLUE}", "\tframe  {0,0}{9,9}{0}{this}", ""}},
        {"vertical text writes its right edge",
         [](Card& c) {
             int id = AddText(c, 200, 5, "たて", 1, {Typeface::Gothic, 24, true, true});
             c.slot(id).text.decoration = 8;
             c.slot(id).text.textColor = 9;
             c.slot(id).text.backColor = 7;
         },
         {"\tfont   {JG2}{24}{0}", "\tfont2  {1}{1}", "\tcolor  {RED}{GRAY}", S("\ttext2  {224,5}{たて}{FC2}"),
          ""}},  // the column is one font height wide, bold or not
        {"text keeps commas and braces and writes a full association",
         [](Card& c) {
             int id = AddText(c, -3, 7, "a,b}", 0, {Typeface::Arial, 12, true, false}, {"next", "next.zep"});
             c.slot(id).text.decoration = 2;
         },
         {"\tfont   {EG}{12}{0}", "\tfont2  {1}{0}", "\tcolor  {BLACK}{WHITE}",
          "\ttext   {-3,7}{a,b}}{2}{next,next.zep}", ""}},
        {"picture at 150 percent without frame",
         [](Card& c) {
             AddPicture(c, 5, 6, "C:\\pics\\photo.bmp", {100, 50}, 1.5f);
         },
         {"\tbitmap {5,6}{photo.bmp,150.0}{0}", ""}},
        {"picture with frame and association",
         [](Card& c) {
             AddPicture(c, 0, 0, "a.bmp", {10, 10}, 0.333f, 4, {"WAVE", "ding.wav"});
         },
         {"\tbitmap {0,0}{a.bmp,33.3}{FB2}{WAVE,ding.wav}", ""}},
        {"text block horizontal and vertical",
         [](Card& c) {
             AddTextBlock(c, 10, 20, "memo.txt", {"abc"}, 0, {Typeface::TimesNewRoman, 16}, 4, 12);
             AddTextBlock(c, 50, 0, "tate.txt", {"あい", "う"}, 1, {Typeface::Mincho, 20}, 3);
         },
         {"\tfont   {EM}{16}{0,4}", "\tfont2  {0}{0}", "\tcolor  {BLUE}", "\ttextf  {10,20}{memo.txt}{0}", "",
          "\tfont   {JM2}{20}{0,3}", "\tfont2  {0}{0}", "\tcolor  {BLACK}", "\ttextf2 {93,0}{tate.txt}{0}", ""}},
    };
    for (const auto& c : cases) {
        Card card = NewCard();
        card.settings.name = "x";
        c.build(card);
        EXPECT_EQ(Body(card), c.body) << c.what;
    }
}

TEST(MacroWriter, ObjectsInStackingOrderRearmostFirst) {
    Card card = NewCard();
    card.settings.name = "x";
    int a = AddFrame(card, {0, 0, 5, 5}, 0);
    AddFrame(card, {1, 1, 5, 5}, 1);
    card.BringToFront(a);
    auto body = Body(card);
    EXPECT_EQ(body[0], "\tcolor  {}{RED2}");
    EXPECT_EQ(body[3], "\tcolor  {}{BLACK}");
}

TEST(MacroWriter, ButtonsFeaturesAndSlides) {
    Card card = NewCard();
    card.settings.name = "x";
    card.buttons[2].Set("this", "");
    card.buttonInUse[2] = true;
    card.buttons[0].Set("next", "next.zep");
    card.buttonInUse[0] = true;
    card.buttons[5].Set("ignored", "because unchecked");
    card.features[1].Set("CDAUDIO", "5");
    card.features[4].Set("RUN", "");
    card.featureInUse[1] = card.featureInUse[4] = true;
    card.movie2 = {true, 1, 10, 20, 3, "50", "C:\\movies\\m.avi"};
    card.marker = {true, 12, 7, false};
    card.slide = {true, 5, {"ab.zep", "abc", "BIG.ZEP"}};
    EXPECT_EQ(Body(card), (std::vector<std::string>{
                              "\tbutton {0}{next,next.zep}", "\tbutton {2}{this}", "", "\tcdaudio {5}", "\trun     {}",
                              "\tavi2opt {1}{10,20}{FB}{50.0}", "\tavi2    {m.avi}", "\tmarker  {BLUE}{7}", "",
                              "\t@slide  {5}", "\t\t{ab,ab.zep}", "\t\t{abc,abc}", "\t\t{BIG,BIG.ZEP}", "\t@end", ""}));

    card.movie2.position = 0;
    card.marker.off = true;
    card.slide.inUse = false;
    card.buttonInUse = {};
    card.featureInUse = {};
    EXPECT_EQ(Body(card), (std::vector<std::string>{"\tavi2opt {0}{10,20}", "\tavi2    {m.avi}", "\tmarker  {}", ""}));
}

TEST(MacroWriter, MovieScaleThatIsNotANumberStopsTheWriting) {
    Card card = NewCard();
    card.movie2 = {true, 1, 0, 0, 0, "abc", "m.avi"};
    std::vector<std::string> lines;
    std::string error;
    EXPECT_FALSE(WriteAsSaved(card, lines, &error));
    EXPECT_NE(SjisToUtf8(error).find("abc"), std::string::npos);
    // In the separate window the scale is not written, so it cannot fail.
    card.movie2.position = 0;
    lines.clear();
    EXPECT_TRUE(WriteAsSaved(card, lines));
}

TEST(MacroFile, LongLineLimitAndMessage) {
    std::vector<std::string> lines = {"a", std::string(120, 'x')};
    EXPECT_FALSE(FindLongLine(lines));
    lines.push_back("\t" + S("あ") + std::string(119, 'y'));
    EXPECT_EQ(FindLongLine(lines), 2u);
    // 42 bytes: a tab, one two-byte character and 39 letters; the tab is trimmed.
    EXPECT_EQ(SjisToUtf8(LongLineMessage(lines[2])),
              "１行の文字数が多すぎるため、保存できません\r[ あ" + std::string(39, 'y') + "…]");
    // A cut in the middle of a two-byte character drops it.
    EXPECT_EQ(SjisToUtf8(LongLineMessage(std::string(41, 'z') + S("い"))),
              "１行の文字数が多すぎるため、保存できません\r[ " + std::string(41, 'z') + "…]");
}

TEST(MacroFile, SplitLinesAtEveryKindOfBreak) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLines(c.bytes), c.lines);
}

TEST(MacroFile, HeaderMarkerInFirstOrSecondLine) {
    const std::string marker = HeaderMarkerLine();
    EXPECT_EQ(marker.size(), 60u);
    EXPECT_TRUE(HasHeaderMarker({marker}));
    EXPECT_TRUE(HasHeaderMarker({"ZEPO:t", marker}));
    EXPECT_FALSE(HasHeaderMarker({"ZEPO:t", "x", marker}));
    EXPECT_FALSE(HasHeaderMarker({"card {a}"}));
    EXPECT_FALSE(HasHeaderMarker({}));
}

}  // namespace
}  // namespace zepo
