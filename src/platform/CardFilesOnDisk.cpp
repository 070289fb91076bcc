#include "platform/CardFilesOnDisk.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

#include "core/Ascii.h"
#include "core/InsideFolder.h"
#include "core/Moji.h"
#include "core/TextCodec.h"
#include "imaging/PictureFile.h"
#include "model/MacroFile.h"
#include "platform/PictureCache.h"

namespace zepo {
bool StaysInsideFolder(const std::filesystem::path& relative) {
    if (relative.has_root_path()) return false;
    int depth = 0;
    for (const auto& part : relative) {
        if (part == "..") --depth;
        else if (part != "." && !part.empty()) ++depth;
        if (depth < 0) return false;
    }
    return true;
}

namespace {

// The name with its folder separators as "/", the Shift-JIS bytes kept: a trail byte 0x5C
// (the second byte of 表) separates nothing.
std::string RawRelativeName(std::string_view sjisName) {
    std::string raw(sjisName);
    for (size_t i = 0; i < raw.size(); i += CharLength(raw, i))
        if (raw[i] == '\\' && CharLength(raw, i) == 1) raw[i] = '/';
    return raw;
}

}  // namespace

std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view sjisName) {
    std::string utf8 = SjisToUtf8(sjisName);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    const std::filesystem::path relative(utf8), raw(RawRelativeName(sjisName));
    if (utf8.empty() || !StaysInsideFolder(relative) || !StaysInsideFolder(raw)) return {};
    // The file system's UTF-8 name first, then the card's own bytes (names an archive from
    // the old system left unconverted), each exactly and then ignoring ASCII case.
    const std::filesystem::path candidates[] = {folder / relative, folder / raw};
    std::error_code ec;
    std::filesystem::path found;
    for (const auto& exact : candidates) {
        if (std::filesystem::exists(exact, ec)) {
            found = exact;
            break;
        }
    }
    for (const auto& exact : candidates) {
        if (!found.empty()) break;
        const std::string leaf = exact.filename().string();
        for (auto it = std::filesystem::directory_iterator(exact.parent_path(), ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            if (SameIgnoringAsciiCase(it->path().filename().string(), leaf)) {
                found = it->path();
                break;
            }
        }
    }
    if (found.empty()) return RealPathInside(folder, candidates[0]) ? candidates[0] : std::filesystem::path();
    // The file where it really lives, so that what is read is what was judged.
    const std::filesystem::path real = std::filesystem::canonical(found, ec);
    if (ec || !RealPathInside(folder, real)) return {};
    return real;
}

namespace {

// The size of a card or text file that may be read: a plain file (a device or a pipe named
// in a card would never end) under the size cap. Nothing otherwise.
std::optional<std::uintmax_t> ReadableFileSize(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxTextFileBytes) return std::nullopt;
    return size;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    const std::optional<std::uintmax_t> readable = ReadableFileSize(path);
    if (!readable) return std::nullopt;
    const std::uintmax_t size = *readable;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::string>> ReadFileLines(const std::filesystem::path& path, size_t maxLines) {
    const std::optional<std::uintmax_t> size = ReadableFileSize(path);
    if (!size) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    LineSplitter splitter(maxLines);
    std::string chunk(1 << 20, '\0');
    std::uintmax_t total = 0;
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        total += static_cast<std::uintmax_t>(in.gcount());
        if (total > kMaxTextFileBytes) return std::nullopt;  // it grew while being read
        splitter.Feed(std::string_view(chunk.data(), static_cast<size_t>(in.gcount())));
        if (splitter.Done()) break;
    }
    if (in.bad()) return std::nullopt;
    return splitter.Finish();
}

bool CardFilesOnDisk::ReachSaveFolder() {
    // What entering the folder would need, without entering it: zepocard reading sub/main.zep
    // must still write "-o next.zep" where the user stands.
    std::error_code ec;
    return std::filesystem::is_directory(folder_, ec) && access(folder_.c_str(), X_OK) == 0;
}

std::optional<std::vector<std::string>> CardFilesOnDisk::ReadTextLines(std::string_view name) {
    auto lines = ReadFileLines(ResolveInFolder(folder_, name), kMaxTextBlockLines);
    if (lines)
        for (std::string& line : *lines)
            if (line.size() > kMaxTextBlockLineBytes) line = CutBytes(line, kMaxTextBlockLineBytes);
    return lines;
}

std::optional<PixelSize> CardFilesOnDisk::PictureSize(std::string_view name) {
    if (pictures_.cache) {
        auto loaded = pictures_.cache->Load(ResolveInFolder(folder_, name), false);
        if (!loaded) return std::nullopt;
        return loaded.value().size;
    }
    // Decoded by the same loader that places pictures, so a picture the card reads is one
    // the editor can show, and a damaged one is refused here as it would be there.
    auto picture = LoadPictureByName(ResolveInFolder(folder_, name));
    if (!picture || picture.value().bitmap.Empty()) return std::nullopt;
    return PixelSize{picture.value().bitmap.Width(), picture.value().bitmap.Height()};
}

std::optional<CardFiles::LoadedPicture> CardFilesOnDisk::LoadPicture(std::string_view name) {
    if (pictures_.cache) {
        auto loaded = pictures_.cache->Load(ResolveInFolder(folder_, name), pictures_.pixels);
        if (!loaded) return std::nullopt;
        return std::move(loaded.value());
    }
    auto picture = LoadPictureByName(ResolveInFolder(folder_, name));
    if (!picture || picture.value().bitmap.Empty()) return std::nullopt;
    auto pixels = ToPicturePixels(picture.value());
    if (!pixels) return std::nullopt;
    return LoadedPicture{{picture.value().bitmap.Width(), picture.value().bitmap.Height()}, std::move(pixels.value())};
}

}  // namespace zepo
