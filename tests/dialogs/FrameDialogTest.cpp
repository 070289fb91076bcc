#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <limits>

#include "ModelFakes.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "editors/FrameEditor.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FrameDialog.h"
#include "dialogs/RadioGroup.h"

namespace zepo {
namespace {
using namespace test;

class FrameRoundTrip : public ::testing::Test {
protected:
    EditResult Edit(int number, std::function<bool(FrameDialog&)> step) {
        runner.Push([step](QDialog& d) { return step(static_cast<FrameDialog&>(d)); });
        return EditFrame(card, SlotId(SlotKind::Frame, number), dialog, runner, messages);
    }
    Slot& Frame(int n) { return card.slot(SlotKind::Frame, n); }

    QApplication& app = App();  // before any widget
    Card card;
    FrameDialog dialog;
    ScriptedRunner runner;
    RecordingMessages messages;
};

TEST_F(FrameRoundTrip, NewFrameDefaults) {
    EditResult r = Edit(1, [](FrameDialog& d) {
        EXPECT_EQ(d.windowTitle(), "枠 - 1");
        EXPECT_EQ(d.edtFrmX1->text(), "10");
        EXPECT_EQ(d.edtFrmY1->text(), "10");
        EXPECT_EQ(d.edtFrmX2->text(), "109");
        EXPECT_EQ(d.edtFrmY2->text(), "109");
        EXPECT_EQ(d.FrmColor->foregroundIndex(), 15);
        EXPECT_EQ(d.rdoFrmType->itemIndex(), 0);
        EXPECT_TRUE(d.chkFrmUp->isChecked());
        EXPECT_FALSE(d.panel->chkCard->isChecked());
        return true;
    });
    EXPECT_EQ(r, EditResult::Applied);
    EXPECT_TRUE(Frame(1).inUse);
    EXPECT_EQ(Frame(1).bounds, (Rect{10, 10, 100, 100}));
    EXPECT_EQ(Frame(1).frame.color, kWhite);
    EXPECT_EQ(Frame(1).frame.style, 0);
    EXPECT_TRUE(card.parentChecked[static_cast<int>(SlotKind::Frame)]);
    EXPECT_EQ(card.stacking.back(), SlotId(SlotKind::Frame, 1));
}

TEST_F(FrameRoundTrip, CornersColourStyleAndAssociation) {
    Edit(2, [](FrameDialog& d) {
        d.edtFrmX1->setText("10");
        d.edtFrmY1->setText("10");
        d.edtFrmX2->setText("12");
        d.edtFrmY2->setText("12");
        d.FrmColor->setForegroundIndex(9);
        d.rdoFrmType->setItemIndex(7);
        d.panel->chkCard->click();
        d.panel->dspNextCard->setText("next");
        d.panel->dspNextFile->setText("next.zep");
        return true;
    });
    const Slot& f = Frame(2);
    EXPECT_EQ(f.bounds, (Rect{10, 10, 10, 10}));  // raised from 3 x 3
    EXPECT_EQ(f.frame.color, kRed);
    EXPECT_EQ(f.frame.style, 7);
    EXPECT_EQ(f.frame.association.name, "next");
    EXPECT_EQ(f.frame.association.file, "next.zep");

    // Editing again shows what was stored; the box "to front" is unticked for a placed frame.
    Edit(2, [](FrameDialog& d) {
        EXPECT_EQ(d.edtFrmX2->text(), "19");
        EXPECT_FALSE(d.chkFrmUp->isChecked());
        EXPECT_TRUE(d.panel->chkCard->isChecked());
        EXPECT_EQ(d.panel->dspNextFile->text(), "next.zep");
        return false;
    });
}

TEST_F(FrameRoundTrip, FrontRemovalAndCancel) {
    Edit(1, [](FrameDialog&) { return true; });
    Edit(2, [](FrameDialog&) { return true; });
    EXPECT_EQ(card.stacking.back(), SlotId(SlotKind::Frame, 2));
    Edit(1, [](FrameDialog& d) {
        d.chkFrmUp->setChecked(true);
        return true;
    });
    EXPECT_EQ(card.stacking.back(), SlotId(SlotKind::Frame, 1));

    Rect before = Frame(1).bounds;
    EXPECT_EQ(Edit(1, [](FrameDialog& d) {
                  d.edtFrmX1->setText("300");
                  return false;
              }),
              EditResult::Cancelled);
    EXPECT_EQ(Frame(1).bounds, before);

    EXPECT_EQ(Edit(1, [](FrameDialog& d) {
                  d.chkFrmCut->setChecked(true);
                  return true;
              }),
              EditResult::Removed);
    EXPECT_FALSE(Frame(1).inUse);
    EXPECT_TRUE(card.parentChecked[static_cast<int>(SlotKind::Frame)]);
    Edit(2, [](FrameDialog& d) {
        d.chkFrmCut->setChecked(true);
        return true;
    });
    EXPECT_FALSE(card.parentChecked[static_cast<int>(SlotKind::Frame)]);

    // Cancelling a free slot leaves it free.
    EXPECT_EQ(Edit(3, [](FrameDialog&) { return false; }), EditResult::Cancelled);
    EXPECT_FALSE(Frame(3).inUse);
}

TEST_F(FrameRoundTrip, CornerThatIsNotANumberAppliesNothingAndKeepsTheTypedValues) {
    Edit(1, [](FrameDialog&) { return true; });
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<FrameDialog&>(dlg);
        d.edtFrmX1->setText("50");
        d.FrmColor->setForegroundIndex(3);
        d.edtFrmY2->setText("1O0");
        return true;
    });
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<FrameDialog&>(dlg);
        EXPECT_EQ(d.edtFrmX1->text(), "50");  // the typed values are still there
        EXPECT_EQ(d.edtFrmY2->text(), "1O0");
        d.edtFrmY2->setText("100");
        return true;
    });
    EXPECT_EQ(EditFrame(card, SlotId(SlotKind::Frame, 1), dialog, runner, messages), EditResult::Applied);
    ASSERT_EQ(messages.warnings.size(), 1u);
    EXPECT_EQ(messages.warnings[0], "枠の位置（右下 y）の「1O0」は整数ではありません");
    EXPECT_EQ(runner.shownCount(), 3);
    EXPECT_EQ(Frame(1).bounds, (Rect{50, 10, 60, 91}));
    EXPECT_EQ(Frame(1).frame.color, 3);
}

