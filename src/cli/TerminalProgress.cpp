#include "cli/TerminalProgress.h"

#include <unistd.h>

#include <cstdio>

namespace zepo::cli {
namespace {
constexpr size_t kWorthShowing = 50;
}

TerminalProgress::TerminalProgress() : terminal_(::isatty(STDERR_FILENO)) {}

TerminalProgress::~TerminalProgress() {
    if (shown_) std::fprintf(stderr, "\r\033[K");
}

void TerminalProgress::Show(std::string_view label, size_t done, size_t total) {
    if (!terminal_ || total < kWorthShowing) return;
    std::lock_guard guard(lock_);
    const auto now = std::chrono::steady_clock::now();
    // A tenth of a second between updates: the terminal must not slow the work down.
    if (shown_ && done != total && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r\033[K%.*s %zu/%zu", int(label.size()), label.data(), done, total);
    std::fflush(stderr);
}

}  // namespace zepo::cli
