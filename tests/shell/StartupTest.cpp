// Start-up: window list, FormCreate, settings file, switches, the one-shot sequence, the
// second instance.

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "canvas/CardCanvas.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/CardSettingsDialog.h"
#include "model/MacroFile.h"
#include "platform/InstanceChannel.h"
#include "platform/SingleInstance.h"
#include "shell/CardFileCommands.h"
#include "shell/Switches.h"

namespace zepo::test {
namespace {

TEST_F(ShellTest, WindowsAreCreatedOnceInTheirOrderWithTheirCaptions) {
    Start();
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - main");
    std::vector<QString> captions;
    for (QDialog* d : windows->dialogs()) captions.push_back(d->windowTitle());
    std::vector<QString> expected{"バージョン情報",
                                  "静止画（ビットマップ）",
                                  "カードの基本設定",
                                  "枠の作成",
                                  "文字",
                                  "文字（ファイル）",
                                  "関連付け",
                                  "ボタン",
                                  "保存フォルダの変更",
                                  "マーカー機能",
                                  "動画２",
                                  "スライド機能",
                                  "ツールの設定",
                                  "マクロビュワー"};
    EXPECT_EQ(captions, expected);
}

TEST_F(ShellTest, FormCreateStateAndTheTimerIsAskedForOneSecond) {
    Start();
    EXPECT_EQ(form().document().saveFolder(), program());
    EXPECT_EQ(ui().stbFile->text().toStdString(), program().string());
    EXPECT_EQ(ui().stbMouse->text(), "1000:1000");
    EXPECT_TRUE(ui().button("btnMove")->isChecked());
    EXPECT_TRUE(ui().item("mnNomalScreen")->isChecked());
    EXPECT_FALSE(form().settingsWriteAllowed());
    EXPECT_EQ(scheduler.delays, (std::vector<int>{1000, 30000})) << "the start-up, the first copy of unsaved work";
    EXPECT_TRUE(log.empty()) << "no dialog may be used while the window is created";
    EXPECT_EQ(ui().canvas->surface().size(), QSize(801, 600));
}

TEST_F(ShellTest, StartupSequenceRunsFolderOpenAndCardSettingsOnceInOrder) {
    Start();
    scheduler.FireAll();
    EXPECT_EQ(log, (std::vector<std::string>{"dialog:保存フォルダの変更", "open:カードの読み込み",
                                             "dialog:カードの基本設定"}));
    // Cancelled card settings with the name "main" keep "main": the fallback is for an empty name.
    EXPECT_EQ(form().card().settings.name, "main");
    scheduler.FireAll();
    EXPECT_EQ(log.size(), 3u) << "the sequence runs only once";
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].folder.toStdString(), program().string());
    EXPECT_EQ(chooser.requests[0].defaultSuffix, "zep");
    EXPECT_EQ(chooser.requests[0].filter, "ｶｰﾄﾞﾌｧｲﾙ(*.zep)");
    EXPECT_TRUE(chooser.requests[0].lastFile.isEmpty());
}

TEST_F(ShellTest, StartupFallsBackToZepoWhenTheCardNameIsEmpty) {
    Start();
    Modify([](Card& card) { card.settings.name.clear(); });
    scheduler.FireAll();
    EXPECT_EQ(form().card().settings.name, "zepo");
    EXPECT_EQ(SjisToUtf8(form().card().settings.title), "マクロ");
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - zepo");
}

TEST_F(ShellTest, StartupSkipsCardSettingsWhenACardWasOpened) {
    Start();
    TempFolder cards;
    WriteBytes(cards.path() / "aaa.zep", "card {aaa}\r\nend\r\n");
    chooser.answers.push_back(QString::fromStdString((cards.path() / "aaa.zep").string()));
    prompts.answers.push_back(true);  // no header marker: read it anyway
    scheduler.FireAll();
    EXPECT_EQ(log, (std::vector<std::string>{"dialog:保存フォルダの変更", "open:カードの読み込み"}));
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - aaa");
}

