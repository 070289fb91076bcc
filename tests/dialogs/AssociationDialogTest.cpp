#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>

#include "ModelFakes.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"

namespace zepo {
namespace {
using namespace test;

FileList& List(QDialog& d, const char* name) { return Child<FileList>(d, name); }
QCheckBox& Check(QDialog& d, const char* name) { return Child<QCheckBox>(d, name); }
QPushButton& Button(QDialog& d, const char* name) { return Child<QPushButton>(d, name); }
bool Visible(QDialog& d, const char* box) { return Child<QGroupBox>(d, box).isVisibleTo(&d); }
// The user's choice of kind: a click on the kind's button.
void SwitchKind(QDialog& d, AssociationKind kind) {
    Child<RadioGroup>(d, "CardKind").item(AssociationDialog::ChoiceOf(kind))->click();
}
// Selects as the user does, by mouse or arrow keys: the list reports a changed selection.
void Click(FileList& list, const char* name) {
    const auto found = list.findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    list.setCurrentItem(found.front());
}

class AssociationDialogTest : public ::testing::Test {
protected:
    AssociationDialogTest() : dialog((App(), launcher), chooser), select(dialog, runner, messages) {
        for (const char* f :
             {"intro.zep", "main.zep", "OTHER.ZEP", "ding.wav", "Bell.WAV", "film.avi", "clip.wmv", "notes.txt"})
            folder.Touch(f);
        dialog.SetSaveFolder(folder.path());
        dialog.SetEditTools([] { return EditTools{"mousepad", "audacity", true}; });
        panel.SetChooser(&select);
    }
    // Fills the panel as a caller does, then runs the select routine with `step` as the user.
    bool Choose(const char* name, const char* file, std::function<bool(AssociationDialog&)> step) {
        Association a;
        a.Set(Sjis(name), Sjis(file));
        panel.Load(a);
        runner.Push([step](QDialog& d) { return step(static_cast<AssociationDialog&>(d)); });
        return select.Choose(panel);
    }
    // The panel's association, in UTF-8 for readable assertions.
    std::pair<std::string, std::string> Chosen() const {
        const Association a = panel.Read();
        return {SjisToUtf8(a.name), SjisToUtf8(a.file)};
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
        EXPECT_EQ(List(d, "Macro").count(), 3);
        EXPECT_EQ(List(d, "Macro").item(0)->text(), "intro.zep");
        EXPECT_EQ(List(d, "Macro").item(2)->text(), "OTHER.ZEP");
        EXPECT_EQ(List(d, "Wave_").count(), 2);
        EXPECT_EQ(List(d, "Avi").count(), 2);
        EXPECT_EQ(List(d, "Midi_").count(), 0);
        return false;
    });
    EXPECT_TRUE(MatchesMask("A.WmV", "*.avi;*.wmv"));
    EXPECT_FALSE(MatchesMask("a.avi.txt", "*.avi;*.wmv"));
}

TEST_F(AssociationDialogTest, NoAssociationOpensAtCardKindWithOkDisabled) {
    bool ok = Choose("", "", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationKind::Card);
        EXPECT_TRUE(Visible(d, "MacroBox"));
        EXPECT_FALSE(Visible(d, "WaveBox"));
        EXPECT_TRUE(List(d, "Macro").SelectedFile().isEmpty());
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        EXPECT_FALSE(Button(d, "btnEditZep").isEnabled());
        return false;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"", ""}));
}

TEST_F(AssociationDialogTest, CardAssociationRoundTrip) {
    bool ok = Choose("intro", "intro.zep", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationKind::Card);
        EXPECT_EQ(List(d, "Macro").SelectedFile(), "intro.zep");
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"intro", "intro.zep"}));

    Choose("intro", "intro.zep", [](AssociationDialog& d) {
        Click(List(d, "Macro"), "main.zep");
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"main", "main.zep"}));
}

TEST_F(AssociationDialogTest, MissingPreselectionLeavesOkDisabled) {
    Choose("gone", "gone.zep", [](AssociationDialog& d) {
        EXPECT_TRUE(List(d, "Macro").SelectedFile().isEmpty());
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        return false;
    });
}

