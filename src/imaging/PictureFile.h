#pragma once
// Pictures on disk: BMP or JPEG told apart by their first bytes, not by the file name.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "imaging/Bitmap.h"
#include "core/Result.h"

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

Status SaveBmp(const Bitmap& bitmap, const std::filesystem::path& path);
Status SaveJpeg(const Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace zepo
