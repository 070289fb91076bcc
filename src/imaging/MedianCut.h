#pragma once
// Median-cut palette building over a 64 × 64 × 32 colour histogram. Boxes are cut at the
// pixel-weighted mean of the axis whose weighted variance is largest; the palette entries
// come out in the order the leaves are reached, upper sides first.

#include <array>
#include <cstdint>
#include <memory>

#include "core/Result.h"
#include "imaging/Bitmap.h"

namespace zepo {

enum class SplitAxis { R, G, B };

// The axis a box is cut on, given its three variances. Weighted 3 (R), 4 (G), 2 (B);
// the test for B compares against 3·varG, not 4·varG, and ties fall as these lines say.
inline SplitAxis ChooseSplitAxis(long double varR, long double varG, long double varB) {
    if (3 * varR >= 4 * varG && 3 * varR >= 2 * varB) return SplitAxis::R;
    if (3 * varR > 4 * varG || 2 * varB > 3 * varG) return SplitAxis::B;
    return SplitAxis::G;
}

class MedianCut {
public:
    static constexpr int kCellCount = 64 * 64 * 32;
    static constexpr int kMaxBits = 8;

    // Allocates the histogram and the lookup once; throws std::bad_alloc.
    MedianCut();
    MedianCut(const MedianCut&) = delete;
    MedianCut& operator=(const MedianCut&) = delete;

    static constexpr int CellIndex(uint32_t rgb) {
        return int(((rgb >> 18) & 63) << 11 | ((rgb >> 10) & 63) << 5 | ((rgb >> 3) & 31));
    }
    static constexpr int CellIndex(uint8_t r, uint8_t g, uint8_t b) { return (r >> 2) << 11 | (g >> 2) << 5 | b >> 3; }

    // Counts one pixel. Only meaningful before BuildPalette, which turns the sums into means.
    void AddColor(uint32_t rgb) {
        Cell& c = cells_[CellIndex(rgb)];
        ++c.count;
        c.r += (rgb >> 16) & 3;
        c.g += (rgb >> 8) & 3;
        c.b += rgb & 7;
    }
    void AddColor(uint8_t r, uint8_t g, uint8_t b) { AddColor(PackRgb(r, g, b)); }
    // Counts every pixel of a 24-bit picture, rows from the top, pixels from the left.
    void AddPixels(const Bitmap& picture);

    // At most 2^bits entries. With skipEmpty only cells that saw a pixel take part and every
    // other colour maps to index 0; without it every colour has a box of its own.
    // Fails with "Assertion failure" for bits outside 0..8 or a second call.
    Status BuildPalette(int bits, bool skipEmpty);

    uint8_t ColorIndex(uint32_t rgb) const { return lookup_[CellIndex(rgb)]; }
    uint8_t ColorIndex(uint8_t r, uint8_t g, uint8_t b) const { return lookup_[CellIndex(r, g, b)]; }

    int PaletteCount() const { return paletteCount_; }
    // The built entries as the palette of an 8-bit picture, flags 0.
    Palette BuiltPalette() const;

private:
    struct Cell {
        int32_t paletteIndex;
        int32_t ownIndex;
        int32_t count;
        int32_t r, g, b;  // sums of the low channel bits while counting, means afterwards
    };
    struct Quad {
        uint8_t b, g, r, reserved;
    };

    void CutBox(Cell* start, Cell* end, int depth);

    std::unique_ptr<Cell[]> cells_;
    std::unique_ptr<uint8_t[]> lookup_;
    std::array<Quad, 256> entries_{};
    int paletteCount_ = 0;
    int bits_ = 0;
    bool built_ = false;
};

}  // namespace zepo
