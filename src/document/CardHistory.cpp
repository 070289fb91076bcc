#include "document/CardHistory.h"

namespace zepo {

void CardHistory::Start(const Card& card) {
    states_.clear();
    states_.push_back(card);
    current_ = 0;
    clean_ = 0;
}

bool CardHistory::Record(const Card& card) {
    if (states_[current_] == card) return false;
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end());
    if (clean_ > static_cast<std::ptrdiff_t>(current_)) clean_ = -1;  // it was among the redo steps
    states_.push_back(card);
    if (states_.size() > kMaxSteps + 1) {
        states_.pop_front();
        if (clean_ >= 0) --clean_;
    }
    current_ = states_.size() - 1;
    return true;
}

const Card* CardHistory::Undo() {
    if (!canUndo()) return nullptr;
    return &states_[--current_];
}

const Card* CardHistory::Redo() {
    if (!canRedo()) return nullptr;
    return &states_[++current_];
}

}  // namespace zepo
