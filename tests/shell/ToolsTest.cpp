// The player, the tools and help menus, the tool settings dialog, the screen sizes and the
// pictures of the screen, over the recording fakes.

#include <sys/stat.h>
#include <QAction>
#include <QCheckBox>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "ShellFixture.h"
#include "core/TextCodec.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/ToolSettingsDialog.h"
#include "imaging/PictureFile.h"
#include "platform/Folders.h"
#include "shell/CardListWindow.h"
#include "shell/HelpCommands.h"
#include "shell/WindowSizeCommands.h"

namespace zepo::test {
namespace {

namespace fs = std::filesystem;

QAction& Item(MainWindow& w, const char* name) { return Child<QAction>(w, name); }

ToolEntry& Entry(MainWindow& w, Tool t) { return w.settings().tools[int(t)]; }

TEST_F(ShellTest, ToolCommandsStartTheirProgramsInTheSaveFolderOrSayWhyNot) {
    Start();
    const std::string f = program().string();
    struct Case {
        const char* item;
        std::function<void(MainWindow&, RecordingLauncher&)> setUp;
        std::string started;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"mnQV", {}, "\\zepo\\tool\\qv\\qv.exe|</WD=" + f + ">|" + f, {}},
        {"mnMakeText", {}, "notepad.exe||" + f, {}},
        {"mnTool1",
         [](MainWindow& w, RecordingLauncher&) {
             Entry(w, Tool::Exe1) = {Sjis("道具"), "t1", "$F"};
         },
         "t1||" + f,
         {}},
        {"mnTool2",
         [](MainWindow& w, RecordingLauncher&) {
             Entry(w, Tool::Exe2) = {"x", "t2", "$D $D $d"};
         },
         "t2|<" + f + "><" + f + "><$d>|" + f,
         {}},
        // A quoted "$F" with no file is an empty argument: the next word keeps its place.
        {"mnTool2",
         [](MainWindow& w, RecordingLauncher&) {
             Entry(w, Tool::Exe2) = {"x", "t2", "\"$F\" -n"};
         },
         "t2|<><-n>|" + f,
         {}},
        {"mnTool3",
         [](MainWindow& w, RecordingLauncher&) {
             Entry(w, Tool::Exe3) = {Sjis("道具３"), "", ""};
         },
         "||" + f,
         {"beep!", "show:道具３が起動できませんでした。"}},
        {"mnMPlayer",
         [](MainWindow&, RecordingLauncher& l) { l.missing = {"wmplayer.exe"}; },
         "wmplayer.exe||" + f,
         {"beep!", "show:メディアプレーヤーが起動できませんでした。"}},
        {"mnZEPO",
         [](MainWindow&, RecordingLauncher& l) { l.missing = {"\\zepo\\zepo.exe"}; },
         "\\zepo\\zepo.exe||" + f,
         // Without the program, the pages of the folder; a folder without a card has none.
         {"beep?", "choose:カードが保存されていません。\r保存してから実行しますか？", "beep!",
          "show:ゼポが実行できません\r" + f + ": このフォルダにはカード (*.zep) がありません"}},
        {"mnSetup",
         [](MainWindow&, RecordingLauncher& l) { l.missing = {"\\zepo\\setZEPO.exe"}; },
         "\\zepo\\setZEPO.exe||" + f,
         {"beep!", "show:カードのセットアップに失敗しました"}},
        {"mnQVcnt",
         [](MainWindow&, RecordingLauncher& l) { l.missing = {"\\zepo\\tool\\qvcnt\\qvcnt.exe"}; },
         "\\zepo\\tool\\qvcnt\\qvcnt.exe||" + f,
         {"beep!",
          "show:ＱＶコントローラがありません。\rＱＶコントローラをフォルダ \\zepo\\tool\\qvcnt "
          "に\rインストールしてください。"}},
        {"mnOpenDir",
         [f](MainWindow&, RecordingLauncher& l) { l.missing = {QString::fromStdString(f)}; },
         "open|" + f,
         {"beep!", "show:作業フォルダ[" + f + "]が開けませんでした。"}},
    };
    for (const Case& c : cases) {
        launcher.started.clear();
        launcher.missing.clear();
        if (c.setUp) c.setUp(form(), launcher);
        prompts.choices = {Choice::No};  // play what is saved
        Item(form(), c.item).trigger();
        EXPECT_EQ(launcher.started, std::vector<std::string>{c.started}) << c.item;
        EXPECT_EQ(TakeEvents(), c.events) << c.item;
    }
    launcher.started.clear();
    ui().button("btnZepo")->click();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"\\zepo\\zepo.exe||" + f});
}

