#include <gtest/gtest.h>

#include "TestPictures.h"
#include "imaging/MedianCut.h"
#include "imaging/NeighbourhoodFilter.h"
#include "imaging/Quantize.h"
#include "imaging/Reduce.h"

namespace zepo {
namespace {

using test::Indices;
using test::Picture;
using test::PixelAt;
using test::Rgb;

// Each channel to 0 below 128, else 255; remembers the working-copy colours it was asked about.
class Threshold final : public ColorQuantizer {
public:
    uint32_t Quantize(uint32_t rgb) const override {
        seen.push_back(Rgb{int(rgb >> 16), int((rgb >> 8) & 255), int(rgb & 255)});
        auto t = [](uint32_t v) { return (v & 255) < 128 ? 0u : 255u; };
        return t(rgb >> 16) << 16 | t(rgb >> 8) << 8 | t(rgb);
    }
    mutable std::vector<Rgb> seen;
};

Rgb Grey(int v) { return Rgb{v, v, v}; }

// Worked by hand. (0,0): 100 -> 0, e = -100: right 200 + 43 (700/16 truncated) = 243, below
// 30 + 31 = 61, below right 250 + 6 = 256 -> 255. (1,0): 243 -> 255, e = 12: right 50 - 5 = 45,
// below left 61 - 2 = 59, below 255 - 3 = 252. (2,0): 45 -> 0, e = -45: below left 252 + 8 = 260
// -> 255, below 120 + 14 = 134. (0,1): 59 -> 0, e = -59: right 255 + 25 -> 255.
TEST(FloydSteinberg, GreyPictureWorkedByHand) {
    const Bitmap source = Picture(3, 2, {Grey(100), Grey(200), Grey(50), Grey(30), Grey(250), Grey(120)});
    Threshold quantizer;
    auto out = NeighbourhoodFilter(source, FloydSteinbergStep, &quantizer);
    ASSERT_TRUE(out);
    EXPECT_EQ(quantizer.seen, (std::vector<Rgb>{Grey(100), Grey(243), Grey(45), Grey(59), Grey(255), Grey(134)}));
    const std::vector<Rgb> expected = {Grey(0), Grey(255), Grey(0), Grey(0), Grey(255), Grey(255)};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelAt(out.value(), i % 3, i / 3), expected[i]) << i;
    EXPECT_EQ(PixelAt(source, 1, 0), Grey(200));  // the source is never written
}

// Channels diffuse separately, clamp at both ends, and negative errors truncate toward zero:
// R: e = -10 gives +4 (not +5); G: e = 55 gives -24 and 20 - 24 clamps to 0; B: e = -100
// gives +43 and 250 + 43 clamps to 255.
TEST(FloydSteinberg, ChannelsClampAndTruncateTowardZero) {
    const Bitmap source = Picture(2, 1, {Rgb{10, 200, 100}, Rgb{20, 20, 250}});
    Threshold quantizer;
    ASSERT_TRUE(NeighbourhoodFilter(source, FloydSteinbergStep, &quantizer));
    ASSERT_EQ(quantizer.seen.size(), 2u);
    EXPECT_EQ(quantizer.seen[1], (Rgb{24, 0, 255}));
}

struct WindowProbe {
    const Bitmap* source;
    int mismatches = 0;
};

// The window shows rows y - 5 .. y + 5 with pixel x at offset 15, zeros outside the picture,
// and bytes a step changes ahead of itself are what the next pixels see.
TEST(NeighbourhoodFilter, WindowRowsMarginsAndWorkingCopy) {
    const Bitmap source = test::Noise(3, 8, 11);
    WindowProbe probe{&source};
    auto step = [](int x, int y, uint8_t* const* rows, uint8_t* out, void* context) {
        auto* p = static_cast<WindowProbe*>(context);
        for (int k = 0; k < kWindowRows; ++k) {
            const int sy = y - 5 + k;
            for (int dx = -5; dx <= 5; ++dx) {
                const int sx = x + dx;
                const bool rowInside = sy >= 0 && sy < p->source->Height();
                const bool inside = rowInside && sx >= 0 && sx < p->source->Width();
                if (rowInside && !inside && k <= 5) continue;  // margins of visited rows hold discarded writes
                // The step below sets every pixel but the first of each row to 7 ahead of itself.
                const bool written = inside && sx >= 1 && (k < 5 || (k == 5 && sx <= x));
                for (int ch = 0; ch < 3; ++ch) {
                    const int expected = written ? 7 : inside ? p->source->Row(sy)[3 * sx + ch] : 0;
                    p->mismatches += rows[k][15 + 3 * dx + ch] != expected;
                }
            }
        }
        for (int ch = 0; ch < 3; ++ch) {
            out[ch] = rows[5][15 + ch];
            rows[5][18 + ch] = 7;  // the right neighbour, or the margin at the row's end
        }
    };
    auto out = NeighbourhoodFilter(source, step, &probe);
    ASSERT_TRUE(out);
    EXPECT_EQ(probe.mismatches, 0);
    EXPECT_EQ(PixelAt(out.value(), 0, 4), PixelAt(source, 0, 4));
    EXPECT_EQ(PixelAt(out.value(), 2, 4), (Rgb{7, 7, 7}));
}

// The reduction diffuses in registers; it must agree with the filter and step to the index.
TEST(MedianCutReduceDithered, AgreesWithFilterAndStep) {
    for (int bits : {0, 1, 4, 8}) {
        const Bitmap source = test::Noise(37, 23, uint32_t(bits) + 5);
        MedianCut cut;
        cut.AddPixels(source);
        ASSERT_TRUE(cut.BuildPalette(bits, false));
        MedianCutQuantizer quantizer(cut);
        auto dithered = NeighbourhoodFilter(source, FloydSteinbergStep, &quantizer);
        ASSERT_TRUE(dithered);
        std::vector<int> expected;
        for (int y = 0; y < source.Height(); ++y)
            for (int x = 0; x < source.Width(); ++x) {
                const Rgb c = PixelAt(dithered.value(), x, y);
                expected.push_back(cut.ColorIndex(uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)));
            }
        auto reduced = MedianCutReduceDithered(source, bits);
        ASSERT_TRUE(reduced);
        EXPECT_EQ(Indices(reduced.value()), expected) << "bits " << bits;
        EXPECT_EQ(reduced.value().GetPalette(), cut.BuiltPalette());
    }
}

TEST(MedianCutReduceDithered, OneColourIsReproducedExactly) {
    for (Rgb c : {Rgb{0, 0, 0}, Rgb{255, 255, 255}, Rgb{13, 200, 77}}) {
        auto reduced = MedianCutReduceDithered(Picture(4, 3, std::vector<Rgb>(12, c)), 8);
        ASSERT_TRUE(reduced);
        const Palette& palette = reduced.value().GetPalette();
        // Every cut is on R at the colour's own R, so the empty cells above it form one more
        // entry unless nothing lies above.
        EXPECT_EQ(palette.size(), c.r == 255 ? 1u : 2u);
        for (int index : Indices(reduced.value())) {
            ASSERT_LT(size_t(index), palette.size());
            EXPECT_EQ(palette[index], test::Entry(c.r, c.g, c.b));
        }
    }
}

}  // namespace
}  // namespace zepo
