#include "document/CardDocument.h"

namespace zepo {

bool CardDocument::Apply(Card proposed) {
    if (proposed == card_) return false;
    const bool was = isModified();
    card_ = std::move(proposed);
    history_.Record(card_);
    emit changed();
    TellModified(was);
    return true;
}

void CardDocument::Reset(Card card) {
    card_ = std::move(card);
    StartHistory();
}

void CardDocument::StartHistory() {
    const bool was = isModified();
    history_.Start(card_);
    emit changed();
    TellModified(was);
}

void CardDocument::MarkSaved() {
    const bool was = isModified();
    history_.MarkClean();
    TellModified(was);
}

void CardDocument::MarkUnsaved() {
    const bool was = isModified();
    history_.MarkNeverClean();
    TellModified(was);
}

void CardDocument::TellModified(bool wasModified) {
    if (isModified() != wasModified) emit modifiedChanged(isModified());
}

bool CardDocument::Undo() {
    const bool was = isModified();
    const Card* state = history_.Undo();
    if (!state) return false;
    card_ = *state;
    emit changed();
    TellModified(was);
    return true;
}

bool CardDocument::Redo() {
    const bool was = isModified();
    const Card* state = history_.Redo();
    if (!state) return false;
    card_ = *state;
    emit changed();
    TellModified(was);
    return true;
}

void CardDocument::SetSaveFolder(std::filesystem::path folder) {
    saveFolder_ = std::move(folder);
    emit saveFolderChanged();
    // Pictures and text blocks are found in the save folder: the drawing depends on it.
    emit changed();
}

}  // namespace zepo
