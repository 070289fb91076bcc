#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "ManyScanJpeg.h"
#include "TestPictures.h"
#include "imaging/JpegCodec.h"

namespace zepo {
namespace {

using Bytes = std::vector<uint8_t>;

// Grey and Adobe CMYK files, which our encoder never writes, straight from libjpeg.
Bytes EncodeRaw(int width, int height, int components, J_COLOR_SPACE space, const Bytes& samples,
                bool progressive = false) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

size_t FindMarker(const Bytes& b, uint8_t marker) {
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker) return i;
    return b.size();
}

Bitmap Gradient() {
    Bitmap b(32, 24, PixelFormat::Bgr24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) test::SetPixel(b, x, y, test::Rgb{x * 8, y * 10, 128});
    return b;
}

TEST(JpegCodec, BaselineAtQualityNinetyRoundTrips) {
    auto encoded = EncodeJpeg(Gradient());
    ASSERT_TRUE(encoded) << encoded.error().message;
    const Bytes& b = encoded.value();
    EXPECT_LT(FindMarker(b, 0xC0), b.size());  // baseline frame
    EXPECT_EQ(FindMarker(b, 0xC2), b.size());  // not progressive
    const size_t dqt = FindMarker(b, 0xDB);
    ASSERT_LT(dqt + 5, b.size());
    EXPECT_EQ(b[dqt + 5], 3);  // luminance DC step 16 scaled to quality 90

    auto decoded = DecodeJpeg(b);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded.value().fileBitsPerPixel, 24);
    const Bitmap& out = decoded.value().bitmap;
    ASSERT_EQ(out.Width(), 32);
    ASSERT_EQ(out.Height(), 24);
    ASSERT_EQ(out.Format(), PixelFormat::Bgr24);
    const Bitmap in = Gradient();
    int worst = 0;
    for (int y = 0; y < 24; ++y)
        for (size_t i = 0; i < out.RowBytes(); ++i) worst = std::max(worst, std::abs(out.Row(y)[i] - in.Row(y)[i]));
    EXPECT_LE(worst, 12);
}

TEST(JpegCodec, GreyAndAdobeCmykDecodeToColour) {
    auto grey = DecodeJpeg(EncodeRaw(8, 8, 1, JCS_GRAYSCALE, Bytes(64, 128)));
    ASSERT_TRUE(grey) << grey.error().message;
    EXPECT_EQ(grey.value().fileBitsPerPixel, 8);
    const test::Rgb g = test::PixelAt(grey.value().bitmap, 3, 3);
    EXPECT_EQ(g.r, g.g);
    EXPECT_EQ(g.g, g.b);
    EXPECT_NEAR(g.r, 128, 2);

    Bytes cmyk;  // Adobe's inverted inks for orange: C 0, M 128, Y 255, K 0
    for (int i = 0; i < 64; ++i) cmyk.insert(cmyk.end(), {255, 127, 0, 255});
    auto orange = DecodeJpeg(EncodeRaw(8, 8, 4, JCS_CMYK, cmyk));
    ASSERT_TRUE(orange) << orange.error().message;
    EXPECT_EQ(orange.value().fileBitsPerPixel, 32);
    const test::Rgb o = test::PixelAt(orange.value().bitmap, 4, 4);
    EXPECT_NEAR(o.r, 255, 3);
    EXPECT_NEAR(o.g, 127, 3);
    EXPECT_NEAR(o.b, 0, 3);
}

// Every scan of a progressive file is another pass over all of the picture's blocks; a file
// of a few megabytes can hold thousands. Ordinary encoders write about ten, so a file of
// more than a hundred is refused before its scans are decoded.
TEST(JpegCodec, ProgressiveFilesOfTooManyScansAreRefused) {
    Bytes photo;
    for (int i = 0; i < 40 * 24; ++i) photo.insert(photo.end(), {uint8_t(i), 90, uint8_t(255 - i % 256)});
    const Bytes ordinary = EncodeRaw(40, 24, 3, JCS_RGB, photo, /*progressive=*/true);
    ASSERT_LT(FindMarker(ordinary, 0xC2), ordinary.size());
    EXPECT_TRUE(DecodeJpeg(ordinary)) << "an ordinary progressive file decodes";

    const struct {
        test::ManyScans file;
        bool decodes;
    } cases[] = {
        {{8, 8, 1, 1, 1}, true},    {{40, 24, 1, 33, 1}, true},    {{40, 24, 2, 33, 1}, false},
        {{40, 24, 1, 4, 9}, false}, {{16, 16, 11, 63, 11}, false},
    };
    for (const auto& c : cases) {
        const int scans = c.file.Scans();
        auto decoded = DecodeJpeg(test::ManyScanJpeg(c.file));
        ASSERT_EQ(decoded.ok(), c.decodes) << scans << " scans: " << (decoded ? "" : decoded.error().message);
        if (!decoded) {
            EXPECT_EQ(decoded.error().message, "too many scans") << scans;
            continue;
        }
        const Bitmap& picture = decoded.value().bitmap;
        ASSERT_EQ(picture.Width(), c.file.width);
        ASSERT_EQ(picture.Height(), c.file.height);
        const test::Rgb grey = test::PixelAt(picture, c.file.width - 1, c.file.height - 1);
        EXPECT_EQ(grey.r, 128) << scans;
        EXPECT_EQ(grey.g, 128) << scans;
        EXPECT_EQ(grey.b, 128) << scans;
    }
}

