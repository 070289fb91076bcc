#include "shell/ToolCommands.h"

#include <QAction>
#include <QToolButton>

#include "core/TextCodec.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DialogRunner.h"
#include "shell/MainWindow.h"

namespace zepo {

ToolCommands::ToolCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    connect(w.mnAuto256Color, &QAction::triggered, this, [this] { ToggleAuto256Color(); });
    connect(w.btnAuto256Color, &QToolButton::clicked, this, [this] { ToggleAuto256Color(); });
    connect(w.mnAboutZEPO, &QAction::triggered, this, [this] {
        if (AboutDialog* about = window_.dialogs().about) window_.services().dialogs.Run(*about);
    });
}

void ToolCommands::ApplyToolMenus() {
    MainWindow& w = window_;
    const ShellSettings& settings = w.settings();
    auto name = [&settings](Tool t) { return QString::fromStdString(SjisToUtf8(settings.tools[int(t)].name)); };
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

}  // namespace zepo