TEST_F(ShellTest, AHostileSaveFolderReachesToolsAsOneLiteralArgumentAndAMissingOneStartsNothing) {
    Start();
    const fs::path hostile = program() / "a b;$(touch x)`id`\"q\" $F";
    fs::create_directory(hostile);
    form().document().SetSaveFolder(hostile);
    Item(form(), "mnQV").trigger();
    EXPECT_EQ(launcher.started,
              std::vector<std::string>{"\\zepo\\tool\\qv\\qv.exe|</WD=" + hostile.string() + ">|" + hostile.string()});
    launcher.started.clear();
    form().document().SetSaveFolder(program() / "gone");
    Item(form(), "mnZEPO").trigger();
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                                "beep!", "show:" + (program() / "gone").string() + "\rフォルダに移動できません"}));
}

ToolSettingsDialog& ToolDialog(EditorWindows& windows) {
    for (QDialog* d : windows.dialogs())
        if (auto* t = qobject_cast<ToolSettingsDialog*>(d)) return *t;
    throw std::logic_error("no tool settings dialog");
}

TEST_F(ShellTest, ToolSettingsApplyToTheMenusAtOnceAndWriteTheFileOnlyWithA) {
    const fs::path ini = userSettingsFile();
    fs::create_directories(ini.parent_path());
    for (bool writeAllowed : {false, true}) {
        WriteBytes(ini, "[ZEPOED]\r\nAuto256Color=0\r\n");
        Start(writeAllowed ? std::vector<std::string>{"/a"} : std::vector<std::string>{});
        runner.Push([](QDialog& d) {
            Child<QLineEdit>(d, "Tool2Name").setText("ツール２番");
            Child<QLineEdit>(d, "Tool2Exe").setText(" spaced prog ");
            Child<QCheckBox>(d, "cbUseTool").setChecked(true);
            Child<QPushButton>(d, "btnOK").click();
        });
        ui().item("mnTlOption")->trigger();
        EXPECT_TRUE(ui().item("mnTool2")->isVisible());
        EXPECT_EQ(ui().item("mnTool2")->text(), "ツール２番");
        EXPECT_EQ(Entry(form(), Tool::Exe2).exe, " spaced prog ");
        EXPECT_TRUE(form().settings().useTools);
        const std::string written = ReadBytes(ini);
        if (!writeAllowed) {
            EXPECT_EQ(written, "[ZEPOED]\r\nAuto256Color=0\r\n");
        } else {
            for (const char* s :
                 {"[MemoTool]", "[QViewTool]", "[ExeTool2]", "[Help3]", "isToolUse=1", "Auto256Color=0"})
                EXPECT_NE(written.find(s), std::string::npos) << s;
            EXPECT_NE(written.find(Sjis("ToolName=ツール２番")), std::string::npos);
        }
        // Cleared again, the item hides; a cancelled dialog changes nothing.
        runner.Push([](QDialog& d) {
            Child<QLineEdit>(d, "Tool2Name").clear();
            d.accept();
        });
        ui().item("mnTlOption")->trigger();
        EXPECT_FALSE(ui().item("mnTool2")->isVisible());
        const ShellSettings before = form().settings();
        runner.Push([](QDialog& d) {
            Child<QLineEdit>(d, "MemoName").setText("changed");
            Child<QCheckBox>(d, "cbUseTool").setChecked(false);
            return false;
        });
        ui().item("mnTlOption")->trigger();
        EXPECT_EQ(ui().item("mnMakeText")->text(), "メモ帳");
        EXPECT_TRUE(form().settings().useTools);
        EXPECT_EQ(Entry(form(), Tool::Memo).name, before.tools[int(Tool::Memo)].name);
        windows.reset();
    }
}

