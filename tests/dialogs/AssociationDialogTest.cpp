#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QSpinBox>

#include "ModelFakes.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"

namespace zepo {
namespace {
using namespace test;

class AssociationDialogTest : public ::testing::Test {
protected:
    AssociationDialogTest() : dialog((App(), launcher), chooser), select(dialog, runner, messages) {
        for (const char* f : {"intro.zep", "main.zep", "OTHER.ZEP", "ding.wav", "Bell.WAV", "film.avi", "clip.wmv",
                              "notes.txt"})
            folder.Touch(f);
        dialog.SetSaveFolder(folder.path());
        dialog.SetEditTools([] { return EditTools{"mousepad", "audacity", true}; });
        panel.SetChooser(&select);
    }
    // Fills the panel as a caller does, then runs the select routine with `step` as the user.
    bool Choose(const char* name, const char* file, std::function<bool(AssociationDialog&)> step) {
        Association a;
        a.Set(Sjis(name), Sjis(file));
        panel.Fill(a);
        runner.Push([step](QDialog& d) { return step(static_cast<AssociationDialog&>(d)); });
        return select.Choose(panel);
    }
    std::pair<std::string, std::string> Labels() const {
        return {panel.dspNextCard->text().toStdString(), panel.dspNextFile->text().toStdString()};
    }
    // Selects as the user does, by mouse or arrow keys: the list reports a changed selection.
    static void Click(FileList* list, const char* name) {
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        list->setCurrentItem(found.front());
    }

    TempFolder folder;
    RecordingLauncher launcher;
    ScriptedChooser chooser;
    ScriptedRunner runner;
    RecordingMessages messages;
    AssociationDialog dialog;
    AssociationChooser select;
    AssociationPanel panel;
};

TEST_F(AssociationDialogTest, ListsShowTheSaveFolderByMaskWithoutRegardToCase) {
    Choose("", "", [](AssociationDialog& d) {
        EXPECT_EQ(d.Macro->count(), 3);
        EXPECT_EQ(d.Macro->item(0)->text(), "intro.zep");
        EXPECT_EQ(d.Macro->item(2)->text(), "OTHER.ZEP");
        EXPECT_EQ(d.Wave_->count(), 2);
        EXPECT_EQ(d.Avi->count(), 2);
        EXPECT_EQ(d.Midi_->count(), 0);
        return false;
    });
    EXPECT_TRUE(MatchesMask("A.WmV", "*.avi;*.wmv"));
    EXPECT_FALSE(MatchesMask("a.avi.txt", "*.avi;*.wmv"));
}

TEST_F(AssociationDialogTest, NoAssociationOpensAtCardKindWithOkDisabled) {
    bool ok = Choose("", "", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationDialog::Card);
        EXPECT_TRUE(d.MacroBox->isVisibleTo(&d));
        EXPECT_FALSE(d.WaveBox->isVisibleTo(&d));
        EXPECT_TRUE(d.Macro->SelectedFile().isEmpty());
        EXPECT_FALSE(d.OKBtn->isEnabled());
        EXPECT_FALSE(d.btnEditZep->isEnabled());
        return false;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"", ""}));
}

TEST_F(AssociationDialogTest, CardAssociationRoundTrip) {
    bool ok = Choose("intro", "intro.zep", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationDialog::Card);
        EXPECT_EQ(d.Macro->SelectedFile(), "intro.zep");
        EXPECT_TRUE(d.OKBtn->isEnabled());
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"intro", "intro.zep"}));

    Choose("intro", "intro.zep", [](AssociationDialog& d) {
        Click(d.Macro, "main.zep");
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"main", "main.zep"}));
}

TEST_F(AssociationDialogTest, MissingPreselectionLeavesOkDisabled) {
    Choose("gone", "gone.zep", [](AssociationDialog& d) {
        EXPECT_TRUE(d.Macro->SelectedFile().isEmpty());
        EXPECT_FALSE(d.OKBtn->isEnabled());
        return false;
    });
}

TEST_F(AssociationDialogTest, WaveWithEmptyFileIsStop) {
    bool ok = Choose("WAVE", "", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationDialog::Wave);
        EXPECT_TRUE(d.StopWave->isChecked());
        EXPECT_TRUE(d.OKBtn->isEnabled());
        // Selecting a file unticks the stop flag; ticking it again clears the selection.
        Click(d.Wave_, "ding.wav");
        EXPECT_FALSE(d.StopWave->isChecked());
        EXPECT_TRUE(d.btnEditWav->isEnabled());
        d.StopWave->click();
        EXPECT_TRUE(d.Wave_->SelectedFile().isEmpty());
        EXPECT_FALSE(d.btnEditWav->isEnabled());
        EXPECT_TRUE(d.OKBtn->isEnabled());
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"WAVE", ""}));
}

