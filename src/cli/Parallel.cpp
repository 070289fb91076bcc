#include "cli/Parallel.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace zepo::cli {

namespace {
constexpr size_t kWorthShowing = 50;
}

struct Progress::State {
    std::string label;
    size_t total = 0;
    size_t done = 0;
    bool shown = false;
    std::chrono::steady_clock::time_point last;
    std::mutex lock;
};

Progress::Progress(std::string label, size_t total) : state_(new State) {
    state_->label = std::move(label);
    state_->total = total;
    state_->shown = total >= kWorthShowing && ::isatty(STDERR_FILENO);
}

Progress::~Progress() {
    if (state_->shown) std::fprintf(stderr, "\r\033[K");
    delete state_;
}

void Progress::Step() {
    std::lock_guard guard(state_->lock);
    ++state_->done;
    if (!state_->shown) return;
    auto now = std::chrono::steady_clock::now();
    // A tenth of a second between updates: the terminal must not slow the work down.
    if (state_->done != state_->total && now - state_->last < std::chrono::milliseconds(100)) return;
    state_->last = now;
    std::fprintf(stderr, "\r%s %zu/%zu", state_->label.c_str(), state_->done, state_->total);
    std::fflush(stderr);
}

void ForEachOnAllCores(size_t count, const std::function<void(size_t)>& work, Progress* progress) {
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto run = [&] {
        try {
            for (size_t i = next++; i < count; i = next++) {
                work(i);
                if (progress) progress->Step();
            }
        } catch (...) {
            // The first failure ends the whole run, in the calling thread.
            std::lock_guard guard(failureLock);
            if (!failure) failure = std::current_exception();
            next = count;
        }
    };
    size_t threads = std::max<size_t>(1, std::thread::hardware_concurrency());
    threads = std::min(threads, count);
    std::vector<std::thread> pool;
    for (size_t t = 1; t < threads; ++t) pool.emplace_back(run);
    run();
    for (auto& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace zepo::cli
