#pragma once
// Small pictures for the imaging tests.

#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

#include "Printers.h"
#include "imaging/Bitmap.h"

namespace zepo {
inline void PrintTo(const PaletteEntry& e, std::ostream* os) {
    *os << "(" << int(e.r) << "," << int(e.g) << "," << int(e.b) << ")";
}
}  // namespace zepo

namespace zepo::test {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline PaletteEntry Entry(int r, int g, int b) { return PaletteEntry{uint8_t(r), uint8_t(g), uint8_t(b), 0}; }

inline void SetPixel(Bitmap& bitmap, int x, int y, Rgb c) {
    uint8_t* p = bitmap.Row(y) + 3 * x;
    p[0] = uint8_t(c.b);
    p[1] = uint8_t(c.g);
    p[2] = uint8_t(c.r);
}

inline Rgb PixelAt(const Bitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.Row(y) + 3 * x;
    return Rgb{p[2], p[1], p[0]};
}

// Pixels given row by row.
inline Bitmap Picture(int width, int height, const std::vector<Rgb>& pixels) {
    Bitmap bitmap(width, height, PixelFormat::Bgr24);
    for (int i = 0; i < width * height; ++i) SetPixel(bitmap, i % width, i / width, pixels[i]);
    return bitmap;
}

// One row holding each colour as many times as asked, in the order given.
inline Bitmap Counted(const std::vector<std::pair<Rgb, int>>& colours) {
    std::vector<Rgb> pixels;
    for (const auto& [c, n] : colours) pixels.insert(pixels.end(), n, c);
    return Picture(int(pixels.size()), 1, pixels);
}

// Deterministic noise over smooth gradients, so that neighbouring pixels share cells as in photos.
inline Bitmap Noise(int width, int height, uint32_t seed) {
    Bitmap bitmap(width, height, PixelFormat::Bgr24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 27);
            SetPixel(bitmap, x, y,
                     Rgb{(x * 255 / width + n) % 256, (y * 255 / height + 2 * n) % 256, (x * y + n) % 256});
        }
    return bitmap;
}

inline std::vector<int> Indices(const Bitmap& indexed) {
    std::vector<int> out;
    for (int y = 0; y < indexed.Height(); ++y)
        for (int x = 0; x < indexed.Width(); ++x) out.push_back(indexed.Row(y)[x]);
    return out;
}

// A phone's photo: the sensor's rows as they came, and an Exif block (APP1, right after the
// start of the picture) saying how to turn them. Phones write either byte order.
inline std::vector<uint8_t> WithExifOrientation(const std::vector<uint8_t>& jpeg, uint16_t orientation, bool bigEndian,
                                                uint32_t ifdOffset = 8) {
    auto u16 = [&](uint16_t v) {
        return bigEndian ? std::vector<uint8_t>{uint8_t(v >> 8), uint8_t(v)}
                         : std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8)};
    };
    auto u32 = [&](uint32_t v) {
        std::vector<uint8_t> hi = u16(uint16_t(v >> 16)), lo = u16(uint16_t(v));
        return bigEndian ? std::vector<uint8_t>{hi[0], hi[1], lo[0], lo[1]}
                         : std::vector<uint8_t>{lo[0], lo[1], hi[0], hi[1]};
    };
    std::vector<uint8_t> tiff = bigEndian ? std::vector<uint8_t>{'M', 'M'} : std::vector<uint8_t>{'I', 'I'};
    for (const std::vector<uint8_t>& part :
         {u16(42), u32(ifdOffset), u16(2), u16(0x010F), u16(2), u32(4), std::vector<uint8_t>{'A', 'c', 'm', 0},
          u16(0x0112), u16(3), u32(1), u16(orientation), u16(0), u32(0)})
        tiff.insert(tiff.end(), part.begin(), part.end());
    std::vector<uint8_t> segment{0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    segment[2] = uint8_t((segment.size() - 2) >> 8);
    segment[3] = uint8_t(segment.size() - 2);
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

}  // namespace zepo::test
