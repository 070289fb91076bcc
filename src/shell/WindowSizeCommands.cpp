#include "shell/WindowSizeCommands.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace zepo {

WindowSizeCommands::WindowSizeCommands(QWidget& window, QSize screen) : window_(window), screen_(screen) {
    window.installEventFilter(this);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] {
        if (--settleChecks_ <= 0) settle_.stop();
        FitFrame();
    });
}

void WindowSizeCommands::Settle() {
    // The window manager makes the frame known, or changes it as the window leaves the
    // maximised state (borders come back), only some time after: look again until then.
    settleChecks_ = kSettleChecks;
    settle_.start();
}

void WindowSizeCommands::Standard() {
    // The window keeps its state and size; it is only free again.
    locked_ = QSize();
}

void WindowSizeCommands::Maximise() {
    Standard();
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

void WindowSizeCommands::Choose(QSize outer) {
    const QSize screen = screen_;
    // Refused: the choice in force stays (and stays ticked).
    if (screen.width() <= outer.width() || screen.height() <= outer.height()) return;
    locked_ = outer;
    SnapBack();
    Settle();
}

void WindowSizeCommands::SnapBack() {
    snapPending_ = false;
    if (locked_.isEmpty()) return;
    if (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        window_.setWindowState(window_.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        Settle();
    }
    FitFrame();
}

void WindowSizeCommands::FitFrame() {
    if (locked_.isEmpty()) return;
    // The frame the window manager adds is known only once the window is shown; before that
    // the outer size is the window's own.
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    const QSize inner = locked_ - frame;
    if (window_.size() != inner) window_.resize(inner);
}

bool WindowSizeCommands::eventFilter(QObject* watched, QEvent* event) {
    const bool resized = event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange;
    if (watched == &window_ && resized && !locked_.isEmpty() && !snapPending_) {
        // After the event: resizing inside the window system's own resize would be undone by it.
        snapPending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { SnapBack(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zepo
