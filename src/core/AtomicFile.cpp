#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace zepo {
namespace {

Error SystemError(int error) { return Fail(std::generic_category().message(error)); }

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) {
    return WriteFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Status WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    // An existing file is replaced where it really lives (a link to it stays a link), and
    // only when it may be written: a file the user made read-only is not overwritten.
    std::filesystem::path target = requested;
    std::error_code ec;
    mode_t keepMode = 0;
    bool existed = false;
    if (std::filesystem::exists(requested, ec)) {
        target = std::filesystem::canonical(requested, ec);
        if (ec) return Fail(ec.message());
        struct stat st;
        if (stat(target.c_str(), &st) != 0) return SystemError(errno);
        // Only a plain file is replaced: renaming over a pipe or a device node (as root,
        // "-o /dev/null") would put a file where the system expects something else.
        if (S_ISDIR(st.st_mode)) return SystemError(EISDIR);
        if (!S_ISREG(st.st_mode)) return Fail("not a plain file");
        // No write bit at all is the user's "read-only", whoever runs the editor.
        if (access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0) return SystemError(EACCES);
        keepMode = st.st_mode & 07777;
        existed = true;
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) return SystemError(errno);
    int error = 0;
    size_t done = 0;
    while (error == 0 && done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        else if (n == 0) error = EIO;
        else done += static_cast<size_t>(n);
    }
    if (error == 0 && fsync(fd) != 0) error = errno;
    // Our files are ordinary user files, not private ones as mkstemp makes them; a file
    // written again keeps the permissions it had.
    if (error == 0) {
        if (existed) {
            fchmod(fd, keepMode);
        } else {
            mode_t mask = umask(0);
            umask(mask);
            fchmod(fd, 0666 & ~mask);
        }
    }
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(pattern.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        std::remove(pattern.c_str());
        return SystemError(error);
    }
    return {};
}

}  // namespace zepo
