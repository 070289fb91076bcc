#include "imaging/Bitmap.h"

#include <algorithm>
#include <new>

namespace zepo {

Bitmap::Bitmap(int width, int height, PixelFormat format)
    : width_(width),
      height_(height),
      format_(format),
      rowBytes_(size_t(width) * (format == PixelFormat::Bgr24 ? 3 : 1)),
      pixels_(rowBytes_ * size_t(height), uint8_t{0}) {}

Bitmap::Bitmap(int width, int height, PixelFormat format, UnsetPixels)
    : width_(width),
      height_(height),
      format_(format),
      rowBytes_(size_t(width) * (format == PixelFormat::Bgr24 ? 3 : 1)),
      pixels_(rowBytes_ * size_t(height)) {}

Result<Bitmap> Bitmap::Create(int width, int height, PixelFormat format) {
    if (width < 0 || height < 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        uint64_t(width) * uint64_t(height) > kMaxPicturePixels)
        return Fail("picture too large");
    try {
        return Bitmap(width, height, format);
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

Result<Bitmap> ConvertTo24(const Bitmap& source) {
    auto created = Bitmap::Create(source.Width(), source.Height(), PixelFormat::Bgr24);
    if (!created) return created;
    Bitmap& out = created.value();
    const Palette& palette = source.GetPalette();
    for (int y = 0; y < source.Height(); ++y) {
        const uint8_t* in = source.Row(y);
        uint8_t* o = out.Row(y);
        if (source.Format() == PixelFormat::Bgr24) {
            std::copy(in, in + source.RowBytes(), o);
            continue;
        }
        for (int x = 0; x < source.Width(); ++x, o += 3) {
            PaletteEntry e = in[x] < palette.size() ? palette[in[x]] : PaletteEntry{};
            o[0] = e.b;
            o[1] = e.g;
            o[2] = e.r;
        }
    }
    out.SetPalette({});
    return created;
}

}  // namespace zepo
