#include "cli/CardReading.h"

#include <cstdlib>

#include "model/MacroFile.h"
#include "platform/CardFilesOnDisk.h"
#include "render/Fonts.h"
#include "core/TextCodec.h"

namespace zepo::cli {
namespace {

// zepocard answers the reader's questions itself and collects its messages in the
// diagnostics the reader already keeps.
class SilentMessages : public MessageSink {
public:
    void Warn(std::string_view) override {}
    bool Ask(std::string_view) override { return true; }
};

}  // namespace

std::optional<ReadCard> ReadCardFile(const std::filesystem::path& path, std::string& error) {
    error = "cannot read " + path.string();
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) return std::nullopt;
    SjisConversion name = Utf8ToSjis(absolute.filename().string());
    if (!name.ok()) {
        error = path.string() + ": the file name has characters Shift-JIS cannot hold: " + name.lost;
        return std::nullopt;
    }
    error.clear();

    ReadCard result;
    result.lines = SplitLines(*bytes);
    result.hasHeader = HasHeaderMarker(result.lines);
    SilentMessages messages;
    CardFilesOnDisk files(absolute.parent_path());
    QtTextMeasurer measurer;
    ReaderContext context{messages, files, measurer};
    result.outcome = LoadMacro(result.card, result.lines, name.bytes, context);
    return result;
}

std::string ForTerminal(std::string_view sjis) {
    std::string out;
    for (char c : SjisToUtf8(sjis)) {
        if (c == '\r') out += " / ";
        else out += c;
    }
    return out;
}

void UseOffscreenPlatformUnlessSet() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace zepo::cli
