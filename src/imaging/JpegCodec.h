#pragma once
// JPEG through libjpeg. Every libjpeg failure, and every warning that means damaged pixels
// (a truncated file, a bad Huffman code), comes back as an error result.

#include <cstdint>
#include <span>
#include <vector>

#include "core/Result.h"
#include "imaging/Bitmap.h"

namespace zepo {

inline constexpr int kCaptureJpegQuality = 90;

// Files of more scans than this are refused ("too many scans"): each scan costs a pass
// over the whole picture.
inline constexpr int kMaxJpegScans = 100;

// Grey, YCbCr, RGB and CMYK/YCCK files all decode to a 24-bit picture; fileBitsPerPixel is
// 8 per component of the file. A photo is turned upright as its Exif orientation says.
Result<DecodedPicture> DecodeJpeg(std::span<const uint8_t> data);

// A baseline colour JPEG. 8-bit pictures are expanded through their palette first.
Result<std::vector<uint8_t>> EncodeJpeg(const Bitmap& bitmap, int quality = kCaptureJpegQuality);

}  // namespace zepo
