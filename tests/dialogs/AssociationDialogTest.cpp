#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QSpinBox>

#include "DialogFakes.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/Carddlg.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"

namespace zepo {
namespace {
using namespace test;

class AssociationDialog : public ::testing::Test {
protected:
    AssociationDialog() : dialog((App(), launcher), chooser), select(dialog, runner, messages) {
        for (const char* f : {"intro.zep", "main.zep", "OTHER.ZEP", "ding.wav", "Bell.WAV", "film.avi", "clip.wmv",
                              "notes.txt"})
            folder.Touch(f);
        dialog.SetSaveFolder(folder.path);
        dialog.SetEditTools([] { return EditTools{"mousepad", "audacity", true}; });
        panel.SetChooser(&select);
    }
    // Fills the panel as a caller does, then runs the select routine with `step` as the user.
    bool Choose(const char* name, const char* file, std::function<bool(TNextCardDlg&)> step) {
        Association a;
        a.Set(Sjis(name), Sjis(file));
        panel.Fill(a);
        runner.steps.push_back([step](QDialog& d) { return step(static_cast<TNextCardDlg&>(d)); });
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
    TNextCardDlg dialog;
    AssociationChooser select;
    AssociationPanel panel;
};

TEST_F(AssociationDialog, ListsShowTheSaveFolderByMaskWithoutRegardToCase) {
    Choose("", "", [](TNextCardDlg& d) {
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

TEST_F(AssociationDialog, NoAssociationOpensAtCardKindWithOkDisabled) {
    bool ok = Choose("", "", [](TNextCardDlg& d) {
        EXPECT_EQ(d.kind(), TNextCardDlg::Card);
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

TEST_F(AssociationDialog, CardAssociationRoundTrip) {
    bool ok = Choose("intro", "intro.zep", [](TNextCardDlg& d) {
        EXPECT_EQ(d.kind(), TNextCardDlg::Card);
        EXPECT_EQ(d.Macro->SelectedFile(), "intro.zep");
        EXPECT_TRUE(d.OKBtn->isEnabled());
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"intro", "intro.zep"}));

    Choose("intro", "intro.zep", [](TNextCardDlg& d) {
        Click(d.Macro, "main.zep");
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"main", "main.zep"}));
}

TEST_F(AssociationDialog, MissingPreselectionLeavesOkDisabled) {
    Choose("gone", "gone.zep", [](TNextCardDlg& d) {
        EXPECT_TRUE(d.Macro->SelectedFile().isEmpty());
        EXPECT_FALSE(d.OKBtn->isEnabled());
        return false;
    });
}

TEST_F(AssociationDialog, WaveWithEmptyFileIsStop) {
    bool ok = Choose("WAVE", "", [](TNextCardDlg& d) {
        EXPECT_EQ(d.kind(), TNextCardDlg::Wave);
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

TEST_F(AssociationDialog, CdTrack) {
    Choose("CDAUDIO", "5", [](TNextCardDlg& d) {
        EXPECT_EQ(d.kind(), TNextCardDlg::CdAudio);
        EXPECT_EQ(d.CDNo->value(), 5);
        EXPECT_FALSE(d.StopCD->isChecked());
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"CDAUDIO", "5"}));

    Choose("CDAUDIO", "", [](TNextCardDlg& d) {
        EXPECT_TRUE(d.StopCD->isChecked());
        EXPECT_TRUE(d.OKBtn->isEnabled());
        d.CDNo->setValue(7);
        EXPECT_FALSE(d.StopCD->isChecked());
        d.StopCD->setChecked(true);
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"CDAUDIO", ""}));

    Choose("CDAUDIO", "500", [](TNextCardDlg& d) {
        EXPECT_EQ(d.CDNo->value(), 100);
        return false;
    });
}

TEST_F(AssociationDialog, CdTrackThatIsNotANumberLeavesThePanelAlone) {
    const int shownBefore = runner.shown;
    bool ok = Choose("CDAUDIO", "x1", [](TNextCardDlg&) { return true; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(runner.shown, shownBefore);
    EXPECT_EQ(messages.warnings.size(), 1u);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"CDAUDIO", "x1"}));
}

TEST_F(AssociationDialog, ProgramField) {
    Choose("RUN", " ", [](TNextCardDlg& d) {
        EXPECT_EQ(d.kind(), TNextCardDlg::Run);
        EXPECT_EQ(d.edtRunExe->text(), "");
        EXPECT_FALSE(d.OKBtn->isEnabled());
        d.edtRunExe->setText("gimp");
        EXPECT_TRUE(d.OKBtn->isEnabled());
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", "gimp"}));

    chooser.answer = "/usr/bin/Calc";
    Choose("RUN", "x", [](TNextCardDlg& d) {
        d.btnOpenRunExe->click();
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", "/usr/bin/Calc"}));  // case kept
    EXPECT_EQ(chooser.last.title, "起動ソフトの指定");
    EXPECT_TRUE(chooser.last.filter.startsWith("実行ﾌｧｲﾙ(*.exe) (*.exe);;全てのﾌｧｲﾙ(*.*) (*.*);;"));
}

TEST_F(AssociationDialog, ProgramTextOutsideShiftJisSendsTheUserBack) {
    runner.steps.push_back([](QDialog& dlg) {
        auto& d = static_cast<TNextCardDlg&>(dlg);
        d.edtRunExe->setText("run 😀");
        return true;
    });
    bool ok = Choose("RUN", "old", [](TNextCardDlg& d) {
        d.edtRunExe->setText("run😀");
        return true;
    });
    // Both confirmations are refused with a message and the dialog comes back each time;
    // the third showing is cancelled and the panel keeps its old association.
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.warnings.size(), 2u);
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"RUN", "old"}));
}

TEST_F(AssociationDialog, KindSwitchingResetsOkAndReappliesThePreselection) {
    Choose("AVI", "film.avi", [](TNextCardDlg& d) {
        EXPECT_EQ(d.Avi->SelectedFile(), "film.avi");
        Click(d.Avi, "clip.wmv");
        d.setKind(TNextCardDlg::Midi);  // empty list
        EXPECT_FALSE(d.OKBtn->isEnabled());
        d.setKind(TNextCardDlg::Movie);
        EXPECT_EQ(d.Avi->SelectedFile(), "film.avi");
        d.setKind(TNextCardDlg::Wave);  // no preselection: nothing selected
        EXPECT_TRUE(d.Wave_->SelectedFile().isEmpty());
        EXPECT_FALSE(d.OKBtn->isEnabled());
        d.setKind(TNextCardDlg::This);
        EXPECT_TRUE(d.OKBtn->isEnabled());
        EXPECT_TRUE(d.thisBox->isVisibleTo(&d));
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"this", ""}));
}

TEST_F(AssociationDialog, NameComparisonIsExact) {
    Choose("wave", "ding.wav", [](TNextCardDlg& d) {
        EXPECT_EQ(d.kind(), TNextCardDlg::Card);
        EXPECT_EQ(d.cardPreselection, "ding.wav");
        return false;
    });
}

TEST_F(AssociationDialog, UntickingThePanelEmptiesBothLabels) {
    Choose("WAVE", "", [](TNextCardDlg& d) {
        Click(d.Wave_, "ding.wav");
        return true;
    });
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"WAVE", "ding.wav"}));
    panel.chkCard->click();
    EXPECT_EQ(Labels(), (std::pair<std::string, std::string>{"", ""}));
    EXPECT_FALSE(panel.btnNextCard->isEnabled());
    EXPECT_TRUE(panel.Stored().name.empty());
}

TEST_F(AssociationDialog, EditButtonsStartTheTools) {
    const std::string dir = folder.path.string();
    Choose("intro", "intro.zep", [](TNextCardDlg& d) {
        d.btnEditZep->click();
        d.setKind(TNextCardDlg::Wave);
        Click(d.Wave_, "ding.wav");
        d.btnEditWav->click();
        d.setKind(TNextCardDlg::Movie);
        Click(d.Avi, "film.avi");
        d.btnEditAvi->click();
        return false;
    });
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{"mousepad|\"" + dir + "/intro.zep\"|" + dir,
                                        "audacity|\"" + dir + "/ding.wav\"|" + dir, "open|" + dir + "/film.avi"}));

