#pragma once
// What each zepocard command is asked to do, as its command line says (CommandLine.h reads it).
// File names are the argument bytes as given: a name in Shift-JIS is not a UTF-8 text.

#include <QSize>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zepo::cli {

// The screen the player shows cards on, unless --screen says otherwise.
inline constexpr QSize kDefaultScreen{1024, 768};

enum class PictureFormat { Png, Bmp, Jpg };

// "png", "bmp", "jpg" or "jpeg", ASCII case ignored.
std::optional<PictureFormat> PictureFormatNamed(std::string_view name);

// "WIDTHxHEIGHT" (or "X"), each side 1 to kMaxScreenSide, digits only. One rule for every
// command: a larger side is a typing mistake, not a picture worth gigabytes.
inline constexpr int kMaxScreenSide = 8192;
std::optional<QSize> ScreenNamed(std::string_view text);

// A whole number from low to high written in digits only (no sign, no blanks).
std::optional<int> NumberBetween(std::string_view text, int low, int high);

struct NormalizeOptions {
    std::string card;
    std::string out;  // empty: standard output
};

struct CheckOptions {
    std::vector<std::string> inputs;  // cards or folders
    bool json = false;
};

struct ReduceOptions {
    std::string input, output;
    bool dither = false;
    int bits = 8;
};

struct RenderOptions {
    std::vector<std::filesystem::path> cards;
    std::filesystem::path out;
    QSize screen = kDefaultScreen;
    std::optional<PictureFormat> format;  // none: from the output's name, else PNG
    int jobs = 0;                         // 0: one per core
    bool handout = false;                 // one PDF of every card (--format pdf, or OUT.pdf)
    int perPage = 1;                      // cards on a page of the handout: 1, 2, 4 or 6
};

enum class MapFormat { Svg, Png, Dot };
// "svg", "png", "dot" or "gv", ASCII case ignored.
std::optional<MapFormat> MapFormatNamed(std::string_view name);

struct MapOptions {
    std::string folder;
    std::filesystem::path out;
    std::optional<MapFormat> format;  // none: from the output's name
};

struct ExportOptions {
    std::string folder, site;
    QSize screen = kDefaultScreen;
};

}  // namespace zepo::cli