TEST_F(ShellTest, ToolSettingsBrowseWithTheFilterOfTheEntryAndKeepTheFieldWhenCancelled) {
    Start();
    ToolSettingsDialog& dialog = ToolDialog(*windows);
    Entry(form(), Tool::Help1).exe = "/docs/old.pdf";
    dialog.Load(form().settings());
    chooser.answers = {"/docs/new.pdf", "/usr/bin/shotcut", ""};
    Child<QPushButton>(dialog, "Button10").click();
    Child<QPushButton>(dialog, "Button13").click();
    Child<QPushButton>(dialog, "Button13").click();
    ASSERT_EQ(chooser.requests.size(), 3u);
    EXPECT_EQ(chooser.requests[0].filter, ToolSettingsDialog::kHelpFilter);
    EXPECT_EQ(chooser.requests[0].lastFile, "/docs/old.pdf");
    EXPECT_EQ(chooser.requests[1].filter, ToolSettingsDialog::kProgramFilter);
    EXPECT_EQ(chooser.requests[1].lastFile, "moviemk.exe");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Help1Exe").text(), "/docs/new.pdf");
    EXPECT_EQ(Child<QLineEdit>(dialog, "MovieExe").text(), "/usr/bin/shotcut");
    EXPECT_EQ(Entry(form(), Tool::Movie).exe, "moviemk.exe") << "nothing reaches the table before OK";
}

TEST_F(ShellTest, ScreenSizesLockTheOuterSizeWhenTheScreenIsLarger) {
    for (QSize display : {QSize(1280, 1024), QSize(1024, 768)}) {
        screen = display;
        Start();
        MainWindow& w = form();
        w.setWindowState(Qt::WindowNoState);
        w.resize(700, 500);
        w.show();
        QApplication::processEvents();
        ui().item("mn1024_768")->trigger();
        QApplication::processEvents();
        if (display.width() > 1024) {
            EXPECT_EQ(w.frameGeometry().size(), QSize(1024, 768));
            EXPECT_TRUE(ui().item("mn1024_768")->isChecked());
        } else {
            EXPECT_EQ(w.size(), QSize(700, 500)) << "refused silently";
            EXPECT_TRUE(ui().item("mnNomalScreen")->isChecked());
        }
        ui().item("mn800_600")->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(ui().item("mn800_600")->isChecked());
        // Dragging the border or maximising snaps back.
        w.resize(900, 700);
        QApplication::processEvents();
        EXPECT_EQ(w.frameGeometry().size(), QSize(800, 600));
        w.showMaximized();
        QApplication::processEvents();
        EXPECT_FALSE(w.isMaximized());
        EXPECT_EQ(w.frameGeometry().size(), QSize(800, 600));
        // "標準" frees it without changing its size; "最大化" maximises and frees it.
        ui().item("mnNomalScreen")->trigger();
        QApplication::processEvents();
        EXPECT_EQ(w.frameGeometry().size(), QSize(800, 600));
        w.resize(640, 500);
        QApplication::processEvents();
        EXPECT_EQ(w.size(), QSize(640, 500));
        ui().item("mn640_480")->trigger();
        ui().item("mnFullScreen")->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(ui().item("mnNomalScreen")->isChecked());
        EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(w.windowSize().locked().isEmpty());
        windows.reset();
    }
}

int FileBits(const fs::path& file) {
    auto picture = LoadPicture(file);
    return picture ? picture.value().fileBitsPerPixel : -1;
}

