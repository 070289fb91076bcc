#pragma once
// The editor put together, for the program's start and for every test of the whole editor:
// the open card, the settings, the text measurer, the dialogs and the editors over them, then
// the main window and the commands, each made once in that order and kept for the whole run.
// Dialogs are shown and hidden, never re-created, so each keeps its fields between uses.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <vector>

#include "document/CardDocument.h"
#include "platform/Settings.h"
#include "render/Fonts.h"
#include "shell/ActionTable.h"
#include "shell/CommandContext.h"
#include "shell/ShellServices.h"

namespace zepo {

namespace publish {
struct ExportCaches;
}

class AssociationChooser;
class CardLevelEditor;
class CardRecovery;
class DropCommands;
class FrameEditor;
class MainWindow;
class OneLineTextDialog;
class OneLineTextEditor;
class PictureDialog;
class PictureEditor;
class TextBlockEditor;
class TextFileDialog;
class UserSettingsFile;

class EditorWindows {
public:
    explicit EditorWindows(ShellServices& services);
    ~EditorWindows();

    MainWindow& main() { return *main_; }
    // Windows 2 … 15 in creation order.
    const std::vector<QDialog*>& dialogs() const { return dialogs_; }

private:
    // ZEPOED.INI and the switches: the settings, the card to open and the first save folder.
    void ReadStartSettings();
    void MakeDialogs();
    void MakeEditors();
    void MakeCommands();
    // The help topics of the dialogs and of the main window.
    void ConnectHelp();
    // The first card, the save folder and the start-up sequence a second later.
    void Begin();

    ShellServices& services_;
    CardDocument document_;
    std::unique_ptr<UserSettingsFile> settingsFile_;
    ShellSettings settings_;
    bool settingsWrite_ = false;
    std::filesystem::path startupCard_;
    std::filesystem::path startupFolder_;
    QtTextMeasurer measurer_;

    // Made after the dialogs, it owns them (they are its children) and goes last.
    std::unique_ptr<MainWindow> main_;
    std::vector<QDialog*> dialogs_;
    EditorDialogs shared_;
    PictureDialog* picture_ = nullptr;
    OneLineTextDialog* oneLineText_ = nullptr;
    TextFileDialog* textFile_ = nullptr;

    std::unique_ptr<AssociationChooser> chooser_;
    std::unique_ptr<CardLevelEditor> cardLevel_;
    std::unique_ptr<FrameEditor> frameEditor_;
    std::unique_ptr<OneLineTextEditor> textEditor_;
    std::unique_ptr<TextBlockEditor> blockEditor_;
    std::unique_ptr<PictureEditor> pictureEditor_;

    // The player's exports of the save folder, one after another for the whole run.
    std::unique_ptr<publish::ExportCaches> exportCaches_;
    CommandContext context_{document_, services_, settings_, shared_};
    std::unique_ptr<CardFileCommands> cardFile_;
    std::unique_ptr<PasteCommands> paste_;
    std::unique_ptr<DropCommands> drops_;
    std::unique_ptr<ViewCommands> view_;
    std::unique_ptr<FeatureCommands> features_;
    std::unique_ptr<ToolCommands> tools_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<WindowSizeCommands> windowSize_;
    std::unique_ptr<ScreenPictureCommands> screenPictures_;
    std::unique_ptr<CardRecovery> recovery_;
    std::unique_ptr<Commands> commands_;
};

}  // namespace zepo
