// Unsaved work: the question before exit, open and a handed-over card; the copies a crash
// leaves and their offer at the next start; the settings and save folder of the user.

#include <signal.h>

#include <QComboBox>
#include <QDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#include "ShellFixture.h"
#include "dialogs/ToolSettingsDialog.h"
#include "model/MacroFile.h"
#include "platform/Scheduler.h"

namespace zepo::test {
namespace {
namespace fs = std::filesystem;

const std::string kCard = HeaderMarkerLine() + "\r\ncard {a}\r\n\ttitle {old}\r\nend\r\n";
const std::string kOther = HeaderMarkerLine() + "\r\ncard {b}\r\nend\r\n";
const std::string kAskSave = "choose:a.zep\r変更を保存しますか？";

int CardsIn(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) n += e.path().extension() == ".zep";
    return n;
}

bool AnyStartsWith(const std::vector<std::string>& events, const std::string& start) {
    return std::any_of(events.begin(), events.end(), [&](const std::string& e) { return e.rfind(start, 0) == 0; });
}

class UnsavedWork : public ShellTest {
protected:
    // An editor on a.zep, b.zep beside it.
    void OpenA() {
        Start({(cards.path() / "a.zep").string()});
        scheduler.FireAll();
        ASSERT_EQ(form().card().settings.name, "a");
        TakeEvents();
    }
    void Retitle(const char* title) {
        Modify([title](Card& card) { card.settings.title = title; });
    }
    // The editor gone, as if it had never run.
    void Stop() {
        windows.reset();
        scheduler.pending.clear();
        runner.scripts.clear();
        prompts.choices.clear();
        prompts.answers.clear();
        chooser.answers.clear();
    }
    TempFolder cards;
    void SetUp() override {
        App();
        WriteBytes(cards.path() / "a.zep", kCard);
        WriteBytes(cards.path() / "b.zep", kOther);
    }
};

// Exit (menu and window close), open and a second start's card, each with an unchanged card
// and with each answer to the question; 保存 goes on only when the card was really written.
TEST_F(UnsavedWork, ReplacingOrClosingAChangedCardAsksFirst) {
    enum class Command { ExitMenu, CloseWindow, Open, HandOver };
    const char* commandNames[] = {"exit menu", "window close", "open", "hand-over"};
    // How saving a.zep ends after 保存: written without a second question (the file is the one
    // read), the overwrite declined (a.zep changed on disk meanwhile), the write refused (a.zep
    // made read-only meanwhile).
    enum class SaveEnd { Written, OverwriteDeclined, WriteFails };
    const struct {
        const char* what;
        std::optional<Choice> answer;  // none: an unchanged card, no question
        SaveEnd saveEnd;
    } answers[] = {{"unchanged", std::nullopt, SaveEnd::Written},
                   {"キャンセル", Choice::Cancel, SaveEnd::Written},
                   {"破棄", Choice::No, SaveEnd::Written},
                   {"保存", Choice::Yes, SaveEnd::Written},
                   {"保存, overwrite declined", Choice::Yes, SaveEnd::OverwriteDeclined},
                   {"保存, write fails", Choice::Yes, SaveEnd::WriteFails}};
    const std::string changedOnDisk = HeaderMarkerLine() + "\r\ncard {a}\r\n\ttitle {edited elsewhere}\r\nend\r\n";
    for (Command command : {Command::ExitMenu, Command::CloseWindow, Command::Open, Command::HandOver})
        for (const auto& answer : answers) {
            const bool saveFails = answer.saveEnd != SaveEnd::Written;
            const struct {
                bool changed, goesOn, saved;
            } c{answer.answer.has_value(), answer.answer != Choice::Cancel && !saveFails,
                answer.answer == Choice::Yes && !saveFails};
            const std::string what = std::string(commandNames[int(command)]) + " / " + answer.what;
            fs::permissions(cards.path() / "a.zep", fs::perms::owner_read | fs::perms::owner_write);
            WriteBytes(cards.path() / "a.zep", kCard);
            OpenA();
            form().show();
            if (c.changed) Retitle("new");
            EXPECT_EQ(form().isWindowModified(), c.changed) << what;
            if (answer.answer) prompts.choices.push_back(*answer.answer);
            if (answer.saveEnd == SaveEnd::OverwriteDeclined) {
                WriteBytes(cards.path() / "a.zep", changedOnDisk);
                prompts.answers.push_back(false);
            }
            if (answer.saveEnd == SaveEnd::WriteFails) fs::permissions(cards.path() / "a.zep", fs::perms::owner_read);
            const std::string onDisk = ReadBytes(cards.path() / "a.zep");
            const QString b = QString::fromStdString((cards.path() / "b.zep").string());
            switch (command) {
                case Command::ExitMenu: ui().item("mnExit")->trigger(); break;
                case Command::CloseWindow: form().close(); break;
                case Command::Open:
                    chooser.answers.push_back(b);
                    ui().button("btnOpen")->click();
                    break;
                case Command::HandOver:
                    form().cardFile().OpenHandedOver(b);
                    QTest::qWait(50);
                    break;
            }
            std::vector<std::string> events = TakeEvents();
            const bool asked = std::count(events.begin(), events.end(), kAskSave) == 1;
            EXPECT_EQ(asked, c.changed) << what << ::testing::PrintToString(events);
            // The file the card was read from is written without a second question; one that
            // changed on disk is asked about, saying so.
            EXPECT_EQ(AnyStartsWith(events, "ask:"), answer.saveEnd == SaveEnd::OverwriteDeclined)
                << what << ::testing::PrintToString(events);
            if (answer.saveEnd == SaveEnd::OverwriteDeclined) {
                EXPECT_TRUE(AnyStartsWith(events, "ask:a.zep\rフォルダ：" + cards.path().string() +
                                                      "\rこのカードを読み込んだ（保存した）あとで、"))
                    << what << ::testing::PrintToString(events);
            }
            if (answer.saveEnd == SaveEnd::WriteFails) {
                EXPECT_TRUE(AnyStartsWith(events, "show:" + (cards.path() / "a.zep").string() +
                                                      "\r保存に失敗しました\r読み書きする権限がありません"))
                    << what << ::testing::PrintToString(events);
            }
            if (command == Command::ExitMenu || command == Command::CloseWindow)
                EXPECT_EQ(!form().isVisible(), c.goesOn) << what;
            else EXPECT_EQ(form().card().settings.name == "b", c.goesOn) << what;
            const std::string nowOnDisk = ReadBytes(cards.path() / "a.zep");
            EXPECT_EQ(nowOnDisk.find("{new}") != std::string::npos, c.saved) << what;
            if (!c.saved) {
                EXPECT_EQ(nowOnDisk, onDisk) << what;
            }
            if (!c.goesOn) {
                EXPECT_TRUE(form().document().isModified()) << what << ": the change is kept";
                EXPECT_EQ(form().card().settings.title, "new") << what;
            }
            Stop();
        }
}

// A card handed over while the exit question is open does not undo the exit the user chose:
// the question is not asked again, the card is not opened into the ending editor, and the
// user is told which card was not opened.
TEST_F(UnsavedWork, AHandOverDuringTheExitQuestionLetsTheExitFinish) {
    OpenA();
    form().show();
    Retitle("new");
    const std::string b = (cards.path() / "b.zep").string();
    QDialog question;  // the question box, open when the card arrives
    question.setModal(true);
    question.show();
    form().cardFile().OpenHandedOver(QString::fromStdString(b));
    prompts.choices.push_back(Choice::No);  // 破棄
    form().close();
    question.hide();
    QTest::qWait(500);  // the hand-over waits for the question to close
    const std::vector<std::string> events = TakeEvents();
    EXPECT_EQ(std::count(events.begin(), events.end(), kAskSave), 1) << ::testing::PrintToString(events);
    EXPECT_TRUE(AnyStartsWith(events, "show:" + b + "\rエディタを終了するため、このカードは開きませんでした。"))
        << ::testing::PrintToString(events);
    EXPECT_FALSE(form().isVisible()) << "the exit goes on";
    EXPECT_EQ(form().card().settings.name, "a");
}

// The card differs from its file exactly when the history is away from where the file was
// read or last written; the caption carries the mark.
TEST_F(UnsavedWork, ModifiedFollowsTheHistoryAndTheLastSave) {
    OpenA();
    prompts.answers = {true, true};  // overwrite twice
    // Edit, undo to the file, redo, save, undo past the save, a new edit (the saved state is
    // dropped from redo), save again.
    const struct {
        const char* what;
        std::function<void()> act;
        bool modified;
    } steps[] = {
        {"edit", [&] { Retitle("x"); }, true},
        {"undo to the file", [&] { ui().item("mnUndo")->trigger(); }, false},
        {"redo", [&] { ui().item("mnRedo")->trigger(); }, true},
        {"save", [&] { ui().button("btnSave")->click(); }, false},
        {"undo past the save", [&] { ui().item("mnUndo")->trigger(); }, true},
        {"new edit", [&] { Retitle("y"); }, true},
        {"save again", [&] { ui().item("mnSave")->trigger(); }, false},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(form().document().isModified(), step.modified) << step.what;
        EXPECT_EQ(form().isWindowModified(), step.modified) << step.what;
    }
}

// A second start hands over only a card file the editor can read; anything else is said with
// the file and the reason, and the card stays.
TEST_F(UnsavedWork, AHandOverTakesOnlyAReadableCardFile) {
    OpenA();
    Retitle("kept");
    fs::create_directory(cards.path() / "folder.zep");
    WriteBytes(cards.path() / "note.txt", "x");
    WriteBytes(cards.path() / "UPPER.ZEP", kOther);
    const struct {
        const char* name;
        const char* message;  // empty: read
    } cases[] = {{"note.txt", "カードのファイル（.zep）ではないため、読めません"},
                 {"folder.zep", "読み込みに失敗しました\rフォルダのため、読めません"},
                 {"missing.zep", "読み込みに失敗しました\rファイルまたはフォルダがありません"},
                 {"UPPER.ZEP", ""}};
    for (const auto& c : cases) {
        const fs::path file = cards.path() / c.name;
        prompts.choices.push_back(Choice::No);
        form().cardFile().OpenHandedOver(QString::fromStdString(file.string()));
        QTest::qWait(50);
        std::vector<std::string> events = TakeEvents();
        if (*c.message) {
            EXPECT_EQ(events, (std::vector<std::string>{"beep!", "show:" + file.string() + "\r" + c.message}))
                << c.name;
            EXPECT_EQ(form().card().settings.title, "kept") << c.name;
            prompts.choices.clear();
        } else {
            EXPECT_EQ(form().card().settings.name, "UPPER") << c.name;
        }
    }
}

// The save folder field as a Linux user types it; a folder that cannot be used brings the
// dialog back with the text kept.
TEST_F(UnsavedWork, SaveFolderFieldUnderstandsHomeAndRelativeNames) {
    TempFolder homeFolder;
    home = homeFolder.path();
    fs::create_directory(home / "x");
    fs::create_directory(cards.path() / "sub");
    OpenA();
    const struct {
        const char* typed;
        fs::path expected;  // empty: refused, the dialog comes back with the text
    } cases[] = {
        {"~", home}, {"~/x", home / "x"}, {"~/new", home / "new"}, {"sub", cards.path() / "sub"}, {"~/a/b", {}}};
    for (const auto& c : cases) {
        form().document().SetSaveFolder(cards.path());
        QString shownAgain;
        runner.Push([&](QDialog& d) {
            Child<QLineEdit>(d, "EditDir").setText(c.typed);
            return true;
        });
        runner.Push([&](QDialog& d) {
            shownAgain = Child<QLineEdit>(d, "EditDir").text();
            return false;
        });
        form().cardFile().ChangeSaveFolder();
        runner.scripts.clear();
        EXPECT_EQ(shownAgain, c.expected.empty() ? c.typed : "") << c.typed;
        EXPECT_EQ(form().document().saveFolder(), c.expected.empty() ? cards.path() : c.expected) << c.typed;
    }
}

// The folder dialogs offer the user's places: the save-folder dialog starts beside the save
// folder, with home, the desktop and this run's save folders where the drive box was; the open
// dialog's side bar lists the same folders.
TEST_F(UnsavedWork, FolderDialogsStartAtTheSaveFolderAndOfferTheUsersPlaces) {
    TempFolder homeFolder;
    home = homeFolder.path();
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.string()));  // where the desktop folder is
    fs::create_directories(home / "Desktop");
    fs::create_directories(home / "zepo" / "haru");
    OpenA();  // the first start's save folder is home; the card's folder follows
    runner.Push([](QDialog& d) {
        Child<QLineEdit>(d, "EditDir").setText("~/zepo/haru");
        return true;
    });
    form().cardFile().ChangeSaveFolder();
    const QString haru = QString::fromStdString((home / "zepo" / "haru").string());
    const QString cardsFolder = QString::fromStdString(cards.path().string());
    const QString homePath = QString::fromStdString(home.string());
    const std::vector<QString> expected = {
        "ホーム|" + homePath, "デスクトップ|" + homePath + "/Desktop", "最近の保存フォルダ：" + haru + "|" + haru,
        "最近の保存フォルダ：" + cardsFolder + "|" + cardsFolder, "コンピュータ全体 (/)|/"};
    std::vector<QString> offered;
    QString root, chosen, place;
    runner.Push([&](QDialog& d) {
        auto& box = Child<QComboBox>(d, "ChDrive");
        for (int i = 0; i < box.count(); ++i) offered.push_back(box.itemText(i) + "|" + box.itemData(i).toString());
        place = box.currentText();
        auto& tree = Child<QTreeView>(d, "Dir");
        auto* files = static_cast<QFileSystemModel*>(tree.model());
        root = files->filePath(tree.rootIndex());
        chosen = files->filePath(tree.currentIndex());
        return false;
    });
    form().cardFile().ChangeSaveFolder();
    EXPECT_EQ(offered, expected);
    EXPECT_EQ(place, "最近の保存フォルダ：" + haru);
    EXPECT_EQ(root, QString::fromStdString((home / "zepo").string())) << "the tree starts beside the save folder";
    EXPECT_EQ(chosen, haru);

    ui().button("btnOpen")->click();
    ASSERT_FALSE(chooser.requests.empty());
    QStringList sideBar;
    for (const QString& p : expected) sideBar << p.section('|', 1);
    sideBar.removeLast();  // the whole computer is the dialog's own
    EXPECT_EQ(chooser.requests.back().places, sideBar);
    qputenv("HOME", realHome);
}

