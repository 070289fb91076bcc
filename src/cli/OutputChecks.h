#pragma once
// Where zepocard may write. A picture or a site is made from cards; neither may ever take the
// place of a card or of the file it is made from, nor land outside the folder it was asked for.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zepo::cli {

// Why `output` must not be written by a command that reads `inputs`: it is a card file
// (".zep" in any case; only normalize writes cards, when told to), or it is one of the inputs
// under whatever name (InputAt). Empty when it may be written. UTF-8, for a message.
std::string RefusedOutput(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

// The cards and every file they name that is found in their folders (pictures, text files,
// media, other cards): what no output may take the place of.
std::vector<std::filesystem::path> CardsAndTheirFiles(const std::vector<std::filesystem::path>& cards);

// Why `output` must not be written: it is one of `inputs` under whatever name (".", a link).
// Empty when it is none of them.
std::string InputAt(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

// Outputs named after their inputs (out/main.png for a/main.zep): the first two inputs that
// are different files and would share one output (ASCII case ignored, as a disk of the old
// system or a web server may). The same file named twice is no clash: `repeated[i]` is set
// for every naming after the first, which need not be written again.
std::optional<std::pair<size_t, size_t>> SharedOutput(const std::vector<std::filesystem::path>& inputs,
                                                      const std::vector<std::filesystem::path>& outputs,
                                                      std::vector<bool>& repeated);

}  // namespace zepo::cli
