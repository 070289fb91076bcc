#pragma once
// BMP files: reading what users have (1, 4, 8, 16, 24, 32 bits, RLE4/RLE8, bit fields,
// top-down rows, OS/2 headers) and writing exactly the depth of the picture in memory.

#include <cstdint>
#include <span>
#include <vector>

#include "core/Result.h"
#include "imaging/Bitmap.h"

namespace zepo {

Result<DecodedPicture> DecodeBmp(std::span<const uint8_t> data);

// 8-bit pictures are written with their own palette (1 to 256 entries), 24-bit ones as
// 24 bits; rows bottom-up, padded to four bytes.
Result<std::vector<uint8_t>> EncodeBmp(const Bitmap& bitmap);

}  // namespace zepo
