#pragma once
// The tools menu, the player and card set-up of the card menu, the switches of the other
// menu and the tool settings dialog.

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace zepo {
namespace publish {
struct ExportCaches;
}

struct CommandContext;
class UserSettingsFile;
enum class Tool;

// The fixed programs of the player's folder, from the drive root.
inline constexpr const char* kPlayerPath = "\\zepo\\zepo.exe";
inline constexpr const char* kSetupPath = "\\zepo\\setZEPO.exe";
inline constexpr const char* kColorControllerPath = "\\zepo\\tool\\qvcnt\\qvcnt.exe";

class ToolCommands : public QObject {
    Q_OBJECT
public:
    // `writeSettings`: a confirmed tool settings dialog writes ZEPOED.INI (the switch /a).
    // `window` is the one the player's pages are made over.
    ToolCommands(const CommandContext& context, QWidget& window, bool writeSettings);

    bool writesSettings() const { return writeSettings_; }
    void ToggleAuto256Color();
    void ShowAbout();

    // The player program; without one, the save folder's pages in the web browser at the
    // card being edited (BrowserPlayer.h).
    void RunPlayer();
    void RunSetup();
    // One of the ten tools of the table, with "$F" empty.
    void RunTool(Tool tool);
    void OpenSaveFolder();
    void RunColorController();
    // The tool settings dialog; a confirmed dialog changes the menus at once and the
    // settings file only with /a.
    void EditToolSettings();
    // What the card menu's save does; the player asks for it before showing an edited card.
    void SetSaveCommand(std::function<bool()> save) { save_ = std::move(save); }
    // Where the tool settings are written (with /a).
    void SetSettingsFile(UserSettingsFile* file) { settingsFile_ = file; }
    // What one export of the save folder for the browser keeps for the next.
    void SetExportCaches(publish::ExportCaches* caches) { exportCaches_ = caches; }

signals:
    // The tool table or a switch changed: the menus show the new names and marks.
    void settingsChanged();

private:
    // Starts a fixed program in the save folder; false after the folder's report when the
    // folder cannot be entered.
    bool SaveFolderReady();
    void Fail(const std::string& sjisMessage);
    QString SaveFolder() const;
    // Writes the tool table and the switches into ZEPOED.INI, keeping what else the file holds.
    void SaveSettings();
    // The card's page in the browser; every failure, the browser's too, is told with its reason.
    void PlayInBrowser();

    const CommandContext& context_;
    QWidget& window_;
    bool writeSettings_;
    std::function<bool()> save_;
    UserSettingsFile* settingsFile_ = nullptr;
    publish::ExportCaches* exportCaches_ = nullptr;
    bool playing_ = false;
};

}  // namespace zepo
