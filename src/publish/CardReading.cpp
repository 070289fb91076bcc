#include "publish/CardReading.h"

#include <cstdlib>

#include "core/TextCodec.h"
#include "document/CardFile.h"
#include "platform/PictureCache.h"
#include "publish/TerminalText.h"
#include "render/Fonts.h"

namespace zepo::publish {
namespace {

// zepocard answers the reader's questions itself and collects its messages in the
// diagnostics the reader already keeps.
class SilentMessages : public MessageSink {
public:
    void Warn(std::string_view) override {}
    bool Ask(std::string_view) override { return true; }
};

}  // namespace

std::optional<ReadCard> ReadCardFile(const std::filesystem::path& path, std::string& error, bool pixels) {
    auto read = ReadCardFileText(path);
    if (const OpenProblem* problem = std::get_if<OpenProblem>(&read)) {
        if (*problem == OpenProblem::NameNotShiftJis)
            error = ShownName(path.string()) + ": ファイル名に Shift-JIS にない文字があります: " +
                    ShownName(Utf8ToSjis(path.filename().string()).lost);
        else error = ShownName(path.string()) + " を読めません";
        return std::nullopt;
    }
    error.clear();
    CardFileText& text = std::get<CardFileText>(read);
    ReadCard result;
    result.hasHeader = text.hasHeader;
    SilentMessages messages;
    QtTextMeasurer measurer;
    result.outcome = LoadCardText(result.card, text, messages, measurer, {&PictureCache::Shared(), pixels});
    result.lines = std::move(text.lines);  // a copy would double what a big card costs
    return result;
}

std::string ForTerminal(std::string_view sjis) {
    std::string out;
    for (char c : SjisToUtf8(sjis)) {
        if (c == '\r') out += " / ";
        else out += c;
    }
    return Printable(out);
}

std::string MissingMarkerNote() { return ForTerminal(Sjis("ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。")); }

std::vector<std::string> ReaderProblems(const std::string& shown, const ReadCard& read) {
    std::vector<std::string> lines;
    for (const auto& d : read.outcome.diagnostics)
        if (d.kind == ReadNote::Message || d.kind == ReadNote::Stopped || d.kind == ReadNote::NoFreeSlot)
            lines.push_back(Printable(shown) + ":" + std::to_string(d.line) + ": " + ForTerminal(d.text));
    return lines;
}

void UseOffscreenPlatformUnlessSet() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace zepo::publish
