// The main window's menu bar and button bar, made from the action table, and its status bar.

#include <QActionGroup>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QToolButton>
#include <map>

#include "shell/MainWindow.h"

namespace zepo {

namespace {

// The action of a command row, as the menu and the bar show it.
QAction* MakeAction(const ActionRow& row, QObject* parent) {
    auto* action = new QAction(QString::fromUtf8(row.caption), parent);
    action->setObjectName(row.id());
    action->setCheckable(bool(row.ticked));
    action->setShortcuts(row.keys);
    if (*row.tip) action->setStatusTip(QString::fromUtf8(row.tip));
    if (row.bar.order >= 0) {
        action->setIconText(QString::fromUtf8(row.bar.caption));
        action->setToolTip(QString::fromUtf8(row.bar.tip));
    }
    return action;
}

}  // namespace

void MainWindow::BuildMenus() {
    QMenu* menu = nullptr;    // the menu bar's menu being filled
    QMenu* inside = nullptr;  // its submenu, while one is open
    QMap<QString, QActionGroup*> groups;
    for (const ActionRow& row : MainWindowActions()) {
        QMenu* current = inside ? inside : menu;
        switch (row.place) {
            case Place::Menu: menu = menuBar()->addMenu(QString::fromUtf8(row.caption)); break;
            case Place::SubMenu: {
                inside = menu->addMenu(QString::fromUtf8(row.caption));
                inside->setObjectName(row.name);
                QAction* action = inside->menuAction();
                action->setObjectName(row.name);
                action->setCheckable(true);  // ticked while any slot of the kind is in use
                actions_.emplace_back(&row, action);
                break;
            }
            case Place::EndSubMenu: inside = nullptr; break;
            case Place::Separator: current->addSeparator(); break;
            case Place::Item: {
                // A menu's items belong to it; a command of the bar alone to the window.
                QAction* action = MakeAction(row, *row.name ? static_cast<QObject*>(current) : this);
                if (*row.name) current->addAction(action);
                if (*row.group) {
                    QActionGroup*& group = groups[row.group];
                    if (!group) group = new QActionGroup(this);
                    group->addAction(action);
                }
                actions_.emplace_back(&row, action);
                break;
            }
        }
    }
}

void MainWindow::BuildButtonBar() {
    buttonBar_ = new QWidget(this);
    buttonBar_->setObjectName("pnlButtonBar");
    buttonBar_->setFixedHeight(30);
    auto* row = new QHBoxLayout(buttonBar_);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    std::map<int, std::pair<const BarButton*, QAction*>> onBar;  // by their place from the left
    for (auto [entry, action] : actions_)
        if (entry->bar.order >= 0) onBar[entry->bar.order] = {&entry->bar, action};
    for (auto [order, button] : onBar) {
        auto [place, action] = button;
        if (place->before == BarSpace::Gap) row->addSpacing(8);
        if (place->before == BarSpace::Stretch) row->addStretch(1);
        auto* b = new QToolButton(buttonBar_);
        b->setObjectName(place->name);
        b->setDefaultAction(action);
        // The bar's buttons are 41 pixels wide; a caption that does not fit gets the width its
        // button asks for.
        const bool fits = b->fontMetrics().horizontalAdvance(b->text()) <= 41 - 8;
        b->setFixedSize(fits ? 41 : b->sizeHint().width(), 25);
        row->addWidget(b);
    }
}

void MainWindow::BuildStatusBar() {
    statusBar_ = new QWidget(this);
    statusBar_->setObjectName("pnlStatasBar");
    auto* row = new QHBoxLayout(statusBar_);
    row->setContentsMargins(2, 1, 2, 1);
    folderLabel_ = new QLabel(statusBar_);
    folderLabel_->setObjectName("stbFile");
    folderLabel_->setTextFormat(Qt::PlainText);  // a folder's name, whatever it looks like
    folderLabel_->setFrameShape(QFrame::Panel);
    folderLabel_->setFrameShadow(QFrame::Sunken);
    mouseLabel_ = new QLabel("1000:1000", statusBar_);
    mouseLabel_->setObjectName("stbMouse");
    mouseLabel_->setFrameShape(QFrame::Panel);
    mouseLabel_->setFrameShadow(QFrame::Sunken);
    mouseLabel_->setFixedWidth(103);
    row->addWidget(folderLabel_, 1);
    row->addWidget(mouseLabel_);
}

}  // namespace zepo
