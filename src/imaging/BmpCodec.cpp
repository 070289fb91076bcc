#include "imaging/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <new>

namespace zepo {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr size_t kFileHeaderSize = 14;

class Bytes {
public:
    explicit Bytes(std::span<const uint8_t> data) : d_(data) {}
    size_t size() const { return d_.size(); }
    bool Has(uint64_t offset, uint64_t count) const { return offset <= d_.size() && count <= d_.size() - offset; }
    uint8_t U8(size_t o) const { return d_[o]; }
    uint16_t U16(size_t o) const { return uint16_t(d_[o] | d_[o + 1] << 8); }
    uint32_t U32(size_t o) const { return uint32_t(U16(o)) | uint32_t(U16(o + 2)) << 16; }
    int32_t I32(size_t o) const { return static_cast<int32_t>(U32(o)); }
    const uint8_t* At(size_t o) const { return d_.data() + o; }

private:
    std::span<const uint8_t> d_;
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint8_t Value(uint32_t pixel) const {
        if (max == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

struct Header {
    int width = 0, height = 0;
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = kBiRgb;
    uint32_t masks[3] = {0, 0, 0};
    Palette palette;
};

bool IsWindowsInfoHeader(uint32_t size) { return size == 40 || size == 52 || size == 56 || size == 108 || size == 124; }

Result<Header> ReadHeader(const Bytes& in) {
    if (!in.Has(0, kFileHeaderSize + 4) || in.U8(0) != 'B' || in.U8(1) != 'M') return Fail("not a BMP file");
    const uint32_t headerSize = in.U32(kFileHeaderSize);
    const bool core = headerSize == 12;
    // OS/2 2.x headers run from 16 to 64 bytes and share the first fields with Windows ones.
    const bool os2 = !core && !IsWindowsInfoHeader(headerSize) && headerSize >= 16 && headerSize <= 64;
    if (!core && !os2 && !IsWindowsInfoHeader(headerSize)) return Fail("unsupported BMP header");
    if (!in.Has(kFileHeaderSize, headerSize)) return Fail("truncated BMP header");

    Header h;
    int64_t width, height;
    uint32_t colorsUsed = 0;
    const size_t b = kFileHeaderSize;
    if (core) {
        width = in.U16(b + 4);
        height = in.U16(b + 6);
        h.bpp = in.U16(b + 10);
    } else {
        width = in.I32(b + 4);
        height = in.I32(b + 8);
        h.bpp = in.U16(b + 14);
        if (headerSize >= 20) h.compression = in.U32(b + 16);
        if (headerSize >= 36) colorsUsed = in.U32(b + 32);
    }
    if (height < 0) {
        h.topDown = true;
        height = -height;
    }
    if (width <= 0 || height <= 0) return Fail("BMP picture has no pixels");
    if (width > kMaxPictureSide || height > kMaxPictureSide || uint64_t(width) * uint64_t(height) > kMaxPicturePixels)
        return Fail("picture too large");
    h.width = int(width);
    h.height = int(height);

    if (os2 && h.compression > kBiRle4) return Fail("unsupported BMP compression");
    switch (h.compression) {
        case kBiRgb:
            if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
                return Fail("unsupported BMP bit depth");
            break;
        case kBiRle8:
        case kBiRle4:
            if (h.bpp != (h.compression == kBiRle8 ? 8 : 4)) return Fail("unsupported BMP compression");
            if (h.topDown) return Fail("top-down BMP cannot be run-length encoded");
            break;
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (h.bpp != 16 && h.bpp != 32) return Fail("unsupported BMP bit depth");
            break;
        default: return Fail("unsupported BMP compression");
    }

    size_t paletteStart = kFileHeaderSize + headerSize;
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        // The masks sit inside the longer headers and right after the 40-byte one.
        size_t at = b + 40;
        if (headerSize == 40) paletteStart += h.compression == kBiBitfields ? 12 : 16;
        if (!in.Has(at, 12)) return Fail("truncated BMP header");
        for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(at + 4 * i);
    } else if (h.bpp == 16) {
        h.masks[0] = 0x7C00;
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
    } else if (h.bpp == 32) {
        h.masks[0] = 0xFF0000;
        h.masks[1] = 0x00FF00;
        h.masks[2] = 0x0000FF;
    }

    if (h.bpp <= 8) {
        const uint32_t entrySize = core ? 3 : 4;
        const uint32_t full = 1u << h.bpp;
        uint32_t count = colorsUsed != 0 && colorsUsed < full ? colorsUsed : full;
        const uint32_t offBits = in.U32(10);
        // Files often state 0 colours; the room before the pixels then tells the real count.
        if (offBits >= paletteStart) count = std::min<uint64_t>(count, (offBits - paletteStart) / entrySize);
        if (count == 0) return Fail("BMP palette missing");
        if (!in.Has(paletteStart, uint64_t(count) * entrySize)) return Fail("truncated BMP palette");
        h.palette.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const size_t o = paletteStart + i * entrySize;
            h.palette[i] = PaletteEntry{in.U8(o + 2), in.U8(o + 1), in.U8(o), 0};
        }
    }
    return h;
}

uint64_t Stride(const Header& h) { return (uint64_t(h.width) * h.bpp + 31) / 32 * 4; }

// Checked before the bitmap is made, so that a tiny file claiming a huge picture costs nothing.
// A missing pad after the last row does no harm; missing pixels do.
bool HasEveryRow(const Bytes& in, size_t offset, const Header& h) {
    const uint64_t lastRow = (uint64_t(h.width) * h.bpp + 7) / 8;
    return in.Has(offset, Stride(h) * (h.height - 1) + lastRow);
}

Status DecodeUncompressed(const Bytes& in, size_t offset, const Header& h, Bitmap& out) {
    const uint64_t stride = Stride(h);
    const Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]);
    for (int row = 0; row < h.height; ++row) {
        const uint8_t* src = in.At(offset + row * stride);
        uint8_t* dst = out.Row(h.topDown ? row : h.height - 1 - row);
        switch (h.bpp) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / h.bpp;
                const uint8_t mask = uint8_t((1 << h.bpp) - 1);
                for (int x = 0; x < h.width; ++x) {
                    const int shift = 8 - h.bpp * (x % perByte + 1);
                    dst[x] = uint8_t(src[x / perByte] >> shift) & mask;
                }
                break;
            }
            case 24: std::copy(src, src + size_t(h.width) * 3, dst); break;
            case 16:
            case 32:
                for (int x = 0; x < h.width; ++x, dst += 3) {
                    const uint8_t* p = src + x * (h.bpp / 8);
                    const uint32_t px = h.bpp == 16 ? uint32_t(p[0] | p[1] << 8)
                                                    : uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24;
                    dst[0] = b.Value(px);
                    dst[1] = g.Value(px);
                    dst[2] = r.Value(px);
                }
                break;
        }
    }
    return {};
}

