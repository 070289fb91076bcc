#pragma once
// A picture from anywhere (a phone photo, a screenshot, a file dragged in from the file manager)
// taken into the save folder as a BMP the card can name: read by Qt's image plugins (PNG, GIF,
// JPEG, BMP, and WebP and TIFF where the plugins are installed), turned upright, its
// transparency laid onto the card's background, shrunk to the card when the user agrees,
// reduced to 256 colours when the switch says so. The original is only read.

#include <QImage>
#include <QSize>

#include <filesystem>
#include <optional>
#include <string>

#include "imaging/Bitmap.h"

namespace zepo {

class MessageSink;

struct IntakeChoices {
    uint32_t background = 0xFFFFFF;  // the card's background colour, 0xRRGGBB
    QSize card;                      // the screen the card is made for
    bool reduceTo256 = false;
};

// The picture's BMP name in `saveFolder` (Shift-JIS), or nothing when it could not be taken
// in or the user declined (every reason is told through `messages`, naming the file).
std::optional<std::string> TakePictureIn(const std::filesystem::path& source, const std::filesystem::path& saveFolder,
                                         const IntakeChoices& choices, MessageSink& messages);

// Whether the file is a picture Qt's plugins read, by its contents rather than its name.
bool IsReadablePicture(const std::filesystem::path& file);

// A picture of Qt's as the 24-bit bitmap the BMP writer takes.
Bitmap BitmapOfImage(const QImage& image);

}  // namespace zepo
