#include "shell/PasteCommands.h"

#include <QAction>
#include <QToolButton>

#include "canvas/CardCanvas.h"
#include "editors/SlotEditor.h"
#include "shell/MainWindow.h"

namespace zepo {

PasteCommands::PasteCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    auto slotItems = [this](auto& items, SlotKind kind) {
        for (size_t i = 0; i < items.size(); ++i)
            connect(items[i], &QAction::triggered, this, [this, kind, i] { EditSlot(SlotId(kind, int(i) + 1)); });
    };
    slotItems(w.mnYoko, SlotKind::OneLineText);
    slotItems(w.mnTextFileN, SlotKind::TextBlock);
    slotItems(w.mnBitmapN, SlotKind::Picture);
    slotItems(w.mnFrameN, SlotKind::Frame);
    connect(w.btnTxtYoko, &QToolButton::clicked, this, [this] { PlaceObject(SlotKind::OneLineText); });
    connect(w.btnTextFile, &QToolButton::clicked, this, [this] { PlaceObject(SlotKind::TextBlock); });
    connect(w.btnBitmap, &QToolButton::clicked, this, [this] { PlaceObject(SlotKind::Picture); });
    connect(w.btnFrame, &QToolButton::clicked, this, [this] { PlaceObject(SlotKind::Frame); });
    connect(w.canvas, &CardCanvas::slotRequested, this, [this](int id) { EditSlot(id); });
}

void PasteCommands::PlaceObject(SlotKind kind) {
    int id = window_.document().card().FreeSlot(kind);
    if (id < 0) return;  // every slot of the kind is in use
    EditSlot(id);
}

void PasteCommands::EditSlot(int id) {
    SlotEditor* editor = editors_[static_cast<int>(KindOfSlot(id))];
    if (editor) editor->Edit(id);
    // Also after a cancel: a click on a slot item toggles its check mark, which must show
    // the card again.
    window_.document().Changed();
}

}  // namespace zepo
