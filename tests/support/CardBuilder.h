#pragma once
// Puts objects on a card the way the editor's dialogs leave them.

#include "ModelFakes.h"
#include "Printers.h"
#include "model/Card.h"
#include "model/Layout.h"
#include "model/MacroWriter.h"

namespace zepo::test {

inline int AddText(Card& card, int x, int y, std::string_view utf8, int direction = 0, FontSpec font = {},
                   Association assoc = {}) {
    GridMeasurer m;
    int id = card.FreeSlot(SlotKind::OneLineText);
    Slot& s = card.slot(id);
    s.caption = S(utf8);
    s.font = font;
    s.text.direction = direction;
    s.wordWrap = direction == 1;
    Size size = OneLineTextSize(s.caption, font, direction == 1, m);
    s.bounds = {x, y, size.width, size.height};
    s.text.association = assoc;
    s.inUse = true;
    card.BringToFront(id);
    return id;
}

inline int AddFrame(Card& card, Rect bounds, int color = kWhite, int style = 0, Association assoc = {}) {
    int id = card.FreeSlot(SlotKind::Frame);
    Slot& s = card.slot(id);
    s.bounds = bounds;
    s.frame.color = color;
    s.frame.style = style;
    s.frame.association = assoc;
    s.inUse = true;
    card.BringToFront(id);
    return id;
}

inline int AddPicture(Card& card, int x, int y, std::string_view file, PixelSize natural, float scale = 1.0f,
                      int frame = 0, Association assoc = {}) {
    int id = card.FreeSlot(SlotKind::Picture);
    Slot& s = card.slot(id);
    s.picture.fileName = S(file);
    s.picture.naturalWidth = natural.width;
    s.picture.naturalHeight = natural.height;
    s.picture.scale = scale;
    s.picture.frame = frame;
    s.picture.association = assoc;
    s.stretch = scale != 1.0f;
    s.bounds = {x, y, static_cast<int>(natural.width * scale + 0.5f), static_cast<int>(natural.height * scale + 0.5f)};
    s.inUse = true;
    card.BringToFront(id);
    return id;
}

inline int AddTextBlock(Card& card, int x, int y, std::string_view file, const std::vector<std::string>& utf8Lines,
                        int direction = 0, FontSpec font = {}, int pitch = 0, int color = kBlack) {
    GridMeasurer m;
    int id = card.FreeSlot(SlotKind::TextBlock);
    Slot& s = card.slot(id);
    std::vector<std::string> lines;
    for (const auto& l : utf8Lines) lines.push_back(S(l));
    s.lines = std::move(lines);
    s.font = font;
    s.block.fileName = S(file);
    s.block.direction = direction;
    s.block.linePitch = pitch;
    s.block.color = color;
    TextBlockLayout layout = LayoutTextBlock(s.lines.get(), font, pitch, direction == 1, m);
    s.bounds = {x, y, layout.size.width, layout.size.height};
    s.inUse = true;
    card.BringToFront(id);
    return id;
}

// Writes the card as saving does: the default title first, then the lines. False (with the
// writer's message in `error`) when the card cannot be written.
inline bool WriteAsSaved(Card& card, std::vector<std::string>& lines, std::string* error = nullptr) {
    SupplyDefaultTitle(card);
    auto written = WriteMacro(card);
    if (!written) {
        if (error) *error = written.error().message;
        return false;
    }
    lines = std::move(written).value();
    return true;
}

// A fresh card as the new-card command leaves it.
inline Card NewCard() {
    Card card;
    ResetCard(card);
    return card;
}

}  // namespace zepo::test