// Installed: the program's folder cannot be written and must not be. The user's file takes
// the portable one as its start, gets the tool settings and the save folder, owner-only, and
// the next start begins in the folder used last; the first start begins at home.
TEST_F(UnsavedWork, InstalledLayoutKeepsEverythingInTheUsersFolders) {
    TempFolder homeFolder;
    home = homeFolder.path();
    const std::string portable = "[ExeTool1]\r\nToolName=Portable\r\n";
    WriteBytes(program() / "ZEPOED.INI", portable);
    fs::permissions(program(), fs::perms::owner_read | fs::perms::owner_exec);
    Start({"/a"});
    EXPECT_EQ(form().document().saveFolder(), home) << "never the program's folder";
    EXPECT_EQ(form().settings().tools[int(Tool::Exe1)].name, "Portable");
    const QString shownFile = QString::fromStdString(userSettingsFile().string());
    runner.Push([&](QDialog& d) {
        auto& dlg = static_cast<ToolSettingsDialog&>(d);
        EXPECT_TRUE(Child<QLabel>(dlg, "lblSettingsFile").text().contains(shownFile));
        dlg.row(Tool::Exe2).name->setText("Mine");
        return true;
    });
    form().tools().EditToolSettings();
    runner.Push([](QDialog& d) {
        Child<QLineEdit>(d, "EditDir").setText("~/x");
        return true;
    });
    form().cardFile().ChangeSaveFolder();
    EXPECT_EQ(form().document().saveFolder(), home / "x");
    EXPECT_EQ(ReadBytes(program() / "ZEPOED.INI"), portable);
    const std::string user = ReadBytes(userSettingsFile());
    for (const std::string& line :
         {std::string("ToolName=Portable"), std::string("ToolName=Mine"), "SaveFolder=" + (home / "x").string()})
        EXPECT_NE(user.find(line), std::string::npos) << line;
    EXPECT_EQ(fs::status(userSettingsFile()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(userSettingsFile().parent_path()).permissions(), fs::perms::owner_all);
    windows.reset();
    Start();
    EXPECT_EQ(form().document().saveFolder(), home / "x") << "the folder used last";
    EXPECT_EQ(form().settings().tools[int(Tool::Exe2)].name, "Mine");
    fs::permissions(program(), fs::perms::owner_all);
}

// A user's file that cannot be used: defaults, one message at the start, and the file is
// never written over, whatever changes later.
TEST_F(UnsavedWork, AnUnusableSettingsFileGivesDefaultsOneMessageAndStaysAsItIs) {
    const std::function<void(const fs::path&)> makes[] = {
        [](const fs::path& f) { WriteBytes(f, std::string("[ExeTool1]\r\nToolName=X\r\n\0\x01\x02", 25)); },  // binary
        [](const fs::path& f) { WriteBytes(f, "[ExeTool1]\r\nToolName=X\r\nthis is a letter\r\n"); },
        [](const fs::path& f) { fs::create_directory(f); },
    };
    for (const auto& make : makes) {
        const std::string what = "case " + std::to_string(&make - makes);
        fs::remove_all(userSettingsFile());
        fs::create_directories(userSettingsFile().parent_path());
        make(userSettingsFile());
        const std::string before = fs::is_regular_file(userSettingsFile()) ? ReadBytes(userSettingsFile()) : "";
        Start({"/a"});
        EXPECT_FALSE(form().settings().tools[int(Tool::Exe1)].name == "X") << what;
        scheduler.FireAll();
        EXPECT_TRUE(AnyStartsWith(TakeEvents(), "show:設定ファイルが使えないため")) << what;
        form().document().SetSaveFolder(cards.path());
        runner.Push([](QDialog&) { return true; });
        form().tools().EditToolSettings();
        if (fs::is_regular_file(userSettingsFile())) EXPECT_EQ(ReadBytes(userSettingsFile()), before) << what;
        else EXPECT_TRUE(fs::is_directory(userSettingsFile())) << what;
        EXPECT_TRUE(TakeEvents().empty()) << what;
        Stop();
    }
}

// The copy of a changed card: written by the timer, gone after a save; left by a crash it is
// offered at the next start and opens as a changed card over an untouched file.
TEST_F(UnsavedWork, ACopyOfAChangedCardIsOfferedAfterACrash) {
    OpenA();
    auto copies = [&] { return CardsIn(recoveryFolder()); };
    scheduler.FireAll();
    EXPECT_EQ(copies(), 0) << "no copy of an unchanged card";
    Retitle("unsaved");
    scheduler.FireAll();
    ASSERT_EQ(copies(), 1);
    prompts.answers.push_back(true);
    ui().button("btnSave")->click();
    EXPECT_EQ(copies(), 0) << "saved: the copy goes";
    Retitle("lost in a crash");
    scheduler.FireAll();
    ASSERT_EQ(copies(), 1);
    // A crash: the copy stays, under a run that is no longer there.
    for (const auto& e : fs::directory_iterator(recoveryFolder()))
        fs::rename(e.path(), recoveryFolder() / ("999999999-1" + e.path().extension().string()));
    const std::string onDisk = ReadBytes(cards.path() / "a.zep");
    Stop();
    prompts.choices.push_back(Choice::Yes);
    Start();
    scheduler.FireAll();
    EXPECT_TRUE(AnyStartsWith(TakeEvents(),
                              "choose:前回保存されなかったカードがあります\r" + (cards.path() / "a.zep").string()));
    EXPECT_EQ(SjisToUtf8(form().card().settings.title), "lost in a crash");
    EXPECT_TRUE(form().document().isModified());
    EXPECT_EQ(form().document().saveFolder(), cards.path());
    EXPECT_EQ(ReadBytes(cards.path() / "a.zep"), onDisk) << "the file waits for the user's save";
    EXPECT_TRUE(runner.shown.empty()) << "the restored card answers the start-up questions";
    // A normal end after discarding removes the copy.
    prompts.choices.push_back(Choice::No);
    form().close();
    EXPECT_EQ(copies(), 0);
}

// A card that was never saved, left by a crash under the name of a card in its folder: it is
// offered as a new card without naming that file, and saving asks for its name first; keeping
// the other card's name asks before replacing that card.
TEST_F(UnsavedWork, ANeverSavedCardIsRecoveredAsNewAndSavedUnderAConfirmedName) {
    const struct {
        const char* what;
        const char* confirmedName;
        bool written;  // as confirmedName.zep
    } cases[] = {{"renamed when saving", "intro", true},
                 {"the other card's name kept, overwrite declined", "a", false}};
    for (const auto& c : cases) {
        Start();
        scheduler.FireAll();  // the start-up questions, all cancelled: a new card
        form().document().SetSaveFolder(cards.path());
        Modify([](Card& card) {
            card.settings.name = "a";  // the name of the card beside it
            card.settings.title = "draft";
        });
        scheduler.FireAll();
        ASSERT_EQ(CardsIn(recoveryFolder()), 1) << c.what;
        for (const auto& e : fs::directory_iterator(recoveryFolder()))
            fs::rename(e.path(), recoveryFolder() / ("999999999-1" + e.path().extension().string()));
        Stop();
        prompts.choices.push_back(Choice::Yes);
        Start();
        scheduler.FireAll();
        std::vector<std::string> events = TakeEvents();
        ASSERT_TRUE(AnyStartsWith(events, "choose:前回保存されなかったカードがあります\r一度も保存されていない"))
            << c.what << ::testing::PrintToString(events);
        EXPECT_EQ(::testing::PrintToString(events).find("a.zep"), std::string::npos) << c.what << ": no file named";
        EXPECT_EQ(form().card().settings.title, "draft") << c.what;
        EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - a") << c.what;

        runner.Push([&](QDialog& d) {
            Child<QLineEdit>(d, "edtCardName").setText(c.confirmedName);
            return true;
        });
        prompts.answers.push_back(false);  // replace the other card?
        ui().button("btnSave")->click();
        events = TakeEvents();
        EXPECT_EQ(ReadBytes(cards.path() / "a.zep"), kCard) << c.what << ": the other card stays";
        const fs::path saved = cards.path() / (std::string(c.confirmedName) + ".zep");
        EXPECT_EQ(fs::exists(saved) && ReadBytes(saved).find("{draft}") != std::string::npos, c.written) << c.what;
        EXPECT_EQ(form().document().isModified(), !c.written) << c.what;
        EXPECT_EQ(
            AnyStartsWith(events, "ask:a.zep\rフォルダ：" + cards.path().string() + "\r同じ名前のファイルが存在します"),
            !c.written)
            << c.what << ::testing::PrintToString(events);
        Stop();
        fs::remove_all(recoveryFolder());
        fs::remove(cards.path() / "intro.zep");
    }
}

// Copies that cannot be read are never deleted without the user's word; a recovery folder
// that is a link is not used, and that is said.
TEST_F(UnsavedWork, BrokenCopiesAndForeignFoldersAreHandledWithTheUsersWord) {
    fs::create_directories(recoveryFolder());
    WriteBytes(recoveryFolder() / "999999998-1.zep", kCard);  // no record of its card file
    WriteBytes(recoveryFolder() / "999999997-1.zep", kCard);
    WriteBytes(recoveryFolder() / "999999997-1.ini", "[Recovery]\r\nCardFile=relative.zep\r\n");
    prompts.choices = {Choice::Yes, Choice::Cancel};  // keep the first aside, ask again later for the second
    Start();
    scheduler.FireAll();
    EXPECT_EQ(CardsIn(recoveryFolder() / "kept"), 1);
    EXPECT_EQ(CardsIn(recoveryFolder()), 1) << "'later' leaves it where it is";
    Stop();

    TempFolder elsewhere;
    fs::remove_all(recoveryFolder());
    fs::create_symlink(elsewhere.path(), recoveryFolder());
    Start();
    scheduler.FireAll();
    EXPECT_TRUE(AnyStartsWith(TakeEvents(), "show:控えのフォルダが使えないため"));
    Retitle("x");
    scheduler.FireAll();
    EXPECT_TRUE(fs::is_empty(elsewhere.path())) << "nothing written through the link";
}

// The editor of the test below, in a process of its own: it opens a card, changes it, waits for
// its copy (the clock a hundred times faster) and then for its end.
struct FastScheduler : Scheduler {
    void After(int ms, std::function<void()> work) override { QTimer::singleShot(ms / 100, std::move(work)); }
};

TEST(RecoveryChild, EditsAndWaitsToBeKilled) {
    const char* cards = std::getenv("ZEPO_CHILD_CARDS");
    const char* recovery = std::getenv("ZEPO_CHILD_RECOVERY");
    if (!cards || !recovery) GTEST_SKIP() << "the editor that AnEditorKilledAfterAnEdit… starts and kills";
    App();
    RecordingPrompts prompts;
    ScriptedRunner runner;
    ScriptedChooser chooser;
    RecordingLauncher launcher;
    FastScheduler scheduler;
    ShellServices services{prompts,
                           runner,
                           chooser,
                           launcher,
                           scheduler,
                           cards,
                           {(fs::path(cards) / "a.zep").string()},
                           QSize(800, 600),
                           {},
                           {},
                           UserPlaces{{}, recovery, cards}};
    EditorWindows windows(services);
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.main().card().settings.name == "a"; }, 10000));
    Card card = windows.main().card();
    card.settings.title = "killed";
    windows.main().document().Apply(card);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fs::is_empty(recovery); }, 10000));
    std::fputs("READY\n", stdout);
    std::fflush(stdout);
    QTest::qWait(60000);
}

TEST_F(UnsavedWork, AnEditorKilledAfterAnEditLeavesItsCardForTheNextStart) {
    fs::create_directories(recoveryFolder());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEPO_CHILD_CARDS", QString::fromStdString(cards.path().string()));
    env.insert("ZEPO_CHILD_RECOVERY", QString::fromStdString(recoveryFolder().string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=RecoveryChild.*"});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return child.readAllStandardOutput().contains("READY") || child.state() == QProcess::NotRunning; },
        30000));
    ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardError().toStdString();
    ASSERT_EQ(::kill(pid_t(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    prompts.choices.push_back(Choice::Yes);
    Start();
    scheduler.FireAll();
    EXPECT_EQ(form().card().settings.title, "killed") << ::testing::PrintToString(TakeEvents());
    EXPECT_TRUE(form().document().isModified());
    EXPECT_EQ(ReadBytes(cards.path() / "a.zep"), kCard);
}

}  // namespace
}  // namespace zepo::test