TEST_F(ShellTest, ScreenPictureTakesTheFirstFreeNumberAndCapturesReplaceOneFile) {
    Start();
    WriteBytes(program() / "画面1.bmp", "x");
    WriteBytes(program() / "画面3.bmp", "x");
    ui().item("mnAllBMP")->trigger();
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep?", "show:画面を次のファイル名で保存しました。\r[ 画面2.bmp ]"}));
    auto saved = LoadPicture(program() / "画面2.bmp");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.value().bitmap.Width(), 801);
    EXPECT_EQ(saved.value().bitmap.Height(), 600);
    EXPECT_EQ(saved.value().fileBitsPerPixel, 24);
    EXPECT_TRUE(ui().button("btnPaint")->isChecked());

    ui().item("mnCaptJPG")->trigger();
    Modify([](Card& card) { card.settings.color = kBlack; });
    ui().item("mnCaptJPG")->trigger();
    int captures = 0;
    for (const auto& e : fs::directory_iterator(program()))
        captures += e.path().filename().string().rfind("capt_", 0) == 0;
    EXPECT_EQ(captures, 1);
    auto capture = LoadPicture(program() / "capt_main.jpg");
    ASSERT_TRUE(capture);
    EXPECT_LT(capture.value().bitmap.Row(300)[400], 40) << "the second capture replaced the first";
    EXPECT_EQ(TakeEvents().back(), "show:キャプチャ画面を次のファイル名で保存しました。\r[ capt_main.jpg ]");

    // A file that cannot be replaced is reported with the reason and left as it was.
    WriteBytes(program() / "capt_main.jpg", "old");
    chmod((program() / "capt_main.jpg").c_str(), 0444);
    ui().item("mnCaptJPG")->trigger();
    std::vector<std::string> events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(
        events[1].rfind("show:ファイル[" + (program() / "capt_main.jpg").string() + "]に書き込めませんでした。\r", 0),
        0u)
        << events[1];
    EXPECT_EQ(ReadBytes(program() / "capt_main.jpg"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(program()), fs::directory_iterator()), 4)
        << "no temporary file is left";
}

TEST_F(ShellTest, MergeReplacesEveryObjectByOnePictureAndCancelWritesNothing) {
    Start();
    Modify([](Card& card) {
        card.settings.name = Sjis("表紙");
        card.settings.title = "T";
        card.slot(SlotKind::Frame, 1).inUse = true;
        card.slot(SlotKind::Frame, 1).bounds = {10, 10, 100, 50};
        card.buttonInUse[0] = true;
    });
    const Card& card = form().card();

    prompts.answers = {false};
    ui().item("mnFix")->trigger();
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep?", "ask:関連づけの情報はすべて消えます。よろしいですか？"}));
    EXPECT_FALSE(fs::exists(program() / "画面1.bmp"));
    EXPECT_TRUE(card.slot(SlotKind::Frame, 1).inUse);

    for (bool reduce : {true, false}) {
        if (form().settings().auto256Color != reduce) ui().button("btnAuto256Color")->click();
        prompts.answers = {true};
        QSignalSpy changed(&form().document(), &CardDocument::changed);
        ui().item("mnFix")->trigger();
        // With the preview already on, the merge is one change of the card.
        if (!reduce) {
            EXPECT_EQ(changed.count(), 1);
        }
        const std::string name = reduce ? "画面1.bmp" : "画面2.bmp";
        EXPECT_EQ(FileBits(program() / name), reduce ? 8 : 24);
        EXPECT_EQ(card.UsedSlotsInStackingOrder(), std::vector<int>{SlotId(SlotKind::Picture, 1)});
        const Slot& picture = card.slot(SlotKind::Picture, 1);
        EXPECT_EQ(picture.picture.fileName, Sjis(name.c_str()));
        EXPECT_EQ(picture.bounds, (Rect{0, 0, 801, 600}));
        EXPECT_EQ(picture.picture.naturalWidth, 801);
        EXPECT_FALSE(card.buttonInUse[0]);
        EXPECT_FALSE(ui().item("mnBitmap")->isChecked());
        EXPECT_TRUE(ui().item("mnBitmap1")->isChecked());
        EXPECT_EQ(card.settings.name, Sjis("表紙"));
        EXPECT_EQ(card.settings.title, "T");
        EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - 表紙");
    }
}

