#pragma once
// Quantisers hand the error diffusion the palette colour that stands for a colour.

#include <array>
#include <cstdint>

#include "imaging/Bitmap.h"
#include "imaging/MedianCut.h"

namespace zepo {

class ColorQuantizer {
public:
    virtual ~ColorQuantizer() = default;
    // Colours packed R·65536 + G·256 + B, both ways.
    virtual uint32_t Quantize(uint32_t rgb) const = 0;
};

// Answers with the entry of a built MedianCut. Keeps its own copy of the palette
// (256 entries, zero past the built count); the MedianCut must outlive it.
class MedianCutQuantizer final : public ColorQuantizer {
public:
    explicit MedianCutQuantizer(const MedianCut& medianCut);
    uint32_t Quantize(uint32_t rgb) const override {
        const PaletteEntry& e = palette_[medianCut_.ColorIndex(rgb)];
        return PackRgb(e.r, e.g, e.b);
    }
    const PaletteEntry& Entry(int k) const { return palette_[k]; }

private:
    const MedianCut& medianCut_;
    std::array<PaletteEntry, 256> palette_{};
};

}  // namespace zepo
