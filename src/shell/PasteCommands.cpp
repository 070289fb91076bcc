#include "shell/PasteCommands.h"

#include "document/CardDocument.h"
#include "editors/RoundTrip.h"
#include "shell/CommandContext.h"

namespace zepo {

void PasteCommands::PlaceObject(SlotKind kind) {
    int id = document_.card().FreeSlot(kind);
    if (id < 0) return;  // every slot of the kind is in use
    EditSlot(id);
}

void PasteCommands::EditSlot(int id) {
    if (SlotEditor* editor = editors_[static_cast<int>(KindOfSlot(id))])
        ApplyProposal(document_, editor->Edit(document_.card(), id));
}

}  // namespace zepo
