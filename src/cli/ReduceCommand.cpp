#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/StandardOutput.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
// Reduces a BMP or JPEG picture to an 8-bit BMP by median cut, as the editor does when a
// picture is placed (plain) or when the card is merged into one picture (--dither).
int RunReduce(const ReduceOptions& options) {
    const std::string& input = options.input;
    const std::string& output = options.output;
    const bool dither = options.dither;
    const int bits = options.bits;
    if (std::string why = RefusedOutput(output, {input}); !why.empty()) {
        std::cerr << "zepocard reduce: " << Printable(why) << "\n";
        return 2;
    }
    const std::string shownIn = Printable(ShownName(input)), shownOut = Printable(ShownName(output));
    const std::string quotedIn = "「" + shownIn + "」", quotedOut = "「" + shownOut + "」";

    auto loaded = LoadPicture(input);
    if (!loaded) {
        std::cerr << "zepocard reduce: " << quotedIn << "を読めません: " << Printable(loaded.error().message) << "\n";
        return 2;
    }
    DecodedPicture& picture = loaded.value();
    if (picture.bitmap.Format() != PixelFormat::Bgr24) {
        auto full = ConvertTo24(picture.bitmap);
        if (!full) {
            std::cerr << "zepocard reduce: " << quotedIn << "を減色できません: " << Printable(full.error().message)
                      << "\n";
            return 1;
        }
        picture.bitmap = std::move(full.value());
    }
    auto reduced = dither ? MedianCutReduceDithered(picture.bitmap, bits) : MedianCutReduce(picture.bitmap, bits);
    if (!reduced) {
        std::cerr << "zepocard reduce: " << quotedIn << "を減色できません: " << Printable(reduced.error().message)
                  << "\n";
        return 1;
    }
    if (Status saved = SaveBmp(reduced.value(), output); !saved) {
        std::cerr << "zepocard reduce: " << quotedOut << "に書き込めません: " << Printable(saved.error().message)
                  << "\n";
        return 2;
    }
    const Bitmap& result = reduced.value();
    std::cout << shownOut << ": " << result.Width() << " × " << result.Height() << "、1 画素 8 ビット、パレット "
              << result.GetPalette().size() << " 色 (元の画像は 1 画素 " << picture.fileBitsPerPixel << " ビット"
              << (dither ? "、誤差拡散あり" : "") << ")\n";
    return FinishStandardOutput(0);
}

}  // namespace zepo::cli
