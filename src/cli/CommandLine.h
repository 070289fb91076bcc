#pragma once
// zepocard's command line, `zepocard COMMAND [OPTION]... ARGUMENT...`, read by one parser for
// every command as Linux programs read theirs: `--opt=value` and `--opt value` alike, options
// before or after the arguments, `--` ends the options, `-h`/`--help` anywhere.

#include <string>
#include <variant>
#include <vector>

#include "cli/Options.h"

namespace zepo::cli {

// What is printed instead of running a command: help and the version go to standard output
// (exit 0), a usage error to standard error (exit 2).
struct Reply {
    std::string text;
    int exitCode = 0;
};

using CommandOptions =
    std::variant<NormalizeOptions, CheckOptions, ReduceOptions, RenderOptions, ExportOptions, MapOptions>;

// `arguments` are the bytes the shell passed, without the program name.
std::variant<Reply, CommandOptions> ReadCommandLine(const std::vector<std::string>& arguments);

// Prints the reply where it belongs and returns its exit code; 2 when standard output could not
// take the help.
int Answer(const Reply& reply);

// Runs the command the options are for. Needs the application object (fonts, pictures).
int RunCommand(const CommandOptions& options);

}  // namespace zepo::cli
