#pragma once
// The tools menu, the other menu's switches and the help menu.

#include <QObject>

namespace zepo {

class MainWindow;

class ToolCommands : public QObject {
    Q_OBJECT
public:
    explicit ToolCommands(MainWindow& window);

    // The captions of the tool and help items from the tool table; an optional item without
    // a name is hidden.
    void ApplyToolMenus();
    void ToggleAuto256Color();

private:
    MainWindow& window_;
};

}  // namespace zepo
