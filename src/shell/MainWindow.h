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
#include "shell/CommandContext.h"
#include "shell/ShellServices.h"

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QToolButton;

namespace zepo {

class CardCanvas;
class CardFileCommands;
class CardListWindow;
class CardRecovery;
class UserSettingsFile;
class FeatureCommands;
class HelpCommands;
class PasteCommands;
class ScreenPictureCommands;
class SlotEditor;
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

    // The dialogs are created after the main window; they are handed over here.
    void AttachDialogs(const EditorDialogs& dialogs) { dialogs_ = dialogs; }
    const EditorDialogs& dialogs() const { return dialogs_; }
    // The round trip of one kind's objects (menu items, placing button, right press).
    void SetSlotEditor(SlotKind kind, SlotEditor* editor);

    CardDocument& document() { return document_; }
    const Card& card() const { return document_.card(); }
    TextMeasurer& measurer() { return measurer_; }
    // The settings of ZEPOED.INI in force (the tool table, the switches).
    ShellSettings& settings() { return settings_; }
    bool settingsWriteAllowed() const { return settingsWrite_; }

    CardFileCommands& cardFile() { return *cardFile_; }
    PasteCommands& paste() { return *paste_; }
    ViewCommands& view() { return *view_; }
    ToolCommands& tools() { return *tools_; }
    HelpCommands& help() { return *help_; }
    WindowSizeCommands& windowSize() { return *windowSize_; }
    ScreenPictureCommands& screenPictures() { return *screenPictures_; }
    CardRecovery& recovery() { return *recovery_; }
    // 「カード一覧」, made when first opened (null before).
    CardListWindow* cardList() { return cardList_; }
    void ShowCardList();
    // The user's ZEPOED.INI (where it is, what is written to it).
    UserSettingsFile& userSettings() { return *userSettings_; }

protected:
    // Closing the window (終了, the window's close button, the session ending) asks about
    // unsaved changes first and may be cancelled.
    void closeEvent(QCloseEvent* event) override;

private:
    // Reads ZEPOED.INI and the switches; the commands are made with what they say.
    void ReadStartSettings();
    void MakeCommands();
    void FormCreate();
    void BuildMenus();
    void BuildButtonBar();
    void BuildStatusBar();
    // Every check mark from the card: slots, kinds, buttons, features.
    void UpdateChecks();
    // The caption: the product name and the card's name.
    void ShowCardName();
    void ShowSaveFolder();

    // Controls, named as the window's layout makes them; each command class is given the ones
    // it connects or changes.
    QAction *mnNew, *mnOpen, *mnSave, *mnSavePos, *mnCardMake, *mnZEPO, *mnSetup, *mnViewMacro, *mnExit;
    QAction *mnUndo, *mnRedo;  // the card's history, before 終了
    QAction* mnCardList;
    QAction *mnNomalScreen, *mn1024_768, *mn800_600, *mn640_480, *mnFullScreen;
    QMenu *mnText1, *mnTextFile, *mnBitmap, *mnFrame;
    std::array<QAction*, 20> mnYoko{};
    std::array<QAction*, 5> mnTextFileN{};
    std::array<QAction*, 5> mnBitmapN{};
    std::array<QAction*, 10> mnFrameN{};
    QAction *mnAVI, *mnAvi2, *mnWave, *mnCD, *mnMIDI, *mnRun;
    std::array<QAction*, kButtonCount> mnButton{};
    QAction *mnMarker, *mnSlide;
    QAction *mnMakeText, *mnMakeBitmap, *mnMakeWave, *mnMovieMk, *mnTool1, *mnTool2, *mnTool3, *mnExplorer, *mnMPlayer,
        *mnQV, *mnOpenDir, *mnQVcnt;
    QAction *mnAllBMP, *mnFix, *mnCaptJPG, *mnAuto256Color, *mnTlOption;
    QAction *mnHelpMokuji, *mnHelpKensaku, *mnZepoXPHelp, *mnZepoHelp, *mnHelp1, *mnHelp2, *mnHelp3, *mnAboutZEPO;

    QWidget* pnlButtonBar;
    QToolButton *btnCard, *btnOpen, *btnSave, *btnZepo, *btnPaint, *btnMove, *btnFrontBack, *btnStretch, *btnTxtYoko,
        *btnTextFile, *btnBitmap, *btnFrame, *btnAuto256Color, *btnCardList;
    CardCanvas* canvas;
    QWidget* pnlStatasBar;
    QLabel *stbFile, *stbMouse;

    ShellServices& services_;
    CardDocument document_;
    QtTextMeasurer measurer_;
    EditorDialogs dialogs_;
    ShellSettings settings_;
    CommandContext context_{document_, services_, settings_, dialogs_};
    bool settingsWrite_ = false;
    std::filesystem::path startupCard_;
    std::filesystem::path startupFolder_;
    QButtonGroup* modeGroup_ = nullptr;

    std::unique_ptr<CardFileCommands> cardFile_;
    std::unique_ptr<PasteCommands> paste_;
    std::unique_ptr<ViewCommands> view_;
    std::unique_ptr<FeatureCommands> features_;
    std::unique_ptr<ToolCommands> tools_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<WindowSizeCommands> windowSize_;
    std::unique_ptr<ScreenPictureCommands> screenPictures_;
    std::unique_ptr<UserSettingsFile> userSettings_;
    std::unique_ptr<CardRecovery> recovery_;
    CardListWindow* cardList_ = nullptr;
    // The session manager asked and the user answered: the close that follows asks no more,
    // unless the card changed since.
    bool closeSettled_ = false;
};

}  // namespace zepo