    dialog.SetEditTools([] { return EditTools{"mousepad", "audacity", false}; });
    launcher.started.clear();
    Choose("WAVE", "ding.wav", [](TNextCardDlg& d) {
        d.btnEditWav->click();
        return false;
    });
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"open|" + dir + "/ding.wav"}));
}

TEST_F(AssociationDialog, MidiAndMovieRoundTrips) {
    folder.Touch("song.MID");
    using Labels_ = std::pair<std::string, std::string>;
    struct Case { const char *name, *file; int kind; bool stop; Labels_ back; };
    const std::vector<Case> cases = {
        {"MIDI", "song.MID", TNextCardDlg::Midi, false, {"MIDI", "song.MID"}},
        {"MIDI", "", TNextCardDlg::Midi, true, {"MIDI", ""}},
        {"AVI", "clip.wmv", TNextCardDlg::Movie, false, {"AVI", "clip.wmv"}},
        {"AVI", "", TNextCardDlg::Movie, true, {"AVI", ""}},
    };
    for (const auto& c : cases) {
        bool ok = Choose(c.name, c.file, [&c](TNextCardDlg& d) {
            EXPECT_EQ(d.kind(), c.kind) << c.name;
            QCheckBox* stop = c.kind == TNextCardDlg::Midi ? d.StopMidi : d.StopAvi;
            EXPECT_EQ(stop->isChecked(), c.stop) << c.name << c.file;
            EXPECT_TRUE(d.OKBtn->isEnabled()) << c.name << c.file;
            return true;
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(Labels(), c.back) << c.name << c.file;
    }
}

TEST_F(AssociationDialog, OkFollowsTheSelectionHoweverItChanges) {
    Choose("", "", [](TNextCardDlg& d) {
        EXPECT_FALSE(d.OKBtn->isEnabled());
        Click(d.Macro, "main.zep");  // as the arrow keys would
        EXPECT_TRUE(d.OKBtn->isEnabled());
        EXPECT_TRUE(d.btnEditZep->isEnabled());
        // Ctrl+click takes the selection away: nothing left to confirm.
        d.Macro->setCurrentItem(d.Macro->currentItem(), QItemSelectionModel::Deselect);
        EXPECT_FALSE(d.OKBtn->isEnabled());
        EXPECT_FALSE(d.btnEditZep->isEnabled());

        d.setKind(TNextCardDlg::Wave);
        d.StopWave->click();
        EXPECT_TRUE(d.OKBtn->isEnabled());
        Click(d.Wave_, "ding.wav");
        EXPECT_FALSE(d.StopWave->isChecked());
        d.Wave_->setCurrentItem(d.Wave_->currentItem(), QItemSelectionModel::Deselect);
        EXPECT_FALSE(d.OKBtn->isEnabled());
        return false;
    });
}

TEST_F(AssociationDialog, AClickOnTheTrackNumberUnticksStopEvenWithoutAChange) {
    Choose("CDAUDIO", "", [](TNextCardDlg& d) {
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

TEST_F(AssociationDialog, ChoicesLongerThanTheCardHoldsSendTheUserBack) {
    const std::string longCard = "abcdefghijklmnopqrstu";  // 21 bytes: the name would be cut
    folder.Touch(longCard + ".zep");
    const std::string longWave = std::string(47, 'w') + ".wav";  // 51 bytes
    folder.Touch(longWave);
    // The dialog comes back after each refusal; the steps run in this order.
    runner.steps.push_back([&](QDialog& dlg) {
        Click(static_cast<TNextCardDlg&>(dlg).Macro, (longCard + ".zep").c_str());
        return true;
    });
    runner.steps.push_back([&](QDialog& dlg) {
        auto& d = static_cast<TNextCardDlg&>(dlg);
        d.setKind(TNextCardDlg::Wave);
        Click(d.Wave_, longWave.c_str());
        return true;
    });
    runner.steps.push_back([](QDialog& dlg) {
        auto& d = static_cast<TNextCardDlg&>(dlg);
        d.setKind(TNextCardDlg::Run);
        d.edtRunExe->setText(QString(51, 'p'));
        return true;
    });
    bool ok = Choose("intro", "intro.zep", [](TNextCardDlg& d) {
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

TEST_F(AssociationDialog, SaveFolderThatCannotBeEnteredStopsBeforeShowing) {
    dialog.SetSaveFolder(folder.path / "missing");
    EXPECT_FALSE(Choose("", "", [](TNextCardDlg&) { return true; }));
    EXPECT_EQ(runner.shown, 0);
    EXPECT_EQ(messages.warnings.size(), 1u);
}

}  // namespace
}  // namespace zepo
