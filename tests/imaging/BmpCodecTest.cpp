#include <gtest/gtest.h>

#include <array>

#include "TestPictures.h"
#include "imaging/BmpCodec.h"

namespace zepo {
namespace {

using test::Rgb;
using Bytes = std::vector<uint8_t>;

void Put(Bytes& o, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) o.push_back(uint8_t(v >> (8 * i)));
}

// A BMP file as a hand would write one; headerMasks go to byte 40 of the longer headers.
struct BmpFile {
    BmpFile(uint32_t headerSize, int32_t width, int32_t height, uint16_t bpp, uint32_t compression, uint32_t colorsUsed,
            Bytes afterHeader, Bytes pixels, Bytes headerMasks = {})
        : headerSize(headerSize),
          width(width),
          height(height),
          bpp(bpp),
          compression(compression),
          colorsUsed(colorsUsed),
          afterHeader(std::move(afterHeader)),
          pixels(std::move(pixels)),
          headerMasks(std::move(headerMasks)) {}

    uint32_t headerSize;
    int32_t width, height;
    uint16_t bpp;
    uint32_t compression, colorsUsed;
    Bytes afterHeader;  // masks after a 40-byte header, then the palette
    Bytes pixels;
    Bytes headerMasks;

    Bytes Build() const {
        Bytes o = {'B', 'M'};
        const uint32_t offBits = 14 + headerSize + uint32_t(afterHeader.size());
        Put(o, offBits + uint32_t(pixels.size()), 4);
        Put(o, 0, 4);
        Put(o, offBits, 4);
        Put(o, headerSize, 4);
        if (headerSize == 12) {
            Put(o, uint32_t(width), 2);
            Put(o, uint32_t(height), 2);
            Put(o, 1, 2);
            Put(o, bpp, 2);
        } else {
            for (uint32_t v : {uint32_t(width), uint32_t(height)}) Put(o, v, 4);
            Put(o, 1, 2);
            Put(o, bpp, 2);
            for (uint32_t v : {compression, 0u, 0u, 0u, colorsUsed, 0u}) Put(o, v, 4);
            o.insert(o.end(), headerMasks.begin(), headerMasks.end());
            o.resize(14 + headerSize, 0);
        }
        o.insert(o.end(), afterHeader.begin(), afterHeader.end());
        o.insert(o.end(), pixels.begin(), pixels.end());
        return o;
    }
};

Bytes Quads(std::initializer_list<Rgb> colours) {
    Bytes o;
    for (const Rgb& c : colours) o.insert(o.end(), {uint8_t(c.b), uint8_t(c.g), uint8_t(c.r), 0});
    return o;
}

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0}, kGrey{10, 20, 30};

struct DecodeCase {
    const char* name;
    BmpFile file;
    int width, height, fileBits;
    std::vector<Rgb> pixels;  // top row first
};

