#pragma once
// What the editor needs of the outside world (EditorWindows, and the commands through their
// CommandContext). main() passes the real ones; the tests pass recording fakes, so that no
// test ever waits on a message box, a modal dialog, a file dialog or the clock.

#include <QSize>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/UserFolders.h"

namespace zepo {

class Prompts;
class DialogRunner;
class FileChooser;
class Launcher;
class Scheduler;

struct ShellServices {
    Prompts& prompts;
    DialogRunner& dialogs;
    FileChooser& files;
    Launcher& launcher;
    Scheduler& scheduler;
    std::filesystem::path programFolder;  // where the program file is (and a portable ZEPOED.INI)
    std::vector<std::string> arguments;   // the command line without the program name
    QSize screen;                         // the size of the screen the card is made for
    // The compressed help file and a writable collection file for the help engine; empty:
    // found beside the program, and kept in the user's cache folder.
    QString helpFile = {};
    QString helpCollection = {};
    // The user's settings file, recovery folder and home; empty ones are not used.
    UserPlaces user = {};
};

}  // namespace zepo
