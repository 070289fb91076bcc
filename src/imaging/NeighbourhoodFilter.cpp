#include "imaging/NeighbourhoodFilter.h"

namespace zepo {

Result<Bitmap> NeighbourhoodFilter(const Bitmap& source, NeighbourhoodStep step, void* context) {
    if (source.Format() != PixelFormat::Bgr24) return Fail(kFilterNeeds24Bit);
    try {
        Bitmap result(source.Width(), source.Height(), PixelFormat::Bgr24);
        detail::FilterWindow window(source);
        for (int y = 0; y < source.Height(); ++y) {
            uint8_t* rows[kWindowRows];
            for (int k = 0; k < kWindowRows; ++k) rows[k] = window.Buffer(k);
            uint8_t* out = result.Row(y);
            for (int x = 0; x < source.Width(); ++x, out += 3) {
                step(x, y, rows, out, context);
                for (auto& p : rows) p += 3;
            }
            window.Advance(y);
        }
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

void FloydSteinbergStep(int, int, uint8_t* const* rows, uint8_t* out, void* context) {
    const uint32_t q = detail::FloydSteinbergPixel(rows[kWindowCurrentRow] + kWindowMarginBytes,
                                                   rows[kWindowCurrentRow + 1] + kWindowMarginBytes,
                                                   *static_cast<const ColorQuantizer*>(context));
    out[0] = uint8_t(q);
    out[1] = uint8_t(q >> 8);
    out[2] = uint8_t(q >> 16);
}

}  // namespace zepo
