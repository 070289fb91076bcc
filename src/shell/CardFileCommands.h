#pragma once
// The card menu's file commands and the card buttons of the bar: new card, open, save,
// save folder, card settings, the macro viewer, undo and redo and exit, and the start-up
// sequence that runs the first three for the user.

#include <QObject>
#include <QString>
#include <filesystem>

namespace zepo {

class CardDocument;
class MainWindow;

class CardFileCommands : public QObject {
    Q_OBJECT
public:
    explicit CardFileCommands(MainWindow& window);

    void NewCard();
    void Open();
    void Save();
    void ChangeSaveFolder();
    void EditCardSettings();
    void ViewMacro();
    // One step back or forward in the card's history.
    void Undo();
    void Redo();
    void Exit();
    // The one-shot start-up sequence, 1000 ms after creation.
    void RunStartupSequence();
    // A card a second start of the editor handed over (empty: none): the window comes to the
    // front and, once no dialog is open, reads it as the open command reads a chosen file.
    void OpenHandedOver(const QString& card);

private:
    // The steps of opening after the file was chosen; false when nothing was read.
    bool OpenChosenFile(const std::filesystem::path& file);
    // The new-card reset: an empty card, fresh dialogs, the caption "main".
    void NewCardReset();
    // Writes the card into the macro line list; false after the writer's message.
    bool BuildMacroLines();
    // After the new card command or the start-up sequence: an empty name becomes "zepo".
    void NameUnnamedCard();
    // The platform's report of a folder that cannot be entered.
    void ReportFolder(const std::filesystem::path& folder);

    MainWindow& window_;
    CardDocument& document_;
    bool startupDone_ = false;
};

}  // namespace zepo
