#pragma once
// What the reader needs from the outside world. The editor and zepocard pass the real
// implementations; the tests pass recording fakes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Card.h"
#include "model/PicturePixels.h"

namespace zepo {

// Messages to the user. Texts are Shift-JIS; a CR inside a text is a line break.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Exclamation beep, then a message box with OK.
    virtual void Warn(std::string_view text) = 0;
    // Question beep, then Yes/No. True for Yes.
    virtual bool Ask(std::string_view text) = 0;
};

struct PixelSize {
    int width = 0, height = 0;
};

// Files named by a card, by bare Shift-JIS names resolved against the save folder.
class CardFiles {
public:
    virtual ~CardFiles() = default;
    // False when the save folder cannot be entered. Reading a card never changes the process's
    // current folder: names are resolved against the save folder explicitly.
    virtual bool ReachSaveFolder() = 0;
    // The lines of a text file (split as the macro file is), or nothing when unreadable.
    virtual std::optional<std::vector<std::string>> ReadTextLines(std::string_view name) = 0;
    // The pixel size of a BMP or JPEG picture, or nothing when it does not load.
    virtual std::optional<PixelSize> PictureSize(std::string_view name) = 0;
    // The picture itself for the card to hold, with its size; nothing when it does not load.
    // Files that only know sizes hand out the size with no pixels.
    struct LoadedPicture {
        PixelSize size;
        SharedPicture pixels;
    };
    virtual std::optional<LoadedPicture> LoadPicture(std::string_view name) {
        auto size = PictureSize(name);
        if (!size) return std::nullopt;
        return LoadedPicture{*size, nullptr};
    }
};

// The drawn width of a Shift-JIS text in a font, in pixels.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int TextWidth(std::string_view text, const FontSpec& font) = 0;
};

}  // namespace zepo
