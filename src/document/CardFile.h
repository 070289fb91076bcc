#pragma once
// Opening and saving a card file, the same for the editor and for zepocard: what the open
// command reads and the reader makes of it, and what the save command writes and how.

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Result.h"
#include "model/Card.h"
#include "model/Environment.h"
#include "model/MacroReader.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo {

// A card file as read from disk, before the reader builds a card from it.
struct CardFileText {
    std::filesystem::path file;    // absolute
    std::filesystem::path folder;  // the folder holding it: the save folder of the card
    std::string sjisName;          // the file name in Shift-JIS; the card's name comes from it
    std::vector<std::string> lines;
    bool hasHeader = true;  // the editor's marker line is there
};

enum class OpenProblem {
    // The card's name is its file's name: one that Shift-JIS cannot hold would name a
    // different file when the card is saved again.
    NameNotShiftJis,
    Unreadable,
};

std::variant<CardFileText, OpenProblem> ReadCardFileText(const std::filesystem::path& file);

// Builds the card from the file's lines (the card is reset first); pictures and text files
// are found in the file's folder.
LoadOutcome LoadCardText(Card& card, const CardFileText& text, MessageSink& messages, TextMeasurer& measurer,
                         PictureReading pictures = {});

// The card as saving writes it: a main card without a title gets the default title.
Card WithDefaultTitle(Card card);
// The lines of the card's file. The error is the writer's Shift-JIS message.
Result<std::vector<std::string>> CardLines(const Card& card);

// Writes the lines as a card file, whole or not at all: an existing file is replaced only
// when every byte is on disk, a read-only card is refused, a link only followed when told
// (AtLink). The error says why (in the system's words, UTF-8).
Status WriteCardFile(const std::filesystem::path& target, const std::vector<std::string>& lines,
                     AtLink atLink = AtLink::Refuse);

}  // namespace zepo
