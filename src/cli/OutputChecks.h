#pragma once
// Where zepocard may write. A picture or a site is made from cards; neither may ever take the
// place of a card or of the file it is made from, nor land outside the folder it was asked for.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "publish/CardLinks.h"

namespace zepo::cli {

// Why `output` must not be written by a command that reads `inputs`: it is a link (LinkAt),
// a card file (".zep" in any case; only normalize writes cards, when told to), or one of the
// inputs (InputAt). Empty when it may be written. UTF-8, for a message.
std::string RefusedOutput(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

// Why `output` must not be written: a link sits at its name, which may lead anywhere (a file
// of the user's someone else pointed it at). Empty when there is none.
std::string LinkAt(const std::filesystem::path& output);

// The cards and every file they name in their folders (pictures, text files, media, other
// cards), found or not yet there: what no output may take the place of.
std::vector<std::filesystem::path> CardsAndTheirFiles(const std::vector<std::filesystem::path>& cards);

// The file a card in `folder` names as `sjisName`, as `found` by LookUpInFolder: its real
// path, or where it would be while it is missing; empty when it is outside the folder.
std::filesystem::path NamedFile(const std::filesystem::path& folder, std::string_view sjisName,
                                const publish::FolderFile& found);

// Why `output` must not be written: it is one of `inputs` under whatever name (".", a link),
// or its name in the input's folder differs only in letter case (the cards find their files
// ignoring case, and would read the output in the input's place). Empty when neither.
std::string InputAt(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

// Outputs named after their inputs (out/main.png for a/main.zep): the first two inputs that
// are different files and would share one output (ASCII case ignored, as a disk of the old
// system or a web server may). The same file named twice is no clash: `repeated[i]` is set
// for every naming after the first, which need not be written again.
std::optional<std::pair<size_t, size_t>> SharedOutput(const std::vector<std::filesystem::path>& inputs,
                                                      const std::vector<std::filesystem::path>& outputs,
                                                      std::vector<bool>& repeated);

}  // namespace zepo::cli
