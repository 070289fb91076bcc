#include "platform/Folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/TextCodec.h"
#include "core/Moji.h"

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

bool CreateOneFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    // create_directory (not create_directories): the parent must already exist.
    return std::filesystem::create_directory(folder, ec) && !ec;
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

bool WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    // An existing card is replaced where it really lives (a link to it stays a link), and
    // only when it may be written: a card the user made read-only is not overwritten.
    std::filesystem::path target = requested;
    std::error_code ec;
    mode_t keepMode = 0;
    bool existed = false;
    if (std::filesystem::exists(requested, ec)) {
        target = std::filesystem::canonical(requested, ec);
        struct stat st;
        if (ec || stat(target.c_str(), &st) != 0) return false;
        // Only a plain file is replaced: renaming over a pipe or a device node (as root,
        // "-o /dev/null") would put a file where the system expects something else.
        if (!S_ISREG(st.st_mode)) return false;
        // No write bit at all is the user's "read-only", whoever runs the editor.
        if (access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0) return false;
        keepMode = st.st_mode & 07777;
        existed = true;
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else done += static_cast<size_t>(n);
    }
    if (ok && fsync(fd) != 0) ok = false;
    // Card files are ordinary user files, not private ones as mkstemp makes them; a card
    // written again keeps the permissions it had.
    if (ok) {
        if (existed) {
            fchmod(fd, keepMode);
        } else {
            mode_t mask = umask(0);
            umask(mask);
            fchmod(fd, 0666 & ~mask);
        }
    }
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(pattern.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) std::remove(pattern.c_str());
    return ok;
}

}  // namespace zepo
