#include "EditorWindows.h"

#include "Zepoform.h"
#include "dialogs/AboutZepo.h"
#include "dialogs/Dirdlg.h"
#include "dialogs/Initdlg.h"
#include "dialogs/MacroViewer.h"
#include "platform/Prompts.h"

namespace zepo {

EditorWindows::EditorWindows(ShellServices& services) : main_(std::make_unique<TFormZEPO>(services)) {
    TFormZEPO* owner = main_.get();
    TFormZEPO::Dialogs attached;
    auto pending = [&](const char* cls, const char* caption) {
        dialogs_.push_back(new PendingDialog(cls, QString::fromUtf8(caption), owner));
    };
    attached.about = new TAboutZepo(owner);
    dialogs_.push_back(attached.about);
    pending("TBitmapDlg", "静止画（ビットマップ）");
    attached.cardInit = new TCardInitdlg(services.prompts, owner);
    dialogs_.push_back(attached.cardInit);
    pending("TFrameDlg", "枠の作成");
    pending("TTextDlg", "文字");
    pending("TTextfDlg", "文字（ファイル）");
    pending("TNextCardDlg", "関連付け");
    pending("TButtonDlg", "ボタン");
    attached.chdir = new TChdirDlg(services.prompts, owner);
    dialogs_.push_back(attached.chdir);
    pending("TMarkerDlg", "マーカー機能");
    pending("TAvi2Dlg", "動画２");
    pending("TSlideDlg", "スライド機能");
    pending("TToolOptDlg", "ツールの設定");
    attached.macroViewer = new TMacroViewer(owner);
    dialogs_.push_back(attached.macroViewer);
    main_->AttachDialogs(attached);
}

EditorWindows::~EditorWindows() = default;

}  // namespace zepo