TEST_F(AssociationDialogTest, WaveWithEmptyFileIsStop) {
    bool ok = Choose("WAVE", "", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationKind::Wave);
        EXPECT_TRUE(Check(d, "StopWave").isChecked());
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        // Selecting a file unticks the stop flag; ticking it again clears the selection.
        Click(List(d, "Wave_"), "ding.wav");
        EXPECT_FALSE(Check(d, "StopWave").isChecked());
        EXPECT_TRUE(Button(d, "btnEditWav").isEnabled());
        Check(d, "StopWave").click();
        EXPECT_TRUE(List(d, "Wave_").SelectedFile().isEmpty());
        EXPECT_FALSE(Button(d, "btnEditWav").isEnabled());
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"WAVE", ""}));
}

TEST_F(AssociationDialogTest, CdTrack) {
    Choose("CDAUDIO", "5", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationKind::CdAudio);
        EXPECT_EQ(Child<QSpinBox>(d, "CDNo").value(), 5);
        EXPECT_FALSE(Check(d, "StopCD").isChecked());
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"CDAUDIO", "5"}));

    Choose("CDAUDIO", "", [](AssociationDialog& d) {
        EXPECT_TRUE(Check(d, "StopCD").isChecked());
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        Child<QSpinBox>(d, "CDNo").setValue(7);
        EXPECT_FALSE(Check(d, "StopCD").isChecked());
        Check(d, "StopCD").setChecked(true);
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"CDAUDIO", ""}));

    Choose("CDAUDIO", "500", [](AssociationDialog& d) {
        EXPECT_EQ(Child<QSpinBox>(d, "CDNo").value(), 100);
        return false;
    });
}

TEST_F(AssociationDialogTest, CdTrackThatIsNotANumberLeavesThePanelAlone) {
    const int shownBefore = runner.shownCount();
    bool ok = Choose("CDAUDIO", "x1", [](AssociationDialog&) { return true; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(runner.shownCount(), shownBefore);
    EXPECT_EQ(messages.warnings.size(), 1u);
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"CDAUDIO", "x1"}));
}

TEST_F(AssociationDialogTest, ProgramField) {
    Choose("RUN", " ", [](AssociationDialog& d) {
        EXPECT_EQ(d.kind(), AssociationKind::Run);
        EXPECT_EQ(Child<QLineEdit>(d, "edtRunExe").text(), "");
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        Child<QLineEdit>(d, "edtRunExe").setText("gimp");
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"RUN", "gimp"}));

    chooser.answers.push_back("/usr/bin/Calc");
    Choose("RUN", "x", [](AssociationDialog& d) {
        Button(d, "btnOpenRunExe").click();
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"RUN", "/usr/bin/Calc"}));  // case kept
    EXPECT_EQ(chooser.requests.back().title, "起動ソフトの指定");
    EXPECT_TRUE(chooser.requests.back().filter.startsWith("実行ﾌｧｲﾙ(*.exe);;全てのﾌｧｲﾙ(*);;"));
}

TEST_F(AssociationDialogTest, ProgramTextOutsideShiftJisSendsTheUserBack) {
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        Child<QLineEdit>(d, "edtRunExe").setText("run 😀");
        return true;
    });
    bool ok = Choose("RUN", "old", [](AssociationDialog& d) {
        Child<QLineEdit>(d, "edtRunExe").setText("run😀");
        return true;
    });
    // Both confirmations are refused with a message and the dialog comes back each time;
    // the third showing is cancelled and the panel keeps its old association.
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.warnings.size(), 2u);
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"RUN", "old"}));
}

TEST_F(AssociationDialogTest, KindSwitchingResetsOkAndReappliesThePreselection) {
    Choose("AVI", "film.avi", [](AssociationDialog& d) {
        EXPECT_EQ(List(d, "Avi").SelectedFile(), "film.avi");
        Click(List(d, "Avi"), "clip.wmv");
        SwitchKind(d, AssociationKind::Midi);  // empty list
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        SwitchKind(d, AssociationKind::Movie);
        EXPECT_EQ(List(d, "Avi").SelectedFile(), "film.avi");
        SwitchKind(d, AssociationKind::Wave);  // no preselection: nothing selected
        EXPECT_TRUE(List(d, "Wave_").SelectedFile().isEmpty());
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        SwitchKind(d, AssociationKind::This);
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        EXPECT_TRUE(Visible(d, "thisBox"));
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"this", ""}));
}

