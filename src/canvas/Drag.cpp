#include "canvas/Drag.h"

#include <algorithm>
#include <cmath>

#include "model/Layout.h"

namespace zepo {
namespace {

// Objects read from a file may sit anywhere in the int range; a band never wraps round.
int Add(int a, long long b) { return SaturatedInt(a + b); }

}  // namespace

Band StartBand(const Slot& slot, SlotKind kind) {
    const Rect& r = slot.bounds;
    Band b{Add(r.left, -1), Add(r.top, -1), r.right(), r.bottom()};
    if (kind == SlotKind::OneLineText && !slot.wordWrap) b.y2 = Add(r.top, slot.font.height);
    return b;
}

Band MovedBand(const Band& start, int dx, int dy) {
    return Band{Add(start.x1, dx), Add(start.y1, dy), Add(start.x2, dx), Add(start.y2, dy)};
}

namespace {

Band PictureBand(const Slot& slot, const Band& start, int x, int pressX) {
    const PictureRecord& pic = slot.picture;
    int W = slot.bounds.width;
    // A picture that never loaded has no natural size: it scales from what it shows.
    int naturalW = pic.naturalWidth > 0 ? pic.naturalWidth : std::max(W, 1);
    int naturalH = pic.naturalHeight > 0 ? pic.naturalHeight : std::max(slot.bounds.height, 1);
    double s = static_cast<double>(W + x - pressX) / naturalW;
    s = std::trunc(s * 1000 + 0.5) / 1000;
    s = std::clamp(s, 0.1, 100.0);
    // nearbyint rounds halves to even, as the platform's Round did.
    Band b = start;
    b.scale = static_cast<float>(s);
    b.x2 = static_cast<int>(std::nearbyint(naturalW * s + start.x1)) + 1;
    b.y2 = static_cast<int>(std::nearbyint(naturalH * s + start.y1)) + 1;
    return b;
}

Band FreeBand(const Slot& slot, const Band& start, int x, int y, int pressX, int pressY) {
    Band b = start;
    b.x2 = std::max(Add(start.x1, 0LL + slot.bounds.width + x - pressX), Add(start.x1, 10));
    b.y2 = std::max(Add(start.y1, 0LL + slot.bounds.height + y - pressY), Add(start.y1, 10));
    return b;
}

Band TextBand(const Slot& slot, const Band& start, int x, int pressX) {
    int W = std::max(slot.bounds.width, 1);
    int H = std::max(slot.bounds.height, 1);
    auto with = [&](float r) {
        Band b = start;
        b.x2 = start.x1 + static_cast<int>(std::trunc(W * r));
        b.y2 = start.y1 + static_cast<int>(std::trunc(H * r));
        return b;
    };
    float r = static_cast<float>(W + x - pressX) / static_cast<float>(W);
    Band b = with(r);
    if (b.y2 - b.y1 - 1 < 8) b = with(8.0f / static_cast<float>(H));
    if (b.y2 - b.y1 - 1 > 1000) b = with(1000.0f / static_cast<float>(H));
    // The lower step lands a pixel or two short (8 ÷ H spans 8 pixels, leaving 7 inside the
    // band, and single precision can lose one more); the font made from the band stays
    // within 8 … 1000, the sizes the text dialog allows.
    b.y2 = std::max(b.y2, Add(b.y1, 9));
    return b;
}

void RefitTextBlock(Slot& slot, const Band& band, TextMeasurer& measurer) {
    const std::vector<std::string>& lines = slot.lines.get();
    int n = static_cast<int>(lines.size());
    int m = 0;
    for (const std::string& line : lines) m = std::max(m, static_cast<int>(line.size()));
    if (n == 0 || m == 0) return;  // nothing to fit: the block keeps its size
    int along = SaturatedInt(0LL + band.x2 - band.x1), across = SaturatedInt(0LL + band.y2 - band.y1);
    bool vertical = slot.block.direction != 0;
    if (vertical) std::swap(along, across);
    int h = std::max((2 * along) / m, 8);
    if (!vertical) {
        FontSpec f = slot.font;
        f.height = h;
        // Grow while the widest line falls short of the band, then step back once.
        while (h < 1000 && measurer.TextWidth(slot.block.widestLine, f) < along) f.height = ++h;
        --h;
    }
    const long long pitch = n > 1 ? (across - static_cast<long long>(n) * h) / (n - 1) : 0;
    slot.font.height = h;
    slot.block.linePitch = SaturatedInt(std::max(pitch, 0LL));
    // Only the widest line is measured again: a block of thousands of lines refits as fast as
    // one of three, and the widest line stays the widest at any height.
    const int along_lines = std::max(1, measurer.TextWidth(slot.block.widestLine, slot.font));
    const int across_lines =
        std::max(1, SaturatedInt(static_cast<long long>(n) * h + (n - 1LL) * slot.block.linePitch));
    slot.bounds.width = vertical ? across_lines : along_lines;
    slot.bounds.height = vertical ? along_lines : across_lines;
}

}  // namespace

Band ResizeBand(const Slot& slot, SlotKind kind, const Band& start, int x, int y, int pressX, int pressY) {
    switch (kind) {
        case SlotKind::Picture: return PictureBand(slot, start, x, pressX);
        case SlotKind::OneLineText: return TextBand(slot, start, x, pressX);
        case SlotKind::Frame:
        case SlotKind::TextBlock: return FreeBand(slot, start, x, y, pressX, pressY);
    }
    return start;
}

Rect MovedBounds(const Rect& bounds, int x, int y, int pressX, int pressY) {
    Rect r = bounds;
    r.left = Add(bounds.left, 0LL + x - pressX);
    r.top = Add(bounds.top, 0LL + y - pressY);
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    return r;
}

void ApplyResize(Slot& slot, SlotKind kind, const Band& band, TextMeasurer& measurer) {
    switch (kind) {
        case SlotKind::Picture:
            if (band.scale > 0) slot.picture.scale = band.scale;
            slot.stretch = true;
            slot.bounds.width = band.x2 - band.x1 - 1;
            slot.bounds.height = band.y2 - band.y1 - 1;
            break;
        case SlotKind::Frame:
            slot.bounds.width = SaturatedInt(1LL + band.x2 - band.x1);
            slot.bounds.height = SaturatedInt(1LL + band.y2 - band.y1);
            break;
        case SlotKind::OneLineText: {
            int extent = band.y2 - band.y1 - 1;
            if (!slot.wordWrap) {
                slot.font.height = extent;
            } else {
                int length = std::max(static_cast<int>(slot.caption.size()), 1);
                slot.font.height = std::max((extent / length) * 2, 1);
            }
            Size size = OneLineTextSize(slot.caption, slot.font, slot.wordWrap, measurer);
            slot.bounds.width = size.width;
            slot.bounds.height = size.height;
            break;
        }
        case SlotKind::TextBlock: RefitTextBlock(slot, band, measurer); break;
    }
}

}  // namespace zepo
