#pragma once
// A round trip run as the document runs it: what it proposes becomes the card.

#include <optional>

#include "editors/RoundTrip.h"

namespace zepo::test {

enum class EditResult { Cancelled, Applied, Removed };

inline EditResult ApplyEdit(SlotEditor& editor, Card& card, int id) {
    std::optional<Card> next = editor.Edit(card, id);
    if (!next) return EditResult::Cancelled;
    const bool removed = card.slot(id).inUse && !next->slot(id).inUse;
    card = std::move(*next);
    return removed ? EditResult::Removed : EditResult::Applied;
}

}  // namespace zepo::test
