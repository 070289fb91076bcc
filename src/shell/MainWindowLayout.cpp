// The main window's menu bar and button bar, made from the action table, and its status bar.

#include <QAbstractButton>
#include <QActionGroup>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QToolButton>

#include "shell/MainWindow.h"

namespace zepo {

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
                items_.emplace_back(&row, action);
                break;
            }
            case Place::EndSubMenu: inside = nullptr; break;
            case Place::Separator: current->addSeparator(); break;
            case Place::Item: {
                QAction* action = current->addAction(QString::fromUtf8(row.caption));
                action->setObjectName(row.name);
                action->setCheckable(bool(row.ticked));
                action->setShortcuts(row.keys);
                if (*row.tip) action->setStatusTip(QString::fromUtf8(row.tip));
                if (*row.group) {
                    QActionGroup*& group = groups[row.group];
                    if (!group) group = new QActionGroup(this);
                    group->addAction(action);
                }
                items_.emplace_back(&row, action);
                break;
            }
            default: break;  // the bar's rows
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
    QMap<QString, QButtonGroup*> groups;
    for (const ActionRow& entry : MainWindowActions()) {
        switch (entry.place) {
            case Place::Gap: row->addSpacing(8); break;
            case Place::Stretch: row->addStretch(1); break;
            case Place::Button: {
                auto* b = new QToolButton(buttonBar_);
                b->setObjectName(entry.name);
                b->setText(QString::fromUtf8(entry.caption));
                b->setToolTip(QString::fromUtf8(entry.tip));
                // The bar's buttons are 41 pixels wide; a caption that does not fit gets the
                // width its button asks for.
                const bool fits = b->fontMetrics().horizontalAdvance(b->text()) <= 41 - 8;
                b->setFixedSize(fits ? 41 : b->sizeHint().width(), 25);
                b->setCheckable(bool(entry.ticked));
                if (*entry.group) {
                    QButtonGroup*& group = groups[entry.group];
                    if (!group) group = new QButtonGroup(this);
                    group->addButton(b);
                }
                row->addWidget(b);
                buttons_.emplace_back(&entry, b);
                break;
            }
            default: break;  // the menus' rows
        }
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
