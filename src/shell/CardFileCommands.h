#pragma once
// The card menu's file commands and the card buttons of the bar: new card, open, save,
// save folder, card settings, the macro viewer, the card list, undo and redo and exit, and the
// start-up sequence that runs the first three for the user. They keep the open file's name
// and the card's macro lines, which are theirs and not the document's.

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/FileStamp.h"
#include "dialogs/FolderPlaces.h"
#include "platform/Recovery.h"

class QWidget;

namespace zepo {

class Card;
class CardDocument;
class CardListWindow;
class CardLevelEditor;
class TextMeasurer;
struct CommandContext;

class CardFileCommands : public QObject {
    Q_OBJECT
public:
    // `cardLevel` asks for the card's settings; `window` is what the exit command closes.
    CardFileCommands(const CommandContext& context, CardLevelEditor& cardLevel, QWidget& window,
                     TextMeasurer& measurer);

    // The card named on the command line, opened by the start-up sequence instead of asking.
    void SetStartupCard(std::filesystem::path card) { startupCard_ = std::move(card); }

    void NewCard();
    void Open();
    // True when the card was written.
    bool Save();
    void ChangeSaveFolder();
    void EditCardSettings();
    void ViewMacro();
    // 「カード一覧」: the save folder's cards as a list and a map; a card chosen there is
    // opened as a handed-over one (asking about unsaved changes first).
    void ShowCardList();
    // The card list window, made when first shown (null before).
    CardListWindow* cardList() const { return cardList_; }
    // One step back or forward in the card's history.
    void Undo();
    void Redo();
    void Exit();
    // Before the card is replaced or the editor ends: when the card has unsaved changes, asks
    // 「変更を保存しますか？」 (保存 / 破棄 / キャンセル). True when the work may go on (saved,
    // discarded or nothing to save); false when the user cancelled or the save failed.
    bool SettleUnsavedChanges();
    // The one-shot start-up sequence, 1000 ms after creation. `beforeStart`, when set, runs
    // first; when it returns true (a card was restored) the questions are not asked.
    void RunStartupSequence();
    void SetBeforeStartup(std::function<bool()> work) { beforeStartup_ = std::move(work); }
    // Runs once on the card list window when it is made (its help key).
    void SetCardListMade(std::function<void(QWidget&)> made) { cardListMade_ = std::move(made); }
    // A card a second start of the editor handed over (empty: none): the window comes to the
    // front and, once no dialog is open, reads it as the open command reads a chosen file.
    // Only a readable ".zep" file is taken; anything else is said and changes nothing.
    void OpenHandedOver(const QString& card);
    // The editor ends (the window's close was settled): cards handed over while a question
    // was open are not opened any more, and the user is told which.
    void DropWaitingHandOvers();
    // A copy of an unsaved card (recovery), read as the card `origin` describes with its
    // changes: the card is modified and its file untouched until the user saves. A card that
    // was never saved has no file: saving asks for its name first. False when the copy could
    // not be read.
    bool OpenRecoveredCopy(const std::filesystem::path& copy, const RecoveryFolder::Origin& origin);
    // The file the card was read from or last written to and its stamp then (empty: never
    // saved), as a copy for recovery records it.
    RecoveryFolder::Origin origin() const;

    // The card file last chosen in the open dialog or opened; empty until then.
    const QString& openFileName() const { return openFileName_; }
    // The lines the card was last read from, saved as or shown in the macro viewer.
    const std::vector<std::string>& macroLines() const { return macroLines_; }

private:
    // The steps of opening after the file was chosen; false when nothing was read.
    bool OpenChosenFile(const std::filesystem::path& file);
    // Whether saving may write `target` when it exists: at once when it is the very file the
    // card was read from or last written to, unchanged since; otherwise after the question,
    // which names the folder and says whether it is another card or the card changed on disk.
    bool MayOverwrite(const std::filesystem::path& target, const std::string& fileName);
    // Remembers `file` (its stamp `stamp`, taken before it was read or just after writing) as
    // the card's file.
    void RememberCardFile(const std::filesystem::path& file, std::optional<FileStamp> stamp);
    // The lines saving writes into macroLines(), the card given its default title first (one
    // change, as any other); false after the writer's message.
    bool TitleAndWrite();
    // The card settings dialog over `card` (the new card command's empty one): the card with
    // the confirmed settings, named.
    Card SettingsAsked(const Card& card);
    // An empty name becomes "zepo".
    static Card NamedCard(Card card);
    // The places the folder dialogs offer: home, desktop, removable media, recent save folders.
    QList<FolderPlace> Places() const;
    // The platform's report of a folder that cannot be entered.
    void ReportFolder(const std::filesystem::path& folder);

    const CommandContext& context_;
    CardDocument& document_;
    CardLevelEditor& cardLevel_;
    QWidget& window_;
    TextMeasurer& measurer_;
    // The card file last chosen or opened: the open dialog offers its name again.
    QString openFileName_;
    std::vector<std::string> macroLines_;
    std::filesystem::path startupCard_;
    bool startupDone_ = false;
    std::function<bool()> beforeStartup_;
    CardListWindow* cardList_ = nullptr;  // a child of the window
    std::function<void(QWidget&)> cardListMade_;
    // The file the card was read from or last written to and its stamp then; empty for a card
    // that was never saved.
    std::filesystem::path cardFile_;
    std::optional<FileStamp> cardStamp_;
    // A recovered card that was never saved: the user confirms its name before it is written.
    bool confirmName_ = false;
    // The save folders of this run, the latest first.
    static constexpr int kRecentFolders = 5;
    QStringList recentFolders_;
    // Cards handed over while a dialog was open, not yet opened.
    QStringList waitingHandOvers_;
};

}  // namespace zepo
