// The card-level features in the running editor: associations of the buttons and of the
// media items, movie 2, the marker and the slide, each built through its dialog, saved and
// opened again.

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "ShellFixture.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"

namespace zepo::test {
namespace {

void Pick(QListWidget& list, const char* name) { list.setCurrentItem(list.findItems(name, Qt::MatchExactly).front()); }

class FeaturesInTheEditor : public ShellTest {
protected:
    void SetUp() override {
        Start();
        for (const char* f : {"menu0.zep", "menu1.zep", "menu2.zep", "menu3.zep", "menu4.zep", "menu5.zep", "ding.wav",
                              "tune.mid", "clip.avi", "intro.AVI"})
            WriteBytes(program() / f, "x");
    }
    const Card& card() { return form().card(); }
    void NameCard(const char* name) {
        runner.Push([name](QDialog& d) {
            Child<QLineEdit>(d, "edtCardName").setText(name);
            return true;
        });
        form().cardFile().EditCardSettings();
    }
    // The button dialog's "選択..." with the association dialog's choice, then OK.
    void Associate(QAction* item, std::function<void(QDialog&)> choose) {
        runner.Push([](QDialog& d) {
            Child<QPushButton>(d, "btnNextCard").click();
            return true;
        });
        runner.Push([choose](QDialog& d) {
            choose(d);
            return true;
        });
        item->trigger();
    }
    void Movie2(int place, const char* scale, const char* file) {
        runner.Push([=](QDialog& d) {
            Child<RadioGroup>(d, "AviPos").item(place)->click();
            EXPECT_EQ(Child<QLineEdit>(d, "Bai").isEnabled(), place == 1);
            EXPECT_EQ(Child<RadioGroup>(d, "Frame").isEnabled(), place == 1);
            Child<QLineEdit>(d, "Bai").setText(scale);
            if (file) Pick(Child<FileList>(d, "FileList"), file);
            return true;
        });
        ui().item("mnAvi2")->trigger();
    }
    // Saves the card, opens the file again and saves once more: the bytes of both saves.
    std::pair<std::string, std::string> SaveReopenSave(const char* name) {
        const auto path = program() / (std::string(name) + ".zep");
        if (std::filesystem::exists(path)) prompts.answers = {true};  // overwrite
        form().cardFile().Save();
        const std::string first = ReadBytes(path);
        prompts.answers = {true, true};  // discard the card, overwrite the file
        chooser.answers.push_back(QString::fromStdString(path.string()));
        form().cardFile().Open();
        form().cardFile().Save();
        return {first, ReadBytes(path)};
    }
};

TEST_F(FeaturesInTheEditor, ButtonThreeToACardTicksSurvivesReopenAndUnticks) {
    NameCard("buttons");
    Associate(ui().item("mnButton3"), [](QDialog& d) { Pick(Child<FileList>(d, "Macro"), "menu2.zep"); });
    EXPECT_EQ(card().buttons[3], (Association{"menu2", "menu2.zep"}));
    EXPECT_TRUE(ui().item("mnButton3")->isChecked());
    EXPECT_EQ(runner.shown.at(1), "ボタン - 3");

    const auto [first, second] = SaveReopenSave("buttons");
    EXPECT_EQ(first, second);
    runner.Push([](QDialog& d) {
        EXPECT_EQ(Child<QLabel>(d, "dspNextCard").text(), "menu2");
        EXPECT_EQ(Child<QLabel>(d, "dspNextFile").text(), "menu2.zep");
        Child<QCheckBox>(d, "chkCard").click();
        return true;
    });
    ui().item("mnButton3")->trigger();
    EXPECT_FALSE(ui().item("mnButton3")->isChecked());
    EXPECT_FALSE(card().buttonInUse[3]);
}

TEST_F(FeaturesInTheEditor, Movie2MagnificationIsClampedAtOkAndNoFileSwitchesItOff) {
    const struct {
        const char *typed, *stored;
    } cases[] = {{"5", "20.0"}, {"2000", "1000.0"}, {"100", "100"}, {"19.99", "20.0"}, {"1e3", "1e3"}};
    for (const auto& c : cases) {
        Movie2(1, c.typed, "clip.avi");
        EXPECT_EQ(card().movie2.scaleText, c.stored) << c.typed;
        EXPECT_TRUE(ui().item("mnAvi2")->isChecked());
    }
    EXPECT_EQ(card().movie2.movieFile, (program() / "clip.avi").string());
    // Shown again, the chosen movie is selected; taking the selection away switches it off.
    runner.Push([](QDialog& d) {
        EXPECT_EQ(Child<FileList>(d, "FileList").SelectedFile(), "clip.avi");
        EXPECT_TRUE(Child<QPushButton>(d, "OKBtn").isEnabled());
        Child<FileList>(d, "FileList").ClearSelection();
        return true;
    });
    ui().item("mnAvi2")->trigger();
    EXPECT_FALSE(ui().item("mnAvi2")->isChecked());
    EXPECT_FALSE(card().movie2.inUse);
}

TEST_F(FeaturesInTheEditor, Movie2MagnificationThatIsNoNumberIsRefusedAndTheDialogComesBack) {
    Movie2(1, "abc", "clip.avi");  // the second showing is not scripted: cancelled
    Movie2(1, "1€0", "clip.avi");
    EXPECT_EQ(runner.shownCount(), 4);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", "show:拡大率「abc」が数値ではありません", "beep!",
                                                      "show:拡大率「1?0」が数値ではありません"}));
    EXPECT_FALSE(card().movie2.inUse);
    EXPECT_EQ(card().movie2.scaleText, "100.0");
}