TEST(JpegCodec, DamagedFilesAreErrors) {
    auto encoded = EncodeJpeg(Gradient());
    ASSERT_TRUE(encoded);
    const Bytes good = encoded.value();
    EXPECT_FALSE(DecodeJpeg({}));
    EXPECT_FALSE(DecodeJpeg(Bytes{0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34}));
    for (size_t n = 0; n < good.size(); ++n)
        ASSERT_FALSE(DecodeJpeg(Bytes(good.begin(), good.begin() + n))) << "cut at " << n;

    Bytes huge = good;  // a frame header that claims 65000 × 65000 pixels
    const size_t sof = FindMarker(huge, 0xC0);
    for (size_t i : {sof + 5, sof + 7}) {
        huge[i] = 0xFD;
        huge[i + 1] = 0xE8;
    }
    auto refused = DecodeJpeg(huge);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "picture too large");

    // Changed bytes in the coded data: libjpeg may or may not notice, but must return.
    const size_t scan = FindMarker(good, 0xDA);
    for (size_t i = scan + 14; i + 2 < good.size(); i += 7) {
        Bytes bad = good;
        bad[i] ^= 0x5A;
        auto r = DecodeJpeg(bad);
        if (r) {
            EXPECT_EQ(r.value().bitmap.Width(), 32);
        }
    }
}

TEST(JpegCodec, EncoderExpandsPalettePicturesAndRefusesEmptyOnes) {
    Bitmap indexed(8, 8, PixelFormat::Indexed8);
    indexed.SetPalette({test::Entry(200, 10, 10)});
    auto encoded = EncodeJpeg(indexed);
    ASSERT_TRUE(encoded);
    auto decoded = DecodeJpeg(encoded.value());
    ASSERT_TRUE(decoded);
    EXPECT_NEAR(test::PixelAt(decoded.value().bitmap, 2, 2).r, 200, 4);
    EXPECT_FALSE(EncodeJpeg(Bitmap()));
    // Wider than JPEG can hold: libjpeg's refusal comes back as a message.
    auto tooWide = EncodeJpeg(Bitmap(65536, 1, PixelFormat::Bgr24));
    ASSERT_FALSE(tooWide);
    EXPECT_NE(tooWide.error().message.find("cannot encode JPEG"), std::string::npos) << tooWide.error().message;
}

TEST(JpegCodec, LargePicturesGrowTheOutputAcrossManyChunks) {
    // Noise compresses badly, so the output outgrows the first chunks several times.
    Bitmap noise(640, 640, PixelFormat::Bgr24);
    uint32_t seed = 1;
    for (int y = 0; y < noise.Height(); ++y)
        for (size_t i = 0; i < noise.RowBytes(); ++i)
            noise.Row(y)[i] = uint8_t((seed = seed * 1103515245 + 12345) >> 16);
    auto encoded = EncodeJpeg(noise);
    ASSERT_TRUE(encoded);
    EXPECT_GT(encoded.value().size(), size_t(3) << 16);
    auto decoded = DecodeJpeg(encoded.value());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded.value().bitmap.Width(), 640);
}

TEST(JpegCodec, PhotosAreTurnedUprightAsTheirExifBlockSays) {
    // Landscape 64 × 32, red with a blue corner at the top left as the sensor saw it.
    Bitmap sensor(64, 32, PixelFormat::Bgr24);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            test::SetPixel(sensor, x, y, x < 16 && y < 16 ? test::Rgb{0, 0, 255} : test::Rgb{255, 0, 0});
    auto plain = EncodeJpeg(sensor);
    ASSERT_TRUE(plain);
    struct Case {
        const char* what;
        Bytes file;
        int width, height;
        int blueX, blueY;  // the middle of where the blue corner must show
    };
    const Case cases[] = {
        {"no Exif block", plain.value(), 64, 32, 8, 8},
        {"upright (1)", test::WithExifOrientation(plain.value(), 1, false), 64, 32, 8, 8},
        {"upside down (3), Intel order", test::WithExifOrientation(plain.value(), 3, false), 64, 32, 56, 24},
        {"held upright (6), Motorola order", test::WithExifOrientation(plain.value(), 6, true), 32, 64, 24, 8},
        {"held upright (6), Intel order", test::WithExifOrientation(plain.value(), 6, false), 32, 64, 24, 8},
        {"held the other way (8)", test::WithExifOrientation(plain.value(), 8, true), 32, 64, 8, 56},
        {"mirrored (2)", test::WithExifOrientation(plain.value(), 2, false), 64, 32, 56, 8},
        {"an orientation that does not exist (9)", test::WithExifOrientation(plain.value(), 9, true), 64, 32, 8, 8},
        {"a block pointing past its end", test::WithExifOrientation(plain.value(), 6, true, 0xFFFFFFF0u), 64, 32, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto decoded = DecodeJpeg(c.file);
        ASSERT_TRUE(decoded) << decoded.error().message;
        const Bitmap& b = decoded.value().bitmap;
        ASSERT_EQ(b.Width(), c.width);
        ASSERT_EQ(b.Height(), c.height);
        const test::Rgb blue = test::PixelAt(b, c.blueX, c.blueY);
        EXPECT_GT(blue.b, 200);
        EXPECT_LT(blue.r, 60);
        // The opposite corner stays red.
        const test::Rgb red = test::PixelAt(b, c.width - 1 - c.blueX, c.height - 1 - c.blueY);
        EXPECT_GT(red.r, 200);
    }
}

}  // namespace
}  // namespace zepo
