#include <gtest/gtest.h>

#include "CardBuilder.h"
#include "model/MacroWriter.h"

namespace zepo {
namespace {
using namespace test;

TEST(Card, ProgramStartKeepsTheDialogsInitialEditMode) {
    Card card;
    EXPECT_EQ(card.settings.name, "main");
    EXPECT_THAT(card.settings.title, SjisIs("ZEPOマクロ"));
    EXPECT_EQ(card.settings.editMode, 2);
    ResetCard(card);
    EXPECT_EQ(card.settings.editMode, 0);
}

TEST(Card, SlotsAreTakenLowestFirstAndNumberedPerKind) {
    Card card = NewCard();
    EXPECT_EQ(card.FreeSlot(SlotKind::Frame), SlotId(SlotKind::Frame, 1));
    card.slot(SlotKind::Frame, 1).inUse = true;
    card.slot(SlotKind::Frame, 3).inUse = true;
    EXPECT_EQ(card.FreeSlot(SlotKind::Frame), SlotId(SlotKind::Frame, 2));
    for (int n = 1; n <= 10; ++n) card.slot(SlotKind::Frame, n).inUse = true;
    EXPECT_EQ(card.FreeSlot(SlotKind::Frame), -1);
    EXPECT_EQ(NumberOfSlot(SlotId(SlotKind::Frame, 10)), 10);
    EXPECT_EQ(KindOfSlot(24), SlotKind::TextBlock);
    EXPECT_EQ(KindOfSlot(25), SlotKind::Picture);
}

TEST(Card, BringToFrontKeepsEverySlotOnce) {
    Card card = NewCard();
    card.BringToFront(5);
    card.BringToFront(0);
    ASSERT_EQ(card.stacking.size(), 40u);
    EXPECT_EQ(card.stacking[38], 5);
    EXPECT_EQ(card.stacking[39], 0);
    EXPECT_EQ(card.stacking[0], 1);
}

TEST(Card, ResetLeavesNothingToWrite) {
    Card card = NewCard();
    AddText(card, 1, 1, "あ", 0, {}, {"next", "next.zep"});
    AddFrame(card, {0, 0, 20, 20});
    card.buttons[2].Set("this", "");
    card.buttonInUse[2] = true;
    card.features[4].Set("RUN", "prog.exe");
    card.featureInUse = {true, true, true, true, true};
    card.movie2.inUse = true;
    card.movie2.x = 77;
    card.marker.inUse = true;
    card.marker.width = 9;
    card.slide.inUse = true;
    card.slide.list = {"a.zep"};
    card.slot(SlotKind::TextBlock, 1).block.widestLine = "keep";
    UpdateParentChecks(card);

    ResetCard(card);
    std::vector<std::string> lines;
    ASSERT_TRUE(WriteAsSaved(card, lines));
    std::vector<std::string> expected = {S("ZEPO:ZEPOマクロ"),
                                         S("'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)"),
                                         "'" + std::string(65, '='),
                                         S("'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)"),
                                         "'" + std::string(65, '='),
                                         "card {main}",
                                         S("\ttitle  {ZEPOマクロ}"),
                                         "\tnew    {WHITE}",
                                         "",
                                         "end"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(card.parentChecked, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_EQ(card.marker.width, 3);
    EXPECT_EQ(card.marker.color, kRed);
    EXPECT_EQ(card.slide.interval, 3);
    // Kept: the movie-2 settings, the RUN text and the text block's widest line.
    EXPECT_EQ(card.movie2.x, 77);
    EXPECT_EQ(card.features[4].file, "prog.exe");
    EXPECT_EQ(card.slot(SlotKind::TextBlock, 1).block.widestLine, "keep");
    EXPECT_TRUE(card.buttons[2].name.empty());
}

TEST(Card, ParentChecksFollowTheSlots) {
    Card card = NewCard();
    card.parentChecked = {true, true, true, false};
    card.slot(SlotKind::Frame, 7).inUse = true;
    UpdateParentChecks(card);
    EXPECT_EQ(card.parentChecked, (std::array<bool, 4>{false, false, false, true}));

    card.slot(SlotKind::Picture, 2).inUse = true;
    UpdateParentChecks(card);
    EXPECT_TRUE(card.parentChecked[static_cast<int>(SlotKind::Picture)]);
    card.slot(SlotKind::Picture, 2).inUse = false;
    UpdateParentChecks(card);
    EXPECT_FALSE(card.parentChecked[static_cast<int>(SlotKind::Picture)]);
}

TEST(Card, AssociationTextsAreCutToTheirLimits) {
    Association a;
    a.Set(std::string(30, 'n'), std::string(60, 'f'));  // a RUN command line of 60 bytes
    EXPECT_EQ(a.name, std::string(20, 'n'));
    EXPECT_EQ(a.file, std::string(50, 'f'));
    a.Set(S("あいうえおかきくけこさ"), "");  // 22 bytes: the eleventh character goes whole
    EXPECT_THAT(a.name, SjisIs("あいうえおかきくけこ"));
}

}  // namespace
}  // namespace zepo

namespace zepo {
namespace {

// The kind words are exact: a card may well be called "wave" or "This".
TEST(AssociationKinds, AreToldApartByTheExactWord) {
    const struct {
        const char* name;
        AssociationKind kind;
        bool medium;
    } cases[] = {
        {"", AssociationKind::None, false},           {"WAVE", AssociationKind::Wave, true},
        {"CDAUDIO", AssociationKind::CdAudio, false}, {"MIDI", AssociationKind::Midi, true},
        {"AVI", AssociationKind::Movie, true},        {"RUN", AssociationKind::Run, false},
        {"this", AssociationKind::This, false},       {"wave", AssociationKind::Card, false},
        {"This", AssociationKind::Card, false},       {"next", AssociationKind::Card, false},
    };
    for (const auto& c : cases) {
        const Association a{c.name, "f"};
        EXPECT_EQ(a.kind(), c.kind) << c.name;
        EXPECT_EQ(a.isMedium(), c.medium) << c.name;
        if (c.kind != AssociationKind::Card && c.kind != AssociationKind::None) {
            EXPECT_EQ(AssociationName(c.kind), c.name);
        }
    }
}

}  // namespace
}  // namespace zepo
