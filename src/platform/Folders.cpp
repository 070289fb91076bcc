#include "platform/Folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/Moji.h"
#include "core/TextCodec.h"
#include "platform/UserFolders.h"

namespace zepo {

bool EnterFolder(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    return !ec;
}

std::filesystem::path NearestEnterableFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::path candidate = std::filesystem::absolute(folder, ec);
    if (ec) candidate = folder;
    while (!candidate.empty()) {
        if (EnterFolder(candidate)) return candidate;
        if (candidate == candidate.parent_path()) break;
        candidate = candidate.parent_path();
    }
    return std::filesystem::path("/");
}

std::filesystem::path CurrentFolder() {
    std::error_code ec;
    auto p = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path("/") : p;
}

Status MakeOwnerOnlyFolder(const std::filesystem::path& folder) { return MakePrivateFolder(folder); }

bool CreateOneFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    // create_directory (not create_directories): the parent must already exist.
    return std::filesystem::create_directory(folder, ec) && !ec;
}

std::filesystem::path FolderOfTypedText(const std::string& text, const std::filesystem::path& base,
                                        const std::filesystem::path& home) {
    if (text.empty()) return {};
    std::filesystem::path folder;
    if (text == "~") folder = home;
    else if (text.rfind("~/", 0) == 0) folder = home / text.substr(2);
    else if (text.front() == '/') folder = text;
    else folder = base / text;
    return WithoutTrailingSeparator(folder.lexically_normal());
}

std::filesystem::path WithoutTrailingSeparator(const std::filesystem::path& folder) {
    std::string s = folder.string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return std::filesystem::path(s);
}

std::filesystem::path PathOfSjisName(const std::filesystem::path& folder, std::string_view sjisName) {
    return folder / std::filesystem::path(SjisToUtf8(sjisName));
}

std::optional<std::string> SjisNameOfPath(const std::filesystem::path& name) {
    // A name that is not UTF-8 but Shift-JIS was left as the old system wrote it (an archive
    // unpacked as it is): it is the card's own name, byte for byte.
    if (!IsUtf8(name.string())) {
        if (IsShiftJis(name.string())) return name.string();
        return std::nullopt;
    }
    SjisConversion c = Utf8ToSjis(name.string());
    if (!c.ok()) return std::nullopt;
    return c.bytes;
}

CardNameProblem CheckCardFileName(std::string_view name) {
    if (name.empty()) return CardNameProblem::Empty;
    for (size_t i = 0; i < name.size(); i += CharLength(name, i)) {
        if (CharLength(name, i) == 2) continue;  // a trail byte 0x5C is no separator
        if (name[i] == '\0') return CardNameProblem::Nul;
        if (name[i] == '/' || name[i] == '\\') return CardNameProblem::Separator;
    }
    return CardNameProblem::None;
}

}  // namespace zepo
