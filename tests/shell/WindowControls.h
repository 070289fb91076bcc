#pragma once
// The main window's controls as a test finds them: by the object names of the action table,
// the names users and readers know them by.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QString>
#include <QToolButton>

#include "canvas/CardCanvas.h"
#include "model/Card.h"
#include "shell/MainWindow.h"

namespace zepo::test {

struct WindowControls {
    // Finds every control of the table in the window (a missing one fails the test).
    explicit WindowControls(MainWindow& w);

    // A menu item (or a kind's submenu, ticked while one of its slots is in use) of the table.
    QAction* item(const QString& name) const;
    QToolButton* button(const QString& name) const;

    CardCanvas* canvas;
    QLabel *stbFile, *stbMouse;

private:
    MainWindow& window_;
};

}  // namespace zepo::test
