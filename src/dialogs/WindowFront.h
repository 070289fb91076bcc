#pragma once
// Bringing the editor to the user when something from outside asks for it, and waiting
// until no modal dialog stands in the way of what it asked for.

#include <QObject>
#include <functional>

class QWidget;

namespace zepo {

// Out of minimised, shown, raised and activated.
void BringToFront(QWidget& window);

// Runs `work` at once when no modal dialog is open, else as soon as none is: a card must not
// be replaced under a dialog that is editing part of it. Dropped when `context` goes.
void RunWhenNoModalDialog(QObject* context, std::function<void()> work);

}  // namespace zepo