// Run-length data: counted runs, absolute runs padded to 16 bits, end of line, delta moves
// and end of picture. Pixels that a run or move puts outside the picture are dropped.
// The column never passes the width and the row never passes the height, whatever the file
// says: a file of many deltas or runs without an end of line would otherwise count the
// column past INT_MAX into negative values that pass the width check.
Status DecodeRle(const Bytes& in, size_t pos, const Header& h, Bitmap& out) {
    const bool four = h.compression == kBiRle4;
    int x = 0, y = 0;  // y counts from the bottom row; 0 <= x <= width, 0 <= y <= height
    auto put = [&](uint8_t index) {
        if (x >= h.width) return;  // the rest of the row is off the picture
        out.Row(h.height - 1 - y)[x] = index;
        ++x;
    };
    while (y < h.height) {
        if (!in.Has(pos, 2)) return Fail("truncated BMP pixel data");
        const uint8_t n = in.U8(pos), v = in.U8(pos + 1);
        pos += 2;
        if (n > 0) {
            for (int i = 0; i < n && x < h.width; ++i) put(four ? (i % 2 ? v & 15 : v >> 4) : v);
            continue;
        }
        switch (v) {
            case 0:
                x = 0;
                ++y;
                break;
            case 1: return {};
            case 2:
                if (!in.Has(pos, 2)) return Fail("truncated BMP pixel data");
                // A move off the right edge leaves the rest of the row unset; one past the
                // top row ends the picture.
                x = std::min(h.width, x + in.U8(pos));
                y = std::min(h.height, y + in.U8(pos + 1));
                pos += 2;
                break;
            default: {
                const size_t bytes = four ? (v + 1) / 2 : v;
                if (!in.Has(pos, bytes)) return Fail("truncated BMP pixel data");
                for (int i = 0; i < v; ++i) {
                    const uint8_t byte = in.U8(pos + (four ? i / 2 : i));
                    put(four ? (i % 2 ? byte & 15 : byte >> 4) : byte);
                }
                pos += (bytes + 1) & ~size_t(1);
                break;
            }
        }
    }
    return {};
}

