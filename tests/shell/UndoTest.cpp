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
#include "canvas/CardCanvas.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/ColorGrid.h"
#include "document/CardFile.h"
#include "document/CardHistory.h"
#include "model/MacroFile.h"

namespace zepo::test {
namespace {

class UndoInTheEditor : public ShellTest {
protected:
    void SetUp() override {
        Start();
        form().show();
        canvas = form().canvas;
        // Two frames, the second over the first, as the card every case starts from.
        for (int i = 0; i < 2; ++i) {
            runner.scripts.push_back(ScriptedRunner::Ok);
            form().btnFrame->click();
        }
        form().card().slot(SlotKind::Frame, 2).bounds = Rect{60, 60, 100, 100};
        form().document().Changed();
        form().document().StartHistory();
    }
    // The file the card would be saved as.
    std::string File() {
        Card copy = form().card();
        auto lines = CardLines(copy);
        return lines ? JoinMacroLines(lines.value()) : "unwritable: " + lines.error().message;
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    }
    CardCanvas* canvas = nullptr;
};

TEST_F(UndoInTheEditor, EachConfirmedChangeIsOneStepBackAndForth) {
    struct Case {
        const char* name;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"a frame placed", [this] {
             runner.scripts.push_back(ScriptedRunner::Ok);
             form().btnFrame->click();
         }},
        {"a frame recoloured", [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<ColorGrid>(d, "FrmColor").cell(kRed)->click();
                 Child<QPushButton>(d, "OKBtn").click();
             });
             form().mnFrameN[0]->trigger();
         }},
        {"a frame removed", [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<QCheckBox>(d, "chkFrmCut").setChecked(true);
                 d.accept();
             });
             form().mnFrameN[1]->trigger();
         }},
        {"a drag released", [this] {
             form().btnMove->click();
             Drag({20, 20}, {45, 30});
         }},
        {"a resize released", [this] {
             form().btnStretch->click();
             Drag({155, 155}, {120, 190});
         }},
        {"brought to front", [this] {
             form().btnFrontBack->click();
             QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 20));
         }},
        {"the marker switched on", [this] {
             runner.scripts.push_back([](QDialog& d) {
                 Child<QSpinBox>(d, "Width").setValue(7);
                 d.accept();
             });
             form().mnMarker->trigger();
         }},
        {"the screen merged into one picture", [this] {
             prompts.answers = {true};
             form().mnFix->trigger();
             EXPECT_NE(form().card().slot(SlotKind::Picture, 1).picture.pixels, nullptr);
         }},
        {"card settings", [this] {
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
        EXPECT_FALSE(form().mnUndo->isEnabled());
        c.change();
        const std::string after = File();
        ASSERT_NE(after, before);
        EXPECT_TRUE(form().mnUndo->isEnabled());
        EXPECT_FALSE(form().mnRedo->isEnabled());

        form().mnUndo->trigger();
        EXPECT_EQ(File(), before);
        EXPECT_TRUE(form().card() == beforeCard);
        EXPECT_FALSE(form().mnUndo->isEnabled());
        EXPECT_TRUE(form().mnRedo->isEnabled());
        form().mnRedo->trigger();
        EXPECT_EQ(File(), after);
        EXPECT_EQ(form().windowTitle().contains("renamed"), std::string(c.name) == "card settings");
    }
}

TEST_F(UndoInTheEditor, WhatChangesNothingAddsNoStep) {
    runner.scripts.push_back([](QDialog& d) {
        Child<ColorGrid>(d, "FrmColor").cell(kRed)->click();
        d.reject();
    });
    form().mnFrameN[0]->trigger();
    form().btnMove->click();
    Drag({20, 20}, {20, 20});  // pressed and released in place
    form().btnPaint->click();  // the preview is a way of looking, not a change
    form().btnMove->click();
    EXPECT_FALSE(form().document().canUndo());
    EXPECT_FALSE(form().mnUndo->isEnabled());
}

TEST_F(UndoInTheEditor, TenDragsTenUndosGiveTheOriginalFile) {
    const std::string original = File();
    form().btnMove->click();
    for (int i = 0; i < 10; ++i) Drag({20 + i, 20 + i}, {21 + i, 22 + i});
    EXPECT_EQ(form().card().slot(SlotKind::Frame, 1).bounds.left, 20);
    for (int i = 0; i < 10; ++i) form().mnUndo->trigger();
    EXPECT_EQ(File(), original);
    EXPECT_FALSE(form().mnUndo->isEnabled());

    // A new change after undoing drops the steps that could have been redone.
    form().mnRedo->trigger();
    Drag({150, 150}, {160, 160});
    EXPECT_FALSE(form().mnRedo->isEnabled());
}

TEST_F(UndoInTheEditor, OpeningACardStartsANewHistory) {
    form().btnMove->click();
    Drag({20, 20}, {30, 30});
    form().cardFile().Save();
    EXPECT_TRUE(form().mnUndo->isEnabled());
    chooser.answers.push_back(QString::fromStdString((program() / "main.zep").string()));
    form().cardFile().Open();
    EXPECT_FALSE(form().mnUndo->isEnabled());
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