TEST_F(AssociationDialogTest, NameComparisonIsExact) {
    // Only the exact kind words are kinds; anything else names a card.
    for (const char* name : {"wave", "Wave", "cdaudio", "Run", "THIS", "avi"}) {
        Choose(name, "main.zep", [name](AssociationDialog& d) {
            EXPECT_EQ(d.kind(), AssociationKind::Card) << name;
            EXPECT_EQ(List(d, "Macro").SelectedFile(), "main.zep") << name;
            return false;
        });
    }
}

TEST_F(AssociationDialogTest, UntickingThePanelEmptiesBothLabels) {
    Choose("WAVE", "", [](AssociationDialog& d) {
        Click(List(d, "Wave_"), "ding.wav");
        return true;
    });
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"WAVE", "ding.wav"}));
    EXPECT_EQ(Child<QLabel>(panel, "dspNextCard").text(), "WAVE");
    EXPECT_EQ(Child<QLabel>(panel, "dspNextFile").text(), "ding.wav");
    Child<QCheckBox>(panel, "chkCard").click();
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"", ""}));
    EXPECT_EQ(Child<QLabel>(panel, "dspNextCard").text(), "");
    EXPECT_EQ(Child<QLabel>(panel, "dspNextFile").text(), "");
    EXPECT_FALSE(Child<QPushButton>(panel, "btnNextCard").isEnabled());
}

TEST_F(AssociationDialogTest, EditButtonsStartTheTools) {
    const std::string dir = folder.path().string();
    Choose("intro", "intro.zep", [](AssociationDialog& d) {
        Button(d, "btnEditZep").click();
        SwitchKind(d, AssociationKind::Wave);
        Click(List(d, "Wave_"), "ding.wav");
        Button(d, "btnEditWav").click();
        SwitchKind(d, AssociationKind::Movie);
        Click(List(d, "Avi"), "film.avi");
        Button(d, "btnEditAvi").click();
        return false;
    });
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{"mousepad|<" + dir + "/intro.zep>|" + dir,
                                        "audacity|<" + dir + "/ding.wav>|" + dir, "open|" + dir + "/film.avi"}));

    dialog.SetEditTools([] { return EditTools{"mousepad", "audacity", false}; });
    launcher.started.clear();
    Choose("WAVE", "ding.wav", [](AssociationDialog& d) {
        Button(d, "btnEditWav").click();
        return false;
    });
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"open|" + dir + "/ding.wav"}));
}

