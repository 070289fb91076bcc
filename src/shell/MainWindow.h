#pragma once
// The main window: menu bar, button bar, canvas and status bar around the open card. It
// lays out the controls and wires them to one command object per menu; the card lives in
// the document, and the canvas and the check marks follow the document's changed().

#include <QMainWindow>
#include <array>
#include <memory>

#include "document/CardDocument.h"
#include "platform/Settings.h"
#include "render/Fonts.h"
#include "shell/ShellServices.h"

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QToolButton;

namespace zepo {

class AboutDialog;
class AssociationDialog;
class ButtonDialog;
class CardCanvas;
class CardFileCommands;
class CardSettingsDialog;
class FeatureCommands;
class FrameDialog;
class HelpCommands;
class MacroViewer;
class MarkerDialog;
class Movie2Dialog;
class PasteCommands;
class SaveFolderDialog;
class SlideDialog;
class SlotEditor;
class ToolSettingsDialog;
class ScreenPictureCommands;
class ToolCommands;
class ViewCommands;
class WindowSizeCommands;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Lays out the window and runs the start (settings, switches, the start-up timer); the
    // dialogs do not exist yet (see AttachDialogs).
    explicit MainWindow(ShellServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    struct Dialogs {
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
    // The dialogs are created after the main window; they are handed over here.
    void AttachDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }
    const Dialogs& dialogs() const { return dialogs_; }
    // The round trip of one kind's objects (menu items, placing button, right press).
    void SetSlotEditor(SlotKind kind, SlotEditor* editor);

    CardDocument& document() { return document_; }
    Card& card() { return document_.card(); }
    ShellServices& services() { return services_; }
    TextMeasurer& measurer() { return measurer_; }
    ShellSettings& settings() { return settings_; }
    bool settingsWriteAllowed() const { return settingsWrite_; }
    // Writes the tool table and isToolUse into ZEPOED.INI, keeping what else the file holds.
    void SaveSettings();
    // The card named on the command line, opened by the start-up sequence; empty when none.
    const std::filesystem::path& startupCard() const { return startupCard_; }

    CardFileCommands& cardFile() { return *cardFile_; }
    PasteCommands& paste() { return *paste_; }
    ViewCommands& view() { return *view_; }
    ToolCommands& tools() { return *tools_; }
    HelpCommands& help() { return *help_; }
    WindowSizeCommands& windowSize() { return *windowSize_; }
    ScreenPictureCommands& screenPictures() { return *screenPictures_; }

    // The caption: the product name and the card's name.
    void SetCaptionFromCard();
    void SetCaption(const QString& cardName);
    // The dialogs that remember choices between uses start over with a new or opened card.
    void ResetDialogs();

    // Controls, named as the commands refer to them.
    QAction *mnNew, *mnOpen, *mnSave, *mnSavePos, *mnCardMake, *mnZEPO, *mnSetup, *mnViewMacro, *mnExit;
    QAction *mnUndo, *mnRedo;  // the card's history, before 終了
    QAction *mnNomalScreen, *mn1024_768, *mn800_600, *mn640_480, *mnFullScreen;
    QMenu *mnText1, *mnTextFile, *mnBitmap, *mnFrame;
    std::array<QAction*, 20> mnYoko{};
    std::array<QAction*, 5> mnTextFileN{};
    std::array<QAction*, 5> mnBitmapN{};
    std::array<QAction*, 10> mnFrameN{};
    QAction *mnAVI, *mnAvi2, *mnWave, *mnCD, *mnMIDI, *mnRun;
    std::array<QAction*, kButtonCount> mnButton{};
    QAction *mnMarker, *mnSlide;
    QAction *mnMakeText, *mnMakeBitmap, *mnMakeWave, *mnMovieMk, *mnTool1, *mnTool2, *mnTool3, *mnExplorer,
        *mnMPlayer, *mnQV, *mnOpenDir, *mnQVcnt;
    QAction *mnAllBMP, *mnFix, *mnCaptJPG, *mnAuto256Color, *mnTlOption;
    QAction *mnHelpMokuji, *mnHelpKensaku, *mnZepoXPHelp, *mnZepoHelp, *mnHelp1, *mnHelp2, *mnHelp3, *mnAboutZEPO;

    QWidget* pnlButtonBar;
    QToolButton *btnCard, *btnOpen, *btnSave, *btnZepo, *btnPaint, *btnMove, *btnFrontBack, *btnStretch,
        *btnTxtYoko, *btnTextFile, *btnBitmap, *btnFrame, *btnAuto256Color;
    CardCanvas* canvas;
    QWidget* pnlStatasBar;
    QLabel *stbFile, *stbMouse;

private:
    void FormCreate();
    void BuildMenus();
    void BuildButtonBar();
    void BuildStatusBar();
    // Every check mark from the card: slots, kinds, buttons, features.
    void UpdateChecks();
    void ShowSaveFolder();

    ShellServices& services_;
    CardDocument document_;
    QtTextMeasurer measurer_;
    Dialogs dialogs_;
    ShellSettings settings_;
    bool settingsWrite_ = false;
    std::filesystem::path startupCard_;
    QButtonGroup* modeGroup_ = nullptr;

    std::unique_ptr<CardFileCommands> cardFile_;
    std::unique_ptr<PasteCommands> paste_;
    std::unique_ptr<ViewCommands> view_;
    std::unique_ptr<FeatureCommands> features_;
    std::unique_ptr<ToolCommands> tools_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<WindowSizeCommands> windowSize_;
    std::unique_ptr<ScreenPictureCommands> screenPictures_;
};

}  // namespace zepo
