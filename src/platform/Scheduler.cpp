#include "platform/Scheduler.h"

#include <QTimer>

namespace zepo {

void QtScheduler::After(int milliseconds, std::function<void()> work) {
    QTimer::singleShot(milliseconds, std::move(work));
}

}  // namespace zepo