TEST_F(AssociationDialogTest, MidiAndMovieRoundTrips) {
    folder.Touch("song.MID");
    using Pair = std::pair<std::string, std::string>;
    struct Case {
        const char *name, *file;
        AssociationKind kind;
        bool stop;
        Pair back;
    };
    const std::vector<Case> cases = {
        {"MIDI", "song.MID", AssociationKind::Midi, false, {"MIDI", "song.MID"}},
        {"MIDI", "", AssociationKind::Midi, true, {"MIDI", ""}},
        {"AVI", "clip.wmv", AssociationKind::Movie, false, {"AVI", "clip.wmv"}},
        {"AVI", "", AssociationKind::Movie, true, {"AVI", ""}},
    };
    for (const auto& c : cases) {
        bool ok = Choose(c.name, c.file, [&c](AssociationDialog& d) {
            EXPECT_EQ(d.kind(), c.kind) << c.name;
            QCheckBox& stop = Check(d, c.kind == AssociationKind::Midi ? "StopMidi" : "StopAvi");
            EXPECT_EQ(stop.isChecked(), c.stop) << c.name << c.file;
            EXPECT_TRUE(Button(d, "OKBtn").isEnabled()) << c.name << c.file;
            return true;
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(Chosen(), c.back) << c.name << c.file;
    }
}

TEST_F(AssociationDialogTest, OkFollowsTheSelectionHoweverItChanges) {
    Choose("", "", [](AssociationDialog& d) {
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        Click(List(d, "Macro"), "main.zep");  // as the arrow keys would
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        EXPECT_TRUE(Button(d, "btnEditZep").isEnabled());
        // Ctrl+click takes the selection away: nothing left to confirm.
        List(d, "Macro").setCurrentItem(List(d, "Macro").currentItem(), QItemSelectionModel::Deselect);
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        EXPECT_FALSE(Button(d, "btnEditZep").isEnabled());

        SwitchKind(d, AssociationKind::Wave);
        Check(d, "StopWave").click();
        EXPECT_TRUE(Button(d, "OKBtn").isEnabled());
        Click(List(d, "Wave_"), "ding.wav");
        EXPECT_FALSE(Check(d, "StopWave").isChecked());
        List(d, "Wave_").setCurrentItem(List(d, "Wave_").currentItem(), QItemSelectionModel::Deselect);
        EXPECT_FALSE(Button(d, "OKBtn").isEnabled());
        return false;
    });
}

TEST_F(AssociationDialogTest, AClickOnTheTrackNumberUnticksStopEvenWithoutAChange) {
    Choose("CDAUDIO", "", [](AssociationDialog& d) {
        EXPECT_TRUE(Check(d, "StopCD").isChecked());
        Child<QSpinBox>(d, "CDNo").setValue(1);  // already the first track: nothing changes
        EXPECT_TRUE(Check(d, "StopCD").isChecked());
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&Child<QSpinBox>(d, "CDNo"), &press);
        EXPECT_FALSE(Check(d, "StopCD").isChecked());
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
        Click(List(dlg, "Macro"), (longCard + ".zep").c_str());
        return true;
    });
    runner.Push([&](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        SwitchKind(d, AssociationKind::Wave);
        Click(List(d, "Wave_"), longWave.c_str());
        return true;
    });
    runner.Push([](QDialog& dlg) {
        auto& d = static_cast<AssociationDialog&>(dlg);
        SwitchKind(d, AssociationKind::Run);
        Child<QLineEdit>(d, "edtRunExe").setText(QString(51, 'p'));
        return true;
    });
    bool ok = Choose("intro", "intro.zep", [](AssociationDialog& d) {
        Child<QLineEdit>(d, "edtRunExe").setText(QString(50, 'p'));  // exactly fits
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(messages.warnings,
              (std::vector<std::string>{"カード名が長すぎます（20バイトまで）: " + longCard,
                                        "ファイル名が長すぎます（50バイトまで）: " + longWave,
                                        "起動ソフト名が長すぎます（50バイトまで）: " + std::string(51, 'p')}));
    EXPECT_EQ(Chosen(), (std::pair<std::string, std::string>{"RUN", std::string(50, 'p')}));
}

TEST_F(AssociationDialogTest, SaveFolderThatCannotBeEnteredStopsBeforeShowing) {
    dialog.SetSaveFolder(folder.path() / "missing");
    EXPECT_FALSE(Choose("", "", [](AssociationDialog&) { return true; }));
    EXPECT_EQ(runner.shownCount(), 0);
    EXPECT_EQ(messages.warnings.size(), 1u);
}

TEST_F(AssociationDialogTest, LoadThenReadGivesBackEveryKindOfAssociation) {
    folder.Touch("song.MID");
    folder.Touch("次のカード.zep");
    folder.Touch("ｵﾝｾｲ.wav");
    const Association cases[] = {
        {"intro", "intro.zep"},
        {"OTHER", "OTHER.ZEP"},
        {Sjis("次のカード"), Sjis("次のカード.zep")},
        {"WAVE", "Bell.WAV"},
        {"WAVE", Sjis("ｵﾝｾｲ.wav")},
        {"WAVE", ""},
        {"CDAUDIO", "1"},
        {"CDAUDIO", "100"},
        {"CDAUDIO", ""},
        {"MIDI", "song.MID"},
        {"MIDI", ""},
        {"AVI", "clip.wmv"},
        {"AVI", ""},
        {"RUN", "/usr/bin/Calc"},
        {"RUN", Sjis("/opt/表示/viewer")},
        {"RUN", std::string(50, 'p')},
        {"this", ""},
    };
    for (const Association& a : cases) {
        ASSERT_TRUE(dialog.Load(a)) << a.name << " " << a.file;
        ASSERT_TRUE(dialog.Activate(messages));
        Result<Association> read = dialog.Read();
        ASSERT_TRUE(read) << read.error().message;
        EXPECT_EQ(read.value(), a);
    }
    EXPECT_TRUE(messages.warnings.empty());
}

TEST_F(AssociationDialogTest, LoadRefusesATrackThatIsNotANumber) {
    for (const char* track : {"x1", "1.5", " ", "３"}) {
        Status loaded = dialog.Load({"CDAUDIO", Sjis(track)});
        ASSERT_FALSE(loaded) << track;
        EXPECT_EQ(SjisToUtf8(loaded.error().message), std::string("曲の番号「") + track + "」が数値ではありません");
    }
}

}  // namespace
}  // namespace zepo
