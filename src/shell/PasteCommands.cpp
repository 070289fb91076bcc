#include "shell/PasteCommands.h"

#include <QAbstractButton>
#include <QAction>

#include "canvas/CardCanvas.h"
#include "document/CardDocument.h"
#include "editors/RoundTrip.h"
#include "shell/CommandContext.h"

namespace zepo {

PasteCommands::PasteCommands(CardDocument& document, const Controls& controls) : document_(document) {
    for (int k = 0; k < kKindCount; ++k) {
        const auto kind = static_cast<SlotKind>(k);
        const std::vector<QAction*>& items = controls.slotItems[k];
        for (size_t i = 0; i < items.size(); ++i)
            connect(items[i], &QAction::triggered, this, [this, kind, i] { EditSlot(SlotId(kind, int(i) + 1)); });
        if (QAbstractButton* button = controls.placeButtons[k])
            connect(button, &QAbstractButton::clicked, this, [this, kind] { PlaceObject(kind); });
    }
    connect(controls.canvas, &CardCanvas::slotRequested, this, [this](int id) { EditSlot(id); });
}

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
