#pragma once
// The paste menu's slot items, the placing buttons and the right press on an object: each
// runs the property round trip of the object's kind and hands what it proposes to the document.

#include <QObject>
#include <array>

#include "model/Card.h"

namespace zepo {

class CardDocument;
class SlotEditor;

class PasteCommands : public QObject {
    Q_OBJECT
public:
    explicit PasteCommands(CardDocument& document) : document_(document) {}

    // A kind without an editor leaves its items, button and right press inert.
    void SetSlotEditor(SlotKind kind, SlotEditor* editor) { editors_[static_cast<int>(kind)] = editor; }

    // The placing buttons: the lowest free slot of the kind, if any.
    void PlaceObject(SlotKind kind);
    // The slot menu items and the right press.
    void EditSlot(int id);

private:
    CardDocument& document_;
    std::array<SlotEditor*, kKindCount> editors_{};
};

}  // namespace zepo
