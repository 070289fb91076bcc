// Undo and redo in the running editor: every confirmed change is one step that goes back
// to the very card before it, as the file would show; what is no change adds no step.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>

#include "ShellFixture.h"
#include "TempFolder.h"
#include "canvas/CardCanvas.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/ColorGrid.h"
#include "document/CardFile.h"
#include "document/CardHistory.h"
#include "model/MacroFile.h"

namespace zepo::test {
namespace {

class UndoInTheEditor : public CanvasShellTest {
protected:
    void SetUp() override {
        CanvasShellTest::SetUp();
        // Two frames, the second over the first, as the card every case starts from.
        for (int i = 0; i < 2; ++i) {
            runner.scripts.push_back(ScriptedRunner::Ok);
            ui().button("btnFrame")->click();
        }
        Modify([](Card& card) { card.slot(SlotKind::Frame, 2).bounds = Rect{60, 60, 100, 100}; });
        form().document().StartHistory();
    }
    // The file the card would be saved as.
    std::string File() {
        auto lines = CardLines(WithDefaultTitle(form().card()));
        return lines ? JoinMacroLines(lines.value()) : "unwritable: " + lines.error().message;
    }
};

TEST_F(UndoInTheEditor, EachConfirmedChangeIsOneStepBackAndForth) {
    struct Case {
        const char* name;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"a frame placed",
         [this] {
             runner.scripts.push_back(ScriptedRunner::Ok);
             ui().button("btnFrame")->click();
         }},
        {"a frame recoloured",
         [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<ColorGrid>(d, "FrmColor").cell(kRed)->click();
                 Child<QPushButton>(d, "OKBtn").click();
             });
             ui().item("mnFrame1")->trigger();
         }},
        {"a frame removed",
         [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<QCheckBox>(d, "chkFrmCut").setChecked(true);
                 d.accept();
             });
             ui().item("mnFrame2")->trigger();
         }},
        {"a drag released",
         [this] {
             ui().button("btnMove")->click();
             Drag({20, 20}, {45, 30});
         }},
        {"a resize released",
         [this] {
             ui().button("btnStretch")->click();
             Drag({155, 155}, {120, 190});
         }},
        {"brought to front",
         [this] {
             ui().button("btnFrontBack")->click();
             QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 20));
         }},
        {"the marker switched on",
         [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<QSpinBox>(d, "Width").setValue(7);
                 d.accept();
             });
             ui().item("mnMarker")->trigger();
         }},
        {"the screen merged into one picture",
         [this] {
             prompts.answers = {true};
             ui().item("mnFix")->trigger();
             EXPECT_NE(form().card().slot(SlotKind::Picture, 1).picture.pixels, nullptr);
         }},
        {"card settings",
         [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<QLineEdit>(d, "edtCardName").setText("renamed");
                 Child<QPushButton>(d, "OKBtn").click();
             });
             form().cardFile().EditCardSettings();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (&c != cases) {  // each case on a fresh editor
            TearDown();
            SetUp();
        }
        const std::string before = File();
        const Card beforeCard = form().card();
        EXPECT_FALSE(ui().item("mnUndo")->isEnabled());
        c.change();
        const std::string after = File();
        ASSERT_NE(after, before);
        EXPECT_TRUE(ui().item("mnUndo")->isEnabled());
        EXPECT_FALSE(ui().item("mnRedo")->isEnabled());

        ui().item("mnUndo")->trigger();
        EXPECT_EQ(File(), before);
        EXPECT_TRUE(form().card() == beforeCard);
        EXPECT_FALSE(ui().item("mnUndo")->isEnabled());
        EXPECT_TRUE(ui().item("mnRedo")->isEnabled());
        ui().item("mnRedo")->trigger();
        EXPECT_EQ(File(), after);
        EXPECT_EQ(Caption(form()).contains("renamed"), std::string(c.name) == "card settings");
    }
}

TEST_F(UndoInTheEditor, WhatChangesNothingAddsNoStep) {
    runner.scripts.push_back([](QDialog& d) {
        Child<ColorGrid>(d, "FrmColor").cell(kRed)->click();
        d.reject();
    });
    ui().item("mnFrame1")->trigger();
    ui().button("btnMove")->click();
    Drag({20, 20}, {20, 20});          // pressed and released in place
    ui().button("btnPaint")->click();  // the preview is a way of looking, not a change
    ui().button("btnMove")->click();
    EXPECT_FALSE(form().document().canUndo());
    EXPECT_FALSE(ui().item("mnUndo")->isEnabled());
}

