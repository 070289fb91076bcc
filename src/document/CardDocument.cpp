#include "document/CardDocument.h"

namespace zepo {

bool CardDocument::Apply(Card proposed) {
    if (proposed == card_) return false;
    card_ = std::move(proposed);
    history_.Record(card_);
    emit changed();
    return true;
}

void CardDocument::Reset(Card card) {
    card_ = std::move(card);
    StartHistory();
}

void CardDocument::StartHistory() {
    history_.Start(card_);
    emit changed();
}

bool CardDocument::Undo() {
    const Card* state = history_.Undo();
    if (!state) return false;
    card_ = *state;
    emit changed();
    return true;
}

bool CardDocument::Redo() {
    const Card* state = history_.Redo();
    if (!state) return false;
    card_ = *state;
    emit changed();
    return true;
}

void CardDocument::SetSaveFolder(std::filesystem::path folder) {
    saveFolder_ = std::move(folder);
    emit saveFolderChanged();
    // Pictures and text blocks are found in the save folder: the drawing depends on it.
    emit changed();
}

void CardDocument::SetPreview(bool on) {
    if (preview_ == on) return;
    preview_ = on;
    emit changed();
}

}  // namespace zepo
