#include "document/CardFile.h"

#include <system_error>

#include "core/AtomicFile.h"
#include "model/MacroFile.h"
#include "model/MacroWriter.h"
#include "platform/CardFilesOnDisk.h"
#include "platform/Folders.h"

namespace zepo {

std::variant<CardFileText, OpenProblem> ReadCardFileText(const std::filesystem::path& chosen) {
    std::error_code ec;
    CardFileText text;
    text.file = std::filesystem::absolute(chosen, ec);
    std::optional<std::string> name = SjisNameOfPath(text.file.filename());
    if (!name) return OpenProblem::NameNotShiftJis;
    std::optional<std::vector<std::string>> lines;
    if (!ec) lines = ReadFileLines(text.file);
    if (!lines) return OpenProblem::Unreadable;
    text.sjisName = std::move(*name);
    text.folder = WithoutTrailingSeparator(text.file.parent_path());
    text.lines = std::move(*lines);
    text.hasHeader = HasHeaderMarker(text.lines);
    return text;
}

LoadOutcome LoadCardText(Card& card, const CardFileText& text, MessageSink& messages, TextMeasurer& measurer,
                         PictureReading pictures) {
    CardFilesOnDisk files(text.folder, pictures);
    ReaderContext context{messages, files, measurer};
    return LoadMacro(card, text.lines, text.sjisName, context);
}

Card WithDefaultTitle(Card card) {
    SupplyDefaultTitle(card);
    return card;
}

Result<std::vector<std::string>> CardLines(const Card& card) { return WriteMacro(card); }

Status WriteCardFile(const std::filesystem::path& target, const std::vector<std::string>& lines, AtLink atLink) {
    return WriteFileAtomically(target, JoinMacroLines(lines), FileAccess::Shared, atLink);
}

}  // namespace zepo
