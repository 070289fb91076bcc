#include "editors/TextBlockEditor.h"

#include <QString>

#include <algorithm>

#include "core/Moji.h"
#include "core/TextCodec.h"
#include "editors/TextChecks.h"
#include "model/Card.h"
#include "model/Environment.h"
#include "model/Layout.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo {
namespace {

TextBlockValues ValuesOf(const Slot& s, bool isNew) {
    TextBlockValues v;
    v.file = s.block.fileName;
    v.direction = s.block.direction;
    v.x = s.block.direction != 0 ? s.bounds.right() : s.bounds.left;
    v.y = s.bounds.top;
    v.typeface = static_cast<int>(s.font.face);
    v.bold = s.font.bold;
    v.italic = s.font.italic;
    v.height = s.font.height;
    v.linePitch = s.block.linePitch;
    v.color = s.block.color;
    v.toFront = isNew;
    return v;
}

// Text beyond ASCII that is well-formed UTF-8 throughout. Shift-JIS text of any length is
// never that: its two-byte characters and half-width kana do not form UTF-8 sequences.
bool WrittenInUtf8(const std::vector<std::string>& lines) {
    const auto beyondAscii = [](const std::string& l) {
        return std::any_of(l.begin(), l.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };
    return std::any_of(lines.begin(), lines.end(), beyondAscii) &&
           std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return IsUtf8(l); });
}

}  // namespace

void TextBlockEditor::StartNew(Slot& s) {
    s.bounds.left = s.bounds.top = 10;
    s.font = FontSpec{Typeface::Mincho, 12, false, false};
    dialog_.Reset();
}

void TextBlockEditor::Show(const Slot& s, bool isNew) {
    dialog_.Load(ValuesOf(s, isNew));
    dialog_.Activate();
}

Applied TextBlockEditor::WriteInto(Slot& s, TextBlockValues v, bool) {
    if (v.file.empty()) {
        messages_.Warn(Sjis("文字ファイルが指定されていません"));
        return Applied::Refused;
    }
    const std::string fileName = CutBytes(v.file, kShortTextBytes);
    std::optional<std::vector<std::string>> read_lines =
        CardFilesOnDisk(saveFolder_ ? saveFolder_() : std::filesystem::path(".")).ReadTextLines(fileName);
    if (!read_lines) {
        messages_.Warn(fileName + Sjis(" が読めません"));
        return Applied::AskAgain;
    }
    // A file saved as UTF-8 would show as garbled characters on the card and in the player.
    // Placing it would only hide that until the show; the user is told how to mend the file.
    if (WrittenInUtf8(*read_lines)) {
        messages_.Warn(
            fileName +
            Sjis(" は Shift-JIS ではなく UTF-8 で書かれています。\r文字コードを Shift-JIS にして保存し直してください"));
        // The dialog comes back as the user left it: another file, or this one once mended.
        return Applied::AskAgain;
    }
    const SharedLines lines(std::move(*read_lines));
    if (IsLatin(v.typeface) && RefuseLatin(lines.get(), messages_)) v.typeface = 0;
    const FontSpec font{static_cast<Typeface>(v.typeface), v.height, v.bold, v.italic};
    if (v.direction != 0 && RefuseVertical(lines.get(), v.typeface, messages_, /*both=*/true)) v.direction = 0;
    const bool vertical = v.direction != 0;
    const TextBlockLayout layout = LayoutTextBlock(lines.get(), font, v.linePitch, vertical, measurer_);

    const int oldDirection = s.block.direction;
    long long left = v.x;
    if (vertical && oldDirection != 0) left -= layout.size.width;         // x is the right edge
    else if (!vertical && oldDirection != 0) left -= layout.size.height;  // keeps the left edge
    s.block.fileName = fileName;
    s.block.fileMissing = false;
    s.lines = lines;
    s.font = font;
    s.block.color = v.color;
    s.block.linePitch = v.linePitch;
    // Lines of no width (empty ones) never replace the widest line the block had.
    if (layout.widestWidth > 0) s.block.widestLine = lines[layout.widestIndex];
    s.bounds = {std::max(0, SaturatedInt(left)), std::max(0, v.y), layout.size.width, layout.size.height};
    s.block.direction = v.direction;
    return Applied::Done;
}

}  // namespace zepo
