#pragma once
// Work over a whole card set on every core, with a progress line on a terminal.

#include <cstddef>
#include <functional>
#include <string>

namespace zepo::cli {

// "label n/total" on standard error, rewritten in place, only when standard error is a
// terminal and the set is large enough to wait for; cleared when done.
class Progress {
public:
    Progress(std::string label, size_t total);
    ~Progress();
    void Step();  // thread-safe

private:
    struct State;
    State* state_;
};

// Calls work(i) for i in 0..count-1 on as many threads as there are cores (at most one per
// item). Items must be independent; each thread gets them in turn from a shared counter.
void ForEachOnAllCores(size_t count, const std::function<void(size_t)>& work, Progress* progress = nullptr);

}  // namespace zepo::cli
