#include "shell/ToolCommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "core/TextCodec.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/Prompts.h"
#include "dialogs/ToolSettingsDialog.h"
#include "shell/UserSettingsFile.h"
#include "editors/RoundTrip.h"
#include "platform/CommandLine.h"
#include "platform/Folders.h"
#include "platform/Launcher.h"
#include "platform/ProfileFile.h"
#include "shell/BrowserPlayer.h"
#include "shell/CommandContext.h"

namespace zepo {
namespace {

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

ToolCommands::ToolCommands(const CommandContext& context, const Controls& c, bool writeSettings)
    : context_(context), controls_(c), writeSettings_(writeSettings) {
    connect(c.auto256Color, &QAction::triggered, this, [this] { ToggleAuto256Color(); });
    connect(c.auto256Button, &QAbstractButton::clicked, this, [this] { ToggleAuto256Color(); });
    connect(c.about, &QAction::triggered, this, [this] {
        if (AboutDialog* about = context_.dialogs.about) context_.services.dialogs.Run(*about);
    });
    connect(c.player, &QAction::triggered, this, [this] { RunPlayer(); });
    connect(c.playerButton, &QAbstractButton::clicked, this, [this] { RunPlayer(); });
    connect(c.setup, &QAction::triggered, this, [this] { RunSetup(); });
    const std::pair<QAction*, Tool> tools[] = {
        {c.memo, Tool::Memo},    {c.paint, Tool::Paint}, {c.sound, Tool::Sound},
        {c.movie, Tool::Movie},  {c.tool1, Tool::Exe1},  {c.tool2, Tool::Exe2},
        {c.tool3, Tool::Exe3},   {c.filer, Tool::Filer}, {c.mediaPlayer, Tool::MediaPlayer},
        {c.viewer, Tool::Viewer}};
    for (auto [item, tool] : tools) connect(item, &QAction::triggered, this, [this, tool = tool] { RunTool(tool); });
    connect(c.openFolder, &QAction::triggered, this, [this] { OpenSaveFolder(); });
    connect(c.colorController, &QAction::triggered, this, [this] { RunColorController(); });
    connect(c.toolSettings, &QAction::triggered, this, [this] { EditToolSettings(); });
}

void ToolCommands::ApplyToolMenus() {
    const Controls& c = controls_;
    const ShellSettings& settings = context_.settings;
    auto name = [&settings](Tool t) { return Shown(settings.tools[int(t)].name); };
    const std::pair<QAction*, Tool> optional[] = {{c.tool1, Tool::Exe1},  {c.tool2, Tool::Exe2},
                                                  {c.tool3, Tool::Exe3},  {c.help1, Tool::Help1},
                                                  {c.help2, Tool::Help2}, {c.help3, Tool::Help3}};
    for (auto [item, tool] : optional) {
        if (name(tool).isEmpty()) {
            item->setVisible(false);  // the caption stays as it was
        } else {
            item->setText(name(tool));
            item->setVisible(true);
        }
    }
    const std::pair<QAction*, Tool> fixed[] = {{c.memo, Tool::Memo},    {c.paint, Tool::Paint},
                                               {c.sound, Tool::Sound},  {c.movie, Tool::Movie},
                                               {c.filer, Tool::Filer},  {c.mediaPlayer, Tool::MediaPlayer},
                                               {c.viewer, Tool::Viewer}};
    for (auto [item, tool] : fixed) item->setText(name(tool));
    controls_.auto256Color->setChecked(settings.auto256Color);
    controls_.auto256Button->setChecked(settings.auto256Color);
}

void ToolCommands::SaveSettings() {
    // Into the user's file; a failure is said once and the settings stay in force until the end.
    if (settingsFile_) settingsFile_->SaveTools(context_.settings);
}

void ToolCommands::ToggleAuto256Color() {
    // Bound to the menu item and to the button, which both toggle themselves when clicked:
    // the switch is toggled here once and both are set from it, so they end in step.
    ShellSettings& settings = context_.settings;
    bool on = !settings.auto256Color;
    settings.auto256Color = on;
    controls_.auto256Color->setChecked(on);
    controls_.auto256Button->setChecked(on);
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
        const Choice choice =
            context_.services.prompts.AskChoice(Sjis("カードが保存されていません。\r保存してから実行しますか？"), kYesNoCancel);
        if (choice == Choice::Cancel) return;
        if (choice == Choice::Yes) {
            if (save_) save_();
            // A save that was declined or failed has said so already: nothing more to show.
            if (!SavedAsShown(context_.document.card(), cardFile())) return;
        }
    }
    QWidget* window = controls_.playerButton ? controls_.playerButton->window() : nullptr;
    auto page = ExportForBrowser(folder, cardFile(), context_.services.screen, window);
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
    ApplyToolMenus();
}

}  // namespace zepo
