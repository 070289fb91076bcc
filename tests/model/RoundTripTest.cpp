#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

#include "CardBuilder.h"
#include "model/BracedFields.h"
#include "model/MacroFile.h"
#include "model/MacroReader.h"
#include "model/MacroWriter.h"

namespace zepo {
namespace {
using namespace test;

// Writes the card, reads the lines back into a fresh card and writes that again.
void ExpectStableRoundTrip(Card& card, FakeFiles& files, const char* what) {
    std::vector<std::string> first;
    ASSERT_TRUE(WriteAsSaved(card, first)) << what;
    RecordingMessages messages;
    GridMeasurer measurer;
    ReaderContext ctx{messages, files, measurer};
    Card back;
    LoadOutcome out = LoadMacro(back, first, card.settings.name + ".zep", ctx);
    EXPECT_TRUE(out.completed) << what;
    EXPECT_TRUE(messages.warnings.empty()) << what;
    std::vector<std::string> second;
    ASSERT_TRUE(WriteAsSaved(back, second)) << what;
    EXPECT_EQ(JoinMacroLines(second), JoinMacroLines(first)) << what;
}

TEST(RoundTrip, CardsBuiltInTheEditorComeBackIdentical) {
    struct Case {
        const char* what;
        std::function<void(Card&, FakeFiles&)> build;
    };
    const std::vector<Case> cases = {
        {"empty main card", [](Card&, FakeFiles&) {}},
        {"every object kind and feature",
         [](Card& c, FakeFiles& f) {
             c.settings = {"main", S("発表"), 4, 1, 2};
             AddFrame(c, {10, 10, 91, 91}, 7, 0, {"next", "next.zep"});
             AddFrame(c, {0, 0, 640, 40}, 12, 7);
             AddText(c, 30, 40, "はじめ", 0, {Typeface::Gothic, 32, true, false}, {"WAVE", "ding.wav"});
             int v = AddText(c, 300, 10, "たてがき", 1, {Typeface::Mincho, 24, false, true});
             c.slot(v).text.decoration = 5;
             c.slot(v).transparent = false;
             AddText(c, 5, 400, "Hello, {world" /* a "}" would end the text */, 0, {Typeface::Arial, 16}, {"this", ""});
             f.pictures[S("photo.bmp")] = {320, 240};
             AddPicture(c, 100, 100, "photo.bmp", {320, 240}, 0.5f, 2, {"RUN", "notepad memo.txt"});
             AddPicture(c, 200, 100, "photo.bmp", {320, 240});
             f.texts[S("memo.txt")] = {"first line", "second"};
             AddTextBlock(c, 20, 300, "memo.txt", {"first line", "second"}, 0, {Typeface::TimesNewRoman, 18}, 2, 1);
             f.texts[S("tate.txt")] = {S("あいう"), S("えお")};
             AddTextBlock(c, 500, 50, "tate.txt", {"あいう", "えお"}, 1, {Typeface::Gothic, 20, true, true}, 6, 2);
             c.buttons[0].Set("next", "next.zep");
             c.buttons[3].Set("CDAUDIO", "12");
             c.buttonInUse[0] = c.buttonInUse[3] = true;
             for (int i = 0; i < kFeatureCount; ++i) c.featureInUse[i] = true;
             c.features[0].Set("WAVE", "start.wav");
             c.features[2].Set("MIDI", "");
             c.features[4].Set("RUN", "calc");
             c.movie2 = {true, 1, 40, 60, 6, "75.5", "intro.avi"};
             c.marker = {true, 13, 11, false};
             c.slide = {true, 10, {"main.zep", "next.zep"}};
         }},
        {"features off, marker off, movie in its own window",
         [](Card& c, FakeFiles&) {
             c.settings.name = "sub";
             c.movie2 = {true, 0, 3000, 0, 0, "100.0", ""};
             c.marker = {true, 9, 3, true};
         }},
    };
    for (const auto& c : cases) {
        Card card = NewCard();
        FakeFiles files;
        c.build(card, files);
        ExpectStableRoundTrip(card, files, c.what);
    }
}

// A card without a title statement: written by the editor it has an empty title, which the
// next save leaves out again; made by hand it gets the new card's title.
TEST(RoundTrip, CardsWithoutATitleStatement) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        const char* fileName;
        std::string title;
    };
    const std::vector<Case> cases = {
        {"written by the editor", {HeaderMarkerLine(), "card {sub}", "\tnew {RED}", "end"}, "sub.zep", ""},
        {"made by hand", {"card {sub}", "\tnew {RED}", "end"}, "sub.zep", S("ZEPOマクロ")},
        {"marker further down is no marker",
         {"card {sub}", "'x", HeaderMarkerLine(), "end"},
         "sub.zep",
         S("ZEPOマクロ")},
        {"main card written by the editor", {"ZEPO:x", HeaderMarkerLine(), "card {main}", "end"}, "main.zep", ""},
        {"empty title statement", {HeaderMarkerLine(), "card {sub}", "\ttitle {}", "end"}, "sub.zep", ""},
    };
    for (const auto& c : cases) {
        RecordingMessages messages;
        FakeFiles files;
        GridMeasurer measurer;
        ReaderContext ctx{messages, files, measurer};
        Card card;
        LoadMacro(card, c.lines, c.fileName, ctx);
        EXPECT_EQ(card.settings.title, c.title) << c.what;
    }

