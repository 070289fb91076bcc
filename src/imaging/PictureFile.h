#pragma once
// Pictures on disk. A card names its pictures, and the player opens each by its extension,
// so whatever a card refers to is read that way (LoadPictureByName); only `zepocard reduce`,
// which takes any picture it is given, tells BMP and JPEG apart by their first bytes.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/Result.h"
#include "imaging/Bitmap.h"
#include "model/PicturePixels.h"

namespace zepo {

// Larger picture files than this are refused before reading; the largest picture the decoders
// accept, 2^28 pixels of 24-bit BMP, is 768 MiB.
constexpr std::uintmax_t kMaxPictureFileBytes = std::uintmax_t{1} << 30;

// Plain files only: a folder, a device or a pipe named as a picture is refused.
Result<std::vector<uint8_t>> ReadPictureBytes(const std::filesystem::path& path);

// Writes beside the target and renames over it, so a failed write never leaves the user's
// picture half overwritten.
Status WritePictureBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);

Result<DecodedPicture> DecodePicture(std::span<const uint8_t> data);
Result<DecodedPicture> LoadPicture(const std::filesystem::path& path);

enum class PictureType { Bmp, Jpeg, None };
// ".bmp" is a BMP, ".jpg" and ".jpeg" a JPEG, in any case; any other name is no picture.
PictureType PictureTypeOfName(const std::filesystem::path& path);

// The picture of a file read as its extension says: a ".bmp" holding JPEG data, a ".gif" or a
// name without extension fails as a missing file does.
Result<DecodedPicture> LoadPictureByName(const std::filesystem::path& path);

// The decoded picture as the card holds it (32-bit pixels, the file's depth kept).
Result<SharedPicture> ToPicturePixels(const DecodedPicture& picture);

Status SaveBmp(const Bitmap& bitmap, const std::filesystem::path& path);
Status SaveJpeg(const Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace zepo
