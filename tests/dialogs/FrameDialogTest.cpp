#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

#include "ModelFakes.h"
#include "RoundTripOutcome.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FileList.h"
#include "dialogs/FrameDialog.h"
#include "dialogs/RadioGroup.h"
#include "editors/FrameEditor.h"

namespace zepo {

void PrintTo(const FrameValues& v, std::ostream* os) {
    *os << '(' << v.x1 << ", " << v.y1 << ")-(" << v.x2 << ", " << v.y2 << ") colour " << v.color << " style "
        << v.style << ' ' << ::testing::PrintToString(v.association) << (v.toFront ? " to front" : "")
        << (v.remove ? " remove" : "");
}

namespace {
using namespace test;

void Type(QDialog& d, const char* field, const QString& text) { Child<QLineEdit>(d, field).setText(text); }
QString Field(QDialog& d, const char* field) { return Child<QLineEdit>(d, field).text(); }

class FrameRoundTrip : public ::testing::Test {
protected:
    FrameRoundTrip() {
        folder.Touch("next.zep");
        association.SetSaveFolder(folder.path());
        dialog.SetChooser(&select);
    }
    EditResult Edit(int number, std::function<bool(FrameDialog&)> step) {
        runner.Push([step](QDialog& d) { return step(static_cast<FrameDialog&>(d)); });
        return ApplyEdit(editor, card, SlotId(SlotKind::Frame, number));
    }
    Slot& Frame(int n) { return card.slot(SlotKind::Frame, n); }

