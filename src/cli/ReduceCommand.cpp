#include <charconv>
#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/StandardOutput.h"
#include "cli/TerminalText.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"

namespace zepo::cli {
namespace {

constexpr const char* kUsage = "usage: zepocard reduce IN OUT.bmp [--dither] [--bits N]\n";

int UsageError(const std::string& why) {
    std::cerr << "zepocard reduce: " << why << "\n" << kUsage;
    return 2;
}

bool ParseBits(const std::string& text, int& bits) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, bits);
    return ec == std::errc() && p == end && bits >= 0 && bits <= 8;
}

}  // namespace

// Reduces a BMP or JPEG picture to an 8-bit BMP by median cut, as the editor does when a
// picture is placed (plain) or when the card is merged into one picture (--dither).
int RunReduce(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool dither = false;
    int bits = 8;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--dither") {
            dither = true;
        } else if (a == "--bits" || a.rfind("--bits=", 0) == 0) {
            std::string value;
            if (a == "--bits") {
                if (i + 1 == args.size()) return UsageError("--bits needs a number from 0 to 8");
                value = args[++i];
            } else {
                value = a.substr(7);
            }
            if (!ParseBits(value, bits)) return UsageError("--bits needs a number from 0 to 8, not \"" + value + "\"");
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError("unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return UsageError("expected an input picture and an output file");
    const std::string& input = files[0];
    const std::string& output = files[1];
    if (std::string why = RefusedOutput(output, {input}); !why.empty()) {
        std::cerr << "zepocard reduce: " << Printable(why) << "\n";
        return 2;
    }
    const std::string shownIn = Printable(ShownName(input)), shownOut = Printable(ShownName(output));

    auto loaded = LoadPicture(input);
    if (!loaded) {
        std::cerr << "zepocard reduce: cannot read " << shownIn << ": " << Printable(loaded.error().message) << "\n";
        return 2;
    }
    DecodedPicture& picture = loaded.value();
    if (picture.bitmap.Format() != PixelFormat::Bgr24) {
        auto full = ConvertTo24(picture.bitmap);
        if (!full) {
            std::cerr << "zepocard reduce: " << shownIn << ": " << Printable(full.error().message) << "\n";
            return 1;
        }
        picture.bitmap = std::move(full.value());
    }
    auto reduced = dither ? MedianCutReduceDithered(picture.bitmap, bits) : MedianCutReduce(picture.bitmap, bits);
    if (!reduced) {
        std::cerr << "zepocard reduce: " << shownIn << ": " << Printable(reduced.error().message) << "\n";
        return 1;
    }
    if (Status saved = SaveBmp(reduced.value(), output); !saved) {
        std::cerr << "zepocard reduce: cannot write " << shownOut << ": " << Printable(saved.error().message) << "\n";
        return 2;
    }
    const Bitmap& result = reduced.value();
    std::cout << shownOut << ": " << result.Width() << " × " << result.Height() << ", 8 bits per pixel, "
              << result.GetPalette().size() << " palette entries (from " << picture.fileBitsPerPixel
              << " bits per pixel" << (dither ? ", dithered" : "") << ")\n";
    return FinishStandardOutput(0);
}

}  // namespace zepo::cli
