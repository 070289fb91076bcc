#pragma once
// In-memory pictures: 24 bits per pixel stored B, G, R, or 8-bit palette indices.
// Rows are kept top-down without padding; the BMP codec adds and removes the file's padding.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/Result.h"

namespace zepo {

enum class PixelFormat { Indexed8 = 8, Bgr24 = 24 };

struct PaletteEntry {
    uint8_t r = 0, g = 0, b = 0, flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
using Palette = std::vector<PaletteEntry>;

// Colours cross the reduction packed as R·65536 + G·256 + B.
inline constexpr uint32_t PackRgb(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

// The largest picture we accept: 64 megapixels, no side over 32,768. Far more than any
// screen a card is shown on, and small enough that a tiny run-length or JPEG file claiming
// a huge picture cannot make us allocate and fill gigabytes. (The reduction's colour cells
// sum channel remainders in 32-bit integers; this also keeps those sums from overflowing.)
inline constexpr uint64_t kMaxPicturePixels = uint64_t(1) << 26;
inline constexpr int kMaxPictureSide = 1 << 15;

// Leaves new elements unset: a decoder that writes every pixel should not first touch every
// page of a picture that its file may turn out not to hold.
template <typename T>
struct UnsetAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UnsetAllocator<U>;
    };
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

struct UnsetPixels {};

class Bitmap {
public:
    Bitmap() = default;
    // Zero-filled. Throws std::bad_alloc; use Bitmap::Create where a result is wanted.
    Bitmap(int width, int height, PixelFormat format);
    // Pixels unset, for a decoder that writes all of them or fails. Throws std::bad_alloc.
    Bitmap(int width, int height, PixelFormat format, UnsetPixels);
    static Result<Bitmap> Create(int width, int height, PixelFormat format);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    int BitsPerPixel() const { return static_cast<int>(format_); }
    size_t RowBytes() const { return rowBytes_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    uint8_t* Row(int y) { return pixels_.data() + size_t(y) * rowBytes_; }
    const uint8_t* Row(int y) const { return pixels_.data() + size_t(y) * rowBytes_; }

    const Palette& GetPalette() const { return palette_; }
    void SetPalette(Palette palette) { palette_ = std::move(palette); }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0, height_ = 0;
    PixelFormat format_ = PixelFormat::Bgr24;
    size_t rowBytes_ = 0;
    std::vector<uint8_t, UnsetAllocator<uint8_t>> pixels_;
    Palette palette_;
};

// A picture as a file held it: 1-, 4- and 8-bit files become Indexed8, the others Bgr24.
// The editor reduces only pictures whose file is not 8 bits per pixel, so the file's own
// depth travels with the pixels.
struct DecodedPicture {
    Bitmap bitmap;
    int fileBitsPerPixel = 0;
};

// A copy at 24 bits per pixel; an index past the end of the palette becomes black.
Result<Bitmap> ConvertTo24(const Bitmap& source);

}  // namespace zepo
