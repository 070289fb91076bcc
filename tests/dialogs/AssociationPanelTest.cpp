#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "ShellFakes.h"
#include "dialogs/AssociationPanel.h"

namespace zepo {
namespace {
using namespace test;

class AssociationPanelValue : public ::testing::Test {
protected:
    bool Ticked() { return Child<QCheckBox>(panel, "chkCard").isChecked(); }
    QString NameLabel() { return Child<QLabel>(panel, "dspNextCard").text(); }
    QString FileLabel() { return Child<QLabel>(panel, "dspNextFile").text(); }

    QApplication& app = App();
    AssociationPanel panel;
};

TEST_F(AssociationPanelValue, LoadThenReadKeepsTheBytesWithinTheCardsLimits) {
    const std::string name20 = Sjis("あいうえおかきくけこ");  // 20 bytes
    struct Case {
        Association loaded, read;
    } cases[] = {
        {{"intro", "intro.zep"}, {"intro", "intro.zep"}},
        {{Sjis("次のカード"), Sjis("次のカード.zep")}, {Sjis("次のカード"), Sjis("次のカード.zep")}},
        // A second code of a character ("≒" in the NEC row) must not turn into the first.
        {{"\x87\x90", "\x87\x90.zep"}, {"\x87\x90", "\x87\x90.zep"}},
        // A trail byte that is a backslash stays as it is.
        {{Sjis("表示"), Sjis("表示.zep")}, {Sjis("表示"), Sjis("表示.zep")}},
        {{name20, std::string(50, 'f')}, {name20, std::string(50, 'f')}},
        // Longer texts are cut to the card's limits, never inside a two-byte character.
        {{name20 + "x", std::string(51, 'f')}, {name20, std::string(50, 'f')}},
        {{"x" + name20, "x" + name20 + name20 + name20},
         {"x" + Sjis("あいうえおかきくけ"), "x" + name20 + name20 + Sjis("あいうえ")}},
        {{"RUN", ""}, {"RUN", ""}},
        // Without a name there is no association, whatever the file says.
        {{"", "orphan.zep"}, {"", ""}},
    };
    for (const Case& c : cases) {
        panel.Load(c.loaded);
        EXPECT_EQ(panel.Read(), c.read) << SjisToUtf8(c.loaded.name) << " " << SjisToUtf8(c.loaded.file);
        EXPECT_EQ(Ticked(), !c.read.name.empty()) << SjisToUtf8(c.loaded.name);
        EXPECT_EQ(NameLabel().toStdString(), SjisToUtf8(c.read.name));
        EXPECT_EQ(FileLabel().toStdString(), SjisToUtf8(c.read.file));
    }
}

TEST_F(AssociationPanelValue, TickingFollowsTheBox) {
    // A button's panel is ticked to choose at once, with nothing chosen yet.
    panel.Load({}, true);
    EXPECT_TRUE(Ticked());
    EXPECT_TRUE(Child<QPushButton>(panel, "btnNextCard").isEnabled());
    EXPECT_EQ(panel.Read(), Association{});

    panel.SetChosen({"WAVE", "ding.wav"});
    EXPECT_EQ(panel.Read(), (Association{"WAVE", "ding.wav"}));
    EXPECT_EQ(NameLabel(), "WAVE");

    // Unticking forgets the association; a feature's kind word comes back with the tick.
    panel.SetFixedKind("WAVE");
    Child<QCheckBox>(panel, "chkCard").click();
    EXPECT_EQ(panel.Read(), Association{});
    EXPECT_FALSE(Child<QPushButton>(panel, "btnNextCard").isEnabled());
    Child<QCheckBox>(panel, "chkCard").click();
    EXPECT_EQ(panel.Read(), (Association{"WAVE", ""}));
    EXPECT_FALSE(panel.kindChoiceAllowed());

    // Without a fixed kind the tick alone chooses nothing.
    panel.SetFixedKind({});
    panel.Reset();
    EXPECT_FALSE(Ticked());
    Child<QCheckBox>(panel, "chkCard").click();
    EXPECT_EQ(panel.Read(), Association{});
    EXPECT_TRUE(panel.kindChoiceAllowed());
}

}  // namespace
}  // namespace zepo
