// The marker and slide dialogs' own rules.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/MarkerDialog.h"
#include "dialogs/SlideDialog.h"

namespace zepo {
namespace {
using namespace test;

TEST(MarkerDialogTest, ChangingThePenOrClickingStopUnticksTheBoxes) {
    App();
    MarkerDialog dialog;
    const std::function<void()> clicks[] = {[&] { Child<ColorGrid>(dialog, "Color").cell(4)->click(); },
                                            [&] { Child<QSpinBox>(dialog, "Width").stepUp(); },
                                            [&] { Child<QCheckBox>(dialog, "Stop").click(); }};
    for (const auto& click : clicks) {
        dialog.Load(MarkerSettings{true, kRed, 3, true});
        Child<QCheckBox>(dialog, "Cancel").setChecked(true);
        click();
        EXPECT_FALSE(Child<QCheckBox>(dialog, "Stop").isChecked());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "Cancel").isChecked());
    }
}

class SlideDialogTest : public ::testing::Test {
protected:
    SlideDialogTest() : dialog((App(), prompts)) {}
    void Load(int cards, std::vector<std::string> entries) {
        folder = std::make_unique<TempFolder>();
        for (int i = 0; i < cards; ++i) WriteBytes(folder->path() / ("c" + std::to_string(100 + i) + ".zep"), "x");
        dialog.Load(SlideSettings{true, 5, std::move(entries)}, folder->path());
    }
    QListWidget& List(const char* name) { return Child<QListWidget>(dialog, name); }
    void Press(const char* button) { Child<QPushButton>(dialog, button).click(); }

    std::unique_ptr<TempFolder> folder;
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
        {25, 2, {}, "SelBtn", 2, {}},
    };
    for (const auto& c : cases) {
        Load(c.cards, std::vector<std::string>(c.entries, "old.zep"));
        for (int r : c.selected) List("AllCardList").item(r)->setSelected(true);
        Child<QCheckBox>(dialog, "Cancel").setChecked(true);
        prompts.events.clear();
        Press(c.button);
        EXPECT_EQ(dialog.Read().list.size(), c.after) << c.cards << " " << c.button;
        EXPECT_EQ(prompts.events, c.events) << c.cards << " " << c.button;
        EXPECT_FALSE(Child<QCheckBox>(dialog, "Cancel").isChecked());
    }
    // Several cards go in in the order of the card list.
    for (int r : {3, 1}) List("AllCardList").item(r)->setSelected(true);
    Press("SelBtn");
    EXPECT_EQ(dialog.Read().list, (std::vector<std::string>{"old.zep", "old.zep", "c101.zep", "c103.zep"}));
}

}  // namespace
}  // namespace zepo