void Put16(std::vector<uint8_t>& o, uint16_t v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& o, uint32_t v) {
    Put16(o, uint16_t(v));
    Put16(o, uint16_t(v >> 16));
}

}  // namespace

Result<DecodedPicture> DecodeBmp(std::span<const uint8_t> data) {
    const Bytes in(data);
    auto header = ReadHeader(in);
    if (!header) return header.error();
    const Header& h = header.value();
    const uint32_t offBits = in.U32(10);
    if (offBits < kFileHeaderSize + in.U32(kFileHeaderSize)) return Fail("BMP pixel data overlaps its header");
    if (offBits >= in.size()) return Fail("truncated BMP pixel data");
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    if (!rle && !HasEveryRow(in, offBits, h)) return Fail("truncated BMP pixel data");

    auto created = Bitmap::Create(h.width, h.height, h.bpp <= 8 ? PixelFormat::Indexed8 : PixelFormat::Bgr24);
    if (!created) return created.error();
    Bitmap& bitmap = created.value();
    const Status decoded = rle ? DecodeRle(in, offBits, h, bitmap) : DecodeUncompressed(in, offBits, h, bitmap);
    if (!decoded) return decoded.error();
    bitmap.SetPalette(h.palette);
    return DecodedPicture{std::move(bitmap), h.bpp};
}

Result<std::vector<uint8_t>> EncodeBmp(const Bitmap& bitmap) {
    if (bitmap.Empty()) return Fail("cannot write an empty picture");
    const bool indexed = bitmap.Format() == PixelFormat::Indexed8;
    const Palette& palette = bitmap.GetPalette();
    if (indexed && (palette.empty() || palette.size() > 256))
        return Fail("8-bit picture needs 1 to 256 palette entries");
    if (uint64_t(bitmap.Width()) * bitmap.Height() > kMaxPicturePixels) return Fail("picture too large");

    const int bpp = bitmap.BitsPerPixel();
    const uint32_t stride = (uint32_t(bitmap.Width()) * bpp + 31) / 32 * 4;
    const uint32_t imageSize = stride * uint32_t(bitmap.Height());
    const uint32_t paletteBytes = indexed ? uint32_t(palette.size()) * 4 : 0;
    const uint32_t offBits = kFileHeaderSize + 40 + paletteBytes;
    try {
        std::vector<uint8_t> o;
        o.reserve(size_t(offBits) + imageSize);
        o.push_back('B');
        o.push_back('M');
        Put32(o, offBits + imageSize);
        Put32(o, 0);
        Put32(o, offBits);
        Put32(o, 40);
        Put32(o, uint32_t(bitmap.Width()));
        Put32(o, uint32_t(bitmap.Height()));  // positive: bottom-up, as every reader expects
        Put16(o, 1);
        Put16(o, uint16_t(bpp));
        Put32(o, kBiRgb);
        Put32(o, imageSize);
        Put32(o, 0);
        Put32(o, 0);
        // Stating the count keeps a short palette from being read as 256 entries.
        Put32(o, indexed ? uint32_t(palette.size()) : 0);
        Put32(o, 0);
        for (size_t i = 0; indexed && i < palette.size(); ++i) {
            o.push_back(palette[i].b);
            o.push_back(palette[i].g);
            o.push_back(palette[i].r);
            o.push_back(0);
        }
        for (int y = bitmap.Height() - 1; y >= 0; --y) {
            const uint8_t* row = bitmap.Row(y);
            o.insert(o.end(), row, row + bitmap.RowBytes());
            o.insert(o.end(), stride - bitmap.RowBytes(), 0);
        }
        return o;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

}  // namespace zepo
