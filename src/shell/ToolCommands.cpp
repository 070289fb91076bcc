#include "shell/ToolCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QToolButton>

#include "core/TextCodec.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/Prompts.h"
#include "dialogs/ToolSettingsDialog.h"
#include "platform/CommandLine.h"
#include "platform/Launcher.h"
#include "shell/MainWindow.h"

namespace zepo {
namespace {

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

ToolCommands::ToolCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    connect(w.mnAuto256Color, &QAction::triggered, this, [this] { ToggleAuto256Color(); });
    connect(w.btnAuto256Color, &QToolButton::clicked, this, [this] { ToggleAuto256Color(); });
    connect(w.mnAboutZEPO, &QAction::triggered, this, [this] {
        if (AboutDialog* about = window_.dialogs().about) window_.services().dialogs.Run(*about);
    });
    connect(w.mnZEPO, &QAction::triggered, this, [this] { RunPlayer(); });
    connect(w.btnZepo, &QToolButton::clicked, this, [this] { RunPlayer(); });
    connect(w.mnSetup, &QAction::triggered, this, [this] { RunSetup(); });
    const std::pair<QAction*, Tool> tools[] = {
        {w.mnMakeText, Tool::Memo},  {w.mnMakeBitmap, Tool::Paint}, {w.mnMakeWave, Tool::Sound},
        {w.mnMovieMk, Tool::Movie},  {w.mnTool1, Tool::Exe1},       {w.mnTool2, Tool::Exe2},
        {w.mnTool3, Tool::Exe3},     {w.mnExplorer, Tool::Filer},   {w.mnMPlayer, Tool::MediaPlayer},
        {w.mnQV, Tool::Viewer}};
    for (auto [item, tool] : tools) connect(item, &QAction::triggered, this, [this, tool = tool] { RunTool(tool); });
    connect(w.mnOpenDir, &QAction::triggered, this, [this] { OpenSaveFolder(); });
    connect(w.mnQVcnt, &QAction::triggered, this, [this] { RunColorController(); });
    connect(w.mnTlOption, &QAction::triggered, this, [this] { EditToolSettings(); });
}

void ToolCommands::ApplyToolMenus() {
    MainWindow& w = window_;
    const ShellSettings& settings = w.settings();
    auto name = [&settings](Tool t) { return Shown(settings.tools[int(t)].name); };
    const std::pair<QAction*, Tool> optional[] = {{w.mnTool1, Tool::Exe1},  {w.mnTool2, Tool::Exe2},
                                                  {w.mnTool3, Tool::Exe3},  {w.mnHelp1, Tool::Help1},
                                                  {w.mnHelp2, Tool::Help2}, {w.mnHelp3, Tool::Help3}};
    for (auto [item, tool] : optional) {
        if (name(tool).isEmpty()) {
            item->setVisible(false);  // the caption stays as it was
        } else {
            item->setText(name(tool));
            item->setVisible(true);
        }
    }
    const std::pair<QAction*, Tool> fixed[] = {{w.mnMakeText, Tool::Memo},    {w.mnMakeBitmap, Tool::Paint},
                                               {w.mnMakeWave, Tool::Sound},   {w.mnMovieMk, Tool::Movie},
                                               {w.mnExplorer, Tool::Filer},   {w.mnMPlayer, Tool::MediaPlayer},
                                               {w.mnQV, Tool::Viewer}};
    for (auto [item, tool] : fixed) item->setText(name(tool));
}

void ToolCommands::ToggleAuto256Color() {
    // Bound to the menu item and to the button, which both toggle themselves when clicked:
    // the switch is toggled here once and both are set from it, so they end in step.
    ShellSettings& settings = window_.settings();
    bool on = !settings.auto256Color;
    settings.auto256Color = on;
    window_.mnAuto256Color->setChecked(on);
    window_.btnAuto256Color->setChecked(on);
}

QString ToolCommands::SaveFolder() const { return QString::fromStdString(window_.document().saveFolder().string()); }

void ToolCommands::Fail(const std::string& sjisMessage) { window_.services().prompts.Warn(sjisMessage); }

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
    if (!window_.services().launcher.StartProgram(kPlayerPath, {}, SaveFolder())) Fail(Sjis("ゼポが実行できません"));
}

void ToolCommands::RunSetup() {
    if (!SaveFolderReady()) return;
    if (!window_.services().launcher.StartProgram(kSetupPath, {}, SaveFolder()))
        Fail(Sjis("カードのセットアップに失敗しました"));
}

void ToolCommands::RunTool(Tool tool) {
    const ToolEntry& entry = window_.settings().tools[int(tool)];
    const QString folder = SaveFolder();
    const QStringList arguments = ToolArguments(Shown(entry.option), folder, QString());
    if (!window_.services().launcher.StartProgram(Shown(entry.exe), arguments, folder))
        Fail(entry.name + Sjis("が起動できませんでした。"));
}

void ToolCommands::OpenSaveFolder() {
    if (!window_.services().launcher.OpenDocument(SaveFolder()))
        Fail(Sjis("作業フォルダ[") + Utf8ToSjis(SaveFolder().toStdString()).bytes + Sjis("]が開けませんでした。"));
}

void ToolCommands::RunColorController() {
    if (!window_.services().launcher.StartProgram(kColorControllerPath, {}, SaveFolder()))
        Fail(Sjis("ＱＶコントローラがありません。\rＱＶコントローラをフォルダ \\zepo\\tool\\qvcnt に\rインストールしてください。"));
}

void ToolCommands::EditToolSettings() {
    ToolSettingsDialog* dialog = window_.dialogs().toolSettings;
    if (!dialog) return;
    dialog->Load(window_.settings());
    if (!window_.services().dialogs.Run(*dialog)) return;
    window_.settings() = dialog->Read();
    if (window_.settingsWriteAllowed()) window_.SaveSettings();
    ApplyToolMenus();
}

}  // namespace zepo
