#pragma once
// Reading a card file the way the editor's open command does, without a window.

#include <filesystem>
#include <string>
#include <vector>

#include "model/Card.h"
#include "model/MacroReader.h"

namespace zepo::publish {

struct ReadCard {
    Card card;
    std::vector<std::string> lines;  // the file's lines as loaded
    bool hasHeader = true;
    LoadOutcome outcome;
};

// Nothing when the file cannot be read or its name cannot be a card name (the card name
// comes from the file name, and a name Shift-JIS cannot hold would be written differently);
// `error` then says why.
// Pictures come through the process's PictureCache: with `pixels` off the card holds their
// sizes only (what checking needs; RenderCardPicture fetches the pixels again), so that a
// set of any number of cards costs the same memory. Running out of memory throws
// std::bad_alloc.
std::optional<ReadCard> ReadCardFile(const std::filesystem::path& path, std::string& error, bool pixels = true);

// A Shift-JIS text for the terminal: UTF-8, line breaks (CR) as " / ", Printable.
std::string ForTerminal(std::string_view sjis);

// What every command says of a card without the editor's marker line: a hand-made card is
// a correct card, so this is a note (the editor asks before reading one; zepocard reads it).
std::string MissingMarkerNote();

// The reader's messages that leave the card drawn without something (a picture or text file
// that cannot be read, a stop, an object beyond the last free slot), as "FILE:LINE: text" lines for standard error.
std::vector<std::string> ReaderProblems(const std::string& shown, const ReadCard& read);

// Makes Qt work without a display: zepocard never opens a window.
void UseOffscreenPlatformUnlessSet();

}  // namespace zepo::publish
