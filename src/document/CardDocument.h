#pragma once
// The open card: the card itself, its undo history and the save folder its files are found
// in. How it is shown (the preview) is the views' own. The views follow it: every change ends in changed(), and the
// canvas and the check marks are drawn again from it.
//
// Only the document changes the card. An edit reads the card as it is, works on a copy and
// proposes the copy; Apply() makes it the card. A dialog that was cancelled proposes nothing,
// so it cannot reach the card, however far it got.

#include <QObject>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "document/CardHistory.h"
#include "model/Card.h"

namespace zepo {

class CardDocument : public QObject {
    Q_OBJECT
public:
    explicit CardDocument(QObject* parent = nullptr) : QObject(parent) {}

    const Card& card() const { return card_; }
    // Makes `proposed` the card. A card that differs from the present one is one step of the
    // undo history and the views are told; an equal one changes nothing. True when it differed.
    bool Apply(Card proposed);
    // Opening or starting a card: `card` becomes the card and is where undoing ends.
    void Reset(Card card);
    // The card as it is now is where undoing ends.
    void StartHistory();
    // Whether the card differs from its file as last read or written (the history's clean
    // point); modifiedChanged() tells when that changes.
    bool isModified() const { return !history_.isClean(); }
    // The card as it is now is what its file holds (after a save).
    void MarkSaved();
    // The card holds changes no file has (a restored copy of an unsaved card).
    void MarkUnsaved();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // The card one step back or forward, shown at once; false when there is none.
    bool Undo();
    bool Redo();

    const std::filesystem::path& saveFolder() const { return saveFolder_; }
    void SetSaveFolder(std::filesystem::path folder);

signals:
    void changed();
    void modifiedChanged(bool modified);
    void saveFolderChanged();

private:
    // Emits modifiedChanged() when the state differs from `wasModified`.
    void TellModified(bool wasModified);

    Card card_;
    CardHistory history_{card_};
    std::filesystem::path saveFolder_;
};

}  // namespace zepo