TEST(Switches, WholeArgumentsWithoutRegardToAsciiCase) {
    struct Case {
        std::vector<std::string> args;
        bool c, a;
        std::string card = {};
    } cases[] = {
        {{}, false, false},
        {{"/c"}, true, false},
        {{"/C"}, true, false},
        {{"-c"}, false, false},
        {{"/cx"}, false, false},
        {{"/a", "/c"}, true, true},
        {{"/c", "/c"}, true, false},
        {{"x", "/A"}, false, true},
        {{"/c /a"}, false, false},
        {{"/c", "/tmp/a.zep"}, true, false, "/tmp/a.zep"},
        {{"b.ZEP", "/tmp/a.zep"}, false, false, "b.ZEP"},
        {{".zep", "x.zepx"}, false, false, ""},
    };
    for (const Case& c : cases) {
        Switches s = ParseSwitches(c.args);
        EXPECT_EQ(s.currentFolderAsSaveFolder, c.c) << ::testing::PrintToString(c.args);
        EXPECT_EQ(s.writeSettings, c.a) << ::testing::PrintToString(c.args);
        EXPECT_EQ(s.card, c.card.empty() ? std::filesystem::path() : std::filesystem::absolute(c.card));
    }
}

// Help, the version and a mistyped option are answered by the real program without a window
// and without a display; "--" lets a card named like an option through to the switches.
TEST(StartCommandLine, AnsweredBeforeAnyWindow) {
    App();
    const struct {
        QStringList args;
        int exitCode;
        const char* out;  // the start of standard output
        const char* err;  // the start of standard error
    } cases[] = {{{"/c", "-h"}, 0, "使い方: zepoed [/c] [/a] [カード.zep]\n", ""},
                 {{"--version"}, 0, "zepoed 0.", ""},
                 {{"card.zep", "--bogus"}, 2, "", "zepoed: 「--bogus」というオプションはありません\n使い方: zepoed"},
                 {{"--version=1"}, 2, "", "zepoed: 「--version」は値をとりません"}};
    for (const auto& c : cases) {
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(display);
        editor.setProcessEnvironment(env);
        editor.start(ZEPOED_PATH, c.args);
        ASSERT_TRUE(editor.waitForFinished(10000)) << c.args.join(' ').toStdString();
        EXPECT_EQ(editor.exitCode(), c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_EQ(editor.readAllStandardOutput().toStdString().rfind(c.out, 0), 0u) << c.args.join(' ').toStdString();
        EXPECT_EQ(editor.readAllStandardError().toStdString().rfind(c.err, 0), 0u) << c.args.join(' ').toStdString();
    }
    auto rest = ReadStartCommandLine({"/C", "--", "-odd.zep"}, "1");
    ASSERT_TRUE(std::holds_alternative<std::vector<std::string>>(rest));
    EXPECT_EQ(ParseSwitches(std::get<std::vector<std::string>>(rest)).card.filename(), "-odd.zep");
}

// What the file manager's "open with" does: the card opens at once, its folder becomes the
// save folder, and neither start-up question is asked.
TEST_F(ShellTest, ACardOnTheCommandLineOpensWithoutTheStartupDialogs) {
    TempFolder cards;
    App();
    const auto card = cards.path() / "aaa.zep";
    std::ofstream(card, std::ios::binary) << HeaderMarkerLine() << "\r\ncard {x}\r\n\ttitle {t}\r\nend\r\n";
    Start({card.string()});
    EXPECT_EQ(form().document().saveFolder(), cards.path());
    scheduler.FireAll();
    EXPECT_EQ(log, std::vector<std::string>{});
    EXPECT_EQ(form().card().settings.name, "aaa");
    EXPECT_EQ(form().card().settings.title, "t");

    // A card that cannot be read leaves the editor on an empty card, still without questions.
    windows.reset();
    scheduler.pending.clear();  // the first editor's start-up is gone with it
    Start({(cards.path() / "missing.zep").string()});
    scheduler.FireAll();
    EXPECT_EQ(log, std::vector<std::string>{});
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep!", "show:" + (cards.path() / "missing.zep").string() +
                                                     "\r読み込みに失敗しました\rファイルまたはフォルダがありません"}));
    EXPECT_EQ(form().card().settings.name, "main") << "the editor's empty card";
}

TEST_F(ShellTest, SwitchCTakesTheCurrentFolderAndSwitchAAllowsWriting) {
    TempFolder here;
    App();
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(here.path());
    Start({"/C", "/a"});
    std::filesystem::current_path(before);
    EXPECT_EQ(form().document().saveFolder(), here.path());
    EXPECT_TRUE(form().settingsWriteAllowed());
}

struct ToolMenuState {
    QString caption;
    bool visible;
};