// A cancelled dialog leaves the card as it was, whatever was edited in it.
TEST_F(FeaturesInTheEditor, CancelledFeatureDialogsChangeNothing) {
    Movie2(0, "300", "clip.avi");
    runner.Push([](QDialog& d) {
        Child<QSpinBox>(d, "Width").setValue(7);
        return true;
    });
    ui().item("mnMarker")->trigger();
    runner.Push([](QDialog& d) {
        Child<QPushButton>(d, "SelAllBtn").click();
        return true;
    });
    ui().item("mnSlide")->trigger();
    const Card before = card();
    QSignalSpy changes(&form().document(), &CardDocument::changed);

    const std::function<bool(QDialog&)> edits[] = {[](QDialog& d) {
                                                       Child<RadioGroup>(d, "AviPos").item(1)->click();
                                                       Child<QLineEdit>(d, "Bai").setText("50");
                                                       Child<QSpinBox>(d, "x").setValue(99);
                                                       return false;
                                                   },
                                                   [](QDialog& d) {
                                                       Child<ColorGrid>(d, "Color").cell(3)->click();
                                                       Child<QCheckBox>(d, "Stop").click();
                                                       return false;
                                                   },
                                                   [](QDialog& d) {
                                                       auto& slides = Child<QListWidget>(d, "SlideCardList");
                                                       slides.setCurrentRow(1);
                                                       Child<QPushButton>(d, "BackBtn").click();
                                                       EXPECT_EQ(slides.count(), 5);
                                                       Child<QSpinBox>(d, "Sec").setValue(60);
                                                       return false;
                                                   }};
    QAction* items[] = {ui().item("mnAvi2"), ui().item("mnMarker"), ui().item("mnSlide")};
    for (int i = 0; i < 3; ++i) {
        runner.Push(edits[i]);
        items[i]->trigger();
        EXPECT_TRUE(items[i]->isChecked()) << items[i]->objectName().toStdString();
    }
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(card().movie2, before.movie2);
    EXPECT_EQ(card().marker, before.marker);
    EXPECT_EQ(card().slide, before.slide);
}

TEST_F(FeaturesInTheEditor, MarkerSwitchedOffStartsOverAtWidthThreeAndColourNine) {
    runner.Push([](QDialog& d) {
        Child<QSpinBox>(d, "Width").setValue(12);
        Child<ColorGrid>(d, "Color").cell(2)->click();
        return true;
    });
    ui().item("mnMarker")->trigger();
    EXPECT_EQ(card().marker, (MarkerSettings{true, 2, 12, false}));
    runner.Push([](QDialog& d) {
        Child<QCheckBox>(d, "Cancel").click();
        return true;
    });
    ui().item("mnMarker")->trigger();
    EXPECT_FALSE(ui().item("mnMarker")->isChecked());
    runner.Push([](QDialog& d) {
        EXPECT_EQ(Child<QSpinBox>(d, "Width").value(), 3);
        EXPECT_EQ(Child<ColorGrid>(d, "Color").foregroundIndex(), 9);
        return false;
    });
    ui().item("mnMarker")->trigger();
}

