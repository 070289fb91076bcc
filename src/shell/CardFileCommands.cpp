// The card menu's file commands and the card buttons: new card, open, save, save folder, card
// settings, the macro viewer, the card list, undo, redo and exit; the start-up sequence, a card
// handed over by a second start, a recovered copy, unsaved changes asked about; the open file's
// name and the macro lines last read, saved or shown.

#include "shell/CardFileCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <system_error>

#include "core/SystemErrors.h"
#include "core/TextCodec.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/FileChooser.h"
#include "dialogs/MacroViewer.h"
#include "dialogs/Prompts.h"
#include "dialogs/SaveFolderDialog.h"
#include "dialogs/WindowFront.h"
#include "document/CardFile.h"
#include "editors/CardLevelEditor.h"
#include "model/MacroFile.h"
#include "platform/Folders.h"
#include "shell/CardListWindow.h"
#include "shell/CardThumbnails.h"
#include "shell/CommandContext.h"

namespace zepo {
namespace {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// "<file>\r読み込みに失敗しました\r<why>": what could not be read and why, in Japanese.
std::string ReadFailure(const std::filesystem::path& file, std::string why = {}) {
    if (why.empty()) why = WhyUnreadable(file.string());
    if (why.empty()) why = "大きすぎるか、カードとして読めない内容です";
    return Utf8ToSjis(file.string()).bytes + "\r" + Sjis("読み込みに失敗しました") + "\r" + Utf8ToSjis(why).bytes;
}

std::string SaveFailure(const std::filesystem::path& file, const std::string& why) {
    return Utf8ToSjis(file.string()).bytes + "\r" + Sjis("保存に失敗しました") + "\r" + Utf8ToSjis(why).bytes;
}

}  // namespace

CardFileCommands::CardFileCommands(const CommandContext& context, CardLevelEditor& cardLevel, QWidget& window,
                                   TextMeasurer& measurer)
    : context_(context), document_(context.document), cardLevel_(cardLevel), window_(window), measurer_(measurer) {
    connect(&document_, &CardDocument::saveFolderChanged, this, [this] {
        const QString folder = QString::fromStdString(document_.saveFolder().string());
        if (folder.isEmpty()) return;
        recentFolders_.removeAll(folder);
        recentFolders_.prepend(folder);
        while (recentFolders_.size() > kRecentFolders) recentFolders_.removeLast();
    });
}

QList<FolderPlace> CardFileCommands::Places() const {
    const std::filesystem::path& home = context_.services.user.home;
    return FolderPlaces(PlaceSourcesOfThisUser(home.empty() ? QDir::homePath() : QString::fromStdString(home.string()),
                                               recentFolders_));
}

void CardFileCommands::RunStartupSequence() {
    if (startupDone_) return;  // the sequence runs once per process
    startupDone_ = true;
    if (beforeStartup_ && beforeStartup_()) return;
    if (!startupCard_.empty()) {
        // Opened from the file manager: the card is the answer to both questions.
        openFileName_ = QString::fromStdString(startupCard_.string());
        if (!OpenChosenFile(startupCard_)) {
            RememberCardFile({}, std::nullopt);
            document_.Reset(NamedCard(document_.card()));
        }
        return;
    }
    ChangeSaveFolder();
    Open();
    if (!openFileName_.isEmpty()) return;
    // The card the user starts from is where undoing ends.
    document_.Reset(SettingsAsked(document_.card()));
}

Card CardFileCommands::SettingsAsked(const Card& card) {
    std::optional<Card> confirmed = cardLevel_.EditSettings(card);
    return NamedCard(confirmed ? std::move(*confirmed) : card);
}

void CardFileCommands::ShowCardList() {
    if (!cardList_) {
        cardList_ = new CardListWindow(
            document_, context_.services.screen, [this](const QString& card) { OpenHandedOver(card); },
            ThumbnailCacheFolder(), &window_);
        if (cardListMade_) cardListMade_(*cardList_);
    }
    cardList_->ShowFolder();
}

void CardFileCommands::OpenHandedOver(const QString& card) {
    BringToFront(window_);
    if (card.isEmpty()) return;
    waitingHandOvers_.append(card);
    RunWhenNoModalDialog(this, [this, card] {
        // Dropped meanwhile: the editor ended while the card waited for a question.
        if (!waitingHandOvers_.removeOne(card)) return;
        const std::filesystem::path file(card.toStdString());
        // Whatever a second start was given: only a card file that can be read replaces the card.
        const QFileInfo info(card);
        const bool isCard = info.suffix().compare("zep", Qt::CaseInsensitive) == 0;
        if (!isCard || !info.isFile() || !info.isReadable()) {
            context_.services.prompts.Warn(isCard ? ReadFailure(file)
                                                  : Utf8ToSjis(file.string()).bytes + "\r" +
                                                        Sjis("カードのファイル（.zep）ではないため、読めません"));
            return;
        }
        if (!SettleUnsavedChanges()) return;
        startupDone_ = true;  // the card answers the start-up questions, as one given at start
        openFileName_ = card;
        OpenChosenFile(file);
    });
}

void CardFileCommands::DropWaitingHandOvers() {
    const QStringList dropped = std::exchange(waitingHandOvers_, {});
    for (const QString& card : dropped)
        context_.services.prompts.Warn(Utf8ToSjis(card.toStdString()).bytes + "\r" +
                                       Sjis("エディタを終了するため、このカードは開きませんでした。") + "\r" +
                                       Sjis("もう一度開いてください。"));
}

bool CardFileCommands::SettleUnsavedChanges() {
    if (!document_.isModified()) return true;
    const std::string file = document_.card().settings.name + ".zep";
    switch (context_.services.prompts.AskChoice(file + "\r" + Sjis("変更を保存しますか？"), kSaveDiscardCancel)) {
        case Choice::Yes: return Save() && !document_.isModified();
        case Choice::No: return true;
        case Choice::Cancel: return false;
    }
    return false;
}

bool CardFileCommands::OpenRecoveredCopy(const std::filesystem::path& copy, const RecoveryFolder::Origin& origin) {
    auto read = ReadCardFileText(copy);
    const std::optional<std::string> name = SjisNameOfPath(origin.saveAs.filename());
    if (!std::holds_alternative<CardFileText>(read) || !name) return false;
    CardFileText text = std::get<CardFileText>(std::move(read));
    // The card's name, folder and files are the ones it had; its file is the one it came from.
    text.file = origin.saveAs;
    text.folder = WithoutTrailingSeparator(origin.saveAs.parent_path());
    text.sjisName = *name;
    WaitCursor wait;
    RememberCardFile(origin.readFrom, StampFromText(origin.stamp));
    confirmName_ = origin.readFrom.empty();
    openFileName_ = QString::fromStdString(origin.readFrom.string());
    macroLines_ = text.lines;
    document_.SetSaveFolder(text.folder);
    if (!EnterFolder(text.folder)) ReportFolder(text.folder);
    ForgetRememberedChoices(context_.dialogs);
    Card restored = document_.card();
    LoadCardText(restored, text, context_.services.prompts, measurer_);
    document_.Reset(std::move(restored));
    document_.MarkUnsaved();
    return true;
}

Card CardFileCommands::NamedCard(Card named) {
    // The card settings were cancelled, or confirmed, with the name still empty.
    if (named.settings.name.empty()) {
        named.settings.name = "zepo";
        named.settings.title = Sjis("マクロ");
    }
    return named;
}

void CardFileCommands::ReportFolder(const std::filesystem::path& folder) {
    context_.services.prompts.Warn(Utf8ToSjis(folder.string()).bytes + "\r" + Sjis("フォルダに移動できません"));
}

// The window's close asks about unsaved changes (MainWindow::closeEvent).
void CardFileCommands::Exit() { window_.close(); }

void CardFileCommands::Undo() { document_.Undo(); }

void CardFileCommands::Redo() { document_.Redo(); }

void CardFileCommands::NewCard() {
    if (!context_.services.prompts.Ask(Sjis("現カードを破棄します\rよろしですか？"))) return;
    // The empty card is shown (as "main") while its settings are asked for; the mode stays as
    // it is, and a preview shows the empty card.
    Card empty = document_.card();
    ResetCard(empty);
    ForgetRememberedChoices(context_.dialogs);
    RememberCardFile({}, std::nullopt);
    document_.Reset(empty);
    empty.settings.name.clear();
    empty.settings.title.clear();
    empty.settings.editMode = 0;
    document_.Reset(SettingsAsked(empty));
}

void CardFileCommands::EditCardSettings() { ApplyProposal(document_, cardLevel_.EditSettings(document_.card())); }

void CardFileCommands::Open() {
    if (!SettleUnsavedChanges()) return;
    const std::filesystem::path& saveFolder = document_.saveFolder();
    std::filesystem::path start = saveFolder;
    if (!EnterFolder(saveFolder)) {
        ReportFolder(saveFolder);
        // Opening a card is a way out of a save folder that vanished: the dialog starts on
        // the nearest folder that is still there.
        start = NearestEnterableFolder(saveFolder);
    }
    OpenFileRequest request{"カードの読み込み",
                            QString::fromStdString(start.string()),
                            "ｶｰﾄﾞﾌｧｲﾙ(*.zep)",
                            "zep",
                            QFileInfo(openFileName_).fileName(),
                            {}};
    for (const FolderPlace& place : Places()) request.places.append(place.path);
    QString chosen = context_.services.files.ChooseOpenFile(request);
    if (chosen.isEmpty()) return;
    openFileName_ = chosen;
    OpenChosenFile(std::filesystem::path(chosen.toStdString()));
}

bool CardFileCommands::OpenChosenFile(const std::filesystem::path& chosen) {
    // A big card takes a moment; message boxes on the way show the ordinary pointer.
    WaitCursor wait;
    Prompts& prompts = context_.services.prompts;
    // Taken before reading: a change while the card is read shows as a change since.
    const std::optional<FileStamp> stamp = StampOf(chosen);
    auto read = ReadCardFileText(chosen);
    if (const OpenProblem* problem = std::get_if<OpenProblem>(&read)) {
        // The card's name is its file's name, so a name the card cannot hold is refused with
        // the same words as a typed one.
        prompts.Warn(*problem == OpenProblem::NameNotShiftJis
                         ? UnwritableCharactersMessage(chosen.filename().string()) + "\r" + Sjis("読めません")
                         : ReadFailure(chosen));
        return false;
    }
    const CardFileText& text = std::get<CardFileText>(read);
    macroLines_ = text.lines;
    document_.SetSaveFolder(text.folder);
    if (!EnterFolder(text.folder)) {
        prompts.Warn(ReadFailure(chosen, "フォルダに移動できません"));
        return false;
    }
    if (!text.hasHeader && !prompts.AskWarning(Sjis("ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\r読み込みますか？")))
        return false;

    ForgetRememberedChoices(context_.dialogs);
    Card opened = document_.card();
    LoadCardText(opened, text, prompts, measurer_);
    RememberCardFile(text.file, stamp);
    confirmName_ = false;
    // Drawn again in the mode the user is in: a preview shows the card just read. Undoing
    // ends at the card as it was read.
    document_.Reset(std::move(opened));
    return true;
}

bool CardFileCommands::Save() {
    Prompts& prompts = context_.services.prompts;
    // A recovered card that was never saved has only the name it was given by chance.
    if (confirmName_) {
        std::optional<Card> confirmed = cardLevel_.EditSettings(document_.card());
        if (!confirmed) return false;
        document_.Apply(NamedCard(std::move(*confirmed)));
    }
    const std::filesystem::path& saveFolder = document_.saveFolder();
    if (!EnterFolder(saveFolder)) {
        ReportFolder(saveFolder);
        return false;
    }
    const std::string& name = document_.card().settings.name;
    switch (CheckCardFileName(name)) {
        case CardNameProblem::None: break;
        case CardNameProblem::Empty: prompts.Warn(Sjis("カード名がないため、保存できません")); return false;
        case CardNameProblem::Nul:
            prompts.Warn(Sjis("カード名にファイル名に使えない文字が含まれているため、保存できません"));
            return false;
        case CardNameProblem::Separator:
            prompts.Warn(name + "\r" + Sjis("カード名に「/」や「\\」が含まれているため、保存できません"));
            return false;
    }
    const std::string fileName = name + ".zep";
    const std::filesystem::path target = PathOfSjisName(saveFolder, fileName);

    std::error_code ec;
    bool existed = std::filesystem::exists(target, ec);
    if (ec) {
        prompts.Warn(SaveFailure(target, ReasonOfError(ec)));
        return false;
    }
    if (existed && !MayOverwrite(target, fileName)) return false;

    if (!TitleAndWrite()) return false;
    const std::vector<std::string>& lines = macroLines_;
    if (std::optional<size_t> longLine = FindLongLine(lines)) {
        prompts.Warn(LongLineMessage(lines[*longLine]));
        return false;
    }
    // Written beside the card and renamed over it only when complete: a failed save never
    // leaves a half-written card behind.
    // The card the user opened through a link of their own is saved where the link leads;
    // any other link at the name may have been planted there, and is refused.
    const std::filesystem::path opened = openFileName_.toStdString();
    const bool isOpened = !opened.empty() && std::filesystem::equivalent(target, opened, ec) && !ec;
    if (Status written = WriteCardFile(target, lines, isOpened ? AtLink::Follow : AtLink::Refuse); !written) {
        // The reason (no room, no right to write, a read-only card) tells the user what to do.
        prompts.Warn(SaveFailure(target, written.error().message));
        return false;
    }
    RememberCardFile(target, StampOf(target));
    confirmName_ = false;
    document_.MarkSaved();
    if (!existed) prompts.Inform(fileName + "\r" + Sjis("上の名前で保存しました"));
    return true;
}

bool CardFileCommands::MayOverwrite(const std::filesystem::path& target, const std::string& fileName) {
    const std::optional<FileStamp> now = StampOf(target);
    if (now && cardStamp_ && *now == *cardStamp_) return true;
    std::error_code ec;
    const bool ourName = !cardFile_.empty() && std::filesystem::weakly_canonical(target, ec) ==
                                                   std::filesystem::weakly_canonical(cardFile_, ec);
    const char* why = ourName ? "このカードを読み込んだ（保存した）あとで、ファイルがほかで変更されています"
                              : "同じ名前のファイルが存在します";
    return context_.services.prompts.Ask(fileName + "\r" + Sjis("フォルダ：") +
                                         Utf8ToSjis(target.parent_path().string()).bytes + "\r" + Sjis(why) + "\r" +
                                         Sjis("上書きしてよろしいですか？"));
}

void CardFileCommands::RememberCardFile(const std::filesystem::path& file, std::optional<FileStamp> stamp) {
    cardFile_ = file;
    cardStamp_ = file.empty() ? std::nullopt : stamp;
}

RecoveryFolder::Origin CardFileCommands::origin() const {
    const std::filesystem::path saveAs =
        PathOfSjisName(document_.saveFolder(), document_.card().settings.name + ".zep");
    return {saveAs, cardFile_, cardStamp_ ? StampText(*cardStamp_) : std::string()};
}

void CardFileCommands::ChangeSaveFolder() {
    if (!context_.dialogs.saveFolder) return;
    SaveFolderDialog& dlg = *context_.dialogs.saveFolder;
    dlg.SetPlaces(Places());
    dlg.Load(document_.saveFolder());
    // The folder the dialog opened on: a relative name is taken from there, so that the save
    // folder stays the same folder whatever becomes current later.
    const std::filesystem::path base = CurrentFolder();
    const std::filesystem::path home = context_.services.user.home.empty()
                                           ? std::filesystem::path(QDir::homePath().toStdString())
                                           : context_.services.user.home;
    Prompts& prompts = context_.services.prompts;
    // A folder that cannot be used brings the dialog back with what was typed.
    while (context_.services.dialogs.Run(dlg)) {
        const std::filesystem::path folder = FolderOfTypedText(dlg.Read().toStdString(), base, home);
        bool entered = EnterFolder(folder);
        if (!entered && CreateOneFolder(folder)) {
            prompts.Inform(Utf8ToSjis(folder.string()).bytes + "\r" + Sjis("上のフォルダを作成しました。"));
            entered = EnterFolder(folder);  // made, but perhaps not ours to enter
        }
        if (entered) {
            document_.SetSaveFolder(folder);
            return;
        }
        prompts.Inform(Sjis("フォルダを変更できませんでした"));
        EnterFolder(base);
    }
}

bool CardFileCommands::TitleAndWrite() {
    // Saving a main card without a title gives it the default one: a change like any other.
    Card titled = WithDefaultTitle(document_.card());
    auto lines = CardLines(titled);
    document_.Apply(std::move(titled));
    if (!lines) {
        macroLines_.clear();
        context_.services.prompts.Warn(lines.error().message);
        return false;
    }
    macroLines_ = std::move(lines).value();
    return true;
}

void CardFileCommands::ViewMacro() {
    if (!context_.dialogs.macroViewer) return;
    // The lines saving would write, the default title of an untitled main card included; only
    // saving gives the card that title, looking changes nothing.
    auto lines = CardLines(WithDefaultTitle(document_.card()));
    if (!lines) {
        context_.services.prompts.Warn(lines.error().message);
        return;
    }
    macroLines_ = std::move(lines).value();
    context_.dialogs.macroViewer->Load(macroLines_);
    context_.services.dialogs.Run(*context_.dialogs.macroViewer);
}

}  // namespace zepo