std::vector<ToolMenuState> ToolMenus(MainWindow& w) {
    WindowControls f(w);
    std::vector<ToolMenuState> out;
    for (QAction* a : {f.item("mnMakeText"), f.item("mnMakeBitmap"), f.item("mnMakeWave"), f.item("mnMovieMk"),
                       f.item("mnTool1"), f.item("mnTool2"), f.item("mnTool3"), f.item("mnExplorer"),
                       f.item("mnMPlayer"), f.item("mnQV"), f.item("mnHelp1"), f.item("mnHelp2"), f.item("mnHelp3")})
        out.push_back({a->text(), a->isVisible()});
    return out;
}

TEST_F(ShellTest, WithoutASettingsFileEveryDefaultApplies) {
    Start();
    auto menus = ToolMenus(form());
    std::vector<QString> fixed{"メモ帳", "ペイント", "サウンドレコーダ", "ムービーメーカー"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(menus[i].caption, fixed[i]);
        EXPECT_TRUE(menus[i].visible);
    }
    EXPECT_EQ(menus[7].caption, "エクスプローラ");
    EXPECT_EQ(menus[8].caption, "メディアプレーヤー");
    EXPECT_EQ(menus[9].caption, "画像ビュワー");
    for (size_t i : {4, 5, 6, 10, 11, 12}) EXPECT_FALSE(menus[i].visible) << i;
    EXPECT_TRUE(ui().item("mnAuto256Color")->isChecked());
    EXPECT_TRUE(ui().button("btnAuto256Color")->isChecked());
    EXPECT_FALSE(form().settings().useTools);
    EXPECT_EQ(form().settings().tools[int(Tool::Viewer)].option, "/WD=$D");
}

TEST_F(ShellTest, SettingsFileCases) {
    WriteBytes(program() / "ZEPOED.INI",
               "[exetool2]\r\nToolName=X\r\n[MemoTool]\r\nToolName=\r\n[ZEPOED]\r\nAuto256Color=0\r\nisToolUse=1\r\n"
               "[Help2]\r\ntoolname=" +
                   Sjis("手引き") + "\r\n");
    Start();
    auto menus = ToolMenus(form());
    EXPECT_TRUE(menus[5].visible);
    EXPECT_EQ(menus[5].caption, "X");
    EXPECT_FALSE(menus[4].visible);
    EXPECT_FALSE(menus[6].visible);
    EXPECT_EQ(menus[0].caption, "");
    EXPECT_TRUE(menus[0].visible) << "the fixed tools are never hidden";
    EXPECT_TRUE(menus[11].visible);
    EXPECT_EQ(menus[11].caption, "手引き");
    EXPECT_FALSE(ui().item("mnAuto256Color")->isChecked());
    EXPECT_FALSE(ui().button("btnAuto256Color")->isChecked());
    EXPECT_TRUE(form().settings().useTools);
}

TEST_F(ShellTest, Auto256ToggleKeepsMenuAndButtonInStepAndIsNeverWritten) {
    WriteBytes(program() / "ZEPOED.INI", "[ZEPOED]\r\nAuto256Color=0\r\n");
    Start({"/a"});
    ui().button("btnAuto256Color")->click();
    EXPECT_TRUE(ui().item("mnAuto256Color")->isChecked());
    EXPECT_TRUE(ui().button("btnAuto256Color")->isChecked());
    ui().item("mnAuto256Color")->trigger();
    EXPECT_FALSE(ui().item("mnAuto256Color")->isChecked());
    EXPECT_FALSE(ui().button("btnAuto256Color")->isChecked());
    form().tools().ToggleAuto256Color();
    ProfileFile profile = ProfileFile::Load(program() / "ZEPOED.INI");
    WriteSettings(profile, form().settings());
    EXPECT_EQ(profile.GetString("ZEPOED", "Auto256Color", "missing"), "0");
    EXPECT_EQ(profile.GetString("ZEPOED", "isToolUse", "missing"), "0");
}

