#pragma once
// Every command of the main window, declared once: what it does, what ticks and enables it, its
// keys, and where it sits: an item of a menu, a button of the bar, or both. Each row becomes one
// QAction; the menu item is that action and the bar's button shows it (its caption, tick and
// state follow the action). The object names the tests and the manual find the controls by are
// on the widgets. A new command is one row here, plus the function of its command class when it
// does something new.

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
    Item,  // a command: in the current menu when it has a name, on the bar when it has a button
    Separator,
};

// What lies between a bar button and the one left of it.
enum class BarSpace { None, Gap, Stretch };

// A command's button on the bar.
struct BarButton {
    int order = -1;            // its place from the left; below zero: not on the bar
    const char* name = "";     // the button's objectName
    const char* caption = "";  // UTF-8, short
    const char* tip = "";
    BarSpace before = BarSpace::None;
};

struct ActionRow {
    using Run = std::function<void(Commands&)>;
    using Test = std::function<bool(const Commands&)>;

    Place place = Place::Item;
    const char* name = "";     // the menu item's objectName; empty: a command of the bar alone
    const char* caption = "";  // UTF-8
    Run run;                   // what choosing it does
    Test ticked;               // set: the control can be ticked, and is while this holds
    Test enabled;              // set: usable only while this holds
    QList<QKeySequence> keys;
    const char* tip = "";    // the menu item's status tip
    const char* group = "";  // rows of one name are exclusive (one ticked)
    BarButton bar;
    // The caption is the tool table's name of this tool; `hideUnnamed`: hidden while it has none.
    std::optional<Tool> toolCaption;
    bool hideUnnamed = false;

    // The command's name among the window's: its menu item's, or else its button's.
    const char* id() const { return *name ? name : bar.name; }

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
    ActionRow&& OnBar(int order, const char* button, const char* caption, const char* tip,
                      BarSpace before = BarSpace::None) && {
        bar = {order, button, caption, tip, before};
        return std::move(*this);
    }
    ActionRow&& NamedByTool(Tool tool, bool hiddenWithoutName) && {
        toolCaption = tool;
        hideUnnamed = hiddenWithoutName;
        return std::move(*this);
    }
};

// The rows in the order the menus show them; the bar's buttons are in their own order.
const std::vector<ActionRow>& MainWindowActions();

}  // namespace zepo
