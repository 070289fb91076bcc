#include "imaging/Reduce.h"

#include <array>
#include <memory>
#include <new>

#include "imaging/MedianCut.h"
#include "imaging/NeighbourhoodFilter.h"
#include "imaging/Quantize.h"

namespace zepo {
namespace {

Status CheckSource(const Bitmap& source, int bits) {
    if (bits < 0 || bits > MedianCut::kMaxBits || source.Format() != PixelFormat::Bgr24) return Fail(kAssertionFailure);
    if (uint64_t(source.Width()) * uint64_t(source.Height()) > kMaxPicturePixels) return Fail("picture too large");
    return {};
}

// A palette entry with the index that a pixel of its colour gets in the result.
struct DiffusedEntry {
    uint8_t b, g, r, index;
};

// FloydSteinbergStep over one row with the bytes it keeps touching held in registers: the
// right neighbour and the three next-row pixels around x. Every byte still goes through the
// same clamped updates in the same order, so the result is the step's to the bit, only
// without a store and reload per update.
void DiffuseRow(uint8_t* cur, uint8_t* next, int width, const MedianCut& medianCut,
                const std::array<DiffusedEntry, 256>& entries, uint8_t* out) {
    using detail::ClampByte;
    int c[3] = {cur[0], cur[1], cur[2]};
    int left[3] = {next[-3], next[-2], next[-1]};  // pixel x − 1 of the next row
    int below[3] = {next[0], next[1], next[2]};    // pixel x of the next row
    for (int x = 0; x < width; ++x, cur += 3, next += 3) {
        const DiffusedEntry& q = entries[medianCut.ColorIndex(uint8_t(c[2]), uint8_t(c[1]), uint8_t(c[0]))];
        out[x] = q.index;
        const int qc[3] = {q.b, q.g, q.r};
#pragma GCC unroll 3
        for (int ch = 0; ch < 3; ++ch) {
            const int e = qc[ch] - c[ch];
            next[ch - 3] = ClampByte(left[ch] - e * 3 / 16);
            left[ch] = ClampByte(below[ch] - e * 5 / 16);
            below[ch] = ClampByte(next[ch + 3] - e * 1 / 16);
            c[ch] = ClampByte(cur[ch + 3] - e * 7 / 16);
        }
    }
    for (int ch = 0; ch < 3; ++ch) {
        next[ch - 3] = uint8_t(left[ch]);
        next[ch] = uint8_t(below[ch]);
        cur[ch] = uint8_t(c[ch]);
    }
}

}  // namespace

Result<Bitmap> MedianCutReduce(const Bitmap& source, int bits) {
    if (Status s = CheckSource(source, bits); !s) return s.error();
    try {
        auto medianCut = std::make_unique<MedianCut>();
        medianCut->AddPixels(source);
        if (Status s = medianCut->BuildPalette(bits, true); !s) return s.error();
        Bitmap result(source.Width(), source.Height(), PixelFormat::Indexed8);
        result.SetPalette(medianCut->BuiltPalette());
        for (int y = 0; y < source.Height(); ++y) {
            const uint8_t* p = source.Row(y);
            uint8_t* out = result.Row(y);
            for (int x = 0; x < source.Width(); ++x, p += 3) out[x] = medianCut->ColorIndex(p[2], p[1], p[0]);
        }
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

Result<Bitmap> MedianCutReduceDithered(const Bitmap& source, int bits) {
    if (Status s = CheckSource(source, bits); !s) return s.error();
    try {
        auto medianCut = std::make_unique<MedianCut>();
        medianCut->AddPixels(source);
        if (Status s = medianCut->BuildPalette(bits, false); !s) return s.error();
        const MedianCutQuantizer quantizer(*medianCut);

        Bitmap result(source.Width(), source.Height(), PixelFormat::Indexed8);
        result.SetPalette(medianCut->BuiltPalette());
        // The diffused colour goes straight to the lookup instead of into a second full-size
        // 24-bit picture: the indices are the same, the memory is the 11-row window.
        // A diffused pixel is always the colour of some entry k, and its index is that of
        // the entry's colour, which need not be k: the entry's cell may lie in another box.
        std::array<DiffusedEntry, 256> entries{};
        for (int k = 0; k < 256; ++k) {
            const PaletteEntry& e = quantizer.Entry(k);
            entries[k] = DiffusedEntry{e.b, e.g, e.r, medianCut->ColorIndex(e.r, e.g, e.b)};
        }
        detail::FilterWindow window(source);
        for (int y = 0; y < source.Height(); ++y) {
            DiffuseRow(window.Buffer(kWindowCurrentRow) + kWindowMarginBytes,
                       window.Buffer(kWindowCurrentRow + 1) + kWindowMarginBytes, source.Width(), *medianCut, entries,
                       result.Row(y));
            window.Advance(y);
        }
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

}  // namespace zepo
