#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "core/SystemErrors.h"

namespace zepo {
namespace {

Error SystemError(int error) { return Fail(ReasonOfError(error)); }

// Writes all of `bytes` to `fd`; 0 or the error number.
int WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Fills the new file through `fill` (0 or an error number) and puts it in place.
Status WriteAtomically(const std::filesystem::path& requested, const std::function<int(int fd)>& fill,
                       FileAccess access = FileAccess::Shared, AtLink atLink = AtLink::Refuse);

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) {
    return WriteFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Status WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, FileAccess access,
                           AtLink atLink) {
    return WriteAtomically(
        target, [&](int fd) { return WriteAll(fd, bytes); }, access, atLink);
}

Status CopyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target,
                          std::uintmax_t maxBytes) {
    Descriptor in(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0) return SystemError(errno);
    struct stat st;
    if (fstat(in.get(), &st) != 0) return SystemError(errno);
    // A pipe or a device would never end; a file beyond the limit is not what was asked for.
    if (!S_ISREG(st.st_mode)) return Fail("ふつうのファイルではありません");
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return SystemError(EFBIG);
    return WriteAtomically(target, [&](int fd) {
        std::vector<char> piece(std::size_t{1} << 20);
        std::uintmax_t total = 0;
        for (;;) {
            ssize_t n = read(in.get(), piece.data(), piece.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) return 0;
            total += static_cast<std::uintmax_t>(n);
            if (total > maxBytes) return EFBIG;
            if (int error = WriteAll(fd, std::string_view(piece.data(), static_cast<size_t>(n)))) return error;
        }
    });
}

namespace {

// ".NAME.RANDOM" in `folder` (a path, or nothing when `dirfd` is the open folder), created
// exclusively, never through a link.
int CreateExclusive(int dirfd, const std::filesystem::path& folder, const std::string& name, mode_t mode,
                    std::filesystem::path& created) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[8];
        if (getentropy(random, sizeof random) != 0) return -errno;
        std::string suffix;
        for (unsigned char r : random) suffix += kLetters[r % (sizeof kLetters - 1)];
        created = folder / ("." + name + "." + suffix);
        const int fd = openat(dirfd, created.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) return -errno;
    }
    return -EEXIST;
}

}  // namespace

int CreateFileBeside(const std::filesystem::path& target, mode_t mode, std::filesystem::path& created) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    return CreateExclusive(AT_FDCWD, folder, target.filename().string(), mode, created);
}

int WriteFileAtomicallyAt(int folderFd, const std::string& name, std::string_view bytes, mode_t mode) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return EINVAL;
    struct stat st;
    if (fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(st.st_mode)) return EISDIR;
        if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0) return EACCES;
    }
    std::filesystem::path temporary;
    const int fd = CreateExclusive(folderFd, {}, name, mode, temporary);
    if (fd < 0) return -fd;
    int error = WriteAll(fd, bytes);
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && renameat(folderFd, temporary.c_str(), folderFd, name.c_str()) != 0) error = errno;
    if (error != 0) {
        unlinkat(folderFd, temporary.c_str(), 0);
        return error;
    }
    return 0;
}

namespace {

Status WriteAtomically(const std::filesystem::path& requested, const std::function<int(int fd)>& fill,
                       FileAccess fileAccess, AtLink atLink) {
    // An existing file is replaced only when it may be written: a file the user made
    // read-only is not overwritten. A link planted after this look is replaced by the rename
    // itself, never written through.
    std::filesystem::path target = requested;
    std::error_code ec;
    if (atLink == AtLink::Refuse && std::filesystem::is_symlink(requested, ec)) return Fail(kLinkRefused);
    mode_t keepMode = 0;
    bool existed = false;
    if (std::filesystem::exists(requested, ec)) {
        target = std::filesystem::canonical(requested, ec);
        if (ec) return Fail(ReasonOfError(ec));
        struct stat st;
        if (stat(target.c_str(), &st) != 0) return SystemError(errno);
        // Only a plain file is replaced: renaming over a pipe or a device node (as root,
        // "-o /dev/null") would put a file where the system expects something else.
        if (S_ISDIR(st.st_mode)) return SystemError(EISDIR);
        if (!S_ISREG(st.st_mode)) return Fail("ふつうのファイルではありません");
        // No write bit at all is the user's "read-only", whoever runs the editor.
        if (access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0) return SystemError(EACCES);
        keepMode = st.st_mode & 07777;
        existed = true;
    }
    // Created with the mode it keeps (a new file: readable by all, as any program's files, less
    // what the umask takes away), so the process umask is never touched: other threads create
    // files and folders at the same time.
    std::filesystem::path temporary;
    int fd = CreateFileBeside(target, existed || fileAccess == FileAccess::OwnerOnly ? 0600 : 0666, temporary);
    if (fd < 0) return SystemError(-fd);
    const std::string pattern = temporary.string();
    int error = fill(fd);
    if (error == 0 && fsync(fd) != 0) error = errno;
    // A file written again keeps the permissions it had; the user's own files stay private.
    if (error == 0 && existed && fileAccess != FileAccess::OwnerOnly && fchmod(fd, keepMode) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(pattern.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        std::remove(pattern.c_str());
        return SystemError(error);
    }
    return {};
}

}  // namespace
}  // namespace zepo
