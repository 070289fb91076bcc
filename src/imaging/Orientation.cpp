#include "imaging/Orientation.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace zepo {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;

// Reads the TIFF structure inside the Exif block in its own byte order; every offset is
// checked against the block, which comes from the file and may lie.
class TiffReader {
public:
    explicit TiffReader(std::span<const uint8_t> tiff) : tiff_(tiff) {}
    bool Valid() const {
        return tiff_.size() >= 8 && ((tiff_[0] == 'I' && tiff_[1] == 'I') || (tiff_[0] == 'M' && tiff_[1] == 'M')) &&
               U16(2) == 42;
    }
    bool Has(size_t at, size_t bytes) const { return at <= tiff_.size() && bytes <= tiff_.size() - at; }
    uint16_t U16(size_t at) const {
        return bigEndian() ? uint16_t(tiff_[at] << 8 | tiff_[at + 1]) : uint16_t(tiff_[at + 1] << 8 | tiff_[at]);
    }
    uint32_t U32(size_t at) const {
        return bigEndian() ? uint32_t(U16(at)) << 16 | U16(at + 2) : uint32_t(U16(at + 2)) << 16 | U16(at);
    }

private:
    bool bigEndian() const { return tiff_[0] == 'M'; }
    std::span<const uint8_t> tiff_;
};

// Where the source pixel of the turned picture's (x, y) lies, for a source of w × h.
struct SourceOf {
    int orientation, w, h;
    std::pair<int, int> operator()(int x, int y) const {
        switch (orientation) {
            case 2: return {w - 1 - x, y};
            case 3: return {w - 1 - x, h - 1 - y};
            case 4: return {x, h - 1 - y};
            case 5: return {y, x};
            case 6: return {y, h - 1 - x};
            case 7: return {w - 1 - y, h - 1 - x};
            case 8: return {w - 1 - y, x};
            default: return {x, y};
        }
    }
};

}  // namespace

int ExifOrientation(std::span<const uint8_t> app1) {
    constexpr std::string_view kExif("Exif\0\0", 6);
    if (app1.size() < kExif.size() || std::memcmp(app1.data(), kExif.data(), kExif.size()) != 0) return 1;
    const TiffReader tiff(app1.subspan(kExif.size()));
    if (!tiff.Valid()) return 1;
    const size_t ifd = tiff.U32(4);
    if (!tiff.Has(ifd, 2)) return 1;
    const size_t entries = tiff.U16(ifd);
    for (size_t i = 0; i < entries; ++i) {
        const size_t entry = ifd + 2 + i * 12;
        if (!tiff.Has(entry, 12)) return 1;
        if (tiff.U16(entry) != kOrientationTag) continue;
        if (tiff.U16(entry + 2) != kShortType || tiff.U32(entry + 4) != 1) return 1;
        const int value = tiff.U16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

Bitmap Oriented(Bitmap picture, int orientation) {
    if (orientation <= 1 || orientation > 8 || picture.Empty()) return picture;
    const int w = picture.Width(), h = picture.Height();
    const bool swapped = orientation >= 5;
    Bitmap turned(swapped ? h : w, swapped ? w : h, picture.Format(), UnsetPixels{});
    turned.SetPalette(picture.GetPalette());
    const size_t bytes = size_t(picture.BitsPerPixel() / 8);
    const SourceOf source{orientation, w, h};
    for (int y = 0; y < turned.Height(); ++y) {
        uint8_t* out = turned.Row(y);
        for (int x = 0; x < turned.Width(); ++x, out += bytes) {
            const auto [sx, sy] = source(x, y);
            std::memcpy(out, picture.Row(sy) + size_t(sx) * bytes, bytes);
        }
    }
    return turned;
}

}  // namespace zepo
