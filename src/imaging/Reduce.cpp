#include "Reduce.h"

#include <memory>
#include <new>

#include "MedianCut.h"
#include "NeighbourhoodFilter.h"
#include "Quantize.h"

namespace zepo {
namespace {

Status CheckSource(const Bitmap& source, int bits) {
    if (bits < 0 || bits > TMedianCut::kMaxBits || source.Format() != PixelFormat::Bgr24)
        return Fail(kAssertionFailure);
    if (uint64_t(source.Width()) * uint64_t(source.Height()) > kMaxPicturePixels) return Fail("picture too large");
    return {};
}

void CountColors(const Bitmap& source, TMedianCut& medianCut) {
    for (int y = 0; y < source.Height(); ++y) {
        const uint8_t* p = source.Row(y);
        for (int x = 0; x < source.Width(); ++x, p += 3) medianCut.AddColor(p[2], p[1], p[0]);
    }
}

void MapRow(const TMedianCut& medianCut, const uint8_t* bgr, uint8_t* out, int width) {
    for (int x = 0; x < width; ++x, bgr += 3) out[x] = medianCut.ColorIndex(bgr[2], bgr[1], bgr[0]);
}

}  // namespace

Result<Bitmap> MedianCutReduce(const Bitmap& source, int bits) {
    if (Status s = CheckSource(source, bits); !s) return s.error();
    try {
        auto medianCut = std::make_unique<TMedianCut>();
        CountColors(source, *medianCut);
        if (Status s = medianCut->BuildPalette(bits, true); !s) return s.error();
        Bitmap result(source.Width(), source.Height(), PixelFormat::Indexed8);
        result.SetPalette(medianCut->CreatePaletteHandle());
        for (int y = 0; y < source.Height(); ++y) MapRow(*medianCut, source.Row(y), result.Row(y), source.Width());
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

Result<Bitmap> MedianCutReduceDithered(const Bitmap& source, int bits) {
    if (Status s = CheckSource(source, bits); !s) return s.error();
    try {
        auto medianCut = std::make_unique<TMedianCut>();
        CountColors(source, *medianCut);
        if (Status s = medianCut->BuildPalette(bits, false); !s) return s.error();
        const TMedianCutQuantizeColor quantizer(*medianCut);

        Bitmap result(source.Width(), source.Height(), PixelFormat::Indexed8);
        result.SetPalette(medianCut->CreatePaletteHandle());
        // The diffused row goes straight to the lookup instead of into a second full-size
        // 24-bit picture; the indices are the same, the memory is one row.
        detail::FilterWindow window(source);
        std::unique_ptr<uint8_t[]> dithered(new uint8_t[size_t(source.Width()) * 3]);
        auto step = [&quantizer](int, int, uint8_t* const* rows, uint8_t* out) {
            detail::FloydSteinbergPixel(rows, out, quantizer);
        };
        for (int y = 0; y < source.Height(); ++y) {
            window.FilterRow(y, step, dithered.get());
            MapRow(*medianCut, dithered.get(), result.Row(y), source.Width());
        }
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

}  // namespace zepo
