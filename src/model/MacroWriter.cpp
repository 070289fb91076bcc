#include "model/MacroWriter.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/Ascii.h"
#include "core/Moji.h"
#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "model/MacroFile.h"

namespace zepo {
namespace {

constexpr std::string_view TAB = "\t";

std::string Braced(std::string_view s) { return "{" + std::string(s) + "}"; }
std::string Pair(int a, int b) { return "{" + std::to_string(a) + "," + std::to_string(b) + "}"; }

bool IsMainCard(std::string_view name) { return SameIgnoringAsciiCase(name, "main"); }

std::string AssociationArgument(const Association& a) {
    return a.file.empty() ? Braced(a.name) : "{" + a.name + "," + a.file + "}";
}

// The part of a slide line before its comma: the card name without its extension. Every
// reader of the line, ours and the player's, takes the file name from after the first comma,
// so a comma in the stem would carry the rest of the stem into the file name, and the entry
// would grow by that much on every save. A comma of its own in the stem becomes "_"; the file
// name after the comma, the part that is read back, is written as it is.
std::string SlideStem(const std::string& entry) {
    std::string stem = entry.size() < 5 ? entry : CutBytes(entry, entry.size() - 4);
    for (size_t i = 0; i < stem.size(); i += CharLength(stem, i))
        if (stem[i] == ',') stem[i] = '_';
    return stem;
}

std::string StyleFlags(const FontSpec& f) {
    if (f.bold && !f.italic) return "{1}{0}";
    if (!f.bold && f.italic) return "{0}{1}";
    if (f.bold && f.italic) return "{1}{1}";
    return "{0}{0}";
}

class Writer {
public:
    Writer(const Card& card, std::vector<std::string>& out) : card_(card), out_(out) {}

    // The Shift-JIS message after Run() returned false.
    const std::string& error() const { return error_; }

    bool Run() {
        const CardSettings& s = card_.settings;
        if (IsMainCard(s.name)) Line("ZEPO:" + s.title);
        Line(HeaderMarkerLine());
        Line("'" + std::string(65, '='));
        Line(Sjis("'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)"));
        Line("'" + std::string(65, '='));
        Line("card " + Braced(s.name));
        Settings();
        for (int id : card_.UsedSlotsInStackingOrder()) Object(id);
        Buttons();
        if (!Features()) return false;
        Slides();
        Line("end");
        return true;
    }

private:
    void Line(std::string text) { out_.push_back(std::move(text)); }
    void Statement(std::string_view keywordPadded, std::string_view rest) {
        Line(std::string(TAB) + std::string(keywordPadded) + std::string(rest));
    }

    void Settings() {
        const CardSettings& s = card_.settings;
        if (!s.title.empty()) Statement("title  ", Braced(s.title));
        Statement("new    ", Braced(ColorName(s.color)));
        if (s.editMode == 1) Statement("edit   ", "{1}");
        if (s.editMode == 2) Statement("edit   ", "{0}");
        if (s.fingerCursor == 1) Statement("cursor ", "{1}");
        if (s.fingerCursor == 2) Statement("cursor ", "{0}");
        Line("");
    }

    void Object(int id) {
        const Slot& slot = card_.slot(id);
        switch (KindOfSlot(id)) {
            case SlotKind::OneLineText: OneLineText(slot); break;
            case SlotKind::TextBlock: TextBlock(slot); break;
            case SlotKind::Picture: Picture(slot); break;
            case SlotKind::Frame: Frame(slot); break;
        }
        Line("");
    }

    void OneLineText(const Slot& slot) {
        const OneLineTextRecord& r = slot.text;
        const Rect& b = slot.bounds;
        Statement("font   ",
                  Braced(FontCode(slot.font.face, r.direction)) + Braced(std::to_string(slot.font.height)) + "{0}");
        Statement("font2  ", StyleFlags(slot.font));
        Statement("color  ", Braced(ColorName(r.textColor)) + Braced(ColorName(r.backColor)));
        std::string args = (r.direction == 1 ? Pair(b.right(), b.top) : Pair(b.left, b.top)) + Braced(slot.caption) +
                           Braced(FrameCode(FrameColumn::Decoration, r.decoration));
        if (!r.association.name.empty()) args += AssociationArgument(r.association);
        Statement(r.direction == 1 ? "text2  " : "text   ", args);
    }

