#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"

namespace zepo::cli {
// Reduces a BMP or JPEG picture to an 8-bit BMP by median cut, as the editor does when a
// picture is placed (plain) or when the card is merged into one picture (--dither).
int RunReduce(const ReduceOptions& options) {
    const std::string& input = options.input;
    const std::string& output = options.output;
    const bool dither = options.dither;
    const int bits = options.bits;

    auto loaded = LoadPicture(input);
    if (!loaded) {
        std::cerr << "zepocard reduce: cannot read " << input << ": " << loaded.error().message << "\n";
        return 2;
    }
    DecodedPicture& picture = loaded.value();
    if (picture.bitmap.Format() != PixelFormat::Bgr24) {
        auto full = ConvertTo24(picture.bitmap);
        if (!full) {
            std::cerr << "zepocard reduce: " << input << ": " << full.error().message << "\n";
            return 1;
        }
        picture.bitmap = std::move(full.value());
    }
    auto reduced = dither ? MedianCutReduceDithered(picture.bitmap, bits) : MedianCutReduce(picture.bitmap, bits);
    if (!reduced) {
        std::cerr << "zepocard reduce: " << input << ": " << reduced.error().message << "\n";
        return 1;
    }
    if (Status saved = SaveBmp(reduced.value(), output); !saved) {
        std::cerr << "zepocard reduce: cannot write " << output << ": " << saved.error().message << "\n";
        return 1;
    }
    const Bitmap& result = reduced.value();
    std::cout << output << ": " << result.Width() << " × " << result.Height() << ", 8 bits per pixel, "
              << result.GetPalette().size() << " palette entries (from " << picture.fileBitsPerPixel
              << " bits per pixel" << (dither ? ", dithered" : "") << ")\n";
    return 0;
}

}  // namespace zepo::cli
