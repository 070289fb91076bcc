#include "editors/PictureImport.h"

#include <optional>

#include "core/InsideFolder.h"
#include "core/TextCodec.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"
#include "platform/CardFilesOnDisk.h"
#include "core/Ascii.h"

namespace zepo {
namespace {

// Written beside the picture, never through a link leading out of the save folder. Pictures
// are read by ResolveInFolder, as the card reads them when next opened, so a link out of
// the folder reads nothing here either.
Status SaveInFolder(const Bitmap& bitmap, const std::filesystem::path& folder, std::string_view sjisName) {
    const std::filesystem::path path = folder / std::filesystem::path(SjisToUtf8(sjisName));
    if (!RealPathInside(folder, path)) return Fail("outside the save folder");
    return SaveBmp(bitmap, path);
}

bool EndsWithLowered(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() && AsciiLower(std::string(name.substr(name.size() - suffix.size()))) == suffix;
}

// The JPEG as a 24-bit BMP beside it; the name of the BMP, or nothing.
std::optional<std::string> ConvertJpeg(const std::filesystem::path& folder, std::string_view jpgName) {
    auto bytes = ReadPictureBytes(ResolveInFolder(folder, jpgName));
    if (!bytes) return std::nullopt;
    auto jpeg = DecodeJpeg(bytes.value());
    if (!jpeg) return std::nullopt;
    auto bitmap = jpeg.value().bitmap.Format() == PixelFormat::Bgr24 ? Result<Bitmap>(std::move(jpeg.value().bitmap))
                                                                      : ConvertTo24(jpeg.value().bitmap);
    if (!bitmap) return std::nullopt;
    std::string bmpName = std::string(jpgName.substr(0, jpgName.size() - 4)) + ".bmp";
    if (!SaveInFolder(bitmap.value(), folder, bmpName)) return std::nullopt;
    return bmpName;
}

}  // namespace

PictureImport ImportPicture(const std::filesystem::path& folder, std::string_view chosen, bool reduceTo256) {
    PictureImport result{std::string(chosen), nullptr, false};
    if (EndsWithLowered(chosen, ".jpg")) {
        std::optional<std::string> bmp = ConvertJpeg(folder, chosen);
        if (!bmp) {
            result.failed = true;
            return result;
        }
        result.fileName = *bmp;
    }
    auto loaded = LoadPictureByName(ResolveInFolder(folder, result.fileName));
    if (!loaded || loaded.value().bitmap.Empty()) {
        result.failed = true;
        return result;
    }
    auto pixels = ToPicturePixels(loaded.value());
    if (!pixels) {
        result.failed = true;
        return result;
    }
    result.pixels = std::move(pixels.value());
    if (!reduceTo256 || loaded.value().fileBitsPerPixel == 8 || !EndsWithLowered(result.fileName, ".bmp")) return result;

    auto wide = ConvertTo24(loaded.value().bitmap);
    auto reduced = wide ? MedianCutReduce(wide.value(), 8) : Result<Bitmap>(wide.error());
    if (!reduced || !SaveInFolder(reduced.value(), folder, result.fileName)) {
        result.failed = true;  // the picture stays as loaded
        return result;
    }
    auto reducedPixels = ToPicturePixels(DecodedPicture{std::move(reduced.value()), 8});
    if (reducedPixels) result.pixels = std::move(reducedPixels.value());
    return result;
}

}  // namespace zepo
