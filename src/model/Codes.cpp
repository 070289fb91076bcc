#include "model/Codes.h"

namespace zepo {
namespace {

constexpr std::array<std::string_view, kColorCount> kColorNames = {
    "BLACK", "RED2", "GREEN2", "YELLOW2", "BLUE2", "MAGENTA2", "CYAN2", "GRAY",
    "GRAY2", "RED",  "GREEN",  "YELLOW",  "BLUE",  "MAGENTA",  "CYAN",  "WHITE"};

constexpr std::array<uint32_t, kColorCount> kColorRgb = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The bevel codes shared by every column, in table order.
constexpr std::array<std::string_view, 6> kBevels = {"FA", "FA2", "FB", "FB2", "FC", "FC2"};

}  // namespace

std::string_view ColorName(int index) {
    if (index < 0 || index > 14) return "WHITE";
    return kColorNames[index];
}

int ColorIndex(std::string_view name) {
    for (int i = 0; i < kColorCount; ++i)
        if (kColorNames[i] == name) return i;
    return kWhite;
}

uint32_t ColorRgb(int index) {
    if (index < 0 || index >= kColorCount) return 0xFFFFFF;
    return kColorRgb[index];
}

std::string_view FontCode(Typeface face, int direction) {
    if (direction != 0) return face == Typeface::Gothic ? "JG2" : "JM2";
    switch (face) {
        case Typeface::Gothic: return "JG";
        case Typeface::TimesNewRoman: return "EM";
        case Typeface::Arial: return "EG";
        default: return "JM";
    }
}

Typeface TypefaceOfCode(std::string_view code) {
    if (code == "JG" || code == "JG2") return Typeface::Gothic;
    if (code == "EM") return Typeface::TimesNewRoman;
    if (code == "EG") return Typeface::Arial;
    return Typeface::Mincho;
}

bool IsKnownFontCode(std::string_view code) {
    return code == "JM" || code == "JM2" || code == "JG" || code == "JG2" || code == "EM" || code == "EG";
}

std::string_view FrameCode(FrameColumn column, int index) {
    switch (column) {
        case FrameColumn::Decoration:
            if (index == 1) return "1";
            if (index == 2) return "2";
            if (index >= 3 && index <= 8) return kBevels[index - 3];
            return "0";
        case FrameColumn::FrameStyle:
            if (index >= 0 && index <= 5) return kBevels[index];
            if (index == 6) return "FD";
            return "0";
        case FrameColumn::PictureFrame:
        case FrameColumn::MovieFrame:
            if (index >= 1 && index <= 6) return kBevels[index - 1];
            return "0";
    }
    return "0";
}

int FrameIndex(FrameColumn column, std::string_view code) {
    int bevel = -1;
    for (int i = 0; i < 6; ++i)
        if (kBevels[i] == code) bevel = i;
    switch (column) {
        case FrameColumn::Decoration:
            if (code == "1") return 1;
            if (code == "2") return 2;
            return bevel >= 0 ? bevel + 3 : 0;
        case FrameColumn::FrameStyle:
            if (bevel >= 0) return bevel;
            if (code == "FD") return 6;
            if (code == "0") return 7;
            return 0;
        case FrameColumn::PictureFrame:
        case FrameColumn::MovieFrame: return bevel >= 0 ? bevel + 1 : 0;
    }
    return 0;
}

}  // namespace zepo
