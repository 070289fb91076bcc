// The marker and slide dialogs' own rules, and the movie dialog's placement rule.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FileList.h"
#include "dialogs/MarkerDialog.h"
#include "dialogs/Movie2Dialog.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SlideDialog.h"

namespace zepo {
namespace {
using namespace test;

TEST(MarkerDialogTest, ChangingThePenUnticksStopAndCancel) {
    App();
    MarkerDialog dialog;
    const struct {
        const char* what;
        std::function<void(MarkerDialog&)> act;
        bool stop, cancel;
    } cases[] = {
        {"colour", [](MarkerDialog& d) { Child<ColorGrid>(d, "Color").cell(4)->click(); }, false, false},
        {"width", [](MarkerDialog& d) { Child<QSpinBox>(d, "Width").stepUp(); }, false, false},
        {"stop", [](MarkerDialog& d) { Child<QCheckBox>(d, "Stop").click(); }, false, false},
    };
    for (const auto& c : cases) {
        dialog.Load(MarkerSettings{true, kRed, 3, true});
        Child<QCheckBox>(dialog, "Cancel").setChecked(true);
        c.act(dialog);
        // Ticked stop was clicked off; the pen changes tick it off themselves.
        EXPECT_EQ(Child<QCheckBox>(dialog, "Stop").isChecked(), c.stop) << c.what;
        EXPECT_EQ(Child<QCheckBox>(dialog, "Cancel").isChecked(), c.cancel) << c.what;
    }
    Child<QCheckBox>(dialog, "Cancel").setChecked(true);
    EXPECT_FALSE(dialog.Read().inUse);
}

class SlideDialogTest : public ::testing::Test {
protected:
    SlideDialogTest() : dialog((App(), prompts)) {}
    void Cards(int n) {
        for (int i = 0; i < n; ++i) WriteBytes(folder.path() / ("c" + std::to_string(100 + i) + ".zep"), "x");
    }
    void Select(const std::vector<int>& rows) {
        auto& all = Child<QListWidget>(dialog, "AllCardList");
        for (int r : rows) all.item(r)->setSelected(true);
    }
    void Press(const char* button) { Child<QPushButton>(dialog, button).click(); }
    size_t Entries() const { return dialog.Read().list.size(); }

    TempFolder folder;
    RecordingPrompts prompts;
    SlideDialog dialog;
};

TEST_F(SlideDialogTest, AddingStopsAtTwentyEntriesWithItsMessages) {
    const std::string full = "show:これ以上カードを追加できません";
    const std::string adjusted = "show:スライドカードの数が多いため\r数を調整しました。";
    const struct {
        int cards, entries;
        std::vector<int> selected;
        const char* button;
        size_t after;
        std::vector<std::string> events;
    } cases[] = {
        {20, 0, {}, "SelAllBtn", 20, {}},
        {25, 3, {}, "SelAllBtn", 20, {"beep!", adjusted}},
        {25, 20, {0}, "SelBtn", 20, {"beep!", full}},
        {25, 18, {1, 2, 3}, "SelBtn", 20, {"beep!", full}},
        {25, 2, {4, 0}, "SelBtn", 4, {}},
        {25, 2, {}, "SelBtn", 2, {}},
    };
    for (const auto& c : cases) {
        TempFolder fresh;
        for (int i = 0; i < c.cards; ++i) WriteBytes(fresh.path() / ("c" + std::to_string(100 + i) + ".zep"), "x");
        SlideSettings s;
        s.list.assign(c.entries, "old.zep");
        dialog.Load(s, fresh.path());
        Select(c.selected);
        Child<QCheckBox>(dialog, "Cancel").setChecked(true);
        prompts.events.clear();
        Press(c.button);
        EXPECT_EQ(Entries(), c.after) << c.cards << " " << c.button;
        EXPECT_EQ(prompts.events, c.events) << c.cards << " " << c.button;
        EXPECT_FALSE(Child<QCheckBox>(dialog, "Cancel").isChecked());
    }
    // Several cards go in in the order of the card list.
    EXPECT_EQ(dialog.Read().list, (std::vector<std::string>{"old.zep", "old.zep"}));
    Select({3, 1});
    Press("SelBtn");
    EXPECT_EQ(dialog.Read().list[2], "c101.zep");
    EXPECT_EQ(dialog.Read().list[3], "c103.zep");
}

TEST_F(SlideDialogTest, RemovingAndSelectionsBelongToOneListAtATime) {
    Cards(3);
    dialog.Load(SlideSettings{true, 5, {"a.zep", "b.zep", "c.zep"}}, folder.path());
    auto& all = Child<QListWidget>(dialog, "AllCardList");
    auto& slides = Child<QListWidget>(dialog, "SlideCardList");
    slides.setCurrentRow(1);
    all.setCurrentRow(0);
    EXPECT_TRUE(slides.selectedItems().isEmpty());
    slides.setCurrentRow(1);
    EXPECT_TRUE(all.selectedItems().isEmpty());
    Press("BackBtn");
    EXPECT_EQ(dialog.Read().list, (std::vector<std::string>{"a.zep", "c.zep"}));
    all.setCurrentRow(2);
    Child<QCheckBox>(dialog, "Cancel").click();
    EXPECT_TRUE(all.selectedItems().isEmpty());
    EXPECT_FALSE(dialog.Read().inUse);
    EXPECT_EQ(dialog.Read().interval, 5);
    Press("BackAllBtn");
    EXPECT_TRUE(dialog.Read().list.empty());
}

TEST(Movie2DialogTest, PlacementEnablesMagnificationAndFrameOnlyOnTheCard) {
    App();
    RecordingPrompts prompts;
    TempFolder folder;
    Movie2Dialog dialog(prompts);
    dialog.Load(Movie2Settings{}, folder.path());
    auto& scale = Child<QLineEdit>(dialog, "Bai");
    auto& frame = Child<RadioGroup>(dialog, "Frame");
    EXPECT_FALSE(scale.isEnabled());
    EXPECT_FALSE(frame.isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "OKBtn").isEnabled()) << "no movie in the folder";
    Child<RadioGroup>(dialog, "AviPos").item(1)->click();
    EXPECT_TRUE(scale.isEnabled());
    EXPECT_TRUE(frame.isEnabled());
    frame.item(3)->click();
    scale.setText("250");
    Child<RadioGroup>(dialog, "AviPos").item(0)->click();
    EXPECT_FALSE(scale.isEnabled());
    const Result<Movie2Settings> read = dialog.Read();
    ASSERT_TRUE(read);
    EXPECT_EQ(read.value().frame, 3);
    EXPECT_EQ(read.value().scaleText, "250");
    EXPECT_FALSE(read.value().inUse) << "no movie selected";
}

}  // namespace
}  // namespace zepo