const DecodeCase kDecodeCases[] = {
    {"OneBit",
     {40, 3, 2, 1, 0, 0, Quads({kRed, kBlue}), {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
     3,
     2,
     1,
     {kRed, kBlue, kRed, kBlue, kRed, kBlue}},
    {"FourBitShortPalette",
     {40, 3, 1, 4, 0, 3, Quads({kRed, kGreen, kBlue}), {0x21, 0x00, 0, 0}},
     3,
     1,
     4,
     {kBlue, kGreen, kRed}},
    {"EightBitTopDown",
     {40, 2, -2, 8, 0, 2, Quads({kGrey, kGreen}), {1, 0, 0, 0, 0, 1, 0, 0}},
     2,
     2,
     8,
     {kGreen, kGrey, kGrey, kGreen}},
    {"Sixteen555", {40, 2, 1, 16, 0, 0, {}, {0x00, 0x7C, 0xE0, 0x03}}, 2, 1, 16, {kRed, kGreen}},
    {"Sixteen565Bitfields",
     {40,
      3,
      1,
      16,
      3,
      0,
      {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
      {0x00, 0xF8, 0xE0, 0x07, 0x10, 0x84, 0, 0}},
     3,
     1,
     16,
     {kRed, kGreen, Rgb{132, 130, 132}}},
    {"TwentyFourPadded", {40, 1, 2, 24, 0, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0}}, 1, 2, 24, {Rgb{6, 5, 4}, Rgb{3, 2, 1}}},
    {"ThirtyTwo", {40, 2, 1, 32, 0, 0, {}, {30, 20, 10, 99, 0, 0, 255, 0}}, 2, 1, 32, {kGrey, kRed}},
    {"ThirtyTwoBitfieldsV5",
     {124, 1, 1, 32, 3, 0, {}, {10, 20, 30, 0}, {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0}},
     1,
     1,
     32,
     {kGrey}},
    // Bottom row: run of two 1s, absolute 2 0 1, end of line; top row: delta 3 right, two 2s, end.
    {"Rle8",
     {40, 5, 2, 8, 1, 3, Quads({kBlack, kRed, kBlue}), {2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 3, 0, 2, 2, 0, 1}},
     5,
     2,
     8,
     {kBlack, kBlack, kBlack, kBlue, kBlue, kRed, kRed, kBlue, kBlack, kRed}},
    {"Rle4",
     {40, 5, 2, 4, 2, 5, Quads({kBlack, kRed, kGreen, kBlue, kGrey}), {5, 0x12, 0, 0, 0, 3, 0x12, 0x30, 2, 0x44, 0, 1}},
     5,
     2,
     4,
     {kRed, kGreen, kBlue, kGrey, kGrey, kRed, kGreen, kRed, kGreen, kRed}},
    {"Os2CoreHeader", {12, 2, 1, 8, 0, 0, {30, 20, 10, 0, 0, 255}, {1, 0, 0, 0}}, 2, 1, 8, {kRed, kGrey}},
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class BmpDecodeCases : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BmpDecodeCases, PixelsAndFileDepth) {
    const DecodeCase& c = GetParam();
    auto decoded = DecodeBmp(c.file.Build());
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded.value().fileBitsPerPixel, c.fileBits);
    auto full = ConvertTo24(decoded.value().bitmap);
    ASSERT_TRUE(full);
    ASSERT_EQ(full.value().Width(), c.width);
    ASSERT_EQ(full.value().Height(), c.height);
    for (int i = 0; i < c.width * c.height; ++i)
        EXPECT_EQ(test::PixelAt(full.value(), i % c.width, i / c.width), c.pixels[i]) << "pixel " << i;
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpDecodeCases, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

BmpFile Valid24() { return {40, 2, 2, 24, 0, 0, {}, Bytes(16, 0x55)}; }

TEST(DecodeBmp, CorruptFilesAreErrors) {
    auto with = [](auto change) {
        BmpFile f = Valid24();
        change(f);
        return f.Build();
    };
    Bytes headerCut = Valid24().Build();
    headerCut.resize(30);
    Bytes cut = Valid24().Build();
    cut.resize(cut.size() - 5);
    Bytes offsetPastEnd = Valid24().Build();
    offsetPastEnd[10] = 0xF0;
    Bytes offsetInHeader = Valid24().Build();
    offsetInHeader[10] = 20;
    Bytes paletteCut = BmpFile{40, 2, 2, 8, 0, 4, Quads({kRed, kRed, kRed, kRed}), Bytes(8, 0)}.Build();
    paletteCut.resize(14 + 40 + 6);
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"not a BMP", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"header cut", headerCut},
        {"header size", with([](BmpFile& f) { f.headerSize = 200; })},
        {"zero width", with([](BmpFile& f) { f.width = 0; })},
        {"zero height", with([](BmpFile& f) { f.height = 0; })},
        {"huge", with([](BmpFile& f) { f.width = f.height = 100000; })},
        {"two bits", with([](BmpFile& f) { f.bpp = 2; })},
        {"64 bits", with([](BmpFile& f) { f.bpp = 64; })},
        {"JPEG inside", with([](BmpFile& f) { f.compression = 4; })},
        {"RLE top-down", with([](BmpFile& f) {
             f = {40, 2, -2, 8, 1, 1, Quads({kRed}), {0, 1}};
         })},
        {"RLE without end", with([](BmpFile& f) {
             f = BmpFile(40, 2, 2, 8, 1, 1, Quads({kRed}), {2, 0, 0, 0});
         })},
        {"RLE absolute run past end", with([](BmpFile& f) {
             f = BmpFile(40, 8, 1, 8, 1, 1, Quads({kRed}), {0, 8, 0, 0});
         })},
        {"palette cut", paletteCut},
        {"pixel offset inside the header", offsetInHeader},
        {"pixels cut", cut},
        {"pixel offset past end", offsetPastEnd},
    };
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(DecodeBmp(bytes)) << name;
}