    // Left empty in the card settings, the title stays empty however often the card is saved.
    Card card = NewCard();
    card.settings.name = "sub";
    card.settings.title.clear();
    FakeFiles files;
    ExpectStableRoundTrip(card, files, "card whose title was left empty");
}

// Files made by hand or cut short: the first save may change them, but what it writes must
// read back as itself, with every argument where it was written.
TEST(RoundTrip, HandMadeFilesSettleAfterOneSave) {
    struct Case {
        const char* what;
        std::string line;
        std::string written;
    };
    const std::string a = "\x83\x41";  // ア
    const std::vector<Case> cases = {
        {"text cut off after a lead byte", "\ttext {1,2}{ab\x83", "\ttext   {1,2}{ab}{0}"},
        {"association cut off after a lead byte", "\ttext {1,2}{ab}{2}{next,x\x83", "\ttext   {1,2}{ab}{2}{next,x}"},
        // Too wide for an int: pulled in far off screen at both ends; the part on the card stays.
        {"frame corners at both ends of the number range", "\tframe {-2147483648,0}{2147483647,5}{FA}",
         "\tframe  {-1073741823,0}{1073741823,5}{FA}"},
        {"frame far off to the left", "\tframe {-2147483648,0}{-2147483000,5}{FA}",
         "\tframe  {-2147483648,0}{-2147483000,5}{FA}"},
        {"slide entry whose last four bytes split a character", "\t@slide {5}\r\n\t\t{x,x.zep" + a + "bcd}\r\n\t@end",
         "\t\t{x.zep,x.zep" + a + "bcd}"},
        // A vertical text's x is its right edge, whatever the width of its column.
        {"vertical text in bold", "\tfont {JM2}{32}{0}\r\n\tfont2 {1}{0}\r\n\ttext2 {600,40}{" + a + a + "}{0}",
         "\ttext2  {600,40}{" + a + a + "}{0}"},
        {"vertical text of half-width characters", "\tfont {JG2}{20}{0}\r\n\ttext2 {600,40}{ab}{1}",
         "\ttext2  {600,40}{ab}{1}"},
        {"empty vertical text", "\ttext2 {600,40}{}{0}", "\ttext2  {600,40}{}{0}"},
        // Readers take the file name from after the first comma; the stem must not move it.
        {"slide entry with a comma in its file name", "\t@slide {5}\r\n\t\t{x,a,b.zep}\r\n\t@end", "\t\t{a_b,a,b.zep}"},
    };
    for (const auto& c : cases) {
        RecordingMessages messages;
        FakeFiles files;
        GridMeasurer measurer;
        ReaderContext ctx{messages, files, measurer};
        Card card;
        ASSERT_TRUE(LoadMacro(card, SplitLines("card {x}\r\n" + c.line + "\r\nend\r\n"), "x.zep", ctx).completed)
            << c.what;
        std::vector<std::string> first;
        ASSERT_TRUE(WriteAsSaved(card, first)) << c.what;
        EXPECT_NE(JoinMacroLines(first).find(c.written + "\r\n"), std::string::npos) << c.what;
        Card back;
        ASSERT_TRUE(LoadMacro(back, first, "x.zep", ctx).completed) << c.what;
        std::vector<std::string> second;
        ASSERT_TRUE(WriteAsSaved(back, second)) << c.what;
        EXPECT_EQ(JoinMacroLines(second), JoinMacroLines(first)) << c.what;
    }
}

