#pragma once
// A per-pixel filter over 24-bit pictures that sees five rows above and below the pixel,
// and the Floyd–Steinberg error diffusion that runs on it.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "core/Result.h"
#include "imaging/Bitmap.h"
#include "imaging/Quantize.h"

namespace zepo {

inline constexpr int kWindowRows = 11;  // rows y − 5 … y + 5
inline constexpr int kWindowCurrentRow = 5;
inline constexpr int kWindowMarginBytes = 15;  // five pixels on each side

// rows[k] + 15 is pixel x of row y − 5 + k in the working copy (B, G, R); the step may
// change bytes of pixels not yet visited. out receives the result pixel, B, G, R.
using NeighbourhoodStep = void (*)(int x, int y, uint8_t* const* rows, uint8_t* out, void* context);

// A new 24-bit picture of the same size; the source is never changed. Fails with
// "BitmapFiletr accepts only 24Bit DIB" for any other pixel format.
Result<Bitmap> NeighbourhoodFilter(const Bitmap& source, NeighbourhoodStep step, void* context);

// context: a ColorQuantizer. Uses rows 5 and 6 of the window only.
void FloydSteinbergStep(int x, int y, uint8_t* const* rows, uint8_t* out, void* context);

namespace detail {

inline uint8_t ClampByte(int v) { return uint8_t(std::clamp(v, 0, 255)); }

// cur and next point at pixel x of the current and the next row of the working copy.
// Integer division truncates toward zero, which is what the diffusion needs for negative errors.
template <class Quantizer>
inline uint32_t FloydSteinbergPixel(uint8_t* cur, uint8_t* next, const Quantizer& quantizer) {
    const uint32_t q = quantizer.Quantize(PackRgb(cur[2], cur[1], cur[0]));
    const int qc[3] = {int(q & 255), int((q >> 8) & 255), int(q >> 16)};
    for (int ch = 0; ch < 3; ++ch) {
        const int e = qc[ch] - int(cur[ch]);
        cur[3 + ch] = ClampByte(cur[3 + ch] - e * 7 / 16);
        next[ch - 3] = ClampByte(next[ch - 3] - e * 3 / 16);
        next[ch] = ClampByte(next[ch] - e * 5 / 16);
        next[ch + 3] = ClampByte(next[ch + 3] - e * 1 / 16);
    }
    return q;
}

// The 11-row working copy. Its memory does not grow with the picture's height.
class FilterWindow {
public:
    explicit FilterWindow(const Bitmap& source)
        : source_(source),
          stride_(size_t(source.Width()) * 3 + 2 * kWindowMarginBytes),
          storage_(new uint8_t[stride_ * kWindowRows]()) {
        for (int k = 0; k < kWindowRows; ++k) Load(k, k - kWindowCurrentRow);
    }

    // Start of window row k (row y − 5 + k while row y is being filtered), margin included.
    uint8_t* Buffer(int k) { return storage_.get() + size_t((head_ + k) % kWindowRows) * stride_; }

    // Drops row y − 5 and takes in row y + 6 once row y is done.
    void Advance(int y) {
        head_ = (head_ + 1) % kWindowRows;
        Load(kWindowRows - 1, y + kWindowRows - kWindowCurrentRow);
    }

private:
    void Load(int k, int sourceRow) {
        uint8_t* b = Buffer(k);
        std::memset(b, 0, stride_);
        if (sourceRow >= 0 && sourceRow < source_.Height())
            std::memcpy(b + kWindowMarginBytes, source_.Row(sourceRow), source_.RowBytes());
    }

    const Bitmap& source_;
    size_t stride_;
    std::unique_ptr<uint8_t[]> storage_;
    int head_ = 0;
};

}  // namespace detail
}  // namespace zepo