    QApplication& app = App();  // before any widget
    TempFolder folder;
    Card card;
    FrameDialog dialog;
    ScriptedRunner runner;
    RecordingMessages messages;
    RecordingLauncher launcher;
    ScriptedChooser files;
    AssociationDialog association{launcher, files};
    AssociationChooser select{association, runner, messages};
    FrameEditor editor{dialog, runner, messages};
};

TEST_F(FrameRoundTrip, NewFrameDefaults) {
    EditResult r = Edit(1, [](FrameDialog& d) {
        EXPECT_EQ(d.windowTitle(), "枠 - 1");
        EXPECT_EQ(Field(d, "edtFrmX1"), "10");
        EXPECT_EQ(Field(d, "edtFrmY1"), "10");
        EXPECT_EQ(Field(d, "edtFrmX2"), "109");
        EXPECT_EQ(Field(d, "edtFrmY2"), "109");
        EXPECT_EQ(Child<ColorGrid>(d, "FrmColor").foregroundIndex(), 15);
        EXPECT_EQ(Child<RadioGroup>(d, "rdoFrmType").itemIndex(), 0);
        EXPECT_TRUE(Child<QCheckBox>(d, "chkFrmUp").isChecked());
        EXPECT_FALSE(Child<QCheckBox>(d, "chkCard").isChecked());
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
    runner.Push([](QDialog& d) {
        Type(d, "edtFrmX1", "10");
        Type(d, "edtFrmY1", "10");
        Type(d, "edtFrmX2", "12");
        Type(d, "edtFrmY2", "12");
        Child<ColorGrid>(d, "FrmColor").cell(9)->click();
        Child<RadioGroup>(d, "rdoFrmType").item(7)->click();
        Child<QCheckBox>(d, "chkCard").click();
        Child<QPushButton>(d, "btnNextCard").click();  // the association dialog takes the next script
        EXPECT_EQ(Child<QLabel>(d, "dspNextCard").text(), "next");
        return true;
    });
    runner.Push([](QDialog& d) {
        auto& list = Child<FileList>(d, "Macro");
        list.setCurrentItem(list.findItems("next.zep", Qt::MatchExactly).front());
        return true;
    });
    ApplyEdit(editor, card, SlotId(SlotKind::Frame, 2));
    const Slot& f = Frame(2);
    EXPECT_EQ(f.bounds, (Rect{10, 10, 10, 10}));  // raised from 3 x 3
    EXPECT_EQ(f.frame.color, kRed);
    EXPECT_EQ(f.frame.style, 7);
    EXPECT_EQ(f.frame.association.name, "next");
    EXPECT_EQ(f.frame.association.file, "next.zep");

    // Editing again shows what was stored; the box "to front" is unticked for a placed frame.
    Edit(2, [](FrameDialog& d) {
        EXPECT_EQ(Field(d, "edtFrmX2"), "19");
        EXPECT_FALSE(Child<QCheckBox>(d, "chkFrmUp").isChecked());
        EXPECT_TRUE(Child<QCheckBox>(d, "chkCard").isChecked());
        EXPECT_EQ(Child<QLabel>(d, "dspNextFile").text(), "next.zep");
        return false;
    });
}

TEST_F(FrameRoundTrip, FrontRemovalAndCancel) {
    Edit(1, [](FrameDialog&) { return true; });
    Edit(2, [](FrameDialog&) { return true; });
    EXPECT_EQ(card.stacking.back(), SlotId(SlotKind::Frame, 2));
    Edit(1, [](FrameDialog& d) {
        Child<QCheckBox>(d, "chkFrmUp").setChecked(true);
        return true;
    });
    EXPECT_EQ(card.stacking.back(), SlotId(SlotKind::Frame, 1));

    Rect before = Frame(1).bounds;
    EXPECT_EQ(Edit(1,
                   [](FrameDialog& d) {
                       Type(d, "edtFrmX1", "300");
                       return false;
                   }),
              EditResult::Cancelled);
    EXPECT_EQ(Frame(1).bounds, before);

    EXPECT_EQ(Edit(1,
                   [](FrameDialog& d) {
                       Child<QCheckBox>(d, "chkFrmCut").setChecked(true);
                       return true;
                   }),
              EditResult::Removed);
    EXPECT_FALSE(Frame(1).inUse);
    EXPECT_TRUE(card.parentChecked[static_cast<int>(SlotKind::Frame)]);
    Edit(2, [](FrameDialog& d) {
        Child<QCheckBox>(d, "chkFrmCut").setChecked(true);
        Type(d, "edtFrmX1", "gone");  // nothing but the removal is applied, so nothing is checked
        return true;
    });
    EXPECT_FALSE(Frame(2).inUse);
    EXPECT_TRUE(messages.warnings.empty());
    EXPECT_FALSE(card.parentChecked[static_cast<int>(SlotKind::Frame)]);

    // Cancelling a free slot leaves it free.
    EXPECT_EQ(Edit(3, [](FrameDialog&) { return false; }), EditResult::Cancelled);
    EXPECT_FALSE(Frame(3).inUse);
}

TEST_F(FrameRoundTrip, CornerThatIsNotANumberAppliesNothingAndKeepsTheTypedValues) {
    Edit(1, [](FrameDialog&) { return true; });
    runner.Push([](QDialog& d) {
        Type(d, "edtFrmX1", "50");
        Child<ColorGrid>(d, "FrmColor").cell(3)->click();
        Type(d, "edtFrmY2", "1O0");
        return true;
    });
    runner.Push([](QDialog& d) {
        EXPECT_EQ(Field(d, "edtFrmX1"), "50");  // the typed values are still there
        EXPECT_EQ(Field(d, "edtFrmY2"), "1O0");
        Type(d, "edtFrmY2", "100");
        return true;
    });
    EXPECT_EQ(ApplyEdit(editor, card, SlotId(SlotKind::Frame, 1)), EditResult::Applied);
    EXPECT_EQ(messages.warnings, std::vector<std::string>{"枠の位置（右下 y）の「1O0」は整数ではありません"});
    EXPECT_EQ(runner.shownCount(), 3);
    EXPECT_EQ(Frame(1).bounds, (Rect{50, 10, 60, 91}));
    EXPECT_EQ(Frame(1).frame.color, 3);
}

TEST_F(FrameRoundTrip, CornerWithACharacterShiftJisCannotHoldIsNotANumber) {
    Edit(1, [](FrameDialog&) { return true; });
    runner.Push([](QDialog& d) {
        Type(d, "edtFrmX2", "2€0");
        return true;
    });
    runner.Push([](QDialog&) { return false; });
    EXPECT_EQ(ApplyEdit(editor, card, SlotId(SlotKind::Frame, 1)), EditResult::Cancelled);
    EXPECT_EQ(messages.warnings, std::vector<std::string>{"枠の位置（右下 x）の「2€0」は整数ではありません"});
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
        EXPECT_EQ(Edit(1,
                       [&c](FrameDialog& d) {
                           Type(d, "edtFrmX1", c.x1);
                           Type(d, "edtFrmY1", c.y1);
                           Type(d, "edtFrmX2", c.x2);
                           Type(d, "edtFrmY2", c.y2);
                           return true;
                       }),
                  EditResult::Applied);
        EXPECT_EQ(Frame(1).bounds, c.expected) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        EXPECT_GE(static_cast<long long>(Frame(1).bounds.left) + Frame(1).bounds.width - 1,
                  static_cast<long long>(Frame(1).bounds.left))
            << "the far edge is still an int";
    }
}

class FrameValuesThroughTheDialog : public ::testing::Test {
protected:
    static Association Assoc(std::string name, std::string file) { return {std::move(name), std::move(file)}; }
    QApplication& app = App();
    FrameDialog dialog;
};

TEST_F(FrameValuesThroughTheDialog, LoadThenReadGivesBackEveryValue) {
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    const FrameValues cases[] = {
        {},
        {10, 10, 109, 109, kWhite, 0, {}, true, false},
        {-5, 0, 4, 30, kRed, 7, Assoc("next", "next.zep"), false, false},
        {kMin, kMin, kMax, kMax, 0, 2, Assoc("WAVE", ""), true, false},
        {30, 40, 89, 79, 9, 5, Assoc("RUN", "/usr/bin/Calc"), false, true},
        // Shift-JIS names are kept byte for byte, including characters that have a second
        // code for the same character ("≒" in the NEC row and in the JIS rows).
        {1, 2, 3, 4, 3, 1, Assoc(Sjis("次のカード"), Sjis("次のカード.zep")), false, false},
        {1, 2, 3, 4, 12, 6, Assoc("\x87\x90", "\x87\x90.zep"), false, false},
        {1, 2, 3, 4, 14, 3, Assoc(std::string(20, 'n'), std::string(50, 'f')), false, false},
    };
    for (const FrameValues& v : cases) {
        dialog.Reset();
        dialog.Load(v);
        Result<FrameValues> read = dialog.Read();
        ASSERT_TRUE(read) << read.error().message;
        EXPECT_EQ(read.value(), v);
    }
}

TEST_F(FrameValuesThroughTheDialog, ReadNamesTheFirstCornerThatIsNotAWholeNumberAndFocusesIt) {
    struct Case {
        const char* field;
        QString typed;
        std::string message;
    } cases[] = {
        {"edtFrmX1", "", "枠の位置（左上 x）の「」は整数ではありません"},
        {"edtFrmY1", "1.5", "枠の位置（左上 y）の「1.5」は整数ではありません"},
        {"edtFrmX2", "2147483648", "枠の位置（右下 x）の「2147483648」は大きすぎます"},
        {"edtFrmX2", "-99999999999", "枠の位置（右下 x）の「-99999999999」は大きすぎます"},
        {"edtFrmX2", "9999999999x", "枠の位置（右下 x）の「9999999999x」は整数ではありません"},
        {"edtFrmY2", "１０", "枠の位置（右下 y）の「１０」は整数ではありません"},
    };
    for (const Case& c : cases) {
        dialog.Load({});
        Type(dialog, c.field, c.typed);
        Type(dialog, "edtFrmY2", c.field == std::string("edtFrmY2") ? c.typed : "x");  // a later field, also wrong
        Result<FrameValues> read = dialog.Read();
        ASSERT_FALSE(read) << c.field;
        EXPECT_EQ(SjisToUtf8(read.error().message), c.message);
        EXPECT_EQ(dialog.focusWidget(), &Child<QLineEdit>(dialog, c.field)) << c.field;
    }
}

}  // namespace
}  // namespace zepo
