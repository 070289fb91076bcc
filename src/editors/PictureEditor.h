#pragma once
// Pictures in the editor: their menu items, the placing button and the right press run the
// picture dialog round trip, and a confirmed edit loads the chosen picture into the object.

#include <filesystem>
#include <functional>

#include "dialogs/PictureDialog.h"
#include "editors/PictureImport.h"
#include "editors/RoundTrip.h"

namespace zepo {

// The position and scale fields are checked before anything is applied: a field that is not a
// number is named in a message and the dialog comes back. A picture that cannot be loaded is
// reported and the object keeps the picture it had; a free slot whose picture cannot be loaded
// stays free.
class PictureEditor : public SlotRoundTrip<PictureDialog, PictureValues> {
public:
    struct Sources {
        std::function<std::filesystem::path()> saveFolder;
        std::function<bool()> reduceTo256;  // the automatic 256-colour switch
    };
    PictureEditor(PictureDialog& dialog, DialogRunner& runner, MessageSink& messages, Sources sources)
        : SlotRoundTrip(SlotKind::Picture, "静止画", dialog, runner, messages), sources_(std::move(sources)) {}

protected:
    void StartNew(Slot& slot) override;
    void Show(const Slot& slot, bool isNew) override;
    Applied WriteInto(Slot& slot, PictureValues values, bool isNew) override;
    // A file the confirmation wrote (a JPEG's BMP, a reduction) is shown anew by every other
    // picture of the card that names it, in the same change.
    void Follow(Card& card, int id) override;

private:
    std::filesystem::path SaveFolder() const;

    Sources sources_;
    PictureImport written_;  // the last confirmation's picture when it wrote its file
};

// The scale of a typed percentage: three decimals rounded half up, within 0.1 … 100.
float PictureScale(long double percent);

}  // namespace zepo
