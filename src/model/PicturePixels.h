#pragma once
// A picture as a card holds it once loaded: what the canvas, the preview and zepocard draw,
// whatever happens to its file or to the save folder afterwards. Held through an immutable
// shared pointer, so copying a card (every undo step does) copies no pixels.

#include <cstdint>
#include <memory>
#include <vector>

namespace zepo {

struct PicturePixels {
    int width = 0, height = 0;
    int fileBitsPerPixel = 0;  // the depth of the file it was loaded from
    // Rows top-down, one 0xFFRRGGBB word per pixel: the layout a 32-bit image uses, so
    // drawing needs no conversion.
    std::vector<uint32_t> rgb;
};

using SharedPicture = std::shared_ptr<const PicturePixels>;

}  // namespace zepo
