// The card menu's file commands: new card, open, save, save folder, card settings and the
// macro viewer, with the caption rule.

#include <QFileInfo>
#include <system_error>

#include "shell/MainWindow.h"
#include "canvas/CardCanvas.h"
#include "dialogs/SaveFolderDialog.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/MacroViewer.h"
#include "model/MacroFile.h"
#include "model/MacroReader.h"
#include "model/MacroWriter.h"
#include "platform/CardFilesOnDisk.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/FileChooser.h"
#include "platform/Folders.h"
#include "dialogs/Prompts.h"
#include "core/TextCodec.h"

namespace zepo {

void MainWindow::mnNewClick() {
    if (!services_.prompts.Ask(Sjis("現カードを破棄します\rよろしですか？"))) return;
    NewCardReset();
    card_.settings.name.clear();
    card_.settings.title.clear();
    card_.settings.editMode = 0;
    mnCardMakeClick();
    NameUnnamedCard();
}

void MainWindow::mnCardMakeClick() {
    if (!dialogs_.cardInit) return;
    CardSettingsDialog& dlg = *dialogs_.cardInit;
    // The dialog shows the card; Cancel leaves the card as it was, so the next showing
    // starts from the card's values again.
    dlg.Load(card_.settings);
    if (!services_.dialogs.Run(dlg)) {
        dlg.Load(card_.settings);
        return;
    }
    card_.settings = dlg.Read();
    SetCaptionFromCard();
    canvas->ClearCanvas();
}

void MainWindow::mnOpenClick() {
    std::filesystem::path start = saveFolder_;
    if (!EnterFolder(saveFolder_)) {
        ReportFolder(saveFolder_);
        // Opening a card is a way out of a save folder that vanished: the dialog starts on
        // the nearest folder that is still there.
        start = NearestEnterableFolder(saveFolder_);
    }
    OpenFileRequest request{"カードの読み込み", QString::fromStdString(start.string()), "ｶｰﾄﾞﾌｧｲﾙ(*.zep)", "zep",
                            QFileInfo(openFileName_).fileName()};
    QString chosen = services_.files.ChooseOpenFile(request);
    if (chosen.isEmpty()) return;
    openFileName_ = chosen;
    OpenChosenFile(std::filesystem::path(chosen.toStdString()));
}

void MainWindow::OpenChosenFile(const std::filesystem::path& chosen) {
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(chosen, ec);
    // The card's name is its file's name: one that Shift-JIS cannot hold would name a
    // different file when the card is saved again.
    std::optional<std::string> sjisName = SjisNameOfPath(file.filename());
    if (!sjisName) {
        services_.prompts.Warn(Sjis("ファイル名にShift-JISで表せない文字が含まれているため、読み込めません"));
        return;
    }
    std::optional<std::string> bytes;
    if (!ec) bytes = ReadFileBytes(file);
    if (!bytes) {
        services_.prompts.Warn(Sjis("読み込みに失敗しました"));
        return;
    }
    macroLines_ = SplitLines(*bytes);

    saveFolder_ = WithoutTrailingSeparator(file.parent_path());
    ShowSaveFolder();
    if (!EnterFolder(saveFolder_)) {
        services_.prompts.Warn(Sjis("読み込みに失敗しました"));
        return;
    }
    if (!HasHeaderMarker(macroLines_) &&
        !services_.prompts.AskWarning(Sjis("ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\r読み込みますか？")))
        return;

    CardFilesOnDisk files(saveFolder_);
    ReaderContext context{services_.prompts, files, measurer_};
    ResetDialogs();
    LoadMacro(card_, macroLines_, *sjisName, context);
    canvas->ClearDragging();
    SetCaptionFromCard();
    // Drawn again in the mode the user is in: a preview shows the card just read.
    canvas->ClearCanvas();
    SyncFromModel();
}

void MainWindow::mnSaveClick() {
    if (!EnterFolder(saveFolder_)) {
        ReportFolder(saveFolder_);
        return;
    }
    const std::string& name = card_.settings.name;
    switch (CheckCardFileName(name)) {
        case CardNameProblem::None: break;
        case CardNameProblem::Empty: services_.prompts.Warn(Sjis("カード名がないため、保存できません")); return;
        case CardNameProblem::Nul:
            services_.prompts.Warn(Sjis("カード名にファイル名に使えない文字が含まれているため、保存できません"));
            return;
        case CardNameProblem::Separator:
            services_.prompts.Warn(name + "\r" +
                                   Sjis("カード名に「/」や「\\」が含まれているため、保存できません"));
            return;
    }
    const std::string fileName = name + ".zep";
    const std::filesystem::path target = PathOfSjisName(saveFolder_, fileName);

    std::error_code ec;
    bool existed = std::filesystem::exists(target, ec);
    if (ec) {
        services_.prompts.Warn(Sjis("保存に失敗しました"));
        return;
    }
    if (existed && !services_.prompts.Ask(fileName + "\r" + Sjis("同じ名前のファイルが存在します") + "\r" +
                                          Sjis("上書きしてよろしいですか？")))
        return;

    if (!BuildMacroLines()) return;
    if (std::optional<size_t> longLine = FindLongLine(macroLines_)) {
        services_.prompts.Warn(LongLineMessage(macroLines_[*longLine]));
        return;
    }
    // Written beside the card and renamed over it only when complete: a failed save never
    // leaves a half-written card behind.
    if (!WriteFileAtomically(target, JoinMacroLines(macroLines_))) {
        services_.prompts.Warn(Sjis("保存に失敗しました"));
        return;
    }
    if (!existed) services_.prompts.Inform(fileName + "\r" + Sjis("上の名前で保存しました"));
}

void MainWindow::mnSavePosClick() {
    if (!dialogs_.chdir) return;
    SaveFolderDialog& dlg = *dialogs_.chdir;
    dlg.Load(saveFolder_);
    if (!services_.dialogs.Run(dlg)) return;
    // A relative folder is taken from the folder the dialog was opened on, so that the save
    // folder stays the same folder whatever becomes current later.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(dlg.Read().toStdString(), ec);
    if (ec || dlg.Read().isEmpty()) folder = dlg.Read().toStdString();
    folder = WithoutTrailingSeparator(folder);
    if (!EnterFolder(folder)) {
        if (!CreateOneFolder(folder)) {
            services_.prompts.Inform(Sjis("フォルダを変更できませんでした"));
            return;
        }
        services_.prompts.Inform(Utf8ToSjis(folder.string()).bytes + "\r" + Sjis("上のフォルダを作成しました。"));
        if (!EnterFolder(folder)) {  // made, but not ours to enter
            services_.prompts.Inform(Sjis("フォルダを変更できませんでした"));
            return;
        }
    }
    saveFolder_ = folder;
    ShowSaveFolder();
    canvas->ClearCanvas();
}

bool MainWindow::BuildMacroLines() {
    macroLines_.clear();
    WriteOutcome written = WriteMacro(card_, macroLines_);
    SyncFromModel();  // writing may have given the main card its default title
    if (!written.ok) services_.prompts.Warn(written.error);
    return written.ok;
}

void MainWindow::mnViewMacroClick() {
    if (!dialogs_.macroViewer) return;
    if (!BuildMacroLines()) return;
    dialogs_.macroViewer->Load(macroLines_);
    services_.dialogs.Run(*dialogs_.macroViewer);
}

}  // namespace zepo
