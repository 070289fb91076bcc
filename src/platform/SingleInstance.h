#pragma once
// One editor per user: an advisory lock on a file named after "ZEPO_Editor" in a folder only
// the user can enter. The kernel drops the lock when the holder dies, so a crashed editor
// never blocks the next start.

#include <filesystem>

namespace zepo {

inline constexpr const char* kInstanceName = "ZEPO_Editor";

// In $XDG_RUNTIME_DIR when it is set and private, else in "zepoed-UID" of the temporary folder,
// made 0700 and checked to be ours. Empty when there is no such place: the editor then starts
// without looking for another one (better one editor too many than cards handed to a stranger).
std::filesystem::path InstanceLockPath();

class SingleInstance {
public:
    explicit SingleInstance(std::filesystem::path lockFile);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock; false when another process holds it.
    // A lock file that cannot be created at all does not stop the editor.
    bool Acquire();
    bool held() const { return held_; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace zepo
