#pragma once
// The open card: the card itself, its undo history, the save folder its files are found in,
// the last card file chosen, the macro lines last written and the preview flag. The views
// follow it: every change ends in changed(), and the canvas and the check marks are drawn
// again from it.
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

    bool previewOn() const { return preview_; }
    void SetPreview(bool on);

    // The lines the card was last read from or written to (the macro viewer shows them).
    const std::vector<std::string>& macroLines() const { return macroLines_; }
    void SetMacroLines(std::vector<std::string> lines) { macroLines_ = std::move(lines); }

    // The open dialog's last chosen file; empty until a file was chosen.
    const QString& openFileName() const { return openFileName_; }
    void SetOpenFileName(const QString& file) { openFileName_ = file; }

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
    bool preview_ = false;
    std::vector<std::string> macroLines_;
    QString openFileName_;
};

}  // namespace zepo
