#pragma once
// Work over a whole card set on every core, telling how far it is.

#include <cstddef>
#include <functional>
#include <mutex>

namespace zepo::publish {

// Told `done` of `total` after each item; never two calls at once.
using ProgressReport = std::function<void(size_t done, size_t total)>;

// Counts finished items for a report that may be empty.
class Progress {
public:
    Progress(ProgressReport report, size_t total) : report_(std::move(report)), total_(total) {}
    void Step();  // thread-safe

private:
    ProgressReport report_;
    size_t total_ = 0, done_ = 0;
    std::mutex lock_;
};

// Calls work(i) for i in 0..count-1 on as many threads as there are cores (at most one per
// item). Items must be independent; each thread gets them in turn from a shared counter.
void ForEachOnAllCores(size_t count, const std::function<void(size_t)>& work, Progress* progress = nullptr);

}  // namespace zepo::publish