TEST_F(ShellTest, ButtonBarAndStatusBar) {
    Start();
    form().show();
    struct B {
        QToolButton* b;
        const char* caption;
        const char* hint;
    } buttons[] = {
        {ui().button("btnCard"), "設定", "カード名などカードの基本的な設定を行う"},
        {ui().button("btnOpen"), "読込", "カードを読み込む"},
        {ui().button("btnSave"), "保存", "カードを上書保存する"},
        {ui().button("btnZepo"), "ゼポ", "ゼポを実行する"},
        {ui().button("btnPaint"), "確認", "字や絵をイメージ通りに見る"},
        {ui().button("btnMove"), "移動", "字や絵を動かす"},
        {ui().button("btnFrontBack"), "前へ", "字や絵を前に出す"},
        {ui().button("btnStretch"), "ｻｲｽﾞ", "字や絵の大きさを変える"},
        {ui().button("btnTxtYoko"), "字１", "１行の文字を貼り付ける"},
        {ui().button("btnTextFile"), "字フ", "文字をファイルから読み込み貼り付ける"},
        {ui().button("btnBitmap"), "画像", "静止画を貼り付ける"},
        {ui().button("btnFrame"), "枠", "枠を貼り付ける"},
        {ui().button("btnAuto256Color"), "256", "凹んでいると、自動で２５６色に減色します"},
    };
    int x = -1;
    for (const B& b : buttons) {
        EXPECT_EQ(b.b->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(b.b->toolTip(), QString::fromUtf8(b.hint));
        EXPECT_EQ(b.b->size(), QSize(41, 25));
        EXPECT_GT(b.b->x(), x) << "left to right";
        x = b.b->x();
    }
    EXPECT_EQ(ui().stbMouse->width(), 103);
}

TEST_F(ShellTest, MenuItemsAndSeparators) {
    Start();
    QStringList bar;
    for (QAction* a : form().menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{"カード(&C)", "表示(&V)", "貼り付け(&Y)", "関連付け(&R)", "機能(&E)", "ツール(&T)",
                                "その他(&O)", "ヘルプ(&H)"}));
    QStringList card;
    auto* cardMenu = qobject_cast<QMenu*>(ui().item("mnNew")->parent());
    ASSERT_NE(cardMenu, nullptr);
    for (QAction* a : cardMenu->actions()) card << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(card, (QStringList{"新カード(&N)", "カードの読み込み(&O)...", "カードの上書保存(&S)",
                                 "保存フォルダの変更(&P)...", "カードの基本設定(&C)...", "カード一覧(&L)", "-",
                                 "ゼポの実行(&G)", "カードのセットアップ(&I)", "-", "編集中のマクロを見る(&V)", "-",
                                 "元に戻す", "やり直し", "-", "終了(&X)"}));
    EXPECT_EQ(ui().item("mnYoko09")->text(), "文字９...");
    EXPECT_EQ(ui().item("mnYoko10")->text(), "文字Ａ...");
    EXPECT_EQ(ui().item("mnYoko20")->text(), "文字Ｋ...");
    EXPECT_EQ(ui().item("mnFrame10")->text(), "枠10...");
    EXPECT_EQ(ui().item("mnButton0")->text(), "マウス右...");
    EXPECT_EQ(ui().item("mnButton5")->text(), "ボタン５...");
}

TEST_F(ShellTest, ExitClosesWithoutAQuestionWhenNothingChanged) {
    Start();
    form().show();
    ui().item("mnExit")->trigger();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(prompts.events.empty());
}

// Starts a second editor with the first one's runtime folder and waits for it, the event
// loop running for the first.
void RunSecondEditor(QProcess& second, const TempFolder& runtime, QStringList arguments, QString folder = {}) {
    if (!folder.isEmpty()) second.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path().string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(ZEPOED_PATH, arguments);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 10000))
        << "the second editor must end by itself";
}

TEST(SingleInstanceProcess, ASecondEditorEndsQuietlyWithExitCodeZero) {
    App();
    TempFolder runtime;
    SingleInstance first(runtime.path() / "ZEPO_Editor.lock");
    ASSERT_TRUE(first.Acquire());
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen(InstanceChannelPath(runtime.path() / "ZEPO_Editor.lock")));
    QSignalSpy handed(&channel, &InstanceChannel::cardHandedOver);
    QProcess second;
    RunSecondEditor(second, runtime, {});
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    ASSERT_EQ(handed.size(), 1) << "the running editor is asked to come to the front";
    EXPECT_EQ(handed[0][0].toString(), "");
}

TEST(SingleInstanceProcess, ASecondEditorThatNobodyAnswersSaysSo) {
    App();
    TempFolder runtime;
    SingleInstance first(runtime.path() / "ZEPO_Editor.lock");
    ASSERT_TRUE(first.Acquire());
    QProcess second;
    RunSecondEditor(second, runtime, {"card.zep"});
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardError()),
              "ＺＥＰＯエディタは起動していますが、応答がありません。\n");
}