TEST_F(FrameRoundTrip, CornerWithACharacterShiftJisCannotHoldIsNotANumber) {
    Edit(1, [](FrameDialog&) { return true; });
    runner.Push([](QDialog& dlg) {
        static_cast<FrameDialog&>(dlg).edtFrmX2->setText("2€0");
        return true;
    });
    runner.Push([](QDialog&) { return false; });
    EXPECT_EQ(EditFrame(card, SlotId(SlotKind::Frame, 1), dialog, runner, messages), EditResult::Cancelled);
    ASSERT_EQ(messages.warnings.size(), 1u);
    EXPECT_EQ(messages.warnings[0], "枠の位置（右下 x）の「2?0」は整数ではありません");
    EXPECT_EQ(Frame(1).bounds, (Rect{10, 10, 100, 100}));
}

TEST_F(FrameRoundTrip, CornersAtTheEndsOfTheNumberRangeGiveTheLargestFrameNotAWrappedOne) {
    constexpr int kMax = std::numeric_limits<int>::max();
    struct Case {
        const char *x1, *y1, *x2, *y2;
        Rect expected;
    } cases[] = {
        {"0", "0", "2147483646", "19", {0, 0, kMax, 20}},
        // Too wide for an int: pulled in at both ends far off screen, so the card still shows it.
        {"0", "0", "2147483647", "19", {0, 0, 1073741824, 20}},
        {"-2147483648", "-5", "2147483647", "4", {-1073741823, -5, 2147483647, 10}},
        {"100", "2147483000", "109", "2147483647", {100, 2147483000, 10, kMax - 2147483000}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Edit(1, [&c](FrameDialog& d) {
                      d.edtFrmX1->setText(c.x1);
                      d.edtFrmY1->setText(c.y1);
                      d.edtFrmX2->setText(c.x2);
                      d.edtFrmY2->setText(c.y2);
                      return true;
                  }),
                  EditResult::Applied);
        EXPECT_EQ(Frame(1).bounds, c.expected) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        EXPECT_GE(static_cast<long long>(Frame(1).bounds.left) + Frame(1).bounds.width - 1,
                  static_cast<long long>(Frame(1).bounds.left))
            << "the far edge is still an int";
    }
}

}  // namespace
}  // namespace zepo
