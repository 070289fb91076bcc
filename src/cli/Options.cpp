#include "cli/Options.h"

#include <charconv>

#include "core/Ascii.h"

namespace zepo::cli {

std::optional<int> NumberBetween(std::string_view text, int low, int high) {
    int n = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
    auto [p, ec] = std::from_chars(text.data(), end, n);
    if (ec != std::errc() || p != end || n < low || n > high) return std::nullopt;
    return n;
}

std::optional<PictureFormat> PictureFormatNamed(std::string_view typed) {
    const std::string name = AsciiLower(std::string(typed));
    if (name == "png") return PictureFormat::Png;
    if (name == "bmp") return PictureFormat::Bmp;
    if (name == "jpg" || name == "jpeg") return PictureFormat::Jpg;
    return std::nullopt;
}

std::optional<MapFormat> MapFormatNamed(std::string_view typed) {
    const std::string name = AsciiLower(std::string(typed));
    if (name == "svg") return MapFormat::Svg;
    if (name == "png") return MapFormat::Png;
    if (name == "dot" || name == "gv") return MapFormat::Dot;
    return std::nullopt;
}

std::optional<QSize> ScreenNamed(std::string_view text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = NumberBetween(text.substr(0, x), 1, kMaxScreenSide);
    const auto h = NumberBetween(text.substr(x + 1), 1, kMaxScreenSide);
    if (!w || !h) return std::nullopt;
    return QSize(*w, *h);
}

}  // namespace zepo::cli