// A card opened in the file manager while the editor runs: a second start hands it over and
// the editor reads it as its open command does, once no dialog is open.
TEST_F(ShellTest, ACardHandedOverByASecondStartIsOpenedInTheRunningEditor) {
    Start();
    form().show();
    TempFolder runtime;
    const auto lock = runtime.path() / "ZEPO_Editor.lock";
    SingleInstance first(lock);
    ASSERT_TRUE(first.Acquire());
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen(InstanceChannelPath(lock)));
    QObject::connect(&channel, &InstanceChannel::cardHandedOver, &form().cardFile(), &CardFileCommands::OpenHandedOver);
    TempFolder cards;
    const auto folder = cards.path() / "カード 置き場";
    std::filesystem::create_directories(folder);
    for (const char* name : {"表紙", "next"})
        WriteBytes(folder / (std::string(name) + ".zep"), HeaderMarkerLine() + "\r\ncard {x}\r\nend\r\n");
    struct Case {
        const char* card;
        bool dialogOpen;
        QString caption;
    };
    const std::vector<Case> cases = {
        {"表紙.zep", false, "ＺＥＰＯエディタ - 表紙"},
        {"next.zep", true, "ＺＥＰＯエディタ - next"},
    };
    for (const Case& c : cases) {
        QDialog* dialog = windows->dialogs().front();
        if (c.dialogOpen) {
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->show();
        }
        form().showMinimized();
        QProcess second;
        // A name relative to where it starts, as a file manager may give it.
        RunSecondEditor(second, runtime, {QString::fromUtf8(c.card)}, QString::fromStdString(folder.string()));
        EXPECT_EQ(second.exitCode(), 0) << c.card << second.readAllStandardError().toStdString();
        EXPECT_FALSE(form().windowState() & Qt::WindowMinimized) << c.card;
        if (c.dialogOpen) {
            QTest::qWait(300);
            EXPECT_NE(Caption(form()), c.caption) << "opened under a dialog";
            dialog->hide();
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return Caption(form()) == c.caption; }, 3000)) << c.card;
        EXPECT_EQ(form().document().saveFolder(), folder);
        EXPECT_EQ(form().cardFile().openFileName().toStdString(), (folder / c.card).string());
    }
    EXPECT_TRUE(TakeEvents().empty());
}

}  // namespace
}  // namespace zepo::test

namespace zepo::test {
namespace {

TEST(SettingsFile, WrittenInTableOrderWithoutAuto256Color) {
    ShellSettings s;
    s.tools[int(Tool::Exe1)] = {"T1", "t1.sh", "$D"};
    s.tools[int(Tool::Help3)] = {"H3", "h3.html", "ignored"};
    s.useTools = true;
    s.auto256Color = false;
    ProfileFile p;
    WriteSettings(p, s);
    std::string bytes = p.ToBytes();
    std::vector<size_t> at;
    for (const char* section :
         {"[MemoTool]", "[PaintTool]", "[SoundTool]", "[MovieTool]", "[ExeTool1]", "[ExeTool2]", "[ExeTool3]",
          "[FilerTool]", "[MPlayTool]", "[QViewTool]", "[Help1]", "[Help2]", "[Help3]", "[ZEPOED]"}) {
        at.push_back(bytes.find(section));
        EXPECT_NE(at.back(), std::string::npos) << section;
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_NE(bytes.find("[ExeTool1]\r\nToolName=T1\r\nExeName=t1.sh\r\nOption=$D\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("[Help3]\r\nToolName=H3\r\nExeName=h3.html\r\n\r\n"), std::string::npos) << "no Option key";
    EXPECT_NE(bytes.find("isToolUse=1"), std::string::npos);
    EXPECT_EQ(bytes.find("Auto256Color"), std::string::npos);
    ShellSettings back = ReadSettings(p);
    EXPECT_EQ(back.tools[int(Tool::Exe1)].option, "$D");
    EXPECT_EQ(back.tools[int(Tool::Help3)].option, "");
    EXPECT_TRUE(back.useTools);
    EXPECT_TRUE(back.auto256Color) << "the default, since it is never written";
}

}  // namespace
}  // namespace zepo::test
