#include "NeighbourhoodFilter.h"

namespace zepo {

Result<Bitmap> NeighbourhoodFilter(const Bitmap& source, NeighbourhoodStep step, void* context) {
    if (source.Format() != PixelFormat::Bgr24) return Fail(kFilterNeeds24Bit);
    try {
        Bitmap result(source.Width(), source.Height(), PixelFormat::Bgr24);
        detail::FilterWindow window(source);
        auto call = [&](int x, int y, uint8_t* const* rows, uint8_t* out) { step(x, y, rows, out, context); };
        for (int y = 0; y < source.Height(); ++y) window.FilterRow(y, call, result.Row(y));
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

void FloydSteinbergStep(int, int, uint8_t* const* rows, uint8_t* out, void* context) {
    detail::FloydSteinbergPixel(rows, out, *static_cast<const TQuantizeColor*>(context));
}

}  // namespace zepo
