#pragma once
// Runs a piece of work once after a delay, on the user-interface thread. Tests replace it
// to fire the start-up sequence at once and to see the delay that was asked for.

#include <functional>

namespace zepo {

class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual void After(int milliseconds, std::function<void()> work) = 0;
};

class QtScheduler : public Scheduler {
public:
    void After(int milliseconds, std::function<void()> work) override;
};

}  // namespace zepo
