#include "shell/ActionTable.h"

#include <QSize>

#include "canvas/CardCanvas.h"
#include "document/CardDocument.h"
#include "model/Card.h"
#include "platform/Settings.h"
#include "shell/CardFileCommands.h"
#include "shell/FeatureCommands.h"
#include "shell/HelpCommands.h"
#include "shell/PasteCommands.h"
#include "shell/ScreenPictureCommands.h"
#include "shell/ToolCommands.h"
#include "shell/ViewCommands.h"
#include "shell/WindowSizeCommands.h"

namespace zepo {
namespace {

using Run = ActionRow::Run;
using Test = ActionRow::Test;

// The command object a member function belongs to.
template <typename C>
C& Of(Commands& c);
template <>
CardFileCommands& Of(Commands& c) {
    return c.cardFile;
}
template <>
PasteCommands& Of(Commands& c) {
    return c.paste;
}
template <>
ViewCommands& Of(Commands& c) {
    return c.view;
}
template <>
FeatureCommands& Of(Commands& c) {
    return c.features;
}
template <>
ToolCommands& Of(Commands& c) {
    return c.tools;
}
template <>
HelpCommands& Of(Commands& c) {
    return c.help;
}
template <>
WindowSizeCommands& Of(Commands& c) {
    return c.windowSize;
}
template <>
ScreenPictureCommands& Of(Commands& c) {
    return c.screenPictures;
}

// A handler: `command` of its object, with `args`.
template <typename C, typename R, typename... Params, typename... Args>
Run Do(R (C::*command)(Params...), Args... args) {
    return [command, args...](Commands& c) { (Of<C>(c).*command)(args...); };
}

ActionRow Row(Place place, const char* name = "", const char* caption = "", Run run = {}, Test ticked = {}) {
    ActionRow row;
    row.place = place;
    row.name = name;
    row.caption = caption;
    row.run = std::move(run);
    row.ticked = std::move(ticked);
    return row;
}

ActionRow Menu(const char* caption) { return Row(Place::Menu, "", caption); }
ActionRow SubMenu(const char* name, const char* caption, Test ticked) {
    return Row(Place::SubMenu, name, caption, {}, std::move(ticked));
}
ActionRow EndSubMenu() { return Row(Place::EndSubMenu); }
ActionRow Separator() { return Row(Place::Separator); }
ActionRow Item(const char* name, const char* caption, Run run) {
    return Row(Place::Item, name, caption, std::move(run));
}
ActionRow Ticked(const char* name, const char* caption, Run run, Test ticked) {
    return Row(Place::Item, name, caption, std::move(run), std::move(ticked));
}
// A command of the bar alone.
ActionRow Button(int order, const char* name, const char* caption, const char* tip, Run run, Test ticked = {},
                 BarSpace before = BarSpace::None) {
    return Row(Place::Item, "", caption, std::move(run), std::move(ticked)).OnBar(order, name, caption, tip, before);
}

// What ticks a control.
Test SlotUsed(SlotKind kind, int n) {
    return [kind, n](const Commands& c) { return c.document.card().slot(kind, n).inUse; };
}
Test KindUsed(SlotKind kind) {
    return [kind](const Commands& c) { return c.document.card().parentChecked[int(kind)]; };
}
Test FeatureUsed(Feature feature) {
    return [feature](const Commands& c) { return c.document.card().featureInUse[int(feature)]; };
}
Test ButtonUsed(int button) {
    return [button](const Commands& c) { return c.document.card().buttonInUse[button]; };
}
Test InMode(EditMode mode) {
    return [mode](const Commands& c) { return c.view.mode() == mode; };
}
Test SizeLocked(QSize outer) {
    return [outer](const Commands& c) { return c.windowSize.locked() == outer; };
}

// A slot's item of the paste menu: its property round trip, ticked while the slot is in use.
ActionRow SlotItem(const char* name, const char* caption, SlotKind kind, int n) {
    return Ticked(name, caption, Do(&PasteCommands::EditSlot, SlotId(kind, n)), SlotUsed(kind, n));
}
ActionRow FeatureItem(const char* name, const char* caption, Feature feature) {
    return Ticked(name, caption, Do(&FeatureCommands::EditFeature, feature), FeatureUsed(feature));
}
ActionRow ButtonItem(const char* name, const char* caption, int button) {
    return Ticked(name, caption, Do(&FeatureCommands::EditButton, button), ButtonUsed(button));
}
ActionRow ToolItem(const char* name, const char* caption, Tool tool, bool optional = false) {
    return Item(name, caption, Do(&ToolCommands::RunTool, tool)).NamedByTool(tool, optional);
}
ActionRow SizeItem(const char* name, const char* caption, QSize outer) {
    return Ticked(name, caption, Do(&WindowSizeCommands::Choose, outer), SizeLocked(outer)).Group("sizes");
}
ActionRow ModeButton(int order, const char* name, const char* caption, const char* tip, void (ViewCommands::*enter)(),
                     EditMode mode, BarSpace before = BarSpace::None) {
    return Button(order, name, caption, tip, Do(enter), InMode(mode), before).Group("modes");
}
ActionRow PlaceButton(int order, const char* name, const char* caption, const char* tip, SlotKind kind,
                      BarSpace before = BarSpace::None) {
    return Button(order, name, caption, tip, Do(&PasteCommands::PlaceObject, kind), {}, before);
}

const Test kAuto256 = [](const Commands& c) { return c.settings.auto256Color; };
const auto kOneLine = SlotKind::OneLineText;
const auto kBlock = SlotKind::TextBlock;
const auto kPicture = SlotKind::Picture;
const auto kFrame = SlotKind::Frame;

std::vector<ActionRow> MakeTable() {
    std::vector<ActionRow> rows;
    auto add = [&rows](ActionRow row) { rows.push_back(std::move(row)); };
    // clang-format off
    add(Menu("カード(&C)"));
    add(Item("mnNew", "新カード(&N)", Do(&CardFileCommands::NewCard)).Keys(QKeySequence::New));
    add(Item("mnOpen", "カードの読み込み(&O)...", Do(&CardFileCommands::Open)).Keys(QKeySequence::Open)
            .OnBar(1, "btnOpen", "読込", "カードを読み込む"));
    add(Item("mnSave", "カードの上書保存(&S)", Do(&CardFileCommands::Save)).Keys(QKeySequence::Save)
            .OnBar(2, "btnSave", "保存", "カードを上書保存する"));
    add(Item("mnSavePos", "保存フォルダの変更(&P)...", Do(&CardFileCommands::ChangeSaveFolder)));
    add(Item("mnCardMake", "カードの基本設定(&C)...", Do(&CardFileCommands::EditCardSettings))
            .OnBar(0, "btnCard", "設定", "カード名などカードの基本的な設定を行う"));
    add(Item("mnCardList", "カード一覧(&L)", Do(&CardFileCommands::ShowCardList))
            .OnBar(4, "btnCardList", "カード一覧", "保存フォルダのカードを一覧とリンク図で見る"));
    add(Separator());
    add(Item("mnZEPO", "ゼポの実行(&G)", Do(&ToolCommands::RunPlayer)).OnBar(3, "btnZepo", "ゼポ", "ゼポを実行する"));
    add(Item("mnSetup", "カードのセットアップ(&I)", Do(&ToolCommands::RunSetup)));
    add(Separator());
    add(Item("mnViewMacro", "編集中のマクロを見る(&V)", Do(&CardFileCommands::ViewMacro)));
    add(Separator());
    add(Item("mnUndo", "元に戻す", Do(&CardFileCommands::Undo)).Keys(QKeySequence::Undo)
            .EnabledWhen([](const Commands& c) { return c.document.canUndo(); }));
    add(Item("mnRedo", "やり直し", Do(&CardFileCommands::Redo)).Keys(QKeySequence::Redo)
            .AlsoKeys({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
            .EnabledWhen([](const Commands& c) { return c.document.canRedo(); }));
    add(Separator());
    add(Item("mnExit", "終了(&X)", Do(&CardFileCommands::Exit)).Keys(QKeySequence::Quit));

    add(Menu("表示(&V)"));
    add(Ticked("mnNomalScreen", "標準", Do(&WindowSizeCommands::Standard), SizeLocked(QSize())).Group("sizes"));
    add(SizeItem("mn1024_768", "1024*768ﾄﾞｯﾄ", QSize(1024, 768)));
    add(SizeItem("mn800_600", "800*600ﾄﾞｯﾄ", QSize(800, 600)));
    add(SizeItem("mn640_480", "640*480ﾄﾞｯﾄ", QSize(640, 480)));
    add(Separator());
    add(Item("mnFullScreen", "最大化", Do(&WindowSizeCommands::Maximise)));

    add(Menu("貼り付け(&Y)"));
    add(SubMenu("mnText1", "文字（１行）", KindUsed(kOneLine)));
    add(SlotItem("mnYoko01", "文字１...", kOneLine, 1));
    add(SlotItem("mnYoko02", "文字２...", kOneLine, 2));
    add(SlotItem("mnYoko03", "文字３...", kOneLine, 3));
    add(SlotItem("mnYoko04", "文字４...", kOneLine, 4));
    add(SlotItem("mnYoko05", "文字５...", kOneLine, 5));
    add(SlotItem("mnYoko06", "文字６...", kOneLine, 6));
    add(SlotItem("mnYoko07", "文字７...", kOneLine, 7));
    add(SlotItem("mnYoko08", "文字８...", kOneLine, 8));
    add(SlotItem("mnYoko09", "文字９...", kOneLine, 9));
    add(SlotItem("mnYoko10", "文字Ａ...", kOneLine, 10));
    add(SlotItem("mnYoko11", "文字Ｂ...", kOneLine, 11));
    add(SlotItem("mnYoko12", "文字Ｃ...", kOneLine, 12));
    add(SlotItem("mnYoko13", "文字Ｄ...", kOneLine, 13));
    add(SlotItem("mnYoko14", "文字Ｅ...", kOneLine, 14));
    add(SlotItem("mnYoko15", "文字Ｆ...", kOneLine, 15));
    add(SlotItem("mnYoko16", "文字Ｇ...", kOneLine, 16));
    add(SlotItem("mnYoko17", "文字Ｈ...", kOneLine, 17));
    add(SlotItem("mnYoko18", "文字Ｉ...", kOneLine, 18));
    add(SlotItem("mnYoko19", "文字Ｊ...", kOneLine, 19));
    add(SlotItem("mnYoko20", "文字Ｋ...", kOneLine, 20));
    add(EndSubMenu());
    add(SubMenu("mnTextFile", "文字（ファイル）", KindUsed(kBlock)));
    add(SlotItem("mnTextFile1", "ファイル１...", kBlock, 1));
    add(SlotItem("mnTextFile2", "ファイル２...", kBlock, 2));
    add(SlotItem("mnTextFile3", "ファイル３...", kBlock, 3));
    add(SlotItem("mnTextFile4", "ファイル４...", kBlock, 4));
    add(SlotItem("mnTextFile5", "ファイル５...", kBlock, 5));
    add(EndSubMenu());
    add(SubMenu("mnBitmap", "静止画", KindUsed(kPicture)));
    add(SlotItem("mnBitmap1", "静止画１...", kPicture, 1));
    add(SlotItem("mnBitmap2", "静止画２...", kPicture, 2));
    add(SlotItem("mnBitmap3", "静止画３...", kPicture, 3));
    add(SlotItem("mnBitmap4", "静止画４...", kPicture, 4));
    add(SlotItem("mnBitmap5", "静止画５...", kPicture, 5));
    add(EndSubMenu());
    add(Separator());
    add(FeatureItem("mnAVI", "動画...", Feature::Avi));
    add(Ticked("mnAvi2", "動画２...", Do(&FeatureCommands::EditMovie2),
               [](const Commands& c) { return c.document.card().movie2.inUse; }));
    add(Separator());
    add(FeatureItem("mnWave", "音声...", Feature::Wave));
    add(FeatureItem("mnCD", "音楽CD...", Feature::CdAudio));
    add(FeatureItem("mnMIDI", "ＭＩＤＩ...", Feature::Midi));
    add(Separator());
    add(SubMenu("mnFrame", "枠", KindUsed(kFrame)));
    add(SlotItem("mnFrame1", "枠１...", kFrame, 1));
    add(SlotItem("mnFrame2", "枠２...", kFrame, 2));
    add(SlotItem("mnFrame3", "枠３...", kFrame, 3));
    add(SlotItem("mnFrame4", "枠４...", kFrame, 4));
    add(SlotItem("mnFrame5", "枠５...", kFrame, 5));
    add(SlotItem("mnFrame6", "枠６...", kFrame, 6));
    add(SlotItem("mnFrame7", "枠７...", kFrame, 7));
    add(SlotItem("mnFrame8", "枠８...", kFrame, 8));
    add(SlotItem("mnFrame9", "枠９...", kFrame, 9));
    add(SlotItem("mnFrame10", "枠10...", kFrame, 10));
    add(EndSubMenu());
    add(Separator());
    add(FeatureItem("mnRun", "ソフト起動...", Feature::Run));

    add(Menu("関連付け(&R)"));
    add(ButtonItem("mnButton0", "マウス右...", 0));
    add(Separator());
    add(ButtonItem("mnButton1", "ボタン１...", 1));
    add(ButtonItem("mnButton2", "ボタン２...", 2));
    add(ButtonItem("mnButton3", "ボタン３...", 3));
    add(ButtonItem("mnButton4", "ボタン４...", 4));
    add(ButtonItem("mnButton5", "ボタン５...", 5));

    add(Menu("機能(&E)"));
    add(Ticked("mnMarker", "マーカー機能...", Do(&FeatureCommands::EditMarker),
               [](const Commands& c) { return c.document.card().marker.inUse; }));
    add(Ticked("mnSlide", "スライド機能...", Do(&FeatureCommands::EditSlide),
               [](const Commands& c) { return c.document.card().slide.inUse; }));

    add(Menu("ツール(&T)"));
    add(ToolItem("mnMakeText", "メモ帳", Tool::Memo).Tip("文章作成"));
    add(ToolItem("mnMakeBitmap", "ペイント", Tool::Paint).Tip("画像作成"));
    add(ToolItem("mnMakeWave", "サウンドレコーダ", Tool::Sound).Tip("音声録音"));
    add(ToolItem("mnMovieMk", "ムービーメーカー", Tool::Movie));
    add(Separator());
    add(ToolItem("mnTool1", "ツール１", Tool::Exe1, true));
    add(ToolItem("mnTool2", "ツール２", Tool::Exe2, true));
    add(ToolItem("mnTool3", "ツール３", Tool::Exe3, true));
    add(Separator());
    add(ToolItem("mnExplorer", "エクスプローラー", Tool::Filer));
    add(ToolItem("mnMPlayer", "メディアプレーヤー", Tool::MediaPlayer));
    add(ToolItem("mnQV", "画像ビュワー", Tool::Viewer));
    add(Separator());
    add(Item("mnOpenDir", "作業フォルダを開く(&O)", Do(&ToolCommands::OpenSaveFolder)));
    add(Separator());
    add(Item("mnQVcnt", "256色へ減色 [ＱＶcnt] (&Q)", Do(&ToolCommands::RunColorController)));

    add(Menu("その他(&O)"));
    add(Item("mnAllBMP", "画面を１枚の画像にする(&B)", Do(&ScreenPictureCommands::SaveScreenPicture))
            .Tip("今作成中の画面を１枚の画像ファイルとして保存します。"));
    add(Item("mnFix", "画面構成をまとめる(&F)", Do(&ScreenPictureCommands::MergeIntoPicture))
            .Tip("画面に貼り付けてある構成をそのままに１つの画像として作り替えます。"));
    add(Separator());
    add(Item("mnCaptJPG", "画面ｷｬﾌﾟﾁｬしJPG保存(&C)", Do(&ScreenPictureCommands::SaveCapture)));
    add(Separator());
    add(Ticked("mnAuto256Color", "画像を自動で256に減色する(&Q)", Do(&ToolCommands::ToggleAuto256Color), kAuto256)
            .OnBar(13, "btnAuto256Color", "256", "凹んでいると、自動で２５６色に減色します", BarSpace::Stretch));
    add(Item("mnTlOption", "ツールの設定(&O)", Do(&ToolCommands::EditToolSettings)));

    add(Menu("ヘルプ(&H)"));
    add(Item("mnHelpMokuji", "目次(&C)", Do(&HelpCommands::Contents)).Keys(QKeySequence::HelpContents));
    add(Item("mnHelpKensaku", "キーワードで検索(&T)...", Do(&HelpCommands::Index)));
    add(Item("mnZepoXPHelp", "WinXPへの対応について(&N)", Do(&HelpCommands::DesktopNotes)));
    add(Item("mnZepoHelp", "ゼポのヘルプ(&G)", Do(&HelpCommands::PlayerHelp)));
    add(Separator());
    add(Item("mnHelp1", "Help1", Do(&HelpCommands::OpenHelpDocument, Tool::Help1)).NamedByTool(Tool::Help1, true));
    add(Item("mnHelp2", "Help2", Do(&HelpCommands::OpenHelpDocument, Tool::Help2)).NamedByTool(Tool::Help2, true));
    add(Item("mnHelp3", "Help3", Do(&HelpCommands::OpenHelpDocument, Tool::Help3)).NamedByTool(Tool::Help3, true));
    add(Separator());
    add(Item("mnAboutZEPO", "バージョン情報(&A)...", Do(&ToolCommands::ShowAbout)));


    // The bar's own commands; the bar shows the buttons of every row in their order.
    add(ModeButton(5, "btnPaint", "確認", "字や絵をイメージ通りに見る", &ViewCommands::Preview, EditMode::Preview, BarSpace::Gap));
    add(ModeButton(6, "btnMove", "移動", "字や絵を動かす", &ViewCommands::MoveMode, EditMode::Move));
    add(ModeButton(7, "btnFrontBack", "前へ", "字や絵を前に出す", &ViewCommands::FrontMode, EditMode::FrontBack));
    add(ModeButton(8, "btnStretch", "ｻｲｽﾞ", "字や絵の大きさを変える", &ViewCommands::SizeMode, EditMode::Stretch));
    add(PlaceButton(9, "btnTxtYoko", "字１", "１行の文字を貼り付ける", kOneLine, BarSpace::Gap));
    add(PlaceButton(10, "btnTextFile", "字フ", "文字をファイルから読み込み貼り付ける", kBlock));
    add(PlaceButton(11, "btnBitmap", "画像", "静止画を貼り付ける", kPicture));
    add(PlaceButton(12, "btnFrame", "枠", "枠を貼り付ける", kFrame));
    // clang-format on
    return rows;
}

}  // namespace

const std::vector<ActionRow>& MainWindowActions() {
    static const std::vector<ActionRow> rows = MakeTable();
    return rows;
}

}  // namespace zepo
