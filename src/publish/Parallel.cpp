#include "publish/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace zepo::publish {

void Progress::Step() {
    std::lock_guard guard(lock_);
    ++done_;
    if (report_) report_(done_, total_);
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
    // A thread that cannot be started (no memory left for its stack) leaves the work to the
    // others: the calling thread always takes part.
    try {
        pool.reserve(threads);
        for (size_t t = 1; t < threads; ++t) pool.emplace_back(run);
    } catch (const std::exception&) {
    }
    run();
    for (auto& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace zepo::publish
