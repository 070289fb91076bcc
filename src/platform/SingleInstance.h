#pragma once
// One editor per user: an advisory lock on a file named after "ZEPO_Editor" in the user's
// runtime folder. The kernel drops the lock when the holder dies, so a crashed editor never
// blocks the next start.

#include <filesystem>

namespace zepo {

inline constexpr const char* kInstanceName = "ZEPO_Editor";

// $XDG_RUNTIME_DIR, or the temporary folder with the user id in the name when it is unset.
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
