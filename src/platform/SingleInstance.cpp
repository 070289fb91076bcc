#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/UserFolders.h"

namespace zepo {

std::filesystem::path InstanceLockPath() {
    const std::string lock = std::string(kInstanceName) + ".lock";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && CheckPrivateFolder(runtime))
        return std::filesystem::path(runtime) / lock;
    // Without the runtime folder: a folder of our own in the shared temporary folder. One that
    // someone else made there first (to receive the cards a second start hands over) is not used.
    std::error_code ec;
    std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    if (ec) tmp = "/tmp";
    const std::filesystem::path folder = tmp / ("zepoed-" + std::to_string(geteuid()));
    if (!MakePrivateFolder(folder)) return {};
    return folder / lock;
}

SingleInstance::SingleInstance(std::filesystem::path lockFile) : path_(std::move(lockFile)) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) close(fd_);
}

bool SingleInstance::Acquire() {
    if (held_) return true;
    if (path_.empty()) {
        held_ = true;  // no private place to coordinate through
        return true;
    }
    fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    struct stat info {};
    if (fd_ >= 0 && (fstat(fd_, &info) != 0 || info.st_uid != getuid())) {
        // In a shared temporary folder another user could hold a lock of that name and keep
        // this user's editor from ever starting: only a lock file of our own counts.
        close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0) {
        held_ = true;  // nothing to coordinate through; better one editor too many than none
        return true;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        held_ = true;
        return true;
    }
    int err = errno;
    close(fd_);
    fd_ = -1;
    if (err == EWOULDBLOCK) return false;
    held_ = true;
    return true;
}

}  // namespace zepo
