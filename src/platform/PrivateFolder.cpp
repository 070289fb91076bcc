// The private folders of UserFolders.h, in plain POSIX: the settings file's reading and
// writing is built without Qt too (the settings fuzz target).
//
// Each folder is reached through descriptors: the nearest existing folder above it is opened,
// the folders below are made and opened one at a time without following links, and every
// check is made on the open folder, so that what was checked is what is used even when
// someone renames or replaces names along the path meanwhile.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/AtomicFile.h"
#include "platform/UserFolders.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

std::string Named(const fs::path& p) { return "「" + p.string() + "」"; }

// The reason of a failed call, in the words the user reads.
std::string WhyNot(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return "権限がありません";
        case ENOENT: return "見つかりません";
        case EROFS: return "書き込みできない場所です";
        case ENOSPC:
        case EDQUOT: return "ディスクがいっぱいです";
        case ENOTDIR: return "途中にフォルダでないものがあります";
        case EISDIR: return "同じ名前のフォルダがあります";
        case ELOOP: return "リンクです";
        case ENAMETOOLONG: return "名前が長すぎます";
        default: return "システムのエラーです（" + std::to_string(error) + ": " + std::strerror(error) + "）";
    }
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Whether others may put or rename names in a folder of this mode and group: writable by
// anyone, or by a group other than the user's own, and without the sticky bit that keeps
// their hands off the user's names (the shared temporary folder has it).
bool OthersMayChange(const struct stat& st) {
    if (st.st_mode & S_ISVTX) return false;
    return (st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && st.st_gid != ::getegid());
}

// The folders private `folder` lies in (the real path of the open folder `fd`, shown as
// `shown`, and every one above it) must be the user's or the system's, and closed to changes by others: whoever may
// change one could swap the private folder for one of their own, or a link, between uses.
Status CheckFoldersAbove(int fd, const fs::path& shown, const fs::path& folder) {
    char real[PATH_MAX + 1];
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(self.c_str(), real, PATH_MAX);
    std::error_code ec;
    fs::path p = n > 0 ? fs::path(std::string(real, size_t(n))) : fs::canonical(shown, ec);
    if (ec) return Fail(Named(shown) + "を調べられません: " + WhyNot(ec.value()));
    for (;; p = p.parent_path()) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) return Fail(Named(p) + "を調べられません: " + WhyNot(errno));
        if (st.st_uid != ::geteuid() && st.st_uid != 0)
            return Fail(Named(p) + "はほかのユーザーのフォルダなので、その中には" + Named(folder) + "を置きません");
        if (OthersMayChange(st))
            return Fail(Named(p) + "はほかのユーザーも書き換えられるフォルダなので、その中には" + Named(folder) +
                        "を置きません");
        if (p == p.parent_path()) return {};
    }
}

// The open folder `fd` itself: a folder of the user's, closed to others. `tighten` closes one
// that is open to them; without it such a folder is refused.
Status CheckOpenFolder(int fd, const fs::path& shown, bool tighten) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Fail(Named(shown) + "を調べられません: " + WhyNot(errno));
    if (!S_ISDIR(st.st_mode)) return Fail(Named(shown) + "はフォルダでないため、使いません");
    if (st.st_uid != ::geteuid()) return Fail(Named(shown) + "はほかのユーザーのものなので、使いません");
    if ((st.st_mode & 077) == 0) return {};
    if (!tighten) return Fail(Named(shown) + "はほかのユーザーも開けるため、使いません");
    if (::fchmod(fd, 0700) != 0) return Fail(Named(shown) + "を自分だけが使えるようにできません: " + WhyNot(errno));
    return {};
}

// Opens `name` in the open folder `parent` as a private folder, making it when `make`.
Result<int> OpenInside(int parent, const std::string& name, const fs::path& shown, bool make) {
    if (make && ::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST)
        return Fail(Named(shown) + "を作れません: " + WhyNot(errno));
    Fd fd(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ELOOP || errno == ENOTDIR)
            return Fail(Named(shown) + "はリンクかフォルダでないもののため、使いません");
        return Fail(Named(shown) + "を開けません: " + WhyNot(errno));
    }
    if (Status checked = CheckOpenFolder(fd.get(), shown, make); !checked) return checked.error();
    return fd.release();
}

