#pragma once
// What the command classes share, and nothing more: the open card, the outside world, the
// settings of ZEPOED.INI and the editor's dialogs. Each command class is given besides only
// the controls it connects or changes.

#include <filesystem>
#include <functional>

#include "document/CardDocument.h"
#include "platform/Settings.h"
#include "shell/ShellServices.h"

namespace zepo {

class AboutDialog;
class AssociationDialog;
class ButtonDialog;
class CardLevelEditor;
class CardSettingsDialog;
class FrameDialog;
class MacroViewer;
class MarkerDialog;
class Movie2Dialog;
class SaveFolderDialog;
class SlideDialog;
class ToolSettingsDialog;

// The dialogs are made after the main window (they are its children) and handed over before
// the first command can run.
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
    // The round trips of the card's settings and card-level features over these dialogs.
    CardLevelEditor* cardLevel = nullptr;
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
