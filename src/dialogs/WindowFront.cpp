#include "dialogs/WindowFront.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace zepo {
namespace {

constexpr int kModalPollMs = 200;

}  // namespace

void BringToFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void RunWhenNoModalDialog(QObject* context, std::function<void()> work) {
    if (!QApplication::activeModalWidget()) {
        work();
        return;
    }
    QTimer::singleShot(kModalPollMs, context,
                       [context, work = std::move(work)]() mutable { RunWhenNoModalDialog(context, std::move(work)); });
}

}  // namespace zepo
