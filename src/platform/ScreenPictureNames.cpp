#include "platform/ScreenPictureNames.h"

#include "core/TextCodec.h"
#include "platform/Folders.h"

namespace zepo {

std::string FirstFreeScreenPictureName(const std::filesystem::path& folder) {
    for (unsigned long long n = 1;; ++n) {
        std::string name = Sjis("画面") + std::to_string(n) + ".bmp";
        std::error_code ec;
        const auto status = std::filesystem::symlink_status(PathOfSjisName(folder, name), ec);
        if (!std::filesystem::exists(status)) return name;
    }
}

std::string CaptureFileName(const std::string& sjisCardName) { return "capt_" + sjisCardName + ".jpg"; }

}  // namespace zepo
