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

    // The clean point: the state that is in the card file (as read or last written). Start()
    // puts it at the start; undoing back to it makes the card clean again. A clean state
    // dropped from the history (redo steps replaced, the oldest forgotten) cannot come back.
    void MarkClean() { clean_ = static_cast<std::ptrdiff_t>(current_); }
    void MarkNeverClean() { clean_ = -1; }
    bool isClean() const { return clean_ == static_cast<std::ptrdiff_t>(current_); }

private:
    std::deque<Card> states_;
    size_t current_ = 0;
    std::ptrdiff_t clean_ = 0;  // index into states_, -1 when it is no longer there
};

}  // namespace zepo
