#pragma once
// The main window: menu bar, button bar, canvas and status bar around the open card. Each row of
// the action table (ActionTable.h) is one action, shown in the menus and on the bar and, once the
// commands exist, connected to its command; the card lives in the document, and the canvas, the check marks and the
// caption follow the document's changed().

#include <QMainWindow>
#include <memory>
#include <utility>
#include <vector>

#include "document/CardDocument.h"
#include "platform/Settings.h"
#include "shell/ActionTable.h"

class QAction;
class QLabel;

namespace zepo {

class CardCanvas;
class CardRecovery;
class SlotEditor;
class TextMeasurer;
struct ActionRow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Lays out the window; nothing is connected until Connect.
    MainWindow(CardDocument& document, ShellSettings& settings, TextMeasurer& measurer, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Every menu item and button to its command; the marks and captions from then on follow
    // the card, the settings and the commands' state.
    void Connect(Commands& commands, CardRecovery& recovery);
    // The captions, visibility and marks of every control again (after the tool table changed).
    void ShowState();

    CardCanvas& canvas() { return *canvas_; }
    CardDocument& document() { return document_; }
    const Card& card() const { return document_.card(); }
    // The settings of ZEPOED.INI in force (the tool table, the switches).
    ShellSettings& settings() { return settings_; }
    bool settingsWriteAllowed() const;

    CardFileCommands& cardFile() { return commands_->cardFile; }
    ToolCommands& tools() { return commands_->tools; }
    HelpCommands& help() { return commands_->help; }
    WindowSizeCommands& windowSize() { return commands_->windowSize; }
    // The round trip of one kind's objects (menu items, placing button, right press).
    void SetSlotEditor(SlotKind kind, SlotEditor* editor);

protected:
    // Closing the window (終了, the window's close button, the session ending) asks about
    // unsaved changes first and may be cancelled.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildButtonBar();
    void BuildStatusBar();
    // The caption: the product name and the card's name.
    void ShowCardName();
    void ShowSaveFolder();

    CardDocument& document_;
    ShellSettings& settings_;
    // The actions made from the table (a kind's submenu among them), each with its row.
    std::vector<std::pair<const ActionRow*, QAction*>> actions_;
    QWidget* buttonBar_ = nullptr;
    CardCanvas* canvas_ = nullptr;
    QWidget* statusBar_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QLabel* mouseLabel_ = nullptr;

    Commands* commands_ = nullptr;
    CardRecovery* recovery_ = nullptr;
    // The session manager asked and the user answered: the close that follows asks no more,
    // unless the card changed since.
    bool closeSettled_ = false;
};

}  // namespace zepo
