#pragma once
// Pictures in the editor: their menu items, the placing button and the right press run the
// picture dialog round trip, and a confirmed edit loads the chosen picture into the object.

#include <filesystem>
#include <functional>

#include "editors/FrameEditor.h"
#include "editors/SlotEditor.h"

namespace zepo {

class Card;
class DialogRunner;
class MessageSink;
class PictureDialog;

class PictureEditor : public SlotEditor {
public:
    struct Sources {
        std::function<std::filesystem::path()> saveFolder;
        std::function<bool()> reduceTo256;  // the automatic 256-colour switch
    };
    PictureEditor(Card& card, PictureDialog& dialog, DialogRunner& runner, MessageSink& messages, Sources sources)
        : card_(card), dialog_(dialog), runner_(runner), messages_(messages), sources_(std::move(sources)) {}

    void Edit(int id) override { EditPicture(id); }

    // Edits picture slot `id` (free or in use). The position and scale fields are checked
    // before anything is applied: a field that is not a number is named in a message and the
    // dialog comes back. A picture that cannot be loaded is reported and the object keeps the
    // picture it had; a free slot whose picture cannot be loaded stays free.
    EditResult EditPicture(int id);

private:
    Card& card_;
    PictureDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
    Sources sources_;
};

// The scale of a typed percentage: three decimals rounded half up, within 0.1 … 100.
float PictureScale(long double percent);

}  // namespace zepo
