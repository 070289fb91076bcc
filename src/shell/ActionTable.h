#pragma once
// Every menu item and every button of the main window, declared once: where it sits, the object
// name the tests and the manual find it by, its caption, what ticks it, its keys and what it
// does. The menus, the button bar, the check marks and the tests' look-up of controls are all
// made from this one table. A new menu item is one row here, plus the function of its command
// class when it does something new.

#include <QKeySequence>
#include <QList>
#include <functional>
#include <optional>
#include <vector>

namespace zepo {

class CardDocument;
class CardFileCommands;
class FeatureCommands;
class HelpCommands;
class PasteCommands;
class ScreenPictureCommands;
class ToolCommands;
class ViewCommands;
class WindowSizeCommands;
struct ShellSettings;
enum class Tool;

// What a row reaches: the open card, the settings in force and one object per menu's commands.
struct Commands {
    CardDocument& document;
    ShellSettings& settings;
    CardFileCommands& cardFile;
    PasteCommands& paste;
    ViewCommands& view;
    FeatureCommands& features;
    ToolCommands& tools;
    HelpCommands& help;
    WindowSizeCommands& windowSize;
    ScreenPictureCommands& screenPictures;
};

enum class Place {
    Menu,     // a menu of the menu bar; the items that follow are in it
    SubMenu,  // a menu inside the current one, up to EndSubMenu
    EndSubMenu,
    Item,
    Separator,
    Button,   // a button of the bar
    Gap,      // a small space in the bar
    Stretch,  // the rest of the bar's width
};

struct ActionRow {
    using Run = std::function<void(Commands&)>;
    using Test = std::function<bool(const Commands&)>;

    Place place = Place::Item;
    const char* name = "";     // the control's objectName
    const char* caption = "";  // UTF-8
    Run run;                   // what choosing it does
    Test ticked;               // set: the control can be ticked, and is while this holds
    Test enabled;              // set: usable only while this holds
    QList<QKeySequence> keys;
    const char* tip = "";    // an item's status tip, a button's tool tip
    const char* group = "";  // rows of one name are exclusive (one ticked)
    // The caption is the tool table's name of this tool; `hideUnnamed`: hidden while it has none.
    std::optional<Tool> toolCaption;
    bool hideUnnamed = false;

    ActionRow&& Keys(QKeySequence::StandardKey key) && {
        keys = QKeySequence::keyBindings(key);
        return std::move(*this);
    }
    // Keys the desktop's standard binding may lack, added after it.
    ActionRow&& AlsoKeys(const QList<QKeySequence>& more) && {
        for (const QKeySequence& key : more)
            if (!keys.contains(key)) keys.append(key);
        return std::move(*this);
    }
    ActionRow&& Tip(const char* text) && {
        tip = text;
        return std::move(*this);
    }
    ActionRow&& Group(const char* exclusive) && {
        group = exclusive;
        return std::move(*this);
    }
    ActionRow&& EnabledWhen(Test test) && {
        enabled = std::move(test);
        return std::move(*this);
    }
    ActionRow&& NamedByTool(Tool tool, bool hiddenWithoutName) && {
        toolCaption = tool;
        hideUnnamed = hiddenWithoutName;
        return std::move(*this);
    }
};

// The rows in the order the menus and the bar show them.
const std::vector<ActionRow>& MainWindowActions();

}  // namespace zepo
