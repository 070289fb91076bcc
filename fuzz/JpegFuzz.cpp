// Any bytes as a JPEG file: libjpeg's errors and damage warnings must come back as failures
// (no jump across our frames, no read past the input), and a decoded picture must write as a
// JPEG that decodes again at the same size.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "imaging/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zepo;
    using namespace zepo::fuzz;
    auto decoded = DecodeJpeg(std::span<const uint8_t>(data, size));
    if (!decoded) return 0;
    const Bitmap& picture = decoded.value().bitmap;
    Require(!picture.Empty(), "a decoded JPEG has no pixels");
    Require(picture.Format() == PixelFormat::Bgr24, "a decoded JPEG is not 24 bits");
    if (static_cast<long long>(picture.Width()) * picture.Height() > kRoundTripPixels) return 0;

    auto encoded = EncodeJpeg(picture);
    Require(encoded.ok(), "a decoded JPEG cannot be written");
    auto again = DecodeJpeg(encoded.value());
    Require(again.ok(), "a written JPEG does not decode");
    Require(again.value().bitmap.Width() == picture.Width() && again.value().bitmap.Height() == picture.Height(),
            "a written JPEG decodes at another size");
    return 0;
}