class HelpTest : public ShellTest {
protected:
    void SetUp() override {
        helpFile = ZEPO_HELP_QCH;
        helpCollection = QString::fromStdString((collection.path() / "help.qhc").string());
    }
    QString Page() {
        HelpWindow* help = form().help().window();
        return help ? help->currentPage().fileName() : QString();
    }
    TempFolder collection;
};

TEST_F(HelpTest, EachHelpButtonAndMenuItemOpensItsTopic) {
    Start();
    const std::map<QString, QString> pages = {{"枠の作成", "frame.html"},
                                              {"関連付け", "association.html"},
                                              {"ボタン", "association.html"},
                                              {"カードの基本設定", "cardsettings.html"},
                                              {"保存フォルダの変更", "savefolder.html"},
                                              {"文字", "text.html"},
                                              {"文字（ファイル）", "textfile.html"},
                                              {"静止画（ビットマップ）", "picture.html"},
                                              {"動画２", "movie2.html"},
                                              {"マーカー機能", "marker.html"},
                                              {"スライド機能", "slide.html"}};
    int withButton = 0;
    for (QDialog* d : windows->dialogs()) {
        auto* button = d->findChild<QPushButton*>("HelpBtn");
        if (!button) continue;
        ++withButton;
        button->click();
        ASSERT_TRUE(pages.count(d->windowTitle())) << d->windowTitle().toStdString() << " has no expected topic";
        EXPECT_EQ(Page(), pages.at(d->windowTitle())) << d->windowTitle().toStdString();
    }
    EXPECT_GE(withButton, 5);
    ui().item("mnZepoXPHelp")->trigger();
    EXPECT_EQ(Page(), "linux.html");
    ui().item("mnHelpKensaku")->trigger();
    HelpWindow& help = *form().help().window();
    EXPECT_EQ(help.tabs->currentIndex(), 1);
    QHelpIndexModel* index = help.engine().indexModel();
    QSignalSpy created(index, &QHelpIndexModel::indexCreated);
    if (index->rowCount() == 0) {
        ASSERT_TRUE(created.wait(20000));
    }
    help.indexFilter->setText("ファイル");
    ASSERT_GE(help.IndexEntries().size(), 3) << "any part of a keyword finds it";
    for (const QString& entry : help.IndexEntries()) EXPECT_TRUE(entry.contains("ファイル"));
    ui().item("mnHelpMokuji")->trigger();
    EXPECT_EQ(help.tabs->currentIndex(), 0);
    EXPECT_TRUE(TakeEvents().empty());

    // Full text: every word, anywhere in a page, Japanese without blanks included.
    QStringList found;
    for (const QUrl& url : help.Search("減色 ＪＰＧ保存")) found << url.fileName();
    EXPECT_TRUE(found.contains("screen.html")) << "full-width letters find half-width ones";
    found.clear();
    for (const QUrl& url : help.Search("減色  CAPT_")) found << url.fileName();
    EXPECT_EQ(found, QStringList{"screen.html"});
    EXPECT_TRUE(help.Search("  ").isEmpty());
}

// A click on a tab of the help window as the window system delivers it, where a window that
// a modal dialog blocks gets none.
void ClickTab(HelpWindow& help, int tab) {
    QTabBar* bar = help.tabs->tabBar();
    QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, bar->mapTo(&help, bar->tabRect(tab).center()));
}

