#include "shell/ToolCommands.h"

#include <QDir>
#include <QFileInfo>

#include "core/TextCodec.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/Prompts.h"
#include "dialogs/ToolSettingsDialog.h"
#include "editors/RoundTrip.h"
#include "platform/CommandLine.h"
#include "platform/Folders.h"
#include "platform/Launcher.h"
#include "platform/ProfileFile.h"
#include "shell/BrowserPlayer.h"
#include "shell/CommandContext.h"
#include "shell/UserSettingsFile.h"

namespace zepo {
namespace {

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

ToolCommands::ToolCommands(const CommandContext& context, QWidget& window, bool writeSettings)
    : context_(context), window_(window), writeSettings_(writeSettings) {}

void ToolCommands::ShowAbout() {
    if (AboutDialog* about = context_.dialogs.about) context_.services.dialogs.Run(*about);
}

void ToolCommands::SaveSettings() {
    // Into the user's file; a failure is said once and the settings stay in force until the end.
    if (settingsFile_) settingsFile_->SaveTools(context_.settings);
}

void ToolCommands::ToggleAuto256Color() {
    // The menu item and the button both show the switch, so they end in step.
    context_.settings.auto256Color = !context_.settings.auto256Color;
    emit settingsChanged();
}

QString ToolCommands::SaveFolder() const { return QString::fromStdString(context_.document.saveFolder().string()); }

void ToolCommands::Fail(const std::string& sjisMessage) { context_.services.prompts.Warn(sjisMessage); }

bool ToolCommands::SaveFolderReady() {
    // The player and the set-up program take the save folder as their current folder; a
    // folder that is gone (a stick pulled out) stops them before anything starts.
    const QFileInfo folder(SaveFolder());
    if (folder.isDir() && folder.isExecutable()) return true;
    Fail(Utf8ToSjis(SaveFolder().toStdString()).bytes + "\r" + Sjis("フォルダに移動できません"));
    return false;
}

void ToolCommands::RunPlayer() {
    if (!SaveFolderReady()) return;
    if (context_.services.launcher.StartProgram(kPlayerPath, {}, SaveFolder())) return;
    if (playing_) return;  // the button again while the pages are being made
    playing_ = true;
    PlayInBrowser();
    playing_ = false;
}

void ToolCommands::PlayInBrowser() {
    const std::filesystem::path folder = context_.document.saveFolder();
    auto cardFile = [&] { return PathOfSjisName(folder, context_.document.card().settings.name + ".zep"); };
    if (!SavedAsShown(context_.document.card(), cardFile())) {
        // Yes saves (as the save command does, with its questions) and plays what was saved;
        // No plays the card as it was last saved, as the player program would; Cancel plays
        // nothing.
        const Choice choice = context_.services.prompts.AskChoice(
            Sjis("カードが保存されていません。\r保存してから実行しますか？"), kYesNoCancel);
        if (choice == Choice::Cancel) return;
        if (choice == Choice::Yes) {
            if (save_) save_();
            // A save that was declined or failed has said so already: nothing more to show.
            if (!SavedAsShown(context_.document.card(), cardFile())) return;
        }
    }
    auto page = ExportForBrowser(folder, cardFile(), context_.services.screen, &window_, exportCaches_);
    if (!page) {
        // The reason too: a full disk or a card without a page is something the user can mend.
        Fail(Sjis("ゼポが実行できません") + "\r" + Utf8ToSjis(page.error().message).bytes);
        return;
    }
    // The browser that could not be started, or ended at once with an error, is said with the
    // page it was to show: the user can open it by hand.
    const QString shown = QString::fromStdString(page.value().string());
    if (!context_.services.launcher.OpenUrl(QUrl::fromLocalFile(shown)))
        Fail(Sjis("ゼポが実行できません") + "\r" + Sjis("ブラウザで開けませんでした: ") +
             Utf8ToSjis(shown.toStdString()).bytes);
}

void ToolCommands::RunSetup() {
    if (!SaveFolderReady()) return;
    if (!context_.services.launcher.StartProgram(kSetupPath, {}, SaveFolder()))
        Fail(Sjis("カードのセットアップに失敗しました"));
}

void ToolCommands::RunTool(Tool tool) {
    const ToolEntry& entry = context_.settings.tools[int(tool)];
    const QString folder = SaveFolder();
    const QStringList arguments = ToolArguments(Shown(entry.option), folder, QString());
    if (!context_.services.launcher.StartProgram(Shown(entry.exe), arguments, folder))
        Fail(entry.name + Sjis("が起動できませんでした。"));
}

void ToolCommands::OpenSaveFolder() {
    if (!context_.services.launcher.OpenDocument(SaveFolder()))
        Fail(Sjis("作業フォルダ[") + Utf8ToSjis(SaveFolder().toStdString()).bytes + Sjis("]が開けませんでした。"));
}

void ToolCommands::RunColorController() {
    if (!context_.services.launcher.StartProgram(kColorControllerPath, {}, SaveFolder()))
        Fail(
            Sjis("ＱＶコントローラがありません。\rＱＶコントローラをフォルダ \\zepo\\tool\\qvcnt "
                 "に\rインストールしてください。"));
}

void ToolCommands::EditToolSettings() {
    ToolSettingsDialog* dialog = context_.dialogs.toolSettings;
    if (!dialog) return;
    dialog->Load(context_.settings);
    if (settingsFile_ && !settingsFile_->path().empty()) {
        // Named as the manual and a terminal name it: the home folder as "~".
        QString file = QString::fromStdString(settingsFile_->path().string());
        const QString home = QDir::homePath();
        if (file.startsWith(home + "/")) file = "~" + file.mid(home.size());
        dialog->ShowSettingsFile(file, writeSettings_);
    }
    std::optional<ShellSettings> chosen = AskDialog(*dialog, context_.services.dialogs, context_.services.prompts);
    if (!chosen) return;
    context_.settings = std::move(*chosen);
    if (writeSettings_) SaveSettings();
    emit settingsChanged();
}

}  // namespace zepo
