#pragma once
// The command-line switches: "/c" makes the current folder the save folder, "/a" lets the
// tool settings dialog write the settings file. Whole arguments, ASCII case ignored. A card
// file named on the command line (what the file manager's "open with" passes) is opened at
// start-up instead of asking for one.

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace zepo {

struct Switches {
    bool currentFolderAsSaveFolder = false;  // /c
    bool writeSettings = false;              // /a
    std::filesystem::path card;              // the first argument ending in ".zep", absolute
};

// `arguments` without the program name.
Switches ParseSwitches(const std::vector<std::string>& arguments);

// What is printed instead of starting the editor: help and the version on standard output
// (exit 0), a usage error on standard error (exit 2).
struct StartReply {
    std::string text;
    int exitCode = 0;
};
// The command line as Linux programs read theirs, before any window or display is needed:
// -h/--help and --version are answered, any other option is an error; `--` ends the options.
// Otherwise the arguments for ParseSwitches ("/c", "/a" and a card), in their order.
std::variant<StartReply, std::vector<std::string>> ReadStartCommandLine(const std::vector<std::string>& arguments,
                                                                        const std::string& version);
// Prints the reply where it belongs and returns its exit code.
int AnswerStart(const StartReply& reply);

}  // namespace zepo
