#pragma once
// Every control carries its name as its object name, so that whoever scripts a dialog (the
// tests, a reader of the widget tree) finds it with findChild without reaching into the class.

#include <QString>

namespace zepo {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace zepo
