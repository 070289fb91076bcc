#pragma once
// The property round trip: a dialog is filled from the card, shown, and what it gives on OK
// becomes a proposed card. The card the round trip is given is never written: every change
// goes into a copy, and the copy is handed back only when the user confirmed. The document
// alone decides what becomes of it.

#include <QString>
#include <optional>
#include <type_traits>
#include <utility>

#include "core/Result.h"
#include "dialogs/DialogRunner.h"
#include "model/Card.h"
#include "model/Environment.h"

namespace zepo {

template <typename T>
struct IsResult : std::false_type {};
template <typename T>
struct IsResult<Result<T>> : std::true_type {
    using Value = T;
};

// Shows `dialog` until the user cancels or its fields read without a refusal; a refused field
// (a number that is no number, a character a card cannot hold) is said and the dialog comes
// back with what was typed. Nothing when cancelled.
template <typename Dialog>
auto AskDialog(Dialog& dialog, DialogRunner& runner, MessageSink& messages) {
    using Read = decltype(dialog.Read());
    if constexpr (IsResult<Read>::value) {
        using Value = typename IsResult<Read>::Value;
        while (runner.Run(dialog)) {
            Read read = dialog.Read();
            if (read) return std::optional<Value>(std::move(read).value());
            messages.Warn(read.error().message);
        }
        return std::optional<Value>();
    } else {
        if (!runner.Run(dialog)) return std::optional<Read>();
        return std::optional<Read>(dialog.Read());
    }
}

// The round trip behind one kind's menu items, placing button and right press.
class SlotEditor {
public:
    virtual ~SlotEditor() = default;
    // `id` is a slot of the editor's kind: a free one is placed, one in use edited. The card
    // as the user confirmed it, or nothing when the edit was cancelled or could not be done.
    virtual std::optional<Card> Edit(const Card& card, int id) = 0;
};

// What became of confirmed values: applied; refused after a message, the card staying as it
// was; or refused after a message with the dialog shown again as the user left it.
enum class Applied { Done, Refused, AskAgain };

// The steps every kind shares: a new object's start in the copy, the dialog shown with the
// slot, removal, and a confirmed object brought to the front, marked in use and its kind's
// menu ticked. The kind brings what differs.
template <typename Dialog, typename Values>
class SlotRoundTrip : public SlotEditor {
public:
    SlotRoundTrip(SlotKind kind, const char* caption, Dialog& dialog, DialogRunner& runner, MessageSink& messages)
        : dialog_(dialog), runner_(runner), messages_(messages), kind_(kind), caption_(caption) {}

    std::optional<Card> Edit(const Card& card, int id) final {
        Card next = card;
        Slot& slot = next.slot(id);
        const bool isNew = !slot.inUse;
        if (isNew) {
            ResetRecord(slot, kind_);
            StartNew(slot);
        }
        dialog_.setWindowTitle(QString("%1 - %2").arg(QString::fromUtf8(caption_)).arg(NumberOfSlot(id)));
        Show(slot, isNew);
        for (;;) {
            std::optional<Values> values = AskDialog(dialog_, runner_, messages_);
            if (!values) return std::nullopt;
            if (values->remove) {
                if (isNew) return std::nullopt;  // nothing was there to take away
                slot.inUse = false;
                UpdateParentChecks(next);
                return next;
            }
            const bool toFront = values->toFront;
            // Each try on a copy of its own: a refused one leaves nothing behind.
            Card tried = next;
            Slot& s = tried.slot(id);
            switch (WriteInto(s, std::move(*values), isNew)) {
                case Applied::Refused: return std::nullopt;
                case Applied::AskAgain: continue;
                case Applied::Done: break;
            }
            if (toFront) tried.BringToFront(id);
            s.inUse = true;
            tried.parentChecked[static_cast<int>(kind_)] = true;
            Follow(tried, id);
            return tried;
        }
    }

protected:
    // A free slot's first values (its record is already reset).
    virtual void StartNew(Slot& slot) = 0;
    // Fills the dialog from the slot; a new object goes on top unless the user says otherwise.
    virtual void Show(const Slot& slot, bool isNew) = 0;
    // Writes confirmed values into the slot of the copy.
    virtual Applied WriteInto(Slot& slot, Values values, bool isNew) = 0;
    // What else on the card follows the confirmed object, in the same change.
    virtual void Follow(Card& /*card*/, int /*id*/) {}

    Dialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;

private:
    SlotKind kind_;
    const char* caption_;
};

}  // namespace zepo