// Every slide entry the reader can produce comes back as itself: the file name after the
// comma is what is read, whatever the stem in front of it looks like.
TEST(RoundTrip, SlideEntriesReadBackAsTheyWereWritten) {
    struct Case {
        const char* what;
        std::string entry;
        std::string written;
    };
    const std::string ma = "\x83\x7d";                                               // マ: its second byte is "}"
    const std::string so = "\x83\x5c";                                               // ソ: its second byte is "\\"
    const std::string fifty = "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,xy.zep";  // as long as the reader keeps
    const std::vector<Case> cases = {
        {"plain", "next.zep", "{next,next.zep}"},
        {"one comma", "a,b.zep", "{a_b,a,b.zep}"},
        {"commas only", ",,.zep", "{__,,,.zep}"},
        {"comma right before the extension", "a,.zep", "{a_,a,.zep}"},
        {"fifty bytes of commas and letters", fifty, "{a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s_t_u_v_xy," + fifty + "}"},
        {"opening braces", "{a{.zep", "{{a{,{a{.zep}"},
        {"blanks and a tab", " a b\t.zep ", "{ a b\t., a b\t.zep }"},
        {"extension in the middle", "a.zep.old", "{a.zep,a.zep.old}"},
        {"upper-case extension is not enough alone", "x.zep.ZEP", "{x.zep,x.zep.ZEP}"},
        {"quote and end marker", "'@end.zep", "{'@end,'@end.zep}"},
        {"two-byte characters whose second byte is a separator", ma + so + ",.zep",
         "{" + ma + so + "_," + ma + so + ",.zep}"},
        // A lead byte takes the comma after it as its second byte: that comma is no separator.
        {"lead byte before a comma", "\x83,x.zep", "{\x83,x,\x83,x.zep}"},
        {"stem cut before a split character", "a,.zep" + ma + "bcd", "{a_.zep,a,.zep" + ma + "bcd}"},
    };
    for (const auto& c : cases) {
        Card card = NewCard();
        card.settings.name = "x";
        card.slide = {true, 7, {c.entry, "last.zep"}};
        std::vector<std::string> first;
        ASSERT_TRUE(WriteAsSaved(card, first)) << c.what;
        EXPECT_NE(std::find(first.begin(), first.end(), "\t\t" + c.written), first.end()) << c.what;
        EXPECT_FALSE(FindLongLine(first)) << c.what;

        RecordingMessages messages;
        FakeFiles files;
        GridMeasurer measurer;
        ReaderContext ctx{messages, files, measurer};
        Card back;
        LoadOutcome out = LoadMacro(back, first, "x.zep", ctx);
        EXPECT_TRUE(out.completed) << c.what;
        EXPECT_TRUE(out.diagnostics.empty()) << c.what;
        EXPECT_EQ(back.slide.list, card.slide.list) << c.what;
        std::vector<std::string> second;
        ASSERT_TRUE(WriteAsSaved(back, second)) << c.what;
        EXPECT_EQ(second, first) << c.what;
    }
}

}  // namespace
}  // namespace zepo

namespace zepo {
namespace {
using namespace test;

// Glyphs narrower or wider than their cell, bold ones and half-width ones: a vertical
// text's column is one font height wide all the same.
struct UnevenMeasurer : TextMeasurer {
    int TextWidth(std::string_view text, const FontSpec& font) override {
        return static_cast<int>(text.size()) * font.height * 13 / 40 + (font.bold ? 3 : 0);
    }
};

TEST(RoundTrip, AVerticalTextKeepsItsPlaceOnEverySave) {
    for (const char* caption : {"∑∑", "あ", "ab", ""}) {
        for (bool bold : {false, true}) {
            std::vector<std::string> lines = {"card {v}", "\tfont2  {" + std::string(bold ? "1" : "0") + "}{0}{0}",
                                              "\ttext2  {200,30}{" + S(caption) + "}", "end"};
            std::string previous;
            for (int save = 0; save < 3; ++save) {
                RecordingMessages messages;
                FakeFiles files;
                UnevenMeasurer measurer;
                ReaderContext ctx{messages, files, measurer};
                Card card;
                LoadMacro(card, lines, "v.zep", ctx);
                EXPECT_EQ(card.slot(0).bounds.width, card.slot(0).font.height) << caption;
                ASSERT_TRUE(WriteAsSaved(card, lines));
                const std::string written = JoinMacroLines(lines);
                EXPECT_NE(written.find("{200,30}"), std::string::npos) << caption << "\n" << written;
                if (save > 0) {
                    EXPECT_EQ(written, previous) << caption;
                }
                previous = written;
            }
        }
    }
}

}  // namespace
}  // namespace zepo

