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

}  // namespace zepo::test
