#pragma once
// The card menu's file commands and the card buttons of the bar: new card, open, save,
// save folder, card settings, the macro viewer, the card list, undo and redo and exit, and the
// start-up sequence that runs the first three for the user. They keep the open file's name
// and the card's macro lines, which are theirs and not the document's.

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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
    // A card a second start of the editor handed over (empty: none): the window comes to the
    // front and, once no dialog is open, reads it as the open command reads a chosen file.
    // Only a readable ".zep" file is taken; anything else is said and changes nothing.
    void OpenHandedOver(const QString& card);
    // A copy of an unsaved card (recovery), read as the card `original` with its changes:
    // the card is modified and its file untouched until the user saves. False when the copy
    // could not be read.
    bool OpenRecoveredCopy(const std::filesystem::path& copy, const std::filesystem::path& original);

    // The card file last chosen in the open dialog or opened; empty until then.
    const QString& openFileName() const { return openFileName_; }
    // The lines the card was last read from, saved as or shown in the macro viewer.
    const std::vector<std::string>& macroLines() const { return macroLines_; }

private:
    // The steps of opening after the file was chosen; false when nothing was read.
    bool OpenChosenFile(const std::filesystem::path& file);
    // The lines saving writes into macroLines(), the card given its default title first (one
    // change, as any other); false after the writer's message.
    bool TitleAndWrite();
    // The card settings dialog over `card` (the new card command's empty one): the card with
    // the confirmed settings, named.
    Card SettingsAsked(const Card& card);
    // An empty name becomes "zepo".
    static Card NamedCard(Card card);
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
};

}  // namespace zepo
