#pragma once
// Recording fakes of the reader's outside world.

#include <map>
#include <string>
#include <vector>

#include "core/Moji.h"
#include "core/TextCodec.h"
#include "model/Environment.h"

namespace zepo::test {

struct RecordingMessages : MessageSink {
    std::vector<std::string> warnings;  // UTF-8, for readable assertions
    std::vector<std::string> questions;
    bool answer = true;
    void Warn(std::string_view text) override { warnings.push_back(MessageToUtf8(text)); }
    bool Ask(std::string_view text) override {
        questions.push_back(MessageToUtf8(text));
        return answer;
    }
};

// Files of a save folder held in memory, keyed by their Shift-JIS names.
struct FakeFiles : CardFiles {
    std::map<std::string, std::vector<std::string>> texts;
    std::map<std::string, PixelSize> pictures;
    bool enterable = true;
    int entered = 0;
    bool ReachSaveFolder() override {
        ++entered;
        return enterable;
    }
    std::optional<std::vector<std::string>> ReadTextLines(std::string_view name) override {
        auto it = texts.find(std::string(name));
        if (it == texts.end()) return std::nullopt;
        return it->second;
    }
    std::optional<PixelSize> PictureSize(std::string_view name) override {
        auto it = pictures.find(std::string(name));
        if (it == pictures.end()) return std::nullopt;
        return it->second;
    }
};

// A monospaced measure: a two-byte character is as wide as the font is high, a one-byte
// character half of that; bold adds one pixel per character.
struct GridMeasurer : TextMeasurer {
    int TextWidth(std::string_view text, const FontSpec& font) override {
        int w = 0;
        for (size_t i = 0; i < text.size();) {
            size_t len = CharLength(text, i);
            w += (len == 2 ? font.height : font.height / 2) + (font.bold ? 1 : 0);
            i += len;
        }
        return w;
    }
};

// Shift-JIS of a UTF-8 literal.
inline std::string S(std::string_view utf8) { return Utf8ToSjis(utf8).bytes; }

}  // namespace zepo::test
