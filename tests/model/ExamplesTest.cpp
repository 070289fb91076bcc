// The bundled example cards are written by the writer from the cards built here.
// Run with ZEPO_UPDATE_EXAMPLES=1 to write them again after a deliberate change.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "CardBuilder.h"
#include "model/MacroFile.h"
#include "model/MacroWriter.h"

namespace zepo {
namespace {
using namespace test;

Card MainCard() {
    Card c = NewCard();
    c.settings.title = S("はじめての発表");
    c.settings.color = ColorIndex("CYAN");
    c.settings.fingerCursor = 1;
    AddFrame(c, {0, 0, 640, 64}, ColorIndex("BLUE2"), 2);
    int title = AddText(c, 24, 12, "春の研究発表会", 0, {Typeface::Gothic, 40, true, false});
    c.slot(title).text.textColor = kWhite;
    c.slot(title).text.backColor = ColorIndex("BLUE2");
    c.slot(title).text.decoration = 2;
    AddPicture(c, 40, 100, "sakura.bmp", {160, 120}, 1.5f, 1);
    int tate = AddText(c, 560, 100, "さくら", 1, {Typeface::Mincho, 32});
    c.slot(tate).text.textColor = ColorIndex("MAGENTA2");
    AddFrame(c, {400, 380, 201, 49}, ColorIndex("YELLOW"), 7, {"next", "next.zep"});
    int go = AddText(c, 420, 392, "つぎへ", 0, {Typeface::Gothic, 24}, {"next", "next.zep"});
    c.slot(go).text.backColor = ColorIndex("YELLOW");
    c.slot(go).text.decoration = 1;
    c.slot(go).transparent = false;
    c.buttons[0].Set("next", "next.zep");
    c.buttonInUse[0] = true;
    return c;
}

Card NextCard() {
    Card c = NewCard();
    c.settings.name = "next";
    c.settings.title = S("ごあいさつ");
    c.settings.editMode = 2;
    AddTextBlock(c, 40, 40, "aisatsu.txt",
                 {"本日はお集まりいただき", "ありがとうございます。", "", "次のカードへどうぞ。"}, 0,
                 {Typeface::Mincho, 28}, 8, ColorIndex("BLUE2"));
    AddFrame(c, {20, 400, 121, 41}, ColorIndex("GRAY"), 0, {"main", "main.zep"});
    AddText(c, 36, 410, "もどる", 0, {Typeface::Gothic, 20}, {"main", "main.zep"});
    AddFrame(c, {500, 400, 121, 41}, ColorIndex("GRAY"), 0, {"last", "last.zep"});
    AddText(c, 516, 410, "おわり", 0, {Typeface::Gothic, 20}, {"last", "last.zep"});
    c.buttons[0].Set("main", "main.zep");
    c.buttons[1].Set("last", "last.zep");
    c.buttonInUse[0] = c.buttonInUse[1] = true;
    return c;
}

Card LastCard() {
    Card c = NewCard();
    c.settings.name = "last";
    c.settings.title = S("おわりに");
    c.settings.color = ColorIndex("YELLOW");
    int t = AddText(c, 120, 200, "ご清聴ありがとうございました", 0, {Typeface::Mincho, 28, false, true});
    c.slot(t).text.textColor = ColorIndex("RED2");
    AddPicture(c, 460, 320, "sakura.bmp", {160, 120}, 1.0f, 0, {"this", ""});
    c.buttons[0].Set("main", "main.zep");
    c.buttonInUse[0] = true;
    c.marker = {true, kRed, 5, false};
    c.slide = {true, 5, {"main.zep", "next.zep", "last.zep"}};
    return c;
}

std::string ExamplePath(const std::string& name) { return std::string(ZEPO_SOURCE_DIR) + "/examples/" + name; }

TEST(Examples, CardsAreWhatTheWriterWrites) {
    const bool update = std::getenv("ZEPO_UPDATE_EXAMPLES") != nullptr;
    struct Example {
        const char* file;
        Card (*build)();
    };
    for (auto e : {Example{"main.zep", MainCard}, Example{"next.zep", NextCard}, Example{"last.zep", LastCard}}) {
        Card card = e.build();
        std::vector<std::string> lines;
        ASSERT_TRUE(WriteAsSaved(card, lines));
        ASSERT_FALSE(FindLongLine(lines));
        std::string bytes = JoinMacroLines(lines);
        if (update) std::ofstream(ExamplePath(e.file), std::ios::binary) << bytes;
        std::ifstream in(ExamplePath(e.file), std::ios::binary);
        std::string stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(stored, bytes) << e.file;
    }
}

}  // namespace
}  // namespace zepo
