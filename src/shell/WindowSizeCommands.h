#pragma once
// The screen sizes of the view menu: the window locked to the outer size of a player's
// screen (1024 × 768, 800 × 600, 640 × 480), free again ("標準"), or maximised.

#include <QObject>
#include <QSize>
#include <QTimer>

class QWidget;

namespace zepo {

class WindowSizeCommands : public QObject {
    Q_OBJECT
public:
    // `window` is the one whose outer size is locked; `screen` the size of the screen.
    WindowSizeCommands(QWidget& window, QSize screen);

    void Standard();
    void Maximise();
    // Refused silently unless the screen is larger in both directions.
    void Choose(QSize outer);
    // The locked outer size, or an empty size while the window is free.
    QSize locked() const { return locked_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Normal state and the locked outer size (borders, caption and menu included).
    void SnapBack();
    // The locked outer size with the frame as now known.
    void FitFrame();
    void Settle();

    QWidget& window_;
    QSize screen_;
    QSize locked_;
    bool snapPending_ = false;
    static constexpr int kSettleMs = 100;
    static constexpr int kSettleChecks = 10;
    QTimer settle_;
    int settleChecks_ = 0;
};

}  // namespace zepo
