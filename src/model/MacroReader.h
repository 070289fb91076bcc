#pragma once
// Reads a macro file back into the card, statement by statement.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/Card.h"
#include "model/Environment.h"

namespace zepo {

// One line split into its keyword and the parts of at most four arguments.
// argN is argument N up to its first comma, argNRest what follows; arg2Whole is argument 2
// whole.
struct ParsedLine {
    std::string keyword;
    std::string arg1, arg1Rest;
    std::string arg2Whole, arg2, arg2Rest;
    std::string arg3, arg3Rest;
    std::string arg4, arg4Rest;
    bool comment = false;
};

ParsedLine ParseMacroLine(std::string_view line);

enum class ReadNote {
    Message,            // a message the editor shows while reading
    UnknownStatement,   // a keyword the reader does not know
    IgnoredStatement,   // a known statement that had no effect (before "card", a second "card" …)
    NoFreeSlot,         // an object statement ignored because every slot of its kind is taken
    LinkBreaksOnSave,   // a file named with a folder: read, but saving keeps only the bare name
    DroppedSlideEntry,  // a slide entry without ".zep"
    Stopped,            // reading stopped at this line
};
constexpr size_t kReadNoteKinds = 7;
// Notes of one kind past this many are only counted.
constexpr size_t kMaxNotesPerKind = 1000;

struct ReadDiagnostic {
    int line = 0;  // 1-based
    ReadNote kind = ReadNote::Message;
    std::string text;  // Shift-JIS
};

// The line (1-based) each part of the card was last set from, 0 where no statement set it: the
// card says what links it holds, these say where the user wrote them.
struct SourceLines {
    std::array<int, kSlotCount> objects{};  // by slot id
    std::array<int, kButtonCount> buttons{};
    std::array<int, kFeatureCount> features{};
    int movie2 = 0;
    std::vector<int> slides;  // one per entry of the card's slide list
};

struct LoadOutcome {
    bool completed = true;  // false when a number stopped the reading (no preview refresh then)
    SourceLines sources;
    std::vector<ReadDiagnostic> diagnostics;
    std::array<size_t, kReadNoteKinds> omitted{};  // notes left out, by kind
};

struct ReaderContext {
    MessageSink& messages;
    CardFiles& files;
    TextMeasurer& measurer;
};

// Resets the card and rebuilds it from the lines. `cardFileName` is the macro file's bare
// name (Shift-JIS); the card name is that name without its last four bytes.
LoadOutcome LoadMacro(Card& card, const std::vector<std::string>& lines, std::string_view cardFileName,
                      ReaderContext& context);

}  // namespace zepo
