#include <gtest/gtest.h>

#include "CardBuilder.h"
#include "model/MacroFile.h"
#include "model/MacroReader.h"

namespace zepo {
namespace {
using namespace test;

struct Reading {
    Card card;
    RecordingMessages messages;
    FakeFiles files;
    GridMeasurer measurer;
    LoadOutcome outcome;

    // Reads a card file given as UTF-8 lines, named `fileName`.
    void Read(const std::vector<std::string>& utf8Lines, std::string_view fileName = "test.zep") {
        std::vector<std::string> lines;
        for (const auto& l : utf8Lines) lines.push_back(S(l));
        ReaderContext ctx{messages, files, measurer};
        outcome = LoadMacro(card, lines, S(fileName), ctx);
    }
    const Slot& At(int stackIndexFromFront) {
        auto used = card.UsedSlotsInStackingOrder();
        return card.slot(used.at(used.size() - 1 - stackIndexFromFront));
    }
    int Count(ReadNote kind) const {
        return static_cast<int>(std::count_if(outcome.diagnostics.begin(), outcome.diagnostics.end(),
                                              [&](auto& d) { return d.kind == kind; }));
    }
};

std::vector<std::string> CardLines(std::vector<std::string> statements) {
    statements.insert(statements.begin(), "card {x}");
    return statements;
}

TEST(MacroReader, CardSettings) {
    Reading r;
    r.card.settings.editMode = 2;
    r.Read({"ZEPO:タイトル", "'comment", "title {before card}", "card {ignored}", "\ttitle  {題名}", "\tnew    {CYAN2}",
            "\tedit   {1}", "\tcursor {0}", "card {again}", "end"},
           "会議.zep");
    EXPECT_THAT(r.card.settings.name, SjisIs("会議"));
    EXPECT_THAT(r.card.settings.title, SjisIs("題名"));
    EXPECT_EQ(r.card.settings.color, 6);
    EXPECT_EQ(r.card.settings.editMode, 1);
    EXPECT_EQ(r.card.settings.fingerCursor, 2);
    EXPECT_TRUE(r.outcome.completed);
    EXPECT_EQ(r.Count(ReadNote::IgnoredStatement), 2);  // the title before card, the second card
    EXPECT_TRUE(r.messages.warnings.empty());
}

TEST(MacroReader, EditAndCursorValues) {
    struct Case {
        const char* value;
        int mode;
    };
    for (auto c : {Case{"1", 1}, Case{"0", 2}, Case{"2", 0}, Case{"", 0}}) {
        Reading r;
        r.Read(CardLines({std::string("\tedit {") + c.value + "}", std::string("\tcursor {") + c.value + "}"}));
        EXPECT_EQ(r.card.settings.editMode, c.mode) << c.value;
        EXPECT_EQ(r.card.settings.fingerCursor, c.mode) << c.value;
    }
}

TEST(MacroReader, FileWithoutCardIsAnEmptyNewCard) {
    Reading r;
    AddFrame(r.card, {0, 0, 5, 5});
    r.Read({"\tnew {RED}", "\tframe {1,1}{5,5}{0}", "end"}, "hand.zep");
    EXPECT_TRUE(r.card.UsedSlotsInStackingOrder().empty());
    EXPECT_EQ(r.card.settings.name, "main");
    EXPECT_EQ(r.card.settings.color, kWhite);
    EXPECT_EQ(r.card.settings.editMode, 0);
}

TEST(MacroReader, FontStatement) {
    struct Case {
        std::vector<std::string> statements;
        const char* code;
        int height;
        int pitch;
    };
    const std::vector<Case> cases = {
        {{"\tfont {XX}{2}"}, "JM", 4, 0},
        {{"\tfont {JG}{30}", "\tfont {JG}"}, "JG", 30, 0},
        {{"\tfont {EM}{5000}{0,900}"}, "EM", 1000, 500},
        {{"\tfont {JG2}{10}{0,-3}"}, "JG2", 10, 0},
        {{"\tfont {EG}{999}{0,12}", "\tfont {jm}"}, "JM", 999, 12},
    };
    for (const auto& c : cases) {
        Reading r;
        r.files.texts[S("a.txt")] = {"abc"};
        auto lines = CardLines(c.statements);
        lines.push_back("\ttextf {0,0}{a.txt}{0}");
        r.Read(lines);
        const Slot& s = r.At(0);
        EXPECT_EQ(FontCode(s.font.face, 0), std::string_view(c.code).substr(0, 2));
        EXPECT_EQ(s.font.height, c.height);
        EXPECT_EQ(s.block.linePitch, c.pitch);
    }
}

TEST(MacroReader, StyleStateCarriesBetweenObjects) {
    Reading r;
    r.Read(CardLines({"\ttext {1,1}{a}{0}",                          // defaults: black on white, JM 20
                      "\tcolor {}{GRAY}", "\tframe {0,0}{9,9}{FA}",  // a frame group sets the background
                      "\tfont2 {1}{1}", "\tfont {JG}{30}",
                      "\ttext {2,2}{b}{0}",  // no colour of its own: GRAY background
                      "\tcolor {RED}", "\ttext {3,3}{c}{1}"}));
    const Slot& first = r.card.slot(SlotKind::OneLineText, 1);
    EXPECT_EQ(first.text.textColor, kBlack);
    EXPECT_EQ(first.text.backColor, kWhite);
    EXPECT_EQ(first.font, (FontSpec{Typeface::Mincho, 20, false, false}));
    const Slot& second = r.card.slot(SlotKind::OneLineText, 2);
    EXPECT_EQ(second.text.backColor, ColorIndex("GRAY"));
    EXPECT_EQ(second.font, (FontSpec{Typeface::Gothic, 30, true, true}));
    const Slot& third = r.card.slot(SlotKind::OneLineText, 3);
    EXPECT_EQ(third.text.textColor, kRed);
    EXPECT_EQ(third.text.backColor, ColorIndex("GRAY"));
    EXPECT_EQ(r.card.slot(SlotKind::Frame, 1).frame.color, ColorIndex("GRAY"));
    EXPECT_EQ(r.card.remembered.textColor, kRed);
    EXPECT_EQ(r.card.remembered.frameColor, ColorIndex("GRAY"));
}

TEST(MacroReader, OneLineTexts) {
    Reading r;
    r.Read(CardLines(
        {"\ttext {5,7}{a,b}{1}", "\ttext2 {224,5}{たて}{FD}{next,next.zep}", "\ttext {0,0}{x}{2}", "\ttext {0,0}{y}"}));
    const Slot& a = r.card.slot(SlotKind::OneLineText, 1);
    EXPECT_EQ(a.caption, "a,b");
    EXPECT_EQ(a.bounds, (Rect{5, 7, 30, 20}));  // three one-byte characters of 10 pixels
    EXPECT_EQ(a.text.decoration, 1);
    EXPECT_FALSE(a.transparent);
    const Slot& v = r.card.slot(SlotKind::OneLineText, 2);
    EXPECT_EQ(v.text.direction, 1);
    EXPECT_TRUE(v.wordWrap);
    EXPECT_EQ(v.bounds, (Rect{204, 5, 20, 40}));  // left = x − height; one column of two rows
    EXPECT_EQ(v.text.decoration, 0);              // FD is no decoration …
    EXPECT_FALSE(v.transparent);                  // … but only "0" and "2" are transparent
    EXPECT_EQ(v.text.association.name, "next");
    EXPECT_EQ(v.text.association.file, "next.zep");
    EXPECT_TRUE(r.card.slot(SlotKind::OneLineText, 3).transparent);
    EXPECT_TRUE(r.card.slot(SlotKind::OneLineText, 4).transparent);  // no decoration argument
}

TEST(MacroReader, SlotExhaustionIgnoresTheStatementButChecksTheKind) {
    std::vector<std::string> statements;
    for (int i = 0; i < 21; ++i) statements.push_back("\ttext {" + std::to_string(i) + ",0}{t}{0}");
    for (int i = 0; i < 11; ++i) statements.push_back("\tframe {" + std::to_string(i) + ",0}{20,20}{0}");
    Reading r;
    r.Read(CardLines(statements));
    EXPECT_EQ(r.card.UsedSlotsInStackingOrder().size(), 30u);
    EXPECT_EQ(r.card.slot(SlotKind::OneLineText, 20).bounds.left, 19);
    EXPECT_TRUE(r.card.parentChecked[static_cast<int>(SlotKind::OneLineText)]);
    EXPECT_EQ(r.Count(ReadNote::NoFreeSlot), 2);
    EXPECT_TRUE(r.messages.warnings.empty());
}

TEST(MacroReader, ObjectsComeBackInFileOrder) {
    Reading r;
    r.files.pictures[S("p.bmp")] = {4, 4};
    r.Read(CardLines(
        {"\tframe {0,0}{9,9}{0}", "\ttext {1,1}{a}{0}", "\tbitmap {2,2}{p.bmp,100.0}{0}", "\tframe {3,3}{9,9}{0}"}));
    auto used = r.card.UsedSlotsInStackingOrder();
    EXPECT_EQ(used, (std::vector<int>{SlotId(SlotKind::Frame, 1), SlotId(SlotKind::OneLineText, 1),
                                      SlotId(SlotKind::Picture, 1), SlotId(SlotKind::Frame, 2)}));
}

TEST(MacroReader, Pictures) {
    struct Case {
        const char* arg;
        bool stretch;
        float scale;
        int w, h;
    };
    const std::vector<Case> cases = {
        {"p.bmp", false, 1.0f, 101, 51},       {"p.bmp,100.0", false, 1.0f, 101, 51},
        {"p.bmp,100.04", true, 1.0f, 101, 51}, {"p.bmp,150.0", true, 1.5f, 152, 76},  // 151.5 and 76.5: ties go to even
        {"p.bmp,5", true, 0.1f, 10, 5},        {"p.bmp,20000", true, 100.0f, 10100, 5100},
        {"p.bmp,33.35", true, 0.334f, 34, 17},
    };
    for (const auto& c : cases) {
        Reading r;
        r.files.pictures[S("p.bmp")] = {101, 51};
        r.Read(CardLines({std::string("\tbitmap {3,4}{") + c.arg + "}{FB2}{WAVE,w.wav}"}));
        const Slot& s = r.card.slot(SlotKind::Picture, 1);
        SCOPED_TRACE(c.arg);
        EXPECT_EQ(s.stretch, c.stretch);
        EXPECT_FLOAT_EQ(s.picture.scale, c.scale);
        EXPECT_EQ(s.bounds, (Rect{3, 4, c.w, c.h}));
        EXPECT_EQ(s.picture.frame, 4);
        EXPECT_EQ(s.picture.association.file, "w.wav");
        EXPECT_EQ(s.picture.naturalWidth, 101);
    }
}

TEST(MacroReader, MissingFilesAreReportedAndKeptAsPlaceholders) {
    Reading r;
    r.Read(CardLines({"\tbitmap {0,0}{gone.bmp,50.0}{0}", "\ttextf {0,0}{}{0}", "\ttextf2 {300,5}{gone.txt}{0}",
                      "\tframe {0,0}{1,1}{0}"}));
    EXPECT_EQ(r.messages.warnings,
              (std::vector<std::string>{"ﾋﾞｯﾄﾏｯﾌﾟ gone.bmp の読み込みに失敗しました",
                                        "文字ファイルが指定されていません", "gone.txt が読めません"}));
    EXPECT_EQ(r.card.UsedSlotsInStackingOrder().size(), 3u) << "only the block that names no file is dropped";
    EXPECT_EQ(r.card.slot(SlotKind::Picture, 1).bounds, (Rect{0, 0, kPlaceholderWidth / 2, kPlaceholderHeight / 2}));
    EXPECT_TRUE(r.card.slot(SlotKind::TextBlock, 1).block.fileMissing);
    EXPECT_EQ(r.card.slot(SlotKind::TextBlock, 1).bounds,
              (Rect{300 - kPlaceholderWidth, 5, kPlaceholderWidth, kPlaceholderHeight}))
        << "a vertical block's x is its right edge; the placeholder lies as wide as a missing picture";
    EXPECT_TRUE(r.card.parentChecked[static_cast<int>(SlotKind::Picture)]);
    EXPECT_EQ(r.files.entered, 3);
    EXPECT_EQ(r.Count(ReadNote::Message), 3);
    EXPECT_EQ(r.outcome.diagnostics[0].line, 2);
}

TEST(MacroReader, TextBlockNamingOnlyAFolderNamesNoFile) {
    Reading r;
    r.Read(CardLines({"\ttextf {0,0}{dir/}{0}", "\ttextf2 {300,5}{dir\\}{0}"}));
    EXPECT_EQ(r.messages.warnings, (std::vector<std::string>(2, "文字ファイルが指定されていません")));
    EXPECT_TRUE(r.card.UsedSlotsInStackingOrder().empty());
}

TEST(MacroReader, TextBlocks) {
    const std::string kanji = "漢字が含まれているため\r「英字」指定はできません";
    const std::string latinVertical = "「英字」での「タテ書」はできません";
    const std::string halfWidth = "半角文字が含まれているため\r「タテ書」指定はできません";
    struct Case {
        const char* what;
        std::vector<std::string> statements;
        std::vector<std::string> fileLines;
        std::vector<std::string> warnings;
        int direction;
        Typeface face;
        Rect bounds;
    };
    const std::vector<Case> cases = {
        {"horizontal",
         {"\tfont {JM}{20}{0,5}", "\ttextf {10,20}{t.txt}{0}"},
         {"ab", "あいう", "c"},
         {},
         0,
         Typeface::Mincho,
         {10, 20, 60, 3 * 20 + 2 * 5}},
        {"vertical",
         {"\tfont {JG2}{20}{0,4}", "\ttextf2 {100,0}{t.txt}{0}"},
         {"あい", "う"},
         {},
         1,
         Typeface::Gothic,
         {100 - 44, 0, 44, 40}},
        {"vertical off the left edge",
         {"\ttextf2 {10,-5}{t.txt}{0}"},
         {"あい", "う"},
         {},
         1,
         Typeface::Mincho,
         {0, 0, 40, 40}},
        {"latin with kanji falls back to mincho",
         {"\tfont {EM}{20}", "\ttextf {0,0}{t.txt}{0}"},
         {"a", "漢"},
         {kanji},
         0,
         Typeface::Mincho,
         {0, 0, 20, 40}},
        {"latin with kana",
         {"\tfont {EM}{20}", "\ttextf {0,0}{t.txt}{0}"},
         {"a", "かな"},
         {"全角文字が含まれているため\r「英字」指定はできません"},
         0,
         Typeface::Mincho,
         {0, 0, 40, 40}},
        {"latin vertical",
         {"\tfont {EG}{20}", "\ttextf2 {100,0}{t.txt}{0}"},
         {"ab"},
         {latinVertical, halfWidth},
         0,
         Typeface::Arial,
         {100, 0, 20, 20}},
        {"vertical with half-width",
         {"\ttextf2 {100,0}{t.txt}{0}"},
         {"あい", "1"},
         {halfWidth},
         0,
         Typeface::Mincho,
         {100, 0, 40, 40}},
    };
    for (const auto& c : cases) {
        Reading r;
        for (const auto& l : c.fileLines) r.files.texts[S("t.txt")].push_back(S(l));
        r.Read(CardLines(c.statements));
        SCOPED_TRACE(c.what);
        EXPECT_EQ(r.messages.warnings, c.warnings);
        const Slot& s = r.card.slot(SlotKind::TextBlock, 1);
        ASSERT_TRUE(s.inUse);
        EXPECT_EQ(s.block.direction, c.direction);
        EXPECT_EQ(s.font.face, c.face);
        EXPECT_EQ(s.bounds, c.bounds);
        EXPECT_EQ(s.lines.size(), c.fileLines.size());
    }
}

TEST(MacroReader, KanjiFallbackSticksForLaterStatements) {
    Reading r;
    r.files.texts[S("k.txt")] = {S("漢")};
    r.Read(CardLines({"\tfont {EM}{20}", "\ttextf {0,0}{k.txt}{0}", "\ttext {0,0}{abc}{0}"}));
    EXPECT_EQ(r.card.slot(SlotKind::OneLineText, 1).font.face, Typeface::Mincho);
}

TEST(MacroReader, WidestLineIsTheFirstOfEqualWidths) {
    Reading r;
    r.files.texts[S("w.txt")] = {"ab", S("あ"), "cd", "e"};
    r.Read(CardLines({"\ttextf {0,0}{w.txt}{0}"}));
    EXPECT_EQ(r.card.slot(SlotKind::TextBlock, 1).block.widestLine, "ab");
}

TEST(MacroReader, ButtonsAndFeatures) {
    Reading r;
    r.Read(
        CardLines({"\tbutton {7}{bad}", "\tbutton {0}{next,next.zep}", "\tbutton {5}{this}", "\tbutton {}{x}",
                   "\twave    {start.wav}", "\tcdaudio {5}", "\tmidi    {}", "\tavi     {m.avi}", "\trun     {prog a}",
                   "\tavi2    {mv.avi}", "\tavi2opt {1}{5000,-4}{FC}{37.25}", "\tmarker  {GREEN}{25}"}));
    EXPECT_EQ(r.card.buttonInUse, (std::array<bool, 6>{true, false, false, false, false, true}));
    EXPECT_EQ(r.card.buttons[0].file, "next.zep");
    EXPECT_EQ(r.card.buttons[5].name, "this");
    EXPECT_EQ(r.Count(ReadNote::IgnoredStatement), 2);
    EXPECT_EQ(r.card.featureInUse, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(r.card.features[0].name, "WAVE");
    EXPECT_EQ(r.card.features[1].file, "5");
    EXPECT_EQ(r.card.features[2].file, "");
    EXPECT_EQ(r.card.features[4].file, "prog a");
    const Movie2Settings& m = r.card.movie2;
    EXPECT_TRUE(m.inUse);
    EXPECT_EQ(m.movieFile, "mv.avi");
    EXPECT_EQ(m.position, 1);
    EXPECT_EQ(m.x, 3000);
    EXPECT_EQ(m.y, 0);
    EXPECT_EQ(m.frame, 5);
    EXPECT_EQ(m.scaleText, "37.3");
    EXPECT_TRUE(r.card.marker.inUse);
    EXPECT_EQ(r.card.marker.color, ColorIndex("GREEN"));
    EXPECT_EQ(r.card.marker.width, 20);
    EXPECT_FALSE(r.card.marker.off);
}

TEST(MacroReader, MovieScaleOnlyWithTheCardPosition) {
    Reading r;
    r.card.movie2.scaleText = "80.0";
    r.card.movie2.frame = 3;
    r.Read(CardLines({"\tavi2opt {0}{10,20}", "\tmarker  {}"}));
    EXPECT_EQ(r.card.movie2.position, 0);
    EXPECT_EQ(r.card.movie2.frame, 0);
    EXPECT_EQ(r.card.movie2.scaleText, "80.0");
    EXPECT_FALSE(r.card.movie2.inUse);  // only "avi2" switches the feature on
    EXPECT_TRUE(r.card.marker.off);
}

TEST(MacroReader, SlideIntervals) {
    struct Case {
        const char* value;
        int interval;
    };
    for (auto c : {Case{"0", 1}, Case{"x", 3}, Case{"2.5", 3}, Case{"2.1", 3}, Case{"5", 5}, Case{"900", 600},
                   Case{"-4", 1}, Case{"", 3}}) {
        Reading r;
        r.Read(CardLines({std::string("\t@slide  {") + c.value + "}", "\t@end"}));
        EXPECT_EQ(r.card.slide.interval, c.interval) << c.value;
        EXPECT_TRUE(r.card.slide.inUse);
    }
}

TEST(MacroReader, SlideBlock) {
    Reading r;
    r.Read(CardLines({"\t@slide  {4}", "\t\t{a,a.zep}", "\t\t{B,B.ZEP}", "\t\t{x,other}", "\t\t{c,c.zep}", "\t@end",
                      "\ttitle {after}", "end", "\ttitle {never}"}));
    EXPECT_EQ(r.card.slide.list, (std::vector<std::string>{"a.zep", "c.zep"}));
    EXPECT_EQ(r.Count(ReadNote::DroppedSlideEntry), 2);
    EXPECT_EQ(r.card.settings.title, "after");
}

TEST(MacroReader, SlideBlockStopsAtTwentyEntriesOrAtTheLastLine) {
    std::vector<std::string> statements = {"\t@slide {3}"};
    for (int i = 0; i < 22; ++i)
        statements.push_back("\t\t{c" + std::to_string(i) + ",c" + std::to_string(i) + ".zep}");
    statements.push_back("\t@end");
    statements.push_back("\tnew {RED}");
    Reading r;
    r.Read(CardLines(statements));
    EXPECT_EQ(r.card.slide.list.size(), 20u);
    EXPECT_EQ(r.card.slide.list.back(), "c19.zep");
    EXPECT_EQ(r.Count(ReadNote::UnknownStatement), 3);  // two entries and the late "@end"
    EXPECT_EQ(r.card.settings.color, kRed);

    Reading open;
    open.Read(CardLines({"\t@slide {3}", "\t\t{a,a.zep}"}));
    EXPECT_EQ(open.card.slide.list, (std::vector<std::string>{"a.zep"}));
    EXPECT_TRUE(open.card.slide.inUse);
}

TEST(MacroReader, NumberThatDoesNotConvertStopsWithItsLine) {
    Reading r;
    r.Read(CardLines({"\tframe {1,1}{5,5}{0}", "\ttext {1x,2}{a}{0}", "\tframe {2,2}{5,5}{0}"}));
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_EQ(r.messages.warnings,
              std::vector<std::string>{"3 行目の「1x」は数値ではありません。\r読み込みをここで中止しました"});
    EXPECT_EQ(r.card.UsedSlotsInStackingOrder().size(), 1u);  // what was read stays
    EXPECT_EQ(r.outcome.diagnostics.back().kind, ReadNote::Stopped);

    for (const char* bad : {"\tfont {JM}{big}", "\tmarker {RED}{}", "\tavi2opt {1}{a,1}", "\tframe {1,1}{5,}{0}",
                            "\tavi2opt {1}{1,1}{0}{x}"}) {
        Reading s;
        s.Read(CardLines({bad, "\tnew {RED}"}));
        EXPECT_FALSE(s.outcome.completed) << bad;
        EXPECT_EQ(s.card.settings.color, kWhite) << bad;
    }
}

TEST(MacroReader, SaveFolderThatCannotBeEnteredStopsAtTextBlocksAndPictures) {
    Reading r;
    r.files.enterable = false;
    r.Read(CardLines({"\tframe {1,1}{5,5}{0}", "\tbitmap {0,0}{p.bmp}{0}", "\tframe {2,2}{5,5}{0}"}));
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_EQ(r.card.UsedSlotsInStackingOrder().size(), 1u);
    ASSERT_EQ(r.messages.warnings.size(), 1u);
}

TEST(MacroReader, ReversedFrameCornersStillGiveAVisibleFrame) {
    Reading r;
    r.Read(CardLines({"\tframe {50,50}{10,10}{0}"}));
    EXPECT_EQ(r.card.slot(SlotKind::Frame, 1).bounds, (Rect{50, 50, 1, 1}));
}

TEST(MacroReader, UnknownStatementsAreNotedAndSkipped) {
    Reading r;
    r.Read(CardLines({"\tsound {x}", "  'late comment", "\tNEW {RED}", "\tnew {RED}"}));
    EXPECT_EQ(r.Count(ReadNote::UnknownStatement), 3);
    EXPECT_EQ(r.card.settings.color, kRed);
}

}  // namespace
}  // namespace zepo

namespace zepo {
namespace {
using namespace test;

// Millions of statements past the last free slot keep a bounded number of notes; the rest
// are counted, so nothing said about the card is lost.
TEST(MacroReader, NotesOfOneKindAreCappedAndCounted) {
    std::vector<std::string> statements;
    const size_t extra = kMaxNotesPerKind + 250;
    for (size_t i = 0; i < 20 + extra; ++i) statements.push_back("\ttext {0,0}{t}{0}");
    for (int i = 0; i < 3; ++i) statements.push_back("\tunknown {x}");
    Reading r;
    r.Read(CardLines(statements));
    EXPECT_EQ(r.Count(ReadNote::NoFreeSlot), static_cast<int>(kMaxNotesPerKind));
    EXPECT_EQ(r.outcome.omitted[static_cast<size_t>(ReadNote::NoFreeSlot)], 250u);
    EXPECT_EQ(r.Count(ReadNote::UnknownStatement), 3) << "each kind has its own allowance";
    EXPECT_EQ(r.outcome.omitted[static_cast<size_t>(ReadNote::UnknownStatement)], 0u);
}

// An argument far longer than any line can be written is kept only up to a bound, whole
// characters only, so one huge line costs little to read and to measure.
TEST(MacroReader, HugeArgumentsAreBounded) {
    std::string caption;
    for (int i = 0; i < 5000; ++i) caption += S("あ");
    const ParsedLine p = ParseMacroLine("\ttext {1,2}{" + caption + "}{0}");
    EXPECT_EQ(p.arg1, "1");
    EXPECT_EQ(p.arg3, "0") << "what follows a long argument is still read";
    EXPECT_LT(p.arg2Whole.size(), caption.size());
    EXPECT_GT(p.arg2Whole.size(), kMaxMacroLineBytes);
    EXPECT_EQ(p.arg2Whole.size() % 2, 0u) << "never half a character";
    EXPECT_EQ(p.arg2Whole, caption.substr(0, p.arg2Whole.size()));
}

}  // namespace
}  // namespace zepo