// Run-length files that try to move the column or row out of the picture. Enough deltas or
// runs without an end of line once counted the column past INT_MAX, and the next absolute
// run wrote in front of the picture. Each file is a 1 × 1 picture with palette red, blue.
TEST(DecodeBmp, RunLengthPositionsStayInsideThePicture) {
    const size_t pastIntMax = (size_t(1) << 31) / 255 + 2;
    auto repeated = [](Bytes unit, size_t times, Bytes tail) {
        Bytes o;
        o.reserve(unit.size() * times + tail.size());
        for (size_t i = 0; i < times; ++i) o.insert(o.end(), unit.begin(), unit.end());
        o.insert(o.end(), tail.begin(), tail.end());
        return o;
    };
    const Bytes absoluteThenEnd = {0, 3, 1, 1, 1, 0, 0, 1};
    Bytes longAbsolute = {0, 255};
    longAbsolute.resize(2 + 256, 1);
    const struct {
        const char* name;
        Bytes pixels;
        int expectedIndex;  // of the one pixel
    } cases[] = {
        {"deltas to the right past INT_MAX", repeated({0, 2, 255, 0}, pastIntMax, absoluteThenEnd), 0},
        {"absolute runs without end of line", repeated(longAbsolute, 3, absoluteThenEnd), 1},
        {"delta above the top", {0, 2, 0, 255, 0, 3, 1, 1, 1, 0, 0, 1}, 0},
        {"run then delta then run", {1, 1, 0, 2, 200, 0, 0, 3, 0, 0, 0, 0, 0, 1}, 1},
    };
    for (const auto& c : cases) {
        auto r = DecodeBmp(BmpFile(40, 1, 1, 8, 1, 2, Quads({kRed, kBlue}), c.pixels).Build());
        ASSERT_TRUE(r) << c.name << ": " << r.error().message;
        EXPECT_EQ(r.value().bitmap.Row(0)[0], c.expectedIndex) << c.name;
    }
}

// A tiny file may not make us allocate and fill a huge picture.
TEST(DecodeBmp, RefusesPicturesAboveTheLimits) {
    const struct {
        int32_t width, height;
        uint32_t compression;
    } cases[] = {{16384, 16384, 1}, {32769, 1, 1}, {1, 32769, 0}, {8193, 8192, 1}, {8192, -8193, 0}};
    for (const auto& c : cases) {
        const Bytes end = {0, 1};
        auto r = DecodeBmp(BmpFile(40, c.width, c.height, 8, c.compression, 1, Quads({kRed}), end).Build());
        ASSERT_FALSE(r) << c.width << " x " << c.height;
        EXPECT_EQ(r.error().message, "picture too large") << c.width << " x " << c.height;
    }
}

// Every prefix and many single-byte changes of valid files: an answer, never a crash.
TEST(DecodeBmp, DamagedFilesNeverCrash) {
    for (const DecodeCase& c : kDecodeCases) {
        const Bytes good = c.file.Build();
        for (size_t n = 0; n < good.size(); ++n) {
            auto r = DecodeBmp(Bytes(good.begin(), good.begin() + n));
            if (r) {
                EXPECT_FALSE(r.value().bitmap.Empty());
            }
        }
        for (size_t i = 0; i < good.size(); ++i)
            for (uint8_t v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                Bytes bad = good;
                bad[i] = v;
                auto r = DecodeBmp(bad);
                if (r) {
                    EXPECT_FALSE(r.value().bitmap.Empty());
                }
            }
    }
}

TEST(EncodeBmp, RoundTripsInBothDepths) {
    const Bitmap full = test::Noise(5, 3, 9);  // 15 bytes a row: padding on every row
    Bitmap indexed(5, 3, PixelFormat::Indexed8);
    indexed.SetPalette({test::Entry(1, 2, 3), test::Entry(4, 5, 6), test::Entry(7, 8, 9), test::Entry(250, 0, 9),
                        test::Entry(0, 0, 0)});
    for (int i = 0; i < 15; ++i) indexed.Row(i / 5)[i % 5] = uint8_t(i % 5);

    for (const Bitmap* picture : std::array<const Bitmap*, 2>{&full, &indexed}) {
        auto encoded = EncodeBmp(*picture);
        ASSERT_TRUE(encoded);
        const Bytes& b = encoded.value();
        const int bits = picture->BitsPerPixel();
        EXPECT_EQ(b[28], bits);
        const size_t paletteBytes = bits == 8 ? 5 * 4 : 0;
        EXPECT_EQ(b[46], bits == 8 ? 5 : 0);  // colours used, so readers do not assume 256
        EXPECT_EQ(b.size(), 54 + paletteBytes + (bits == 8 ? 8 : 16) * 3);
        auto decoded = DecodeBmp(b);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded.value().fileBitsPerPixel, bits);
        EXPECT_EQ(decoded.value().bitmap, *picture);
    }
}

TEST(EncodeBmp, RefusesWhatCannotBeWritten) {
    EXPECT_FALSE(EncodeBmp(Bitmap()));
    EXPECT_FALSE(EncodeBmp(Bitmap(2, 2, PixelFormat::Indexed8)));  // no palette
}

}  // namespace
}  // namespace zepo