TEST_F(HelpTest, HelpOfAModalDialogComesUpAboveItAndTakesClicks) {
    Start();
    std::vector<QDialog*> withHelp;
    for (QDialog* d : windows->dialogs())
        if (d->findChild<QPushButton*>("HelpBtn")) withHelp.push_back(d);
    ASSERT_GE(withHelp.size(), 2u);
    for (QDialog* dialog : {withHelp[0], withHelp[1]}) {
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        Child<QPushButton>(*dialog, "HelpBtn").click();
        HelpWindow& help = *form().help().window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
        for (int tab : {2, 1}) {
            ClickTab(help, tab);
            EXPECT_EQ(help.tabs->currentIndex(), tab) << dialog->windowTitle().toStdString();
        }
        dialog->hide();
    }
    // With no dialog open the help stands alone again: the main window's help is not tied to a
    // dialog that is gone.
    ui().item("mnHelpMokuji")->trigger();
    HelpWindow& help = *form().help().window();
    ClickTab(help, 2);
    EXPECT_EQ(help.tabs->currentIndex(), 2);
    EXPECT_EQ(help.windowHandle()->transientParent(), nullptr);
}

TEST_F(HelpTest, F1ShowsThePageOfTheWindowInFrontAndTheHelpNeitherHidesNorOutlivesTheEditor) {
    Start();
    form().show();
    const struct {
        QAction* command;
        const char *control, *page;
    } cases[] = {{ui().item("mnCardMake"), "edtCardName", "cardsettings.html"},
                 {ui().item("mnViewMacro"), "Memo1", "macroviewer.html"},
                 {ui().item("mnYoko01"), "edtText", "text.html"}};
    for (const auto& c : cases) {
        runner.Push([&](QDialog& d) { QTest::keyClick(&Child<QWidget>(d, c.control), Qt::Key_F1); });
        c.command->trigger();
        EXPECT_EQ(Page(), c.page) << c.control;
    }
    HelpWindow& help = *form().help().window();
    help.back->click();
    EXPECT_EQ(Page(), "macroviewer.html");
    help.forward->click();
    EXPECT_EQ(Page(), "text.html");
    // The card list, a window of its own, opens its page.
    ui().item("mnCardList")->trigger();
    QTest::keyClick(form().cardFile().cardList()->findChild<QWidget*>("edtCardFilter"), Qt::Key_F1);
    EXPECT_EQ(Page(), "cardlist.html");
    help.showMinimized();
    ui().item("mnHelpMokuji")->trigger();
    EXPECT_FALSE(help.isMinimized()) << "the contents bring a minimised help back";
    // 終了 with the help open ends the program: no process stays behind.
    QTimer stuck;
    QObject::connect(&stuck, &QTimer::timeout, [] { QApplication::exit(1); });
    stuck.start(5000);
    QTimer::singleShot(0, ui().item("mnExit"), &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(HelpTest, MissingHelpDocumentsAreReported) {
    helpFile = "/nonexistent/zepoed.qch";
    qputenv("ZEPO_ROOT", program().c_str());
    Start();
    ui().item("mnHelpMokuji")->trigger();
    ui().item("mnZepoHelp")->trigger();
    Entry(form(), Tool::Help1).exe = "manual.pdf";
    launcher.missing = {QString::fromStdString((program() / "manual.pdf").string())};
    ui().item("mnHelp1")->trigger();
    EXPECT_EQ(
        TakeEvents(),
        (std::vector<std::string>{
            "beep!", "show:ヘルプファイル[/nonexistent/zepoed.qch]が開けませんでした。", "beep!",
            "show:ゼポのヘルプが見つかりませんでした。\r次のフォルダに zepo.html または zepo.pdf を置いてください。\r" +
                program().string() + "/zepo",
            "beep!", "show:ヘルプファイル[manual.pdf]が開けませんでした。"}));
    EXPECT_EQ(launcher.started, std::vector<std::string>{"open|" + program().string() + "/manual.pdf"});
    launcher.missing = {};
    fs::create_directory(program() / "zepo");
    WriteBytes(program() / "zepo" / "zepo.pdf", "%PDF");
    launcher.started.clear();
    ui().item("mnZepoHelp")->trigger();
    qunsetenv("ZEPO_ROOT");
    EXPECT_EQ(launcher.started, std::vector<std::string>{"open|" + program().string() + "/zepo/zepo.pdf"});
}

}  // namespace
}  // namespace zepo::test