TEST_F(FeaturesInTheEditor, Movie2ScreenIsBlackBeforeAnyMovieShows) {
    runner.Push([](QDialog& d) {
        d.resize(640, 480);
        d.layout()->activate();
        const QWidget& screen = Child<QWidget>(d, "movieScreen");
        EXPECT_GE(screen.width(), 40);
        const QImage shown = d.grab().toImage();
        const QRect area(screen.mapTo(&d, QPoint(0, 0)), screen.size());
        for (QPoint p : {area.center(), area.topLeft() + QPoint(3, 3), area.bottomRight() - QPoint(3, 3)})
            EXPECT_EQ(shown.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
        return false;
    });
    ui().item("mnAvi2")->trigger();
    EXPECT_EQ(runner.shownCount(), 1);
}

TEST_F(FeaturesInTheEditor, ChoosingAMovieOpensNothingSoItSaysNothingBeforePlay) {
    for (int showing : {1, 2}) {  // chosen in the list; then already the card's when the dialog opens
        runner.Push([](QDialog& d) {
            Pick(Child<FileList>(d, "FileList"), "clip.avi");  // "x": no movie a backend could open
            QCoreApplication::processEvents();
            EXPECT_EQ(d.findChild<QWidget*>("video"), nullptr) << "no player was asked to open the file";
            EXPECT_TRUE(Child<QPushButton>(d, "OKBtn").isEnabled());
            return true;
        });
        ui().item("mnAvi2")->trigger();
        EXPECT_TRUE(TakeEvents().empty()) << showing;
    }
}

TEST_F(FeaturesInTheEditor, SaveFolderThatCannotBeReadStillOpensTheDialogs) {
    form().document().SetSaveFolder(program() / "gone");
    runner.Push([](QDialog& d) {
        EXPECT_EQ(Child<QListWidget>(d, "AllCardList").count(), 0);
        return false;
    });
    ui().item("mnSlide")->trigger();
    ui().item("mnAvi2")->trigger();
    EXPECT_EQ(runner.shownCount(), 2);
    const std::string message = "show:保存フォルダに入れません: " + (program() / "gone").string();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", message, "beep!", message}));
}

// Every feature the dialogs make is read back as it was written.
TEST_F(FeaturesInTheEditor, EveryFeatureReadsBackIdentically) {
    for (int i = 1; i <= 16; ++i) WriteBytes(program() / ("s" + std::to_string(100 + i) + ".zep"), "x");
    NameCard("all");
    for (int b = 0; b < kButtonCount; ++b) {
        const std::string card = "menu" + std::to_string(b) + ".zep";
        Associate(ui().item(QString("mnButton%1").arg(b)),
                  [card](QDialog& d) { Pick(Child<FileList>(d, "Macro"), card.c_str()); });
    }
    Associate(ui().item("mnWave"), [](QDialog& d) { Pick(Child<FileList>(d, "Wave_"), "ding.wav"); });
    Associate(ui().item("mnCD"), [](QDialog& d) { Child<QSpinBox>(d, "CDNo").setValue(4); });
    Associate(ui().item("mnMIDI"), [](QDialog& d) { Pick(Child<FileList>(d, "Midi_"), "tune.mid"); });
    Associate(ui().item("mnAVI"), [](QDialog& d) { Pick(Child<FileList>(d, "Avi"), "intro.AVI"); });
    Associate(ui().item("mnRun"), [](QDialog& d) { Child<QLineEdit>(d, "edtRunExe").setText("calc.exe /x"); });
    Movie2(1, "250", "intro.AVI");
    runner.Push([](QDialog& d) {
        Child<ColorGrid>(d, "Color").cell(4)->click();
        return true;
    });
    ui().item("mnMarker")->trigger();
    runner.Push([](QDialog& d) {
        Child<QPushButton>(d, "SelAllBtn").click();
        return true;
    });
    ui().item("mnSlide")->trigger();
    EXPECT_EQ(card().slide.list.size(), 20u);
    EXPECT_EQ(std::count(card().buttonInUse.begin(), card().buttonInUse.end(), true), 6);
    EXPECT_EQ(std::count(card().featureInUse.begin(), card().featureInUse.end(), true), 5);
    const auto [first, second] = SaveReopenSave("all");
    EXPECT_EQ(first, second);
    for (const char* line : {"\tbutton {3}{menu3,menu3.zep}\r\n", "\tcdaudio {4}\r\n", "\tavi2    {intro.AVI}\r\n",
                             "\tavi2opt {1}{10,10}{0}{250.0}\r\n", "\tmarker  {", "\t\t{menu5,menu5.zep}\r\n"})
        EXPECT_NE(first.find(line), std::string::npos) << line;

    // The other placement and the marker that switches off.
    Movie2(0, "250", "clip.avi");
    runner.Push([](QDialog& d) {
        Child<QCheckBox>(d, "Stop").click();
        return true;
    });
    ui().item("mnMarker")->trigger();
    const auto [third, fourth] = SaveReopenSave("all");
    EXPECT_EQ(third, fourth);
    for (const char* line : {"\tavi2opt {0}{10,10}\r\n", "\tmarker  {}\r\n"})
        EXPECT_NE(third.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace zepo::test
