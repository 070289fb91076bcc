// The main window's menu bar, button bar and status bar: captions, names and order only;
// the command classes connect them.

#include <QActionGroup>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

#include "shell/MainWindow.h"

namespace zepo {
namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(checkable);
    return a;
}

QMenu* SubMenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    sub->menuAction()->setCheckable(true);  // checked while any slot of the kind is in use
    return sub;
}

const char* const kFullWidthDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
const char* const kFullWidthLetters[] = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ", "Ｆ", "Ｇ", "Ｈ", "Ｉ", "Ｊ", "Ｋ"};

QString Numbered(int n) { return QString::fromUtf8(kFullWidthDigits[n - 1]); }

}  // namespace

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* card = bar->addMenu("カード(&C)");
    mnNew = Item(card, "mnNew", "新カード(&N)");
    mnOpen = Item(card, "mnOpen", "カードの読み込み(&O)...");
    mnSave = Item(card, "mnSave", "カードの上書保存(&S)");
    mnSavePos = Item(card, "mnSavePos", "保存フォルダの変更(&P)...");
    mnCardMake = Item(card, "mnCardMake", "カードの基本設定(&C)...");
    mnCardList = Item(card, "mnCardList", "カード一覧(&L)");
    card->addSeparator();
    mnZEPO = Item(card, "mnZEPO", "ゼポの実行(&G)");
    mnSetup = Item(card, "mnSetup", "カードのセットアップ(&I)");
    card->addSeparator();
    mnViewMacro = Item(card, "mnViewMacro", "編集中のマクロを見る(&V)");
    card->addSeparator();
    // The desktop's own keys beside the menus' letters.
    mnNew->setShortcuts(QKeySequence::New);
    mnOpen->setShortcuts(QKeySequence::Open);
    mnSave->setShortcuts(QKeySequence::Save);
    mnUndo = Item(card, "mnUndo", "元に戻す");
    mnUndo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    mnRedo = Item(card, "mnRedo", "やり直し");
    mnRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    card->addSeparator();
    mnExit = Item(card, "mnExit", "終了(&X)");
    mnExit->setShortcuts(QKeySequence::Quit);

    QMenu* view = bar->addMenu("表示(&V)");
    auto* sizes = new QActionGroup(this);
    mnNomalScreen = Item(view, "mnNomalScreen", "標準", true);
    mn1024_768 = Item(view, "mn1024_768", "1024*768ﾄﾞｯﾄ", true);
    mn800_600 = Item(view, "mn800_600", "800*600ﾄﾞｯﾄ", true);
    mn640_480 = Item(view, "mn640_480", "640*480ﾄﾞｯﾄ", true);
    for (QAction* a : {mnNomalScreen, mn1024_768, mn800_600, mn640_480}) sizes->addAction(a);
    mnNomalScreen->setChecked(true);
    view->addSeparator();
    mnFullScreen = Item(view, "mnFullScreen", "最大化");

    QMenu* paste = bar->addMenu("貼り付け(&Y)");
    mnText1 = SubMenu(paste, "mnText1", "文字（１行）");
    for (int n = 1; n <= 20; ++n) {
        QString mark = n <= 9 ? Numbered(n) : QString::fromUtf8(kFullWidthLetters[n - 10]);
        mnYoko[n - 1] = Item(mnText1, QString("mnYoko%1").arg(n, 2, 10, QChar('0')).toLatin1().constData(),
                             "文字" + mark + "...", true);
    }
    mnTextFile = SubMenu(paste, "mnTextFile", "文字（ファイル）");
    for (int n = 1; n <= 5; ++n)
        mnTextFileN[n - 1] = Item(mnTextFile, QString("mnTextFile%1").arg(n).toLatin1().constData(),
                                  "ファイル" + Numbered(n) + "...", true);
    mnBitmap = SubMenu(paste, "mnBitmap", "静止画");
    for (int n = 1; n <= 5; ++n)
        mnBitmapN[n - 1] =
            Item(mnBitmap, QString("mnBitmap%1").arg(n).toLatin1().constData(), "静止画" + Numbered(n) + "...", true);
    paste->addSeparator();
    mnAVI = Item(paste, "mnAVI", "動画...", true);
    mnAvi2 = Item(paste, "mnAvi2", "動画２...", true);
    paste->addSeparator();
    mnWave = Item(paste, "mnWave", "音声...", true);
    mnCD = Item(paste, "mnCD", "音楽CD...", true);
    mnMIDI = Item(paste, "mnMIDI", "ＭＩＤＩ...", true);
    paste->addSeparator();
    mnFrame = SubMenu(paste, "mnFrame", "枠");
    for (int n = 1; n <= 10; ++n)
        mnFrameN[n - 1] = Item(mnFrame, QString("mnFrame%1").arg(n).toLatin1().constData(),
                               (n <= 9 ? "枠" + Numbered(n) : QString("枠10")) + "...", true);
    paste->addSeparator();
    mnRun = Item(paste, "mnRun", "ソフト起動...", true);

    QMenu* assoc = bar->addMenu("関連付け(&R)");
    mnButton[0] = Item(assoc, "mnButton0", "マウス右...", true);
    assoc->addSeparator();
    for (int n = 1; n <= 5; ++n)
        mnButton[n] =
            Item(assoc, QString("mnButton%1").arg(n).toLatin1().constData(), "ボタン" + Numbered(n) + "...", true);

    QMenu* features = bar->addMenu("機能(&E)");
    mnMarker = Item(features, "mnMarker", "マーカー機能...", true);
    mnSlide = Item(features, "mnSlide", "スライド機能...", true);

    QMenu* tools = bar->addMenu("ツール(&T)");
    mnMakeText = Item(tools, "mnMakeText", "メモ帳");
    mnMakeBitmap = Item(tools, "mnMakeBitmap", "ペイント");
    mnMakeWave = Item(tools, "mnMakeWave", "サウンドレコーダ");
    mnMovieMk = Item(tools, "mnMovieMk", "ムービーメーカー");
    mnMakeText->setStatusTip("文章作成");
    mnMakeBitmap->setStatusTip("画像作成");
    mnMakeWave->setStatusTip("音声録音");
    tools->addSeparator();
    mnTool1 = Item(tools, "mnTool1", "ツール１");
    mnTool2 = Item(tools, "mnTool2", "ツール２");
    mnTool3 = Item(tools, "mnTool3", "ツール３");
    tools->addSeparator();
    mnExplorer = Item(tools, "mnExplorer", "エクスプローラー");
    mnMPlayer = Item(tools, "mnMPlayer", "メディアプレーヤー");
    mnQV = Item(tools, "mnQV", "画像ビュワー");
    tools->addSeparator();
    mnOpenDir = Item(tools, "mnOpenDir", "作業フォルダを開く(&O)");
    tools->addSeparator();
    mnQVcnt = Item(tools, "mnQVcnt", "256色へ減色 [ＱＶcnt] (&Q)");

    QMenu* other = bar->addMenu("その他(&O)");
    mnAllBMP = Item(other, "mnAllBMP", "画面を１枚の画像にする(&B)");
    mnAllBMP->setStatusTip("今作成中の画面を１枚の画像ファイルとして保存します。");
    mnFix = Item(other, "mnFix", "画面構成をまとめる(&F)");
    mnFix->setStatusTip("画面に貼り付けてある構成をそのままに１つの画像として作り替えます。");
    other->addSeparator();
    mnCaptJPG = Item(other, "mnCaptJPG", "画面ｷｬﾌﾟﾁｬしJPG保存(&C)");
    other->addSeparator();
    mnAuto256Color = Item(other, "mnAuto256Color", "画像を自動で256に減色する(&Q)", true);
    mnAuto256Color->setChecked(true);
    mnTlOption = Item(other, "mnTlOption", "ツールの設定(&O)");

    QMenu* help = bar->addMenu("ヘルプ(&H)");
    mnHelpMokuji = Item(help, "mnHelpMokuji", "目次(&C)");
    mnHelpMokuji->setShortcuts(QKeySequence::HelpContents);
    mnHelpKensaku = Item(help, "mnHelpKensaku", "キーワードで検索(&T)...");
    mnZepoXPHelp = Item(help, "mnZepoXPHelp", "WinXPへの対応について(&N)");
    mnZepoHelp = Item(help, "mnZepoHelp", "ゼポのヘルプ(&G)");
    help->addSeparator();
    mnHelp1 = Item(help, "mnHelp1", "Help1");
    mnHelp2 = Item(help, "mnHelp2", "Help2");
    mnHelp3 = Item(help, "mnHelp3", "Help3");
    help->addSeparator();
    mnAboutZEPO = Item(help, "mnAboutZEPO", "バージョン情報(&A)...");

    for (QAction* hidden : {mnTool1, mnTool2, mnTool3, mnHelp1, mnHelp2, mnHelp3}) hidden->setVisible(false);
}