// The folder `base`, where links are still followed (they are the system's or the user's own
// arrangement, and where they lead is checked); made, with the missing ones above it, when
// missing and `make`.
Result<int> OpenBase(const fs::path& base, const fs::path& folder, bool make) {
    struct stat st {};
    if (!make || base == base.parent_path() || ::stat(base.c_str(), &st) == 0 || errno != ENOENT) {
        Fd fd(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.get() < 0) return Fail(Named(base) + "を開けません: " + WhyNot(errno));
        if (Status above = CheckFoldersAbove(fd.get(), base, folder); !above) return above.error();
        return fd.release();
    }
    Result<int> above = OpenBase(base.parent_path(), folder, make);
    if (!above) return above;
    Fd parent(above.value());
    return OpenInside(parent.get(), base.filename().string(), base, true);
}

fs::path Normal(const fs::path& folder) {
    std::error_code ec;
    fs::path p = fs::absolute(folder, ec).lexically_normal();
    while (p.has_parent_path() && p.filename().empty() && p != p.parent_path()) p = p.parent_path();
    return p;
}

// Every folder below `base` down to `given` is private: made when missing and `make`, opened
// without following links, the user's own and closed to others.
Result<int> OpenPrivate(const fs::path& given, const fs::path& givenBase, bool make) {
    if (given.empty()) return Fail("場所がありません");
    const fs::path folder = Normal(given);
    if (folder == folder.parent_path()) return Fail(Named(folder) + "には置きません");
    fs::path base = givenBase.empty() ? folder.parent_path() : Normal(givenBase);
    fs::path below = folder.lexically_relative(base);
    if (below.empty() || below == "." || *below.begin() == "..") {
        base = folder.parent_path();
        below = folder.filename();
    }
    Result<int> opened = OpenBase(base, given, make);
    if (!opened) return opened;
    Fd current(opened.value());
    fs::path shown = base;
    for (const fs::path& name : below) {
        shown /= name;
        Result<int> next = OpenInside(current.get(), name.string(), shown, make);
        if (!next) return next;
        current.reset(next.value());
    }
    return current.release();
}

}  // namespace

Result<PrivateFolder> PrivateFolder::Open(const fs::path& folder, const fs::path& base) {
    Result<int> fd = OpenPrivate(folder, base, true);
    if (!fd) return fd.error();
    return PrivateFolder(Normal(folder), fd.value());
}

Result<PrivateFolder> PrivateFolder::Inside(const std::string& name) const {
    Result<int> fd = OpenInside(fd_, name, path_ / name, true);
    if (!fd) return fd.error();
    return PrivateFolder(path_ / name, fd.value());
}

PrivateFolder::PrivateFolder(PrivateFolder&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

PrivateFolder& PrivateFolder::operator=(PrivateFolder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

PrivateFolder::~PrivateFolder() {
    if (fd_ >= 0) ::close(fd_);
}

Status PrivateFolder::Write(const std::string& name, std::string_view bytes) const {
    if (const int error = WriteFileAtomicallyAt(fd_, name, bytes, 0600))
        return Fail(Named(path_ / name) + "を書けません: " + WhyNot(error));
    return {};
}

std::optional<std::string> PrivateFolder::Read(const std::string& name, std::uintmax_t maxBytes) const {
    Fd fd(::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        std::uintmax_t(st.st_size) > maxBytes)
        return std::nullopt;
    std::string bytes(size_t(st.st_size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        done += size_t(n);
    }
    return bytes;
}

bool PrivateFolder::HoldsOwnFile(const std::string& name) const {
    struct stat st {};
    return ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
           st.st_uid == ::geteuid();
}

void PrivateFolder::Remove(const std::string& name) const { ::unlinkat(fd_, name.c_str(), 0); }

Status PrivateFolder::MoveTo(const std::string& name, const PrivateFolder& to) const {
    if (::renameat(fd_, name.c_str(), to.fd_, name.c_str()) != 0)
        return Fail(Named(path_ / name) + "を" + Named(to.path_) + "に移せません: " + WhyNot(errno));
    return {};
}

std::vector<PrivateFolder::File> PrivateFolder::Files(std::size_t maxFiles) const {
    std::vector<File> files;
    // A descriptor of its own: closedir closes it.
    DIR* dir = ::fdopendir(::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir) return files;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(fd_, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        files.push_back({entry->d_name, std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
        if (files.size() >= maxFiles) break;
    }
    ::closedir(dir);
    return files;
}

Status MakePrivateFolder(const fs::path& folder) {
    Result<int> fd = OpenPrivate(folder, {}, true);
    if (!fd) return fd.error();
    ::close(fd.value());
    return {};
}

Status CheckPrivateFolder(const fs::path& folder) {
    Result<int> fd = OpenPrivate(folder, {}, false);
    if (!fd) return fd.error();
    ::close(fd.value());
    return {};
}

}  // namespace zepo
