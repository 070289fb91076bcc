#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "ModelFakes.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ButtonDialog.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"

namespace zepo {
namespace {
using namespace test;

class ButtonDialogTest : public ::testing::Test {
protected:
    ButtonDialogTest() : association((App(), launcher), chooser), select(association, runner, messages) {
        for (const char* f : {"intro.zep", "ding.wav"}) folder.Touch(f);
        association.SetSaveFolder(folder.path());
        dialog.panel->SetChooser(&select);
    }
    TempFolder folder;
    RecordingLauncher launcher;
    ScriptedChooser chooser;
    ScriptedRunner runner;
    RecordingMessages messages;
    AssociationDialog association;
    AssociationChooser select;
    ButtonDialog dialog;
    Card card;
};

TEST_F(ButtonDialogTest, SoundFeatureNotYetOn) {
    dialog.PrepareForFeature(card, Feature::Wave);
    EXPECT_EQ(dialog.windowTitle(), "音声");
    EXPECT_TRUE(dialog.panel->chkCard->isChecked());
    EXPECT_EQ(dialog.panel->dspNextCard->text(), "WAVE");
    EXPECT_EQ(dialog.panel->dspNextFile->text(), " ");
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        EXPECT_FALSE(d.CardKind->isVisibleTo(&d));
        EXPECT_EQ(d.kind(), AssociationDialog::Wave);
        EXPECT_TRUE(d.Wave_->SelectedFile().isEmpty());
        EXPECT_FALSE(d.OKBtn->isEnabled());
        return false;
    });
    dialog.panel->btnNextCard->click();
    EXPECT_EQ(runner.shownCount(), 1);

    // Unticking and ticking again brings the kind word back, not the file.
    dialog.panel->chkCard->click();
    dialog.panel->chkCard->click();
    EXPECT_EQ(dialog.panel->dspNextCard->text(), "WAVE");
    EXPECT_EQ(dialog.panel->dspNextFile->text(), "");

    // Unticking and confirming turns the feature off.
    dialog.panel->chkCard->click();
    card.featureInUse[0] = true;
    ButtonDialog::StoreFeature(card, Feature::Wave, dialog.panel->Stored());
    EXPECT_FALSE(card.featureInUse[0]);
}

TEST_F(ButtonDialogTest, FeaturePlaceholdersAndStoredFiles) {
    dialog.PrepareForFeature(card, Feature::CdAudio);
    EXPECT_EQ(dialog.windowTitle(), "音楽ＣＤ");
    EXPECT_EQ(dialog.panel->dspNextFile->text(), "1");
    card.features[4].Set("RUN", "calc");
    card.featureInUse[4] = true;
    dialog.PrepareForFeature(card, Feature::Run);
    EXPECT_EQ(dialog.panel->dspNextCard->text(), "RUN");
    EXPECT_EQ(dialog.panel->dspNextFile->text(), "calc");
}

TEST_F(ButtonDialogTest, CardButtonWithAssociation) {
    card.buttons[3].Set("intro", "intro.zep");
    card.buttonInUse[3] = true;
    dialog.PrepareForButton(card, 3);
    EXPECT_EQ(dialog.windowTitle(), "ボタン - 3");
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        EXPECT_TRUE(d.CardKind->isVisibleTo(&d));
        EXPECT_EQ(d.Macro->SelectedFile(), "intro.zep");
        d.setKind(AssociationDialog::This);
        return true;
    });
    dialog.panel->btnNextCard->click();
    ButtonDialog::StoreButton(card, 3, dialog.panel->Stored());
    EXPECT_EQ(card.buttons[3].name, "this");
    EXPECT_TRUE(card.buttonInUse[3]);

    dialog.PrepareForButton(card, 0);
    EXPECT_EQ(dialog.windowTitle(), "マウス右");
    EXPECT_TRUE(dialog.panel->chkCard->isChecked());
    EXPECT_EQ(dialog.panel->dspNextCard->text(), "");
}

}  // namespace
}  // namespace zepo