// A dialog that was cancelled proposes nothing: however far it got (a new object's defaults,
// a refused field shown again), the card and its history stay as they were, so one undo
// always takes back the last thing the user confirmed.
TEST_F(UndoInTheEditor, CancelledPlacementsAreNoStepsSoOneUndoTakesTheLastChangeBack) {
    const std::string before = File();
    runner.scripts.push_back([](QDialog& d) {
        Child<ColorGrid>(d, "FrmColor").cell(kRed)->click();
        Child<QPushButton>(d, "OKBtn").click();
    });
    ui().item("mnFrame1")->trigger();
    const std::string recoloured = File();
    ASSERT_NE(recoloured, before);

    auto typed = [](const char* field, const QString& text) {
        return [field, text](QDialog& d) {
            Child<QLineEdit>(d, field).setText(text);
            d.accept();
        };
    };
    auto cancel = [](QDialog& d) { d.reject(); };
    struct Case {
        const char* name;
        QToolButton* button;
        std::vector<std::function<void(QDialog&)>> steps;
        size_t warnings;
    };
    const Case cases[] = {
        {"字１ cancelled", ui().button("btnTxtYoko"), {cancel}, 0},
        {"字フ cancelled", ui().button("btnTextFile"), {cancel}, 0},
        {"画像 cancelled", ui().button("btnBitmap"), {cancel}, 0},
        {"枠 cancelled", ui().button("btnFrame"), {cancel}, 0},
        {"枠 with a corner that is no number", ui().button("btnFrame"), {typed("edtFrmX1", "1O0"), cancel}, 1},
        {"字１ with an x that is no number", ui().button("btnTxtYoko"), {typed("TxtX", "x1"), cancel}, 1},
        {"字１ with a character a card cannot hold", ui().button("btnTxtYoko"), {typed("edtText", "😀"), cancel}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& step : c.steps) runner.scripts.push_back(step);
        c.button->click();
        EXPECT_TRUE(runner.scripts.empty()) << "the dialog came back after each refusal";
        size_t warnings = 0;
        for (const std::string& e : TakeEvents()) warnings += e.rfind("show:", 0) == 0;
        EXPECT_EQ(warnings, c.warnings);
        EXPECT_EQ(File(), recoloured);
        EXPECT_FALSE(ui().item("mnRedo")->isEnabled());
    }
    EXPECT_EQ(ui().item("mnUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    ui().item("mnUndo")->trigger();
    EXPECT_EQ(File(), before);
    EXPECT_FALSE(ui().item("mnUndo")->isEnabled()) << "the cancelled placements left no steps behind";
}

TEST_F(UndoInTheEditor, CancelledEditsOfAFrameAndATextNeverReachTheSavedFile) {
    runner.scripts.push_back([](QDialog& d) { d.accept(); });
    ui().button("btnTxtYoko")->click();
    form().cardFile().Save();
    TakeEvents();
    const std::string saved = ReadBytes(program() / "main.zep");
    runner.scripts.push_back([](QDialog& d) {
        Child<ColorGrid>(d, "FrmColor").cell(kRed)->click();
        Child<QLineEdit>(d, "edtFrmX1").setText("77");
        d.reject();
    });
    ui().item("mnFrame1")->trigger();
    runner.scripts.push_back([](QDialog& d) {
        Child<QLineEdit>(d, "edtText").setText("changed");
        d.reject();
    });
    ui().item("mnYoko01")->trigger();
    // A confirmed command after them, then the save.
    runner.scripts.push_back([](QDialog& d) { Child<QPushButton>(d, "OKBtn").click(); });
    form().cardFile().EditCardSettings();
    prompts.answers = {true};
    form().cardFile().Save();
    EXPECT_EQ(ReadBytes(program() / "main.zep"), saved);
}

TEST_F(UndoInTheEditor, AResizeEndedByTheRightButtonChangesNothing) {
    prompts.answers = {true};
    ui().item("mnFix")->trigger();  // the card as one picture, which a resize scales
    form().document().StartHistory();
    ui().button("btnStretch")->click();
    const std::string before = File();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(canvas, QPoint(300, 300));
    runner.scripts.push_back([](QDialog& d) { d.reject(); });
    QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(300, 300));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(File(), before);
    EXPECT_FALSE(ui().item("mnUndo")->isEnabled());
}

TEST_F(UndoInTheEditor, TenDragsTenUndosGiveTheOriginalFile) {
    const std::string original = File();
    ui().button("btnMove")->click();
    for (int i = 0; i < 10; ++i) Drag({20 + i, 20 + i}, {21 + i, 22 + i});
    EXPECT_EQ(form().card().slot(SlotKind::Frame, 1).bounds.left, 20);
    for (int i = 0; i < 10; ++i) ui().item("mnUndo")->trigger();
    EXPECT_EQ(File(), original);
    EXPECT_FALSE(ui().item("mnUndo")->isEnabled());

    // A new change after undoing drops the steps that could have been redone.
    ui().item("mnRedo")->trigger();
    Drag({150, 150}, {160, 160});
    EXPECT_FALSE(ui().item("mnRedo")->isEnabled());
}

TEST_F(UndoInTheEditor, OpeningACardStartsANewHistory) {
    ui().button("btnMove")->click();
    Drag({20, 20}, {30, 30});
    form().cardFile().Save();
    EXPECT_TRUE(ui().item("mnUndo")->isEnabled());
    chooser.answers.push_back(QString::fromStdString((program() / "main.zep").string()));
    form().cardFile().Open();
    EXPECT_FALSE(ui().item("mnUndo")->isEnabled());
}

TEST(CardHistory, KeepsAtMostAHundredSteps) {
    Card card;
    CardHistory history(card);
    for (int i = 1; i <= 150; ++i) {
        card.settings.color = i;
        EXPECT_TRUE(history.Record(card));
    }
    EXPECT_FALSE(history.Record(card)) << "an equal card is no step";
    EXPECT_EQ(history.steps(), CardHistory::kMaxSteps);
    const Card* state = nullptr;
    for (size_t i = 0; i < CardHistory::kMaxSteps; ++i) state = history.Undo();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->settings.color, 50);
    EXPECT_EQ(history.Undo(), nullptr);
}

}  // namespace
}  // namespace zepo::test
