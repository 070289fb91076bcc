#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ModelFakes.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ButtonDialog.h"
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
        dialog.SetChooser(&select);
    }
    QCheckBox& Tick() { return Child<QCheckBox>(dialog, "chkCard"); }
    QString NameLabel() { return Child<QLabel>(dialog, "dspNextCard").text(); }
    QString FileLabel() { return Child<QLabel>(dialog, "dspNextFile").text(); }

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
    dialog.Load(card, Feature::Wave);
    EXPECT_EQ(dialog.windowTitle(), "音声");
    EXPECT_TRUE(Tick().isChecked());
    EXPECT_EQ(NameLabel(), "WAVE");
    EXPECT_EQ(FileLabel(), " ");
    runner.Push([](QDialog& d) {
        EXPECT_FALSE(Child<QGroupBox>(d, "CardKind").isVisibleTo(&d));
        EXPECT_EQ(static_cast<AssociationDialog&>(d).kind(), AssociationKind::Wave);
        EXPECT_TRUE(Child<FileList>(d, "Wave_").SelectedFile().isEmpty());
        EXPECT_FALSE(Child<QPushButton>(d, "OKBtn").isEnabled());
        return false;
    });
    Child<QPushButton>(dialog, "btnNextCard").click();
    EXPECT_EQ(runner.shownCount(), 1);

    // Unticking and ticking again brings the kind word back, not the file.
    Tick().click();
    Tick().click();
    EXPECT_EQ(NameLabel(), "WAVE");
    EXPECT_EQ(FileLabel(), "");
    EXPECT_EQ(dialog.Read(), (Association{"WAVE", ""}));

    // Unticking and confirming turns the feature off.
    Tick().click();
    card.featureInUse[0] = true;
    card.SetFeature(Feature::Wave, dialog.Read());
    EXPECT_FALSE(card.featureInUse[0]);
}

TEST_F(ButtonDialogTest, FeaturePlaceholdersAndStoredFiles) {
    dialog.Load(card, Feature::CdAudio);
    EXPECT_EQ(dialog.windowTitle(), "音楽ＣＤ");
    EXPECT_EQ(FileLabel(), "1");
    card.features[4].Set("RUN", "calc");
    card.featureInUse[4] = true;
    dialog.Load(card, Feature::Run);
    EXPECT_EQ(NameLabel(), "RUN");
    EXPECT_EQ(FileLabel(), "calc");
}

TEST_F(ButtonDialogTest, EveryFeatureReadsItsKindWordWithTheStoredFileOrThePlaceholder) {
    struct Case {
        Feature feature;
        const char* caption;
        Association off, on;
    } cases[] = {
        {Feature::Wave, "音声", {"WAVE", " "}, {"WAVE", "ding.wav"}},
        {Feature::CdAudio, "音楽ＣＤ", {"CDAUDIO", "1"}, {"CDAUDIO", "7"}},
        {Feature::Midi, "ＭＩＤＩ", {"MIDI", " "}, {"MIDI", "song.mid"}},
        {Feature::Avi, "動画", {"AVI", " "}, {"AVI", "film.avi"}},
        {Feature::Run, "ソフト起動", {"RUN", " "}, {"RUN", Sjis("/opt/表示/viewer")}},
    };
    for (const Case& c : cases) {
        const int i = static_cast<int>(c.feature);
        card.features[i] = c.on;
        card.featureInUse[i] = false;
        dialog.Load(card, c.feature);
        EXPECT_EQ(dialog.windowTitle(), c.caption);
        EXPECT_EQ(dialog.Read(), c.off) << c.caption;
        card.featureInUse[i] = true;
        dialog.Load(card, c.feature);
        EXPECT_EQ(dialog.Read(), c.on) << c.caption;
        EXPECT_TRUE(Tick().isChecked()) << c.caption;
    }
}

TEST_F(ButtonDialogTest, CardButtonWithAssociation) {
    card.buttons[3].Set("intro", "intro.zep");
    card.buttonInUse[3] = true;
    dialog.Load(card, 3);
    EXPECT_EQ(dialog.windowTitle(), "ボタン - 3");
    EXPECT_EQ(dialog.Read(), (Association{"intro", "intro.zep"}));
    runner.Push([](QDialog& d) {
        EXPECT_TRUE(Child<QGroupBox>(d, "CardKind").isVisibleTo(&d));
        EXPECT_EQ(Child<FileList>(d, "Macro").SelectedFile(), "intro.zep");
        Child<RadioGroup>(d, "CardKind").item(AssociationDialog::ChoiceOf(AssociationKind::This))->click();
        return true;
    });
    Child<QPushButton>(dialog, "btnNextCard").click();
    card.SetButton(3, dialog.Read());
    EXPECT_EQ(card.buttons[3].name, "this");
    EXPECT_TRUE(card.buttonInUse[3]);

    dialog.Load(card, 0);
    EXPECT_EQ(dialog.windowTitle(), "マウス右");
    EXPECT_TRUE(Tick().isChecked());
    EXPECT_EQ(NameLabel(), "");
    EXPECT_EQ(dialog.Read(), Association{});
}

}  // namespace
}  // namespace zepo
