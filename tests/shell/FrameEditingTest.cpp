// Frames in the running editor: placed with the button, moved and resized with the mouse,
// edited with a right press, saved and opened again.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "canvas/CardCanvas.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FileList.h"
#include "dialogs/FrameDialog.h"
#include "dialogs/RadioGroup.h"
#include "model/MacroFile.h"

namespace zepo::test {
namespace {

class FramesInTheEditor : public CanvasShellTest {
protected:
    void SetUp() override {
        CanvasShellTest::SetUp();
        WriteBytes(program() / "next.zep", "card {next}\r\nend\r\n");
    }
    std::string Saved(const char* name) { return ReadBytes(program() / name); }
};

TEST_F(FramesInTheEditor, PlaceMoveResizeEditSaveAndReopen) {
    // Name the card, then place a frame with the default settings.
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<CardSettingsDialog&>(d);
        Child<QLineEdit>(dlg, "edtCardName").setText("frames");
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    form().cardFile().EditCardSettings();
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<FrameDialog&>(d);
        EXPECT_EQ(dlg.windowTitle(), "枠 - 1");
        Child<RadioGroup>(dlg, "rdoFrmType").item(2)->click();
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    ui().button("btnFrame")->click();
    ASSERT_TRUE(Frame(1).inUse);
    EXPECT_EQ(Frame(1).bounds, (Rect{10, 10, 100, 100}));
    EXPECT_TRUE(ui().item("mnFrame1")->isChecked());
    EXPECT_TRUE(ui().item("mnFrame")->isChecked());
    // The edit view: white inside, the outline inverted to black.
    EXPECT_EQ(canvas->surface().pixelColor(50, 50), QColor(Qt::white));
    EXPECT_EQ(canvas->surface().pixelColor(10, 50), QColor(Qt::black));

    // Move by (20, 30); then resize: the band's far corner follows the mouse from the
    // press point, and the release makes the band's span plus one the new size.
    Drag(QPoint(50, 50), QPoint(70, 80));
    EXPECT_EQ(Frame(1).bounds, (Rect{30, 40, 100, 100}));
    ui().button("btnStretch")->click();
    Drag(QPoint(125, 135), QPoint(84, 74));
    EXPECT_EQ(Frame(1).bounds.width, 60);
    EXPECT_EQ(Frame(1).bounds.height, 40);

    // Right press: red, and an association with the card next.
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<FrameDialog&>(d);
        EXPECT_EQ(Child<QLineEdit>(dlg, "edtFrmX1").text(), "30");
        EXPECT_EQ(Child<QLineEdit>(dlg, "edtFrmY2").text(), "79");
        EXPECT_EQ(Child<RadioGroup>(dlg, "rdoFrmType").itemIndex(), 2);
        Child<ColorGrid>(dlg, "FrmColor").cell(kRed)->click();
        Child<QCheckBox>(dlg, "chkCard").click();
        Child<QPushButton>(dlg, "btnNextCard").click();  // the association dialog takes the next script
        EXPECT_EQ(Child<QLabel>(dlg, "dspNextCard").text(), "next");
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<AssociationDialog&>(d);
        auto& cards = Child<FileList>(dlg, "Macro");
        cards.setCurrentItem(cards.findItems("next.zep", Qt::MatchExactly).front());  // the user's choice
        EXPECT_TRUE(Child<QPushButton>(dlg, "OKBtn").isEnabled());
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(40, 50));
    QTest::mouseRelease(canvas, Qt::RightButton, {}, QPoint(40, 50));
    EXPECT_EQ(Frame(1).frame.color, kRed);
    EXPECT_EQ(Frame(1).frame.association.file, "next.zep");
    EXPECT_EQ(canvas->surface().pixelColor(50, 60), QColor(Qt::red));

    form().cardFile().Save();
    const std::string saved = Saved("frames.zep");
    EXPECT_NE(saved.find("\tcolor  {}{RED}\r\n\tframe  {30,40}{89,79}{FB}{next,next.zep}\r\n"), std::string::npos);

    // A new card forgets it; opening the file brings it back identically.
    prompts.answers = {true};
    form().cardFile().NewCard();
    EXPECT_FALSE(Frame(1).inUse);
    chooser.answers.push_back(QString::fromStdString((program() / "frames.zep").string()));
    form().cardFile().Open();
    EXPECT_TRUE(Frame(1).inUse);
    EXPECT_EQ(Frame(1).bounds, (Rect{30, 40, 60, 40}));
    std::vector<std::string> lines;
    form().cardFile().ViewMacro();
    EXPECT_EQ(JoinMacroLines(form().cardFile().macroLines()), saved);
}

TEST_F(FramesInTheEditor, RemovalThroughTheDialogFreesTheSlot) {
    runner.scripts.push_back(ScriptedRunner::Ok);
    ui().button("btnFrame")->click();
    runner.scripts.push_back(ScriptedRunner::Ok);
    ui().button("btnFrame")->click();
    ASSERT_TRUE(Frame(2).inUse);
    runner.scripts.push_back([](QDialog& d) {
        Child<QCheckBox>(d, "chkFrmCut").setChecked(true);
        d.accept();
    });
    ui().item("mnFrame1")->trigger();
    EXPECT_FALSE(Frame(1).inUse);
    EXPECT_FALSE(ui().item("mnFrame1")->isChecked());
    EXPECT_TRUE(ui().item("mnFrame")->isChecked());
    // The next placing takes the freed slot again, with the defaults of a new frame.
    runner.scripts.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "枠 - 1");
        d.accept();
    });
    ui().button("btnFrame")->click();
    EXPECT_TRUE(Frame(1).inUse);
    EXPECT_EQ(form().card().stacking.back(), SlotId(SlotKind::Frame, 1));
}

}  // namespace
}  // namespace zepo::test