namespace zepo {
namespace {
using namespace test;

// Every braced field with every ASCII punctuation character inside it: the character comes
// back exactly when the field does not refuse it, so the refused set is neither too small
// (a text lost on saving) nor too large (a file a card could name, hidden).
TEST(RoundTrip, EachFieldRefusesExactlyWhatDoesNotComeBack) {
    struct Case {
        CardField field;
        const char* suffix;
        std::function<void(Card&, FakeFiles&, const std::string&)> put;
        std::function<std::string(const Card&)> get;
    };
    auto frame = [](const Card& c) { return c.slot(SlotKind::Frame, 1).frame.association; };
    const Case cases[] = {
        {CardField::Title, "", [](Card& c, FakeFiles&, const std::string& v) { c.settings.title = v; },
         [](const Card& c) { return c.settings.title; }},
        {CardField::CardName, "",
         [](Card& c, FakeFiles&, const std::string& v) {
             AddFrame(c, {0, 0, 9, 9}, kWhite, 0, {v, v + ".zep"});
         },
         [&](const Card& c) { return frame(c).file == frame(c).name + ".zep" ? frame(c).name : "?"; }},
        {CardField::Caption, "", [](Card& c, FakeFiles&, const std::string& v) { AddText(c, 5, 5, v); },
         [](const Card& c) { return c.slot(SlotKind::OneLineText, 1).caption; }},
        {CardField::TextFile, ".txt",
         [](Card& c, FakeFiles& f, const std::string& v) {
             f.texts[v] = {"x"};
             AddTextBlock(c, 5, 5, v, {"x"});
         },
         [](const Card& c) { return c.slot(SlotKind::TextBlock, 1).block.fileName; }},
        {CardField::PictureFile, ".bmp",
         [](Card& c, FakeFiles& f, const std::string& v) {
             f.pictures[v] = {4, 4};
             AddPicture(c, 5, 5, v, {4, 4});
         },
         [](const Card& c) { return c.slot(SlotKind::Picture, 1).picture.fileName; }},
        {CardField::AssociationName, "",
         [](Card& c, FakeFiles&, const std::string& v) {
             AddFrame(c, {0, 0, 9, 9}, kWhite, 0, {v, "f.zep"});
             c.buttons[2].Set(v, "f.zep");
             c.buttonInUse[2] = true;
         },
         [&](const Card& c) { return frame(c).name == c.buttons[2].name ? frame(c).name : "?"; }},
        {CardField::AssociationFile, ".wav",
         [](Card& c, FakeFiles&, const std::string& v) {
             AddFrame(c, {0, 0, 9, 9}, kWhite, 0, {"WAVE", v});
             c.buttons[2].Set("RUN", v);
             c.buttonInUse[2] = true;
         },
         [&](const Card& c) { return frame(c).file == c.buttons[2].file ? frame(c).file : "?"; }},
        {CardField::FeatureFile, ".mid",
         [](Card& c, FakeFiles&, const std::string& v) {
             c.features[2].Set("MIDI", v);
             c.features[4].Set("RUN", v);
             c.featureInUse[2] = c.featureInUse[4] = true;
         },
         [](const Card& c) { return c.features[2].file == c.features[4].file ? c.features[2].file : "?"; }},
        {CardField::Movie2File, ".avi",
         [](Card& c, FakeFiles&, const std::string& v) { c.movie2 = {true, 0, 10, 10, 0, "100.0", v}; },
         [](const Card& c) { return c.movie2.movieFile; }},
        {CardField::SlideEntry, ".zep",
         [](Card& c, FakeFiles&, const std::string& v) {
             c.slide = {true, 3, {v}};
         },
         [](const Card& c) { return c.slide.list.empty() ? std::string() : c.slide.list[0]; }},
    };
    for (const Case& c : cases) {
        for (char p = '!'; p <= '~'; ++p) {
            if (std::isalnum(static_cast<unsigned char>(p))) continue;
            const std::string value = std::string("a") + p + "b" + c.suffix;
            SCOPED_TRACE(testing::PrintToString(c.field));
            SCOPED_TRACE(value);
            Card card = NewCard();
            FakeFiles files;
            c.put(card, files, value);
            std::vector<std::string> lines;
            ASSERT_TRUE(WriteAsSaved(card, lines));
            RecordingMessages messages;
            GridMeasurer measurer;
            ReaderContext ctx{messages, files, measurer};
            Card back;
            LoadMacro(back, lines, "main.zep", ctx);
            const bool refused = UnreadableCharacters(c.field).find(p) != std::string_view::npos;
            EXPECT_EQ(c.get(back) == value, !refused);
        }
    }
}

}  // namespace
}  // namespace zepo