TEST_F(AssociationDialogTest, CdTrack) {
    Choose("CDAUDIO", "5", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationDialog::CdAudio);
        EXPECT_EQ(d.CDNo->value(), 5);
        EXPECT_FALSE(d.StopCD->isChecked());
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"CDAUDIO", "5"}));

    Choose("CDAUDIO", "", [](AssociationDialog& d) {
        EXPECT_TRUE(d.StopCD->isChecked());
        EXPECT_TRUE(d.OKBtn->isEnabled());
        d.CDNo->setValue(7);
        EXPECT_FALSE(d.StopCD->isChecked());
        d.StopCD->setChecked(true);
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"CDAUDIO", ""}));

    Choose("CDAUDIO", "500", [](AssociationDialog& d) {
        EXPECT_EQ(d.CDNo->value(), 100);
        return false;
    });
}

TEST_F(AssociationDialogTest, CdTrackThatIsNotANumberLeavesThePanelAlone) {
    const int shownBefore = runner.shownCount();
    bool ok = Choose("CDAUDIO", "x1", [](AssociationDialog&) { return true; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(runner.shownCount(), shownBefore);
    EXPECT_EQ(messages.warnings.size(), 1u);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"CDAUDIO", "x1"}));
}

TEST_F(AssociationDialogTest, ProgramField) {
    Choose("RUN", " ", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationDialog::Run);
        EXPECT_EQ(d.edtRunExe->text(), "");
        EXPECT_FALSE(d.OKBtn->isEnabled());
        d.edtRunExe->setText("gimp");
        EXPECT_TRUE(d.OKBtn->isEnabled());
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", "gimp"}));

    chooser.answers.push_back("/usr/bin/Calc");
    Choose("RUN", "x", [](AssociationDialog& d) {
        d.btnOpenRunExe->click();
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", "/usr/bin/Calc"}));  // case kept
    EXPECT_EQ(chooser.requests.back().title, "起動ソフトの指定");
    EXPECT_TRUE(chooser.requests.back().filter.startsWith("実行ﾌｧｲﾙ(*.exe) (*.exe);;全てのﾌｧｲﾙ(*.*) (*.*);;"));
}

TEST_F(AssociationDialogTest, ProgramTextOutsideShiftJisSendsTheUserBack) {
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        d.edtRunExe->setText("run 😀");
        return true;
    });
    bool ok = Choose("RUN", "old", [](AssociationDialog& d) {
        d.edtRunExe->setText("run😀");
        return true;
    });
    // Both confirmations are refused with a message and the dialog comes back each time;
    // the third showing is cancelled and the panel keeps its old association.
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.warnings.size(), 2u);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", "old"}));
}

TEST_F(AssociationDialogTest, KindSwitchingResetsOkAndReappliesThePreselection) {
    Choose("AVI", "film.avi", [](AssociationDialog& d) {
        EXPECT_EQ(d.Avi->SelectedFile(), "film.avi");
        Click(d.Avi, "clip.wmv");
        d.setKind(AssociationDialog::Midi);  // empty list
        EXPECT_FALSE(d.OKBtn->isEnabled());
        d.setKind(AssociationDialog::Movie);
        EXPECT_EQ(d.Avi->SelectedFile(), "film.avi");
        d.setKind(AssociationDialog::Wave);  // no preselection: nothing selected
        EXPECT_TRUE(d.Wave_->SelectedFile().isEmpty());
        EXPECT_FALSE(d.OKBtn->isEnabled());
        d.setKind(AssociationDialog::This);
        EXPECT_TRUE(d.OKBtn->isEnabled());
        EXPECT_TRUE(d.thisBox->isVisibleTo(&d));
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"this", ""}));
}

TEST_F(AssociationDialogTest, NameComparisonIsExact) {
    Choose("wave", "ding.wav", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationDialog::Card);
        EXPECT_EQ(d.cardPreselection, "ding.wav");
        return false;
    });
}

TEST_F(AssociationDialogTest, UntickingThePanelEmptiesBothLabels) {
    Choose("WAVE", "", [](AssociationDialog& d) {
        Click(d.Wave_, "ding.wav");
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"WAVE", "ding.wav"}));
    panel.chkCard->click();
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"", ""}));
    EXPECT_FALSE(panel.btnNextCard->isEnabled());
    EXPECT_TRUE(panel.Stored().name.empty());
}

TEST_F(AssociationDialogTest, EditButtonsStartTheTools) {
    const std::string dir = folder.path().string();
    Choose("intro", "intro.zep", [](AssociationDialog& d) {
        d.btnEditZep->click();
        d.setKind(AssociationDialog::Wave);
        Click(d.Wave_, "ding.wav");
        d.btnEditWav->click();
        d.setKind(AssociationDialog::Movie);
        Click(d.Avi, "film.avi");
        d.btnEditAvi->click();
        return false;
    });
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{"mousepad|\"" + dir + "/intro.zep\"|" + dir,
                                        "audacity|\"" + dir + "/ding.wav\"|" + dir, "open|" + dir + "/film.avi"}));

    dialog.SetEditTools([] { return EditTools{"mousepad", "audacity", false}; });
    launcher.started.clear();
    Choose("WAVE", "ding.wav", [](AssociationDialog& d) {
        d.btnEditWav->click();
        return false;
    });
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"open|" + dir + "/ding.wav"}));
}

