#include "shell/WindowSizeCommands.h"

#include <QAction>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace zepo {

WindowSizeCommands::WindowSizeCommands(QWidget& window, QSize screen, const Items& items)
    : window_(window), screen_(screen), items_(items), ticked_(items.standard) {
    connect(items.standard, &QAction::triggered, this, [this] { Standard(); });
    connect(items.maximise, &QAction::triggered, this, [this] { Maximise(); });
    connect(items.size1024, &QAction::triggered, this, [this] { Choose(items_.size1024, {1024, 768}); });
    connect(items.size800, &QAction::triggered, this, [this] { Choose(items_.size800, {800, 600}); });
    connect(items.size640, &QAction::triggered, this, [this] { Choose(items_.size640, {640, 480}); });
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

void WindowSizeCommands::Tick(QAction* item) {
    ticked_ = item;
    item->setChecked(true);  // the items form an exclusive group
}

void WindowSizeCommands::Standard() {
    // The window keeps its state and size; it is only free again.
    Tick(items_.standard);
    locked_ = QSize();
}

void WindowSizeCommands::Maximise() {
    Standard();
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

void WindowSizeCommands::Choose(QAction* item, QSize outer) {
    const QSize screen = screen_;
    if (screen.width() <= outer.width() || screen.height() <= outer.height()) {
        // The click ticked the item already; the choice in force stays ticked.
        Tick(ticked_);
        return;
    }
    Tick(item);
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
