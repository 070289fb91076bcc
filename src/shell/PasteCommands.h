#pragma once
// The paste menu's slot items, the placing buttons and the right press on an object: each
// runs the property round trip of the object's kind and hands what it proposes to the document.

#include <QObject>
#include <array>
#include <vector>

#include "model/Card.h"

class QAction;
class QAbstractButton;

namespace zepo {

class CardCanvas;
class CardDocument;
class SlotEditor;

class PasteCommands : public QObject {
    Q_OBJECT
public:
    struct Controls {
        // The slot items of each kind, in slot order, and each kind's placing button.
        std::array<std::vector<QAction*>, kKindCount> slotItems;
        std::array<QAbstractButton*, kKindCount> placeButtons{};
        CardCanvas* canvas = nullptr;  // its right press asks for an object's round trip
    };
    PasteCommands(CardDocument& document, const Controls& controls);

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
