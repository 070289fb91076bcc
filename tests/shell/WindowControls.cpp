#include "WindowControls.h"

#include <gtest/gtest.h>

#include "shell/ActionTable.h"

namespace zepo::test {
namespace {

template <typename T>
T* Named(MainWindow& w, const QString& name) {
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no control named " << name.toStdString();
    return found;
}

const ActionRow* RowNamed(const QString& name) {
    for (const ActionRow& row : MainWindowActions())
        if (name == QLatin1String(row.name) || name == QLatin1String(row.bar.name)) return &row;
    ADD_FAILURE() << name.toStdString() << " is in no row of the action table";
    return nullptr;
}

}  // namespace

WindowControls::WindowControls(MainWindow& w) : window_(w) {
    for (const ActionRow& row : MainWindowActions()) {
        if (row.bar.order >= 0) Named<QToolButton>(w, row.bar.name);
        if ((row.place == Place::Item || row.place == Place::SubMenu) && *row.name) Named<QAction>(w, row.name);
    }
    canvas = Named<CardCanvas>(w, "ImgClient");
    stbFile = Named<QLabel>(w, "stbFile");
    stbMouse = Named<QLabel>(w, "stbMouse");
}

QAction* WindowControls::item(const QString& name) const {
    RowNamed(name);
    return Named<QAction>(window_, name);
}

QToolButton* WindowControls::button(const QString& name) const {
    RowNamed(name);
    return Named<QToolButton>(window_, name);
}

}  // namespace zepo::test
