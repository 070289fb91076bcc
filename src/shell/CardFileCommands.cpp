// The card menu's file commands: new card, open, save, save folder, card settings and the
// macro viewer, with the caption rule.

#include "shell/CardFileCommands.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QToolButton>
#include <system_error>

#include "canvas/CardCanvas.h"
#include "core/TextCodec.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/FileChooser.h"
#include "dialogs/MacroViewer.h"
#include "dialogs/Prompts.h"
#include "dialogs/SaveFolderDialog.h"
#include "dialogs/WindowFront.h"
#include "document/CardFile.h"
#include "model/MacroFile.h"
#include "platform/Folders.h"
#include "shell/MainWindow.h"

namespace zepo {
namespace {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CardFileCommands::CardFileCommands(MainWindow& window) : window_(window), document_(window.document()) {
    MainWindow& w = window_;
    connect(w.mnNew, &QAction::triggered, this, [this] { NewCard(); });
    connect(w.mnOpen, &QAction::triggered, this, [this] { Open(); });
    connect(w.mnSave, &QAction::triggered, this, [this] { Save(); });
    connect(w.mnSavePos, &QAction::triggered, this, [this] { ChangeSaveFolder(); });
    connect(w.mnCardMake, &QAction::triggered, this, [this] { EditCardSettings(); });
    connect(w.mnViewMacro, &QAction::triggered, this, [this] { ViewMacro(); });
    connect(w.mnUndo, &QAction::triggered, this, [this] { Undo(); });
    connect(w.mnRedo, &QAction::triggered, this, [this] { Redo(); });
    connect(w.mnExit, &QAction::triggered, this, [this] { Exit(); });
    connect(w.btnCard, &QToolButton::clicked, this, [this] { EditCardSettings(); });
    connect(w.btnOpen, &QToolButton::clicked, this, [this] { Open(); });
    connect(w.btnSave, &QToolButton::clicked, this, [this] { Save(); });
}

void CardFileCommands::RunStartupSequence() {
    if (startupDone_) return;  // the sequence runs once per process
    startupDone_ = true;
    if (const std::filesystem::path& card = window_.startupCard(); !card.empty()) {
        // Opened from the file manager: the card is the answer to both questions.
        document_.SetOpenFileName(QString::fromStdString(card.string()));
        if (!OpenChosenFile(card)) NameUnnamedCard();
        return;
    }
    ChangeSaveFolder();
    Open();
    if (!document_.openFileName().isEmpty()) return;
    EditCardSettings();
    NameUnnamedCard();
    // The card the user starts from is where undoing ends.
    document_.StartHistory();
}

void CardFileCommands::OpenHandedOver(const QString& card) {
    BringToFront(window_);
    if (card.isEmpty()) return;
    RunWhenNoModalDialog(this, [this, card] {
        startupDone_ = true;  // the card answers the start-up questions, as one given at start
        document_.SetOpenFileName(card);
        OpenChosenFile(std::filesystem::path(card.toStdString()));
    });
}

void CardFileCommands::NameUnnamedCard() {
    // The card settings were cancelled with the name still empty.
    Card& card = document_.card();
    if (!card.settings.name.empty()) return;
    card.settings.name = "zepo";
    card.settings.title = Sjis("マクロ");
    window_.SetCaptionFromCard();
    document_.Changed();
}

void CardFileCommands::NewCardReset() {
    ResetCard(document_.card());
    window_.ResetDialogs();
    window_.canvas->ClearDragging();
    window_.SetCaption("main");
    // The mode stays as it is; a preview shows the empty card.
    document_.Changed();
}

void CardFileCommands::ReportFolder(const std::filesystem::path& folder) {
    window_.services().prompts.Warn(Utf8ToSjis(folder.string()).bytes + "\r" + Sjis("フォルダに移動できません"));
}

void CardFileCommands::Exit() { window_.close(); }

void CardFileCommands::Undo() {
    // A drag in progress belongs to the card being left.
    window_.canvas->ClearDragging();
    if (document_.Undo()) window_.SetCaptionFromCard();
}

void CardFileCommands::Redo() {
    window_.canvas->ClearDragging();
    if (document_.Redo()) window_.SetCaptionFromCard();
}

void CardFileCommands::NewCard() {
    if (!window_.services().prompts.Ask(Sjis("現カードを破棄します\rよろしですか？"))) return;
    NewCardReset();
    CardSettings& settings = document_.card().settings;
    settings.name.clear();
    settings.title.clear();
    settings.editMode = 0;
    EditCardSettings();
    NameUnnamedCard();
    document_.StartHistory();
}

void CardFileCommands::EditCardSettings() {
    if (!window_.dialogs().cardSettings) return;
    CardSettingsDialog& dlg = *window_.dialogs().cardSettings;
    Card& card = document_.card();
    // The dialog shows the card; Cancel leaves the card as it was, so the next showing
    // starts from the card's values again.
    dlg.Load(card.settings);
    if (!window_.services().dialogs.Run(dlg)) {
        dlg.Load(card.settings);
        return;
    }
    card.settings = dlg.Read();
    window_.SetCaptionFromCard();
    document_.Changed();
}

void CardFileCommands::Open() {
    const std::filesystem::path& saveFolder = document_.saveFolder();
    std::filesystem::path start = saveFolder;
    if (!EnterFolder(saveFolder)) {
        ReportFolder(saveFolder);
        // Opening a card is a way out of a save folder that vanished: the dialog starts on
        // the nearest folder that is still there.
        start = NearestEnterableFolder(saveFolder);
    }
    OpenFileRequest request{"カードの読み込み", QString::fromStdString(start.string()), "ｶｰﾄﾞﾌｧｲﾙ(*.zep)", "zep",
                            QFileInfo(document_.openFileName()).fileName()};
    QString chosen = window_.services().files.ChooseOpenFile(request);
    if (chosen.isEmpty()) return;
    document_.SetOpenFileName(chosen);
    OpenChosenFile(std::filesystem::path(chosen.toStdString()));
}

bool CardFileCommands::OpenChosenFile(const std::filesystem::path& chosen) {
    // A big card takes a moment; message boxes on the way show the ordinary pointer.
    WaitCursor wait;
    Prompts& prompts = window_.services().prompts;
    auto read = ReadCardFileText(chosen);
    if (const OpenProblem* problem = std::get_if<OpenProblem>(&read)) {
        // The card's name is its file's name, so a name the card cannot hold is refused with
        // the same words as a typed one.
        prompts.Warn(*problem == OpenProblem::NameNotShiftJis
                         ? UnwritableCharactersMessage(chosen.filename().string()) + "\r" + Sjis("読み込めません")
                         : Sjis("読み込みに失敗しました"));
        return false;
    }
    const CardFileText& text = std::get<CardFileText>(read);
    document_.SetMacroLines(text.lines);
    document_.SetSaveFolder(text.folder);
    if (!EnterFolder(text.folder)) {
        prompts.Warn(Sjis("読み込みに失敗しました"));
        return false;
    }
    if (!text.hasHeader &&
        !prompts.AskWarning(Sjis("ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\r読み込みますか？")))
        return false;

    window_.ResetDialogs();
    LoadCardText(document_.card(), text, prompts, window_.measurer());
    window_.canvas->ClearDragging();
    window_.SetCaptionFromCard();
    // Drawn again in the mode the user is in: a preview shows the card just read. Undoing
    // ends at the card as it was read.
    document_.StartHistory();
    return true;
}

void CardFileCommands::Save() {
    Prompts& prompts = window_.services().prompts;
    const std::filesystem::path& saveFolder = document_.saveFolder();
    if (!EnterFolder(saveFolder)) {
        ReportFolder(saveFolder);
        return;
    }
    const std::string& name = document_.card().settings.name;
    switch (CheckCardFileName(name)) {
        case CardNameProblem::None: break;
        case CardNameProblem::Empty: prompts.Warn(Sjis("カード名がないため、保存できません")); return;
        case CardNameProblem::Nul:
            prompts.Warn(Sjis("カード名にファイル名に使えない文字が含まれているため、保存できません"));
            return;
        case CardNameProblem::Separator:
            prompts.Warn(name + "\r" + Sjis("カード名に「/」や「\\」が含まれているため、保存できません"));
            return;
    }
    const std::string fileName = name + ".zep";
    const std::filesystem::path target = PathOfSjisName(saveFolder, fileName);

    std::error_code ec;
    bool existed = std::filesystem::exists(target, ec);
    if (ec) {
        prompts.Warn(Sjis("保存に失敗しました"));
        return;
    }
    if (existed && !prompts.Ask(fileName + "\r" + Sjis("同じ名前のファイルが存在します") + "\r" +
                                Sjis("上書きしてよろしいですか？")))
        return;

    if (!BuildMacroLines()) return;
    const std::vector<std::string>& lines = document_.macroLines();
    if (std::optional<size_t> longLine = FindLongLine(lines)) {
        prompts.Warn(LongLineMessage(lines[*longLine]));
        return;
    }
    // Written beside the card and renamed over it only when complete: a failed save never
    // leaves a half-written card behind.
    if (!WriteCardFile(target, lines)) {
        prompts.Warn(Sjis("保存に失敗しました"));
        return;
    }
    if (!existed) prompts.Inform(fileName + "\r" + Sjis("上の名前で保存しました"));
}

void CardFileCommands::ChangeSaveFolder() {
    if (!window_.dialogs().saveFolder) return;
    SaveFolderDialog& dlg = *window_.dialogs().saveFolder;
    dlg.Load(document_.saveFolder());
    if (!window_.services().dialogs.Run(dlg)) return;
    // A relative folder is taken from the folder the dialog was opened on, so that the save
    // folder stays the same folder whatever becomes current later.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(dlg.Read().toStdString(), ec);
    if (ec || dlg.Read().isEmpty()) folder = dlg.Read().toStdString();
    folder = WithoutTrailingSeparator(folder);
    Prompts& prompts = window_.services().prompts;
    if (!EnterFolder(folder)) {
        if (!CreateOneFolder(folder)) {
            prompts.Inform(Sjis("フォルダを変更できませんでした"));
            return;
        }
        prompts.Inform(Utf8ToSjis(folder.string()).bytes + "\r" + Sjis("上のフォルダを作成しました。"));
        if (!EnterFolder(folder)) {  // made, but not ours to enter
            prompts.Inform(Sjis("フォルダを変更できませんでした"));
            return;
        }
    }
    document_.SetSaveFolder(folder);
}

bool CardFileCommands::BuildMacroLines() {
    auto lines = CardLines(document_.card());
    if (!lines) {
        document_.SetMacroLines({});
        window_.services().prompts.Warn(lines.error().message);
        return false;
    }
    document_.SetMacroLines(std::move(lines).value());
    return true;
}

void CardFileCommands::ViewMacro() {
    if (!window_.dialogs().macroViewer) return;
    if (!BuildMacroLines()) return;
    window_.dialogs().macroViewer->Load(document_.macroLines());
    window_.services().dialogs.Run(*window_.dialogs().macroViewer);
}

}  // namespace zepo
