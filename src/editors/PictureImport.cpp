#include "editors/PictureImport.h"

#include <optional>
#include <vector>

#include "core/Ascii.h"
#include "core/InsideFolder.h"
#include "core/TextCodec.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"
#include "model/Environment.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo {
namespace {

// Written beside the picture, never through a link leading out of the save folder. Pictures
// are read by ResolveInFolder, as the card reads them when next opened, so a link out of
// the folder reads nothing here either.
Status SaveInFolder(const Bitmap& bitmap, const std::filesystem::path& folder, std::string_view sjisName) {
    const std::filesystem::path path = folder / std::filesystem::path(SjisToUtf8(sjisName));
    // A link inside the folder is the user's own alias of a picture there: the picture it
    // leads to is the one replaced (the writer itself refuses to write through a link).
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::weakly_canonical(path, ec);
    if (ec || !RealPathInside(folder, real)) return Fail("outside the save folder");
    return SaveBmp(bitmap, real);
}

bool EndsWithLowered(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() && AsciiLower(std::string(name.substr(name.size() - suffix.size()))) == suffix;
}

// The BMP bytes a picture would be written as, or nothing.
std::optional<std::vector<uint8_t>> Encoded(const Result<Bitmap>& bitmap) {
    if (!bitmap) return std::nullopt;
    auto bytes = EncodeBmp(bitmap.value());
    if (!bytes) return std::nullopt;
    return std::move(bytes).value();
}

// Whether a BMP already at `bmpName` may be replaced by the conversion of the JPEG. One that
// holds just what the conversion writes (or what its reduction leaves) is this JPEG's own
// conversion from an earlier choice; any other picture may be shown by other cards and is
// replaced only when the user says so.
bool MayReplace(const std::filesystem::path& folder, std::string_view jpgName, std::string_view bmpName,
                const Bitmap& converted, bool reduceTo256, MessageSink& messages) {
    std::error_code ec;
    const std::filesystem::path path = folder / std::filesystem::path(SjisToUtf8(bmpName));
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return true;
    if (!RealPathInside(folder, path)) return true;  // never read there, nor written
    auto existing = ReadPictureBytes(path);
    if (existing) {
        if (Encoded(Result<Bitmap>(converted)) == existing.value()) return true;
        if (reduceTo256 && Encoded(MedianCutReduce(converted, 8)) == existing.value()) return true;
    }
    return messages.Ask(std::string(bmpName) + Sjis(" はすでにあり、") + std::string(jpgName) +
                        Sjis(" から作る画像と違います。\r置き換えますか？"));
}

// The JPEG as a 24-bit BMP beside it; the name of the BMP, or nothing. `declined` tells that
// the user kept a different BMP of that name.
std::optional<std::string> ConvertJpeg(const std::filesystem::path& folder, std::string_view jpgName, bool reduceTo256,
                                       MessageSink& messages, bool& declined) {
    auto bytes = ReadPictureBytes(ResolveInFolder(folder, jpgName));
    if (!bytes) return std::nullopt;
    auto jpeg = DecodeJpeg(bytes.value());
    if (!jpeg) return std::nullopt;
    auto bitmap = jpeg.value().bitmap.Format() == PixelFormat::Bgr24 ? Result<Bitmap>(std::move(jpeg.value().bitmap))
                                                                     : ConvertTo24(jpeg.value().bitmap);
    if (!bitmap) return std::nullopt;
    std::string bmpName = std::string(jpgName.substr(0, jpgName.size() - 4)) + ".bmp";
    if (!MayReplace(folder, jpgName, bmpName, bitmap.value(), reduceTo256, messages)) {
        declined = true;
        return std::nullopt;
    }
    if (!SaveInFolder(bitmap.value(), folder, bmpName)) return std::nullopt;
    return bmpName;
}

}  // namespace

PictureImport ImportPicture(const std::filesystem::path& folder, std::string_view chosen, bool reduceTo256,
                            MessageSink& messages) {
    PictureImport result{std::string(chosen), nullptr, false};
    if (EndsWithLowered(chosen, ".jpg")) {
        std::optional<std::string> bmp = ConvertJpeg(folder, chosen, reduceTo256, messages, result.declined);
        if (!bmp) {
            result.failed = !result.declined;
            return result;
        }
        result.fileName = *bmp;
        result.wrote = true;
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
    if (!reduceTo256 || loaded.value().fileBitsPerPixel == 8 || !EndsWithLowered(result.fileName, ".bmp"))
        return result;

    auto wide = ConvertTo24(loaded.value().bitmap);
    auto reduced = wide ? MedianCutReduce(wide.value(), 8) : Result<Bitmap>(wide.error());
    if (!reduced || !SaveInFolder(reduced.value(), folder, result.fileName)) {
        result.failed = true;  // the picture stays as loaded
        return result;
    }
    result.wrote = true;
    auto reducedPixels = ToPicturePixels(DecodedPicture{std::move(reduced.value()), 8});
    if (reducedPixels) result.pixels = std::move(reducedPixels.value());
    return result;
}

}  // namespace zepo
