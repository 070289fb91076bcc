#include "model/MacroFile.h"

#include "core/TextCodec.h"

namespace zepo {

std::vector<std::string> SplitLines(std::string_view bytes) {
    LineSplitter splitter;
    splitter.Feed(bytes);
    return splitter.Finish();
}

void LineSplitter::Feed(std::string_view bytes) {
    if (lines_.size() >= maxLines_) ended_ = true;
    if (ended_) return;
    size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
        ended_ = true;
    }
    size_t start = 0;
    if (afterCr_ && !bytes.empty() && bytes[0] == '\n') start = 1;
    if (!bytes.empty()) afterCr_ = false;
    for (size_t i = start; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (open_.empty()) lines_.emplace_back(bytes.substr(start, i - start));
        else {
            open_.append(bytes.substr(start, i - start));
            lines_.push_back(std::move(open_));
            open_.clear();
        }
        if (lines_.size() == maxLines_) {
            ended_ = true;
            return;
        }
        if (bytes[i] == '\r') {
            if (i + 1 == bytes.size()) afterCr_ = true;
            else if (bytes[i + 1] == '\n') ++i;
        }
        start = i + 1;
    }
    if (start < bytes.size()) open_.append(bytes.substr(start));
}

std::vector<std::string> LineSplitter::Finish() {
    if (!open_.empty() && lines_.size() < maxLines_) lines_.push_back(std::move(open_));
    open_.clear();
    return std::move(lines_);
}

std::string JoinMacroLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<size_t> FindLongLine(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > kMaxMacroLineBytes) return i;
    return std::nullopt;
}

const std::string& HeaderMarkerLine() { return Sjis("'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)"); }

bool HasHeaderMarker(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size() && i < 2; ++i)
        if (lines[i] == HeaderMarkerLine()) return true;
    return false;
}

}  // namespace zepo

#include "core/Moji.h"

namespace zepo {

std::string LongLineMessage(std::string_view line) {
    std::string quote = CutBytes(line, 42);
    size_t b = 0, e = quote.size();
    while (b < e && static_cast<unsigned char>(quote[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(quote[e - 1]) <= 0x20) --e;
    return Sjis("１行の文字数が多すぎるため、保存できません\r[ ") + quote.substr(b, e - b) + Sjis("…]");
}

}  // namespace zepo
