#include "publish/SiteFolder.h"

#include <QCryptographicHash>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "publish/TerminalText.h"

namespace zepo::publish {
namespace fs = std::filesystem;
namespace {

// Deeper or more folders below media/ than a site of any set has: not walked, refused.
constexpr int kMaxDepth = 32;
constexpr size_t kMaxFolders = 20000;

// A descriptor closed with its owner.
class Handle {
public:
    explicit Handle(int fd = -1) : fd_(fd) {}
    ~Handle() {
        if (fd_ >= 0) close(fd_);
    }
    Handle(Handle&& other) noexcept : fd_(other.Release()) {}
    Handle& operator=(Handle&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

Handle OpenFolderAt(int at, const char* name) {
    return Handle(openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Why the folder open at `fd` is not fit to be written into, or nothing: another user owns it
// (and could swap what is in it), or anybody may write in it.
std::string Unfit(int fd, const fs::path& shown) {
    struct stat st {};
    const std::string name = "フォルダ「" + ShownName(shown.string()) + "」";
    if (fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) return name + "を調べられません";
    if (st.st_uid != geteuid()) return name + "はほかのユーザーのものなので、書き出しに使いません";
    if (st.st_mode & S_IWOTH) return name + "はほかのユーザーも書き込めるため、書き出しに使いません";
    return {};
}

// The names in the folder open at `fd`, "." and ".." left out.
std::vector<std::string> Entries(int fd) {
    std::vector<std::string> names;
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    DIR* dir = copy < 0 ? nullptr : fdopendir(copy);
    if (!dir) {
        if (copy >= 0) close(copy);
        return names;
    }
    rewinddir(dir);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

// Checks every folder below the one open at `fd` (links are left alone: nothing is written or
// removed through them).
std::string CheckBelow(int fd, const fs::path& shown, int depth, size_t& folders) {
    if (depth > kMaxDepth || ++folders > kMaxFolders)
        return "フォルダ「" + ShownName(shown.string()) + "」の中は深すぎるか多すぎるため、書き出しに使いません";
    for (const std::string& name : Entries(fd)) {
        struct stat st {};
        if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)) continue;
        const Handle sub = OpenFolderAt(fd, name.c_str());
        if (sub.get() < 0) continue;
        std::string why = Unfit(sub.get(), shown / name);
        if (why.empty()) why = CheckBelow(sub.get(), shown / name, depth + 1, folders);
        if (!why.empty()) return why;
    }
    return {};
}

}  // namespace

std::string Sha256OfOpenFile(int fd, uint64_t maxBytes) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_size) > maxBytes) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> buffer(1 << 20);
    uint64_t total = 0;
    ssize_t n = 0;
    off_t at = 0;
    while (total <= maxBytes && (n = pread(fd, buffer.data(), buffer.size(), at)) > 0) {
        hash.addData(QByteArrayView(buffer.data(), n));
        total += uint64_t(n);
        at += n;
    }
    return n == 0 && total <= maxBytes ? hash.result().toHex().toStdString() : std::string();
}

Result<std::shared_ptr<SiteFolder>> SiteFolder::Open(const fs::path& site) {
    Handle root(open(site.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (root.get() < 0) return Fail("フォルダ「" + ShownName(site.string()) + "」を開けません");
    if (std::string why = Unfit(root.get(), site); !why.empty()) return Fail(why);
    size_t folders = 0;
    for (const char* name : {"cards", "pictures", "thumbs", "media"}) {
        const Handle sub = OpenFolderAt(root.get(), name);
        if (sub.get() < 0) continue;  // made later, or no folder: the writes say so
        std::string why = Unfit(sub.get(), site / name);
        if (why.empty() && std::string(name) == "media") why = CheckBelow(sub.get(), site / name, 0, folders);
        if (!why.empty()) return Fail(why);
    }
    return std::shared_ptr<SiteFolder>(new SiteFolder(root.Release()));
}

SiteFolder::~SiteFolder() { close(fd_); }

bool SiteFolder::HoldsAnythingBut(const std::string& except) const {
    for (const std::string& name : Entries(fd_))
        if (name != except) return true;
    return false;
}

bool SiteFolder::RemoveIfAsWritten(const std::string& relative, const WrittenFile& written) const {
    std::vector<std::string> parts;
    for (const fs::path& part : fs::path(relative).relative_path()) parts.push_back(part.string());
    if (parts.empty() || written.sha256.empty() || fs::path(relative).has_root_path()) return false;
    for (const std::string& part : parts)
        if (part.empty() || part == "." || part == "..") return false;
    // The folders on the way, each opened from the one before and checked before it is used.
    std::vector<Handle> folders;
    int at = fd_;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        Handle next = OpenFolderAt(at, parts[i].c_str());
        if (next.get() < 0 || !Unfit(next.get(), parts[i]).empty()) return false;
        at = next.get();
        folders.push_back(std::move(next));
    }
    const char* name = parts.back().c_str();
    const Handle file(openat(at, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {
    }, named{};
    if (file.get() < 0 || fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        uint64_t(opened.st_size) != written.size || Sha256OfOpenFile(file.get(), written.size) != written.sha256)
        return false;
    // Still the file just read under its name (the folder is the user's own: only they could swap it).
    if (fstatat(at, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_dev != opened.st_dev ||
        named.st_ino != opened.st_ino || unlinkat(at, name, 0) != 0)
        return false;
    // Folders of media left empty by it, deepest first; a folder that still holds anything stays.
    if (parts.front() == "media")
        for (size_t i = folders.size(); i-- > 1;)
            if (unlinkat(folders[i - 1].get(), parts[i].c_str(), AT_REMOVEDIR) != 0) break;
    return true;
}

}  // namespace zepo::publish