namespace {

QToolButton* BarButton(QWidget* bar, QHBoxLayout* row, const char* name, const QString& caption, const QString& hint) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setFixedSize(41, 25);
    row->addWidget(b);
    return b;
}

}  // namespace

void MainWindow::BuildButtonBar() {
    pnlButtonBar = new QWidget(this);
    pnlButtonBar->setObjectName("pnlButtonBar");
    pnlButtonBar->setFixedHeight(30);
    auto* row = new QHBoxLayout(pnlButtonBar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    btnCard = BarButton(pnlButtonBar, row, "btnCard", "設定", "カード名などカードの基本的な設定を行う");
    btnOpen = BarButton(pnlButtonBar, row, "btnOpen", "読込", "カードを読み込む");
    btnSave = BarButton(pnlButtonBar, row, "btnSave", "保存", "カードを上書保存する");
    btnZepo = BarButton(pnlButtonBar, row, "btnZepo", "ゼポ", "ゼポを実行する");
    btnCardList = BarButton(pnlButtonBar, row, "btnCardList", "カード一覧", "保存フォルダのカードを一覧と地図で見る");
    btnCardList->setFixedWidth(btnCardList->sizeHint().width());
    row->addSpacing(8);
    btnPaint = BarButton(pnlButtonBar, row, "btnPaint", "確認", "字や絵をイメージ通りに見る");
    btnMove = BarButton(pnlButtonBar, row, "btnMove", "移動", "字や絵を動かす");
    btnFrontBack = BarButton(pnlButtonBar, row, "btnFrontBack", "前へ", "字や絵を前に出す");
    btnStretch = BarButton(pnlButtonBar, row, "btnStretch", "ｻｲｽﾞ", "字や絵の大きさを変える");
    row->addSpacing(8);
    btnTxtYoko = BarButton(pnlButtonBar, row, "btnTxtYoko", "字１", "１行の文字を貼り付ける");
    btnTextFile = BarButton(pnlButtonBar, row, "btnTextFile", "字フ", "文字をファイルから読み込み貼り付ける");
    btnBitmap = BarButton(pnlButtonBar, row, "btnBitmap", "画像", "静止画を貼り付ける");
    btnFrame = BarButton(pnlButtonBar, row, "btnFrame", "枠", "枠を貼り付ける");
    row->addStretch(1);
    btnAuto256Color =
        BarButton(pnlButtonBar, row, "btnAuto256Color", "256", "凹んでいると、自動で２５６色に減色します");
    btnAuto256Color->setCheckable(true);
    btnAuto256Color->setChecked(true);

    modeGroup_ = new QButtonGroup(this);
    modeGroup_->setExclusive(true);
    for (QToolButton* b : {btnPaint, btnMove, btnFrontBack, btnStretch}) {
        b->setCheckable(true);
        modeGroup_->addButton(b);
    }
    btnMove->setChecked(true);
}

void MainWindow::BuildStatusBar() {
    pnlStatasBar = new QWidget(this);
    pnlStatasBar->setObjectName("pnlStatasBar");
    auto* row = new QHBoxLayout(pnlStatasBar);
    row->setContentsMargins(2, 1, 2, 1);
    stbFile = new QLabel(pnlStatasBar);
    stbFile->setObjectName("stbFile");
    stbFile->setFrameShape(QFrame::Panel);
    stbFile->setFrameShadow(QFrame::Sunken);
    stbMouse = new QLabel("1000:1000", pnlStatasBar);
    stbMouse->setObjectName("stbMouse");
    stbMouse->setFrameShape(QFrame::Panel);
    stbMouse->setFrameShadow(QFrame::Sunken);
    stbMouse->setFixedWidth(103);
    row->addWidget(stbFile, 1);
    row->addWidget(stbMouse);
}

}  // namespace zepo
