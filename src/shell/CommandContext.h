#pragma once
// What the command classes share, and nothing more: the open card, the outside world, the
// settings of ZEPOED.INI and the editor's dialogs. Each command class is given besides only
// the editor or window it works on; none sees a control (the action table connects them).

#include <filesystem>
#include <functional>

#include "document/CardDocument.h"
#include "platform/Settings.h"
#include "shell/ShellServices.h"

namespace zepo {

class AboutDialog;
class AssociationDialog;
class ButtonDialog;
class CardSettingsDialog;
class FrameDialog;
class MacroViewer;
class MarkerDialog;
class Movie2Dialog;
class SaveFolderDialog;
class SlideDialog;
class ToolSettingsDialog;

// The dialogs, all made before any command (EditorWindows).
struct EditorDialogs {
    AboutDialog* about = nullptr;
    CardSettingsDialog* cardSettings = nullptr;
    SaveFolderDialog* saveFolder = nullptr;
    MacroViewer* macroViewer = nullptr;
    FrameDialog* frame = nullptr;
    AssociationDialog* association = nullptr;
    ButtonDialog* button = nullptr;
    ToolSettingsDialog* toolSettings = nullptr;
    Movie2Dialog* movie2 = nullptr;
    MarkerDialog* marker = nullptr;
    SlideDialog* slide = nullptr;
};

// The dialogs that remember choices between uses start over (a new or opened card).
void ForgetRememberedChoices(const EditorDialogs& dialogs);

struct CommandContext {
    CardDocument& document;
    ShellServices& services;
    ShellSettings& settings;
    const EditorDialogs& dialogs;
};

// Makes the proposal of a round trip the card; a cancelled one (nothing) changes nothing.
template <typename Proposal>
bool ApplyProposal(CardDocument& document, Proposal&& proposal) {
    return proposal && document.Apply(std::move(*proposal));
}

}  // namespace zepo
