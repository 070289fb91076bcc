#include "imaging/PictureFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <system_error>

#include "core/Ascii.h"
#include "core/AtomicFile.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"

namespace zepo {
namespace {

std::string SystemMessage(int error) { return std::generic_category().message(error); }

}  // namespace

Result<std::vector<uint8_t>> ReadPictureBytes(const std::filesystem::path& path) {
    std::error_code ec;
    // A card may name anything; a device or a pipe would never end, so only plain files are read.
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return Fail(SystemMessage(ENOENT));
    if (ec) return Fail(ec.message());  // a folder on the way that may not be searched, …
    if (std::filesystem::is_directory(status)) return Fail("is a folder");
    if (!std::filesystem::is_regular_file(status)) return Fail("not a plain file");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return Fail(ec.message());
    if (size > kMaxPictureFileBytes) return Fail("too large for a picture");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(SystemMessage(errno));
    try {
        // Sized up front: growing by doubling would briefly hold the picture file three times.
        std::vector<uint8_t> bytes;
        bytes.reserve(size);
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            bytes.insert(bytes.end(), buffer, buffer + in.gcount());
            if (bytes.size() > kMaxPictureFileBytes) return Fail("too large for a picture");
        }
        if (in.bad()) return Fail("read error");
        return bytes;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

Status WritePictureBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    return WriteFileAtomically(path, bytes);
}

Result<DecodedPicture> DecodePicture(std::span<const uint8_t> data) {
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data);
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return DecodeJpeg(data);
    return Fail("not a BMP or JPEG picture");
}

Result<DecodedPicture> LoadPicture(const std::filesystem::path& path) {
    auto bytes = ReadPictureBytes(path);
    if (!bytes) return bytes.error();
    return DecodePicture(bytes.value());
}

PictureType PictureTypeOfName(const std::filesystem::path& path) {
    const std::string ext = AsciiLower(path.extension().string());
    if (ext == ".bmp") return PictureType::Bmp;
    if (ext == ".jpg" || ext == ".jpeg") return PictureType::Jpeg;
    return PictureType::None;
}

Result<DecodedPicture> LoadPictureByName(const std::filesystem::path& path) {
    const PictureType type = PictureTypeOfName(path);
    if (type == PictureType::None) return Fail("not named as a BMP or JPEG picture");
    auto bytes = ReadPictureBytes(path);
    if (!bytes) return bytes.error();
    return type == PictureType::Bmp ? DecodeBmp(bytes.value()) : DecodeJpeg(bytes.value());
}

Result<SharedPicture> ToPicturePixels(const DecodedPicture& picture) {
    const Bitmap& b = picture.bitmap;
    try {
        auto pixels = std::make_shared<PicturePixels>();
        pixels->width = b.Width();
        pixels->height = b.Height();
        pixels->fileBitsPerPixel = picture.fileBitsPerPixel;
        // Appended rather than cleared and overwritten: a picture's memory is touched once.
        std::vector<uint32_t>& out = pixels->rgb;
        out.reserve(size_t(b.Width()) * size_t(b.Height()));
        const Palette& palette = b.GetPalette();
        std::array<uint32_t, 256> colours;
        // An index past the palette shows black, as the 24-bit conversion makes it.
        for (size_t i = 0; i < colours.size(); ++i)
            colours[i] = 0xFF000000u | (i < palette.size() ? PackRgb(palette[i].r, palette[i].g, palette[i].b) : 0u);
        for (int y = 0; y < b.Height(); ++y) {
            const uint8_t* row = b.Row(y);
            if (b.Format() == PixelFormat::Bgr24) {
                for (int x = 0; x < b.Width(); ++x, row += 3)
                    out.push_back(0xFF000000u | PackRgb(row[2], row[1], row[0]));
            } else {
                for (int x = 0; x < b.Width(); ++x) out.push_back(colours[row[x]]);
            }
        }
        return SharedPicture(std::move(pixels));
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

Status SaveBmp(const Bitmap& bitmap, const std::filesystem::path& path) {
    auto encoded = EncodeBmp(bitmap);
    if (!encoded) return encoded.error();
    return WritePictureBytes(path, encoded.value());
}

Status SaveJpeg(const Bitmap& bitmap, const std::filesystem::path& path) {
    auto encoded = EncodeJpeg(bitmap, kCaptureJpegQuality);
    if (!encoded) return encoded.error();
    return WritePictureBytes(path, encoded.value());
}

}  // namespace zepo
