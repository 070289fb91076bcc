#include "shell/EditorWindows.h"

#include "editors/FrameEditor.h"
#include "shell/MainWindow.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ButtonDialog.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/SaveFolderDialog.h"
#include "dialogs/FrameDialog.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/MacroViewer.h"
#include "dialogs/MarkerDialog.h"
#include "dialogs/Movie2Dialog.h"
#include "dialogs/SlideDialog.h"
#include "dialogs/Prompts.h"
#include "core/TextCodec.h"

namespace zepo {

EditorWindows::EditorWindows(ShellServices& services) : main_(std::make_unique<MainWindow>(services)) {
    MainWindow* owner = main_.get();
    MainWindow::Dialogs attached;
    auto pending = [&](const char* cls, const char* caption) {
        dialogs_.push_back(new PendingDialog(cls, QString::fromUtf8(caption), owner));
    };
    attached.about = new AboutDialog(owner);
    dialogs_.push_back(attached.about);
    pending("TBitmapDlg", "静止画（ビットマップ）");
    attached.cardSettings = new CardSettingsDialog(services.prompts, owner);
    dialogs_.push_back(attached.cardSettings);
    attached.frame = new FrameDialog(owner);
    dialogs_.push_back(attached.frame);
    pending("TTextDlg", "文字");
    pending("TTextfDlg", "文字（ファイル）");
    attached.association = new AssociationDialog(services.launcher, services.files, owner);
    dialogs_.push_back(attached.association);
    attached.button = new ButtonDialog(owner);
    dialogs_.push_back(attached.button);
    attached.saveFolder = new SaveFolderDialog(services.prompts, owner);
    dialogs_.push_back(attached.saveFolder);
    attached.marker = new MarkerDialog(owner);
    dialogs_.push_back(attached.marker);
    attached.movie2 = new Movie2Dialog(services.prompts, owner);
    dialogs_.push_back(attached.movie2);
    attached.slide = new SlideDialog(services.prompts, owner);
    dialogs_.push_back(attached.slide);
    pending("TToolOptDlg", "ツールの設定");
    attached.macroViewer = new MacroViewer(owner);
    dialogs_.push_back(attached.macroViewer);
    main_->AttachDialogs(attached);

    // Associations are chosen in the save folder the main window holds at that moment,
    // with the tools of its tool table.
    attached.association->SetSaveFolderSource([owner] { return owner->document().saveFolder(); });
    attached.association->SetEditTools([owner] {
        const ShellSettings& s = owner->settings();
        auto exe = [&](Tool t) { return QString::fromStdString(SjisToUtf8(s.tools[static_cast<int>(t)].exe)); };
        return EditTools{exe(Tool::Memo), exe(Tool::Sound), s.useTools};
    });
    chooser_ = std::make_unique<AssociationChooser>(*attached.association, services.dialogs, services.prompts);
    attached.frame->SetChooser(chooser_.get());
    attached.button->SetChooser(chooser_.get());
    frameEditor_ = std::make_unique<FrameEditor>(main_->card(), *attached.frame, services.dialogs, services.prompts);
    main_->SetSlotEditor(SlotKind::Frame, frameEditor_.get());
}

EditorWindows::~EditorWindows() = default;

}  // namespace zepo
