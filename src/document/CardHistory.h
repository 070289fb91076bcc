#pragma once
// The states of the card a user can go back and forth between. A state is a whole card:
// copying one is cheap because what is large in it (a text block's lines, a loaded picture)
// is shared, not copied, between states.

#include <cstddef>
#include <deque>

#include "model/Card.h"

namespace zepo {

class CardHistory {
public:
    static constexpr size_t kMaxSteps = 100;

    explicit CardHistory(const Card& start = Card()) { Start(start); }

    // Forgets every step: `card` is where undoing ends.
    void Start(const Card& card);
    // Adds `card` as the next step when it differs from the current state, dropping the
    // steps that could have been redone and, past kMaxSteps, the oldest. A dialog that was
    // cancelled or a drag that moved nothing leaves the card equal and adds no step.
    bool Record(const Card& card);

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < states_.size(); }
    // The state one step back or forward; null when there is none.
    const Card* Undo();
    const Card* Redo();

    size_t steps() const { return states_.size() - 1; }

private:
    std::deque<Card> states_;
    size_t current_ = 0;
};

}  // namespace zepo
