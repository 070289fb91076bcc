#pragma once
// The property round trip of one object kind: fills the kind's dialog from the slot, shows
// it, and on OK writes the object back into the card. Each kind brings its own; a kind
// without one leaves its menu items, placing button and right press inert.

namespace zepo {

// How one round trip ended.
enum class EditResult { Cancelled, Applied, Removed };

class SlotEditor {
public:
    virtual ~SlotEditor() = default;
    // `id` is the card's slot id; a free slot is created, one in use edited.
    virtual void Edit(int id) = 0;
};

}  // namespace zepo