    void TextBlock(const Slot& slot) {
        const TextBlockRecord& r = slot.block;
        const Rect& b = slot.bounds;
        Statement("font   ", Braced(FontCode(slot.font.face, r.direction)) + Braced(std::to_string(slot.font.height)) +
                                 "{0," + std::to_string(r.linePitch) + "}");
        Statement("font2  ", StyleFlags(slot.font));
        Statement("color  ", Braced(ColorName(r.color)));
        std::string args = (r.direction == 1 ? Pair(b.right(), b.top) : Pair(b.left, b.top)) +
                           Braced(BareFileName(r.fileName)) + "{0}";
        Statement(r.direction == 1 ? "textf2 " : "textf  ", args);
    }

    void Picture(const Slot& slot) {
        const PictureRecord& r = slot.picture;
        const Rect& b = slot.bounds;
        std::string args = Pair(b.left, b.top) + "{" + BareFileName(r.fileName) + "," +
                           FormatOneDecimal(static_cast<long double>(r.scale) * 100) + "}";
        args += r.frame == 0 ? "{0}" : Braced(FrameCode(FrameColumn::PictureFrame, r.frame));
        if (!r.association.name.empty()) args += AssociationArgument(r.association);
        Statement("bitmap ", args);
    }

    void Frame(const Slot& slot) {
        const FrameRecord& r = slot.frame;
        const Rect& b = slot.bounds;
        Statement("color  ", "{}" + Braced(ColorName(r.color)));
        std::string args = Pair(b.left, b.top) + Pair(b.right() - 1, b.bottom() - 1) +
                           Braced(FrameCode(FrameColumn::FrameStyle, r.style));
        if (!r.association.name.empty()) args += AssociationArgument(r.association);
        Statement("frame  ", args);
    }

    void Buttons() {
        bool any = false;
        for (int i = 0; i < kButtonCount; ++i) {
            if (!card_.buttonInUse[i]) continue;
            Statement("button ", Braced(std::to_string(i)) + AssociationArgument(card_.buttons[i]));
            any = true;
        }
        if (any) Line("");
    }

    bool Features() {
        constexpr std::string_view keywords[] = {"wave    ", "cdaudio ", "midi    ", "avi     ", "run     "};
        bool any = false;
        for (int i = 0; i < kFeatureCount; ++i) {
            if (!card_.featureInUse[i]) continue;
            Statement(keywords[i], Braced(card_.features[i].file));
            any = true;
        }
        const Movie2Settings& m = card_.movie2;
        if (m.inUse) {
            if (m.position == 1) {
                auto scale = ParseNumber(m.scaleText);
                if (!scale) {
                    error_ = Sjis("動画２の拡大率「") + m.scaleText + Sjis("」が数値ではありません");
                    return false;
                }
                Statement("avi2opt ", "{1}" + Pair(m.x, m.y) + Braced(FrameCode(FrameColumn::MovieFrame, m.frame)) +
                                          Braced(FormatOneDecimal(*scale)));
            } else {
                Statement("avi2opt ", "{0}" + Pair(m.x, m.y));
            }
            Statement("avi2    ", Braced(BareFileName(m.movieFile)));
            any = true;
        }
        const MarkerSettings& k = card_.marker;
        if (k.inUse) {
            if (k.off) Statement("marker  ", "{}");
            else Statement("marker  ", Braced(ColorName(k.color)) + Braced(std::to_string(k.width)));
            any = true;
        }
        if (any) Line("");
        return true;
    }

    void Slides() {
        const SlideSettings& s = card_.slide;
        if (!s.inUse) return;
        Statement("@slide  ", Braced(std::to_string(s.interval)));
        for (const auto& entry : s.list)
            Line(std::string(TAB) + std::string(TAB) + "{" + SlideStem(entry) + "," + entry + "}");
        Statement("@end", "");
        Line("");
    }

    const Card& card_;
    std::vector<std::string>& out_;
    std::string error_;
};

}  // namespace

Result<std::vector<std::string>> WriteMacro(const Card& card) {
    std::vector<std::string> lines;
    Writer writer(card, lines);
    if (!writer.Run()) return Fail(writer.error());
    return lines;
}

void SupplyDefaultTitle(Card& card) {
    if (IsMainCard(card.settings.name) && card.settings.title.empty()) card.settings.title = DefaultCardTitle();
}

}  // namespace zepo
