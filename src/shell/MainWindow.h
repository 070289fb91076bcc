#pragma once
// The main window: menu bar, button bar, canvas and status bar around the one card being
// edited. The card model is the authority; the window shows it and the check marks of
// the menus are set from it after every command.

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Settings.h"
#include "shell/ShellServices.h"
#include "editors/SlotEditor.h"
#include "model/Card.h"
#include "render/Fonts.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QLabel;
class QMenu;
class QToolButton;

namespace zepo {

class CardCanvas;
class AboutDialog;
class CardSettingsDialog;
class SaveFolderDialog;
class MacroViewer;
class FrameDialog;
class AssociationDialog;
class ButtonDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs FormCreate; the dialogs do not exist yet (see AttachDialogs).
    explicit MainWindow(ShellServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    struct Dialogs {
        AboutDialog* about = nullptr;
        CardSettingsDialog* cardInit = nullptr;
        SaveFolderDialog* chdir = nullptr;
        MacroViewer* macroViewer = nullptr;
        FrameDialog* frame = nullptr;
        AssociationDialog* association = nullptr;
        ButtonDialog* button = nullptr;
    };
    // The dialogs are created after the main window; they are handed over here.
    void AttachDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }
    // The round trip of one kind's objects (menu items, placing button, right press).
    void SetSlotEditor(SlotKind kind, SlotEditor* editor) { editors_[static_cast<int>(kind)] = editor; }

    Card& card() { return card_; }
    const std::filesystem::path& saveFolder() const { return saveFolder_; }
    bool settingsWriteAllowed() const { return settingsWrite_; }
    const ShellSettings& settings() const { return settings_; }
    const std::vector<std::string>& macroLines() const { return macroLines_; }
    bool previewOn() const { return preview_; }
    // The open dialog's last chosen file; empty until a file was chosen.
    const QString& openFileName() const { return openFileName_; }

    // Card file commands.
    void mnNewClick();
    void mnOpenClick();  // OpenMacro
    void mnSaveClick();
    void mnSavePosClick();
    void mnCardMakeClick();
    void mnViewMacroClick();
    void mnExitClick();
    // The one-shot start-up sequence, 1000 ms after creation.
    void Timer1Timer();

    // Edit modes and placing.
    void btnMoveClick();
    void btnFrontBackClick();
    void btnStretchClick();
    void btnPaintClick();
    void PlaceObject(SlotKind kind);  // the placing buttons
    void EditSlot(int id);            // the slot menu items and the right press
    void mnAuto256ColorClick();

    // State resets and syncing.
    void ResetCardState();
    void NewCardReset();
    void ResetDialogs();
    void ApplyToolMenus();
    void SyncFromModel();
    void SetCaptionFromCard();

    // Controls, named as the commands refer to them.
    QAction *mnNew, *mnOpen, *mnSave, *mnSavePos, *mnCardMake, *mnZEPO, *mnSetup, *mnViewMacro, *mnExit;
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
    void ShowSaveFolder();
    void LeavePreview();
    void SetMode(int mode, Qt::CursorShape cursor);
    // The platform's report of a folder that cannot be entered.
    void ReportFolder(const std::filesystem::path& folder);
    // OpenMacro's steps after the file was chosen.
    void OpenChosenFile(const std::filesystem::path& file);
    // Empties the macro line list and writes the card into it; false after the writer's message.
    bool BuildMacroLines();
    // After the new card command or the start-up sequence: an empty name becomes "zepo".
    void NameUnnamedCard();

    ShellServices& services_;
    Card card_;
    QtTextMeasurer measurer_;
    Dialogs dialogs_;
    std::array<SlotEditor*, kKindCount> editors_{};
    ShellSettings settings_;
    std::filesystem::path saveFolder_;
    bool settingsWrite_ = false;
    bool preview_ = false;
    bool startupDone_ = false;
    std::vector<std::string> macroLines_;
    QString openFileName_;
    QButtonGroup* modeGroup_ = nullptr;
};

}  // namespace zepo
