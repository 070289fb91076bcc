#pragma once
// The arithmetic of the mouse protocol, apart from the widget: the rubber band of a press,
// of a move and of each kind's resize, and what a release makes of it. All positions are
// card coordinates; (x, y) of a mouse event is relative to the pressed object.

#include "model/Card.h"
#include "model/Environment.h"

namespace zepo {

// The band's corners; the outline runs through both.
struct Band {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // A picture's scale as the band shows it; applied with the band on release, never before.
    float scale = 0;
    bool operator==(const Band&) const = default;
};

// One pixel outside the object on every side; a horizontal one-line text ends at its font
// height rather than at its label's height.
Band StartBand(const Slot& slot, SlotKind kind);

// The start band shifted by the mouse's displacement since the press.
Band MovedBand(const Band& start, int dx, int dy);

// The band of one mouse move in resize mode. A picture's stored scale follows at once.
Band ResizeBand(const Slot& slot, SlotKind kind, const Band& start, int x, int y, int pressX, int pressY);

// The release in move mode: the new bounds, kept right of and below the canvas's top-left.
Rect MovedBounds(const Rect& bounds, int x, int y, int pressX, int pressY);

// The release in resize mode: the kind's new size (and font) from the band.
void ApplyResize(Slot& slot, SlotKind kind, const Band& band, TextMeasurer& measurer);

}  // namespace zepo
