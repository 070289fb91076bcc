// Any bytes as a BMP file: decoding must fail cleanly or give a picture that writes as a BMP
// and decodes again to the same pixels and palette.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "imaging/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zepo;
    using namespace zepo::fuzz;
    auto decoded = DecodeBmp(std::span<const uint8_t>(data, size));
    if (!decoded) return 0;
    const Bitmap& picture = decoded.value().bitmap;
    Require(!picture.Empty(), "a decoded BMP has no pixels");
    if (static_cast<long long>(picture.Width()) * picture.Height() > kRoundTripPixels) return 0;

    auto converted = ConvertTo24(picture);
    Require(converted.ok(), "a decoded BMP does not convert to 24 bits");
    auto encoded = EncodeBmp(picture);
    Require(encoded.ok(), "a decoded BMP cannot be written");
    auto again = DecodeBmp(encoded.value());
    Require(again.ok(), "a written BMP does not decode");
    Require(again.value().bitmap == picture, "a written BMP decodes to other pixels");
    return 0;
}