TEST_F(AssociationDialogTest, MidiAndMovieRoundTrips) {
    folder.Touch("song.MID");
    using Labels_ = std::pair<std::string, std::string>;
    struct Case { const char *name, *file; int kind; bool stop; Labels_ back; };
    const std::vector<Case> cases = {
        {"MIDI", "song.MID", AssociationDialog::Midi, false, {"MIDI", "song.MID"}},
        {"MIDI", "", AssociationDialog::Midi, true, {"MIDI", ""}},
        {"AVI", "clip.wmv", AssociationDialog::Movie, false, {"AVI", "clip.wmv"}},
        {"AVI", "", AssociationDialog::Movie, true, {"AVI", ""}},
    };
    for (const auto& c : cases) {
        bool ok = Choose(c.name, c.file, [&c](AssociationDialog& d) {
            EXPECT_EQ(d.kind(), c.kind) << c.name;
            QCheckBox* stop = c.kind == AssociationDialog::Midi ? d.StopMidi : d.StopAvi;
            EXPECT_EQ(stop->isChecked(), c.stop) << c.name << c.file;
            EXPECT_TRUE(d.OKBtn->isEnabled()) << c.name << c.file;
            return true;
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(Labels(), c.back) << c.name << c.file;
    }
}

TEST_F(AssociationDialogTest, OkFollowsTheSelectionHoweverItChanges) {
    Choose("", "", [](AssociationDialog& d) {
        EXPECT_FALSE(d.OKBtn->isEnabled());
        Click(d.Macro, "main.zep");  // as the arrow keys would
        EXPECT_TRUE(d.OKBtn->isEnabled());
        EXPECT_TRUE(d.btnEditZep->isEnabled());
        // Ctrl+click takes the selection away: nothing left to confirm.
        d.Macro->setCurrentItem(d.Macro->currentItem(), QItemSelectionModel::Deselect);
        EXPECT_FALSE(d.OKBtn->isEnabled());
        EXPECT_FALSE(d.btnEditZep->isEnabled());

        d.setKind(AssociationDialog::Wave);
        d.StopWave->click();
        EXPECT_TRUE(d.OKBtn->isEnabled());
        Click(d.Wave_, "ding.wav");
        EXPECT_FALSE(d.StopWave->isChecked());
        d.Wave_->setCurrentItem(d.Wave_->currentItem(), QItemSelectionModel::Deselect);
        EXPECT_FALSE(d.OKBtn->isEnabled());
        return false;
    });
}

TEST_F(AssociationDialogTest, AClickOnTheTrackNumberUnticksStopEvenWithoutAChange) {
    Choose("CDAUDIO", "", [](AssociationDialog& d) {
        EXPECT_TRUE(d.StopCD->isChecked());
        d.CDNo->setValue(1);  // already the first track: nothing changes
        EXPECT_TRUE(d.StopCD->isChecked());
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(d.CDNo, &press);
        EXPECT_FALSE(d.StopCD->isChecked());
        return false;
    });
}

TEST_F(AssociationDialogTest, ChoicesLongerThanTheCardHoldsSendTheUserBack) {
    const std::string longCard = "abcdefghijklmnopqrstu";  // 21 bytes: the name would be cut
    folder.Touch(longCard + ".zep");
    const std::string longWave = std::string(47, 'w') + ".wav";  // 51 bytes
    folder.Touch(longWave);
    // The dialog comes back after each refusal; the steps run in this order.
    runner.Push([&](QDialog& dlg) {
        Click(static_cast<AssociationDialog&>(dlg).Macro, (longCard + ".zep").c_str());
        return true;
    });
    runner.Push([&](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        d.setKind(AssociationDialog::Wave);
        Click(d.Wave_, longWave.c_str());
        return true;
    });
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        d.setKind(AssociationDialog::Run);
        d.edtRunExe->setText(QString(51, 'p'));
        return true;
    });
    bool ok = Choose("intro", "intro.zep", [](AssociationDialog& d) {
        d.edtRunExe->setText(QString(50, 'p'));  // exactly fits
        return true;
    });
    EXPECT_TRUE(ok);
    ASSERT_EQ(messages.warnings.size(), 3u);
    EXPECT_EQ(messages.warnings[0], "カード名が長すぎます（20バイトまで）: " + longCard);
    EXPECT_EQ(messages.warnings[1], "ファイル名が長すぎます（50バイトまで）: " + longWave);
    EXPECT_EQ(messages.warnings[2], "起動ソフト名が長すぎます（50バイトまで）: " + std::string(51, 'p'));
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", std::string(50, 'p')}));
}

TEST_F(AssociationDialogTest, SaveFolderThatCannotBeEnteredStopsBeforeShowing) {
    dialog.SetSaveFolder(folder.path() / "missing");
    EXPECT_FALSE(Choose("", "", [](AssociationDialog&) { return true; }));
    EXPECT_EQ(runner.shownCount(), 0);
    EXPECT_EQ(messages.warnings.size(), 1u);
}

}  // namespace
}  // namespace zepo
