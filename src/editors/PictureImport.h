#pragma once
// Taking a chosen picture file into a picture object: a ".jpg" becomes a BMP beside it, the
// picture is read as its name says, and with automatic reduction a picture that is not
// 8 bits per pixel is reduced to 256 colours and written over its BMP.

#include <filesystem>
#include <string>
#include <string_view>

#include "model/PicturePixels.h"

namespace zepo {

class MessageSink;

struct PictureImport {
    // The name the picture object records: the ".bmp" name after a conversion, the chosen name
    // when the conversion failed.
    std::string fileName;
    // The picture as loaded (reduced when it was); null when nothing could be loaded, and the
    // object then keeps what it had.
    SharedPicture pixels;
    // Something went wrong: the user is told that `fileName` cannot be read. A reduction that
    // could not be written still leaves the loaded picture in `pixels`.
    bool failed = false;
    // The user kept a different BMP that the conversion of a JPEG would have replaced: nothing
    // was written or loaded, and nothing is to be placed.
    bool declined = false;
    // `fileName` was written (a conversion, a reduction): every object showing that file now
    // shows `pixels`.
    bool wrote = false;
};

// `chosen` is a bare Shift-JIS name in `saveFolder`. Every file is written whole or not at
// all; the original JPEG is only read. A picture whose name is not a ".bmp" (a ".jpeg") is
// never rewritten: the BMP bytes of a reduction would make it unreadable under its own name.
// A JPEG's BMP that already exists and holds another picture is replaced only when the user
// answers Yes to the question asked through `messages`.
PictureImport ImportPicture(const std::filesystem::path& saveFolder, std::string_view chosen, bool reduceTo256,
                            MessageSink& messages);

}  // namespace zepo
