#pragma once
// "label n/total" on standard error, rewritten in place, only when standard error is a
// terminal and the work is large enough to wait for; cleared when the object goes.

#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

namespace zepo::cli {

class TerminalProgress {
public:
    TerminalProgress();
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Thread-safe. A new label starts a new line of counting.
    void Show(std::string_view label, size_t done, size_t total);

private:
    bool terminal_ = false, shown_ = false;
    std::chrono::steady_clock::time_point last_;
    std::mutex lock_;
};

}  // namespace zepo::cli
