#include "shell/CardRecovery.h"

#include <QPointer>

#include "core/TextCodec.h"
#include "dialogs/Prompts.h"
#include "document/CardFile.h"
#include "platform/Folders.h"
#include "platform/Scheduler.h"
#include "shell/CardFileCommands.h"
#include "shell/CommandContext.h"

namespace zepo {
namespace {

std::string Shown(const std::string& utf8) { return Utf8ToSjis(utf8).bytes; }

// The offer of a left copy. A card that was never saved is said to be one, with no file
// named: the name it had came by chance and may be another card's.
std::string OfferText(const RecoveryFolder::Origin& origin) {
    const std::string head = Sjis("前回保存されなかったカードがあります") + "\r";
    if (!origin.readFrom.empty())
        return head + Shown(origin.readFrom.string()) + "\r" +
               Sjis("開くと、変更したカードとして開きます。元のファイルは保存するまで変わりません。");
    return head + Sjis("一度も保存されていない新しいカードです（保存フォルダ：") +
           Shown(origin.saveAs.parent_path().string()) + Sjis("）") + "\r" +
           Sjis("開くと、保存するときにカード名を確かめます。");
}

}  // namespace

CardRecovery::CardRecovery(const CommandContext& context, CardFileCommands& cardFile)
    : context_(context), cardFile_(cardFile), folder_(context.services.user.recoveryFolder, NewRecoveryId()) {
    // Back at the state of the file (saved, or undone to it): no copy is needed any more.
    connect(&context_.document, &CardDocument::modifiedChanged, this, [this](bool modified) {
        if (!modified) folder_.Remove();
    });
}

void CardRecovery::Start() {
    if (context_.services.user.recoveryFolder.empty()) return;
    if (Status prepared = folder_.Prepare(); !prepared) {
        folderProblem_ = folder_.folder().string() + "\n" + prepared.error().message;
        return;
    }
    ScheduleNext();
}

void CardRecovery::ScheduleNext() {
    QPointer<CardRecovery> self(this);
    context_.services.scheduler.After(kCopyIntervalMs, [self] {
        if (!self) return;
        self->WriteCopy();
        self->ScheduleNext();
    });
}

void CardRecovery::WriteCopy() {
    const CardDocument& document = context_.document;
    if (!folder_.ready() || !document.isModified()) return;
    const Card card = WithDefaultTitle(document.card());
    auto lines = CardLines(card);
    if (!lines) return;  // the writer's own message comes when the user saves
    Status written = folder_.Write(lines.value(), cardFile_.origin());
    if (written || toldWriteFailure_) return;
    toldWriteFailure_ = true;
    context_.services.prompts.Warn(Sjis("保存されていないカードの控えを書けませんでした") + "\r" +
                                   Shown(folder_.folder().string()) + "\r" + Shown(written.error().message));
}

void CardRecovery::Finish() { folder_.Remove(); }

bool CardRecovery::OfferLeftCopies() {
    Prompts& prompts = context_.services.prompts;
    if (!folderProblem_.empty()) {
        prompts.Warn(Sjis("控えのフォルダが使えないため、保存されていないカードの控えは作りません") + "\r" +
                     Shown(folderProblem_));
        folderProblem_.clear();
        return false;
    }
    for (const RecoveryFolder::Copy& copy : folder_.Left()) {
        const std::optional<RecoveryFolder::Origin> origin = RecoveryFolder::OriginOf(copy);
        if (origin) {
            const Choice choice = prompts.AskChoice(OfferText(*origin), ChoiceButtons{"開く", "削除", "あとで"});
            if (choice == Choice::Cancel) continue;
            if (choice == Choice::No) {
                folder_.Discard(copy);
                continue;
            }
            if (cardFile_.OpenRecoveredCopy(copy.card, *origin)) {
                folder_.Adopt(copy);
                return true;
            }
        }
        // Unreadable: never deleted without the user's word.
        const Choice keep =
            prompts.AskChoice(Sjis("前回保存されなかったカードがありますが、読めませんでした") + "\r" +
                                  Shown(copy.card.string()) + "\r" + Sjis("別のフォルダに移して残しますか？"),
                              ChoiceButtons{"残す", "削除", "あとで"});
        if (keep == Choice::No) folder_.Discard(copy);
        if (keep != Choice::Yes) continue;
        auto kept = folder_.KeepAside(copy);
        if (kept) prompts.Inform(Shown(kept.value().string()) + "\r" + Sjis("に残しました"));
        else prompts.Warn(Sjis("移せませんでした") + "\r" + Shown(kept.error().message));
    }
    return false;
}

}  // namespace zepo
