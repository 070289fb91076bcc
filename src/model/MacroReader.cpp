#include "model/MacroReader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Kanji.h"
#include "core/Moji.h"
#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "model/Layout.h"
#include "model/MacroFile.h"

namespace zepo {
namespace {

constexpr size_t kPartBytes = 50;
constexpr size_t kStyleBytes = 10;

std::string Replace(std::string text, std::string_view marker, std::string_view value) {
    size_t at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), value);
    return text;
}

// No statement can be written with an argument anywhere near this long, so a longer one only
// makes its line unsaveable; keeping all of it would let one 64 MiB line cost its size several
// times over in copies and in measuring a caption no screen can show.
constexpr size_t kMaxParsedPartBytes = 4096;

void Append(std::string& part, std::string_view ch) {
    if (part.size() + ch.size() <= kMaxParsedPartBytes) part += ch;
}

}  // namespace

ParsedLine ParseMacroLine(std::string_view line) {
    ParsedLine p;
    if (!line.empty() && line[0] == '\'') {
        p.comment = true;
        return p;
    }
    enum State {
        Leading = 1,
        Keyword,
        Before1,
        InArg1,
        InArg1Rest,
        Before2,
        InArg2,
        InArg2Rest,
        Before3,
        InArg3,
        InArg3Rest,
        Before4,
        InArg4,
        InArg4Rest
    };
    State state = Leading;
    for (size_t i = 0; i < line.size();) {
        size_t len = CharLength(line, i);
        std::string_view ch = line.substr(i, len);
        i += len;
        char c = len == 1 ? ch[0] : '\0';  // a two-byte character is never a separator
        switch (state) {
            case Leading:
                if (c == ' ' || c == '\t') break;
                Append(p.keyword, ch);
                state = Keyword;
                break;
            case Keyword:
                if (c == ' ') state = Before1;
                else Append(p.keyword, ch);
                break;
            case Before1:
                if (c == '{') state = InArg1;
                break;
            case InArg1:
                if (c == ',') state = InArg1Rest;
                else if (c == '}') state = Before2;
                else Append(p.arg1, ch);
                break;
            case InArg1Rest:
                if (c == '}') state = Before2;
                else Append(p.arg1Rest, ch);
                break;
            case Before2:
                if (c == '{') state = InArg2;
                break;
            case InArg2:
                if (c == ',') {
                    Append(p.arg2Whole, ch);
                    state = InArg2Rest;
                } else if (c == '}') {
                    state = Before3;
                } else {
                    Append(p.arg2, ch);
                    Append(p.arg2Whole, ch);
                }
                break;
            case InArg2Rest:
                if (c == '}') state = Before3;
                else {
                    Append(p.arg2Rest, ch);
                    Append(p.arg2Whole, ch);
                }
                break;
            case Before3:
                if (c == '{') state = InArg3;
                break;
            case InArg3:
                if (c == ',') state = InArg3Rest;
                else if (c == '}') state = Before4;
                else Append(p.arg3, ch);
                break;
            case InArg3Rest:
                if (c == '}') state = Before4;
                else Append(p.arg3Rest, ch);
                break;
            case Before4:
                if (c == '{') state = InArg4;
                break;
            case InArg4:
                if (c == ',') state = InArg4Rest;
                else if (c == '}') i = line.size();
                else Append(p.arg4, ch);
                break;
            case InArg4Rest:
                if (c == '}') i = line.size();
                else Append(p.arg4Rest, ch);
                break;
        }
    }
    // Only the argument open when the line ended can end in half a character.
    // Only a part ending in a byte of 0x81 or above can end in a lead byte; the rest need no scan.
    for (std::string* part :
         {&p.arg1, &p.arg1Rest, &p.arg2, &p.arg2Rest, &p.arg2Whole, &p.arg3, &p.arg3Rest, &p.arg4, &p.arg4Rest})
        if (!part->empty() && static_cast<unsigned char>(part->back()) >= 0x81) *part = WithoutLoneLeadByte(*part);
    for (std::string* part : {&p.arg1, &p.arg1Rest, &p.arg2Rest, &p.arg3, &p.arg3Rest, &p.arg4, &p.arg4Rest})
        if (part->size() > kPartBytes) *part = CutBytes(*part, kPartBytes);
    return p;
}

namespace {

// A number field that does not convert ends the reading at its line.
struct StopReading {
    std::string message;
};

struct StyleState {
    std::string textColor = "BLACK";
    std::string backColor = "WHITE";
    std::string fontCode = "JM";
    int fontHeight = 20;
    int linePitch = 0;
    bool bold = false;
    bool italic = false;

    FontSpec Font() const { return {TypefaceOfCode(fontCode), fontHeight, bold, italic}; }
};

class Reader {
public:
    Reader(Card& card, const std::vector<std::string>& lines, std::string_view fileName, ReaderContext& ctx)
        : card_(card), lines_(lines), fileName_(fileName), ctx_(ctx) {}

    LoadOutcome Run() {
        ResetCard(card_);
        card_.settings.editMode = 0;
        card_.settings.fingerCursor = 0;
        // The writer leaves out the title statement of a card whose title is empty. In a file
        // it wrote (its marker line is still there) a missing title is that empty title; the
        // new card's title is for cards made by hand. Otherwise a card saved without a title
        // would come back with the default one and be saved with it the next time.
        if (HasHeaderMarker(lines_)) card_.settings.title.clear();
        try {
            for (index_ = 0; index_ < lines_.size(); ++index_) {
                ParsedLine p = ParseMacroLine(lines_[index_]);
                if (!Statement(p)) break;
            }
        } catch (const StopReading& stop) {
            ctx_.messages.Warn(stop.message);
            Note(ReadNote::Stopped, stop.message);
            outcome_.completed = false;
        }
        return std::move(outcome_);
    }

private:
    int LineNumber() const { return static_cast<int>(index_) + 1; }
    // A card of millions of statements past the last free slot would otherwise keep millions
    // of identical notes; the first ones of each kind say all there is to say.
    void Note(ReadNote kind, std::string text) {
        size_t& kept = kept_[static_cast<size_t>(kind)];
        if (kept == kMaxNotesPerKind) {
            ++outcome_.omitted[static_cast<size_t>(kind)];
            return;
        }
        ++kept;
        outcome_.diagnostics.push_back({LineNumber(), kind, std::move(text)});
    }
    void Warn(const std::string& text) {
        ctx_.messages.Warn(text);
        Note(ReadNote::Message, text);
    }

    int Int(const std::string& text) {
        if (auto v = ParseInt(text)) return *v;
        throw StopReading{NumberMessage(text)};
    }
    long double Number(const std::string& text) {
        if (auto v = ParseNumber(text)) return *v;
        throw StopReading{NumberMessage(text)};
    }
    std::string NumberMessage(const std::string& text) const {
        std::string m = IsIntegerOutOfRange(text)
                            ? Sjis("%d 行目の「%s」は大きすぎます。\r読み込みをここで中止しました")
                            : Sjis("%d 行目の「%s」は数値ではありません。\r読み込みをここで中止しました");
        m = Replace(m, "%d", std::to_string(LineNumber()));
        return Replace(m, "%s", text);
    }
    void ReachSaveFolder() {
        if (!ctx_.files.ReachSaveFolder())
            throw StopReading{Replace(Sjis("%d 行目: 保存フォルダに入れません。\r読み込みをここで中止しました"), "%d",
                                      std::to_string(LineNumber()))};
    }

    // False after "end".
    bool Statement(const ParsedLine& p) {
        const std::string& k = p.keyword;
        if (p.comment || k.empty()) return true;
        const std::string& line = lines_[index_];
        if (line.rfind("ZEPO:", 0) == 0) return true;  // the player's title line
        if (!opened_) {
            if (k == "card") CardStatement();
            else Note(ReadNote::IgnoredStatement, Sjis("「card」より前の行は読みません"));
            return true;
        }
        if (k == "card") Note(ReadNote::IgnoredStatement, Sjis("二つ目の「card」は読みません"));
        else if (k == "title") card_.settings.title = p.arg1;
        else if (k == "new") card_.settings.color = ColorIndex(p.arg1);
        else if (k == "edit") card_.settings.editMode = p.arg1 == "1" ? 1 : p.arg1 == "0" ? 2 : 0;
        else if (k == "cursor") card_.settings.fingerCursor = p.arg1 == "1" ? 1 : p.arg1 == "0" ? 2 : 0;
        else if (k == "font") Font(p);
        else if (k == "font2") {
            style_.bold = p.arg1 == "1";
            style_.italic = p.arg2 == "1";
        } else if (k == "color") {
            if (!p.arg1.empty()) style_.textColor = CutBytes(p.arg1, kStyleBytes);
            if (!p.arg2.empty()) style_.backColor = CutBytes(p.arg2, kStyleBytes);
        } else if (k == "text" || k == "text2") {
            card_.parentChecked[static_cast<int>(SlotKind::OneLineText)] = true;
            if (int id = Free(SlotKind::OneLineText); id >= 0) OneLineText(id, p, k == "text2");
        } else if (k == "textf" || k == "textf2") {
            ReachSaveFolder();
            card_.parentChecked[static_cast<int>(SlotKind::TextBlock)] = true;
            if (int id = Free(SlotKind::TextBlock); id >= 0) TextBlock(id, p, k == "textf2");
        } else if (k == "bitmap") {
            ReachSaveFolder();
            card_.parentChecked[static_cast<int>(SlotKind::Picture)] = true;
            if (int id = Free(SlotKind::Picture); id >= 0) Picture(id, p);
        } else if (k == "frame") {
            card_.parentChecked[static_cast<int>(SlotKind::Frame)] = true;
            if (int id = Free(SlotKind::Frame); id >= 0) Frame(id, p);
        } else if (k == "button") Button(p);
        else if (k == "wave") SetFeature(Feature::Wave, p.arg1);
        else if (k == "cdaudio") SetFeature(Feature::CdAudio, p.arg1);
        else if (k == "midi") SetFeature(Feature::Midi, p.arg1);
        else if (k == "avi") SetFeature(Feature::Avi, p.arg1);
        else if (k == "run") SetFeature(Feature::Run, p.arg1);
        else if (k == "avi2") {
            card_.movie2.movieFile = p.arg1;
            card_.movie2.inUse = true;
            outcome_.sources.movie2 = LineNumber();
        } else if (k == "avi2opt") Movie2Options(p);
        else if (k == "marker") Marker(p);
        else if (k == "@slide") SlideBlock(p);
        else if (k == "end") return false;
        else Note(ReadNote::UnknownStatement, Sjis("知らない命令です: ") + k);
        return true;
    }

    void CardStatement() {
        opened_ = true;
        std::string bare = BareFileName(fileName_);
        card_.settings.name = CutBytes(bare, bare.size() >= 4 ? bare.size() - 4 : 0);
    }

    int Free(SlotKind kind) {
        int id = card_.FreeSlot(kind);
        if (id < 0) Note(ReadNote::NoFreeSlot, Sjis("空いている場所がないため読みません"));
        return id;
    }

    // The writer keeps only the bare name of a file, as the player expects it beside the card:
    // a name with a folder is read now but would point nowhere after the next save.
    void NoteFolderInName(const std::string& name) {
        if (BareFileName(name) != name)
            Note(ReadNote::LinkBreaksOnSave,
                 Replace(Sjis("%s はフォルダ付きの名前です。保存するとファイル名だけになり、リンクが切れます"), "%s",
                         name));
    }

    void Place(int id) {
        card_.BringToFront(id);
        card_.slot(id).inUse = true;
        outcome_.sources.objects[static_cast<size_t>(id)] = LineNumber();
    }

    void Font(const ParsedLine& p) {
        style_.fontCode = IsKnownFontCode(p.arg1) ? p.arg1 : "JM";
        if (!p.arg2.empty()) style_.fontHeight = std::clamp(Int(p.arg2), 4, 1000);
        if (!p.arg3Rest.empty()) style_.linePitch = std::clamp(Int(p.arg3Rest), 0, 500);
    }

    void OneLineText(int id, const ParsedLine& p, bool vertical) {
        int x = Int(p.arg1), y = Int(p.arg1Rest);
        Slot& s = card_.slot(id);
        s.text.direction = vertical ? 1 : 0;
        s.wordWrap = vertical;
        s.font = style_.Font();
        s.text.textColor = ColorIndex(style_.textColor);
        s.text.backColor = ColorIndex(style_.backColor);
        card_.remembered.textColor = s.text.textColor;
        card_.remembered.textBackColor = s.text.backColor;
        s.caption = p.arg2Whole;
        Size size = OneLineTextSize(s.caption, s.font, vertical, ctx_.measurer);
        // A vertical text's x is its right edge, as the writer writes it (left + width): the
        // column, one font height wide, starts one width to the left.
        s.bounds = {vertical ? SaturatedInt(static_cast<long long>(x) - size.width) : x, y, size.width, size.height};
        std::string code = p.arg3.empty() ? "0" : p.arg3;
        s.text.decoration = FrameIndex(FrameColumn::Decoration, code);
        s.transparent = code == "0" || code == "2";
        s.text.association.Set(p.arg4, p.arg4Rest);
        Place(id);
    }

    void TextBlock(int id, const ParsedLine& p, bool writtenVertical) {
        std::string fileName = CutBytes(p.arg2, kShortTextBytes);
        // A name that ends in a folder ("dir/") names no file: saving keeps only the bare
        // name, which is empty, and the block would vanish at the next reading instead of now.
        if (BareFileName(fileName).empty()) {
            Warn(Sjis("文字ファイルが指定されていません"));
            return;
        }
        auto lines = ctx_.files.ReadTextLines(fileName);
        if (!lines) {
            Warn(Replace(Sjis("%s が読めません"), "%s", fileName));
            MissingTextBlock(id, p, fileName, writtenVertical);
            return;
        }
        bool latin = style_.fontCode == "EM" || style_.fontCode == "EG";
        if (latin && std::any_of(lines->begin(), lines->end(), [](auto& l) { return !IsSingleByteText(l); })) {
            Warn(Sjis(LatinRefusalText(*lines)));
            style_.fontCode = "JM";
        }
        bool vertical = writtenVertical;
        if (writtenVertical) {
            if (style_.fontCode == "EM" || style_.fontCode == "EG") {
                Warn(Sjis("「英字」での「タテ書」はできません"));
                vertical = false;
            }
            if (std::any_of(lines->begin(), lines->end(), [](auto& l) { return !IsDoubleByteText(l); })) {
                Warn(Sjis("半角文字が含まれているため\r「タテ書」指定はできません"));
                vertical = false;
            }
        }
        // The position converts only after the messages about the file's characters, and
        // before the slot is touched: a position that stops the reading changes nothing.
        const int x = Int(p.arg1), y = Int(p.arg1Rest);
        Slot& s = TextBlockSlot(id, fileName, vertical);
        TextBlockLayout layout = LayoutTextBlock(*lines, s.font, s.block.linePitch, vertical, ctx_.measurer);
        s.block.widestLine = lines->empty() ? std::string() : (*lines)[layout.widestIndex];
        s.lines = std::move(*lines);
        PlaceTextBlock(id, x, y, layout.size.width, layout.size.height, vertical);
    }

    // The text block's own fields from the statement and the current style.
    Slot& TextBlockSlot(int id, const std::string& fileName, bool vertical) {
        Slot& s = card_.slot(id);
        s.font = style_.Font();
        s.block.fileName = fileName;
        s.block.color = ColorIndex(style_.textColor);
        card_.remembered.blockColor = s.block.color;
        s.block.linePitch = style_.linePitch;
        s.block.direction = vertical ? 1 : 0;
        NoteFolderInName(fileName);
        return s;
    }

    // A vertical block's x is its right edge.
    void PlaceTextBlock(int id, int x, int y, int width, int height, bool vertical) {
        Slot& s = card_.slot(id);
        s.bounds = {vertical ? SaturatedInt(static_cast<long long>(x) - width) : x, y, width, height};
        s.bounds.left = std::max(0, s.bounds.left);
        s.bounds.top = std::max(0, s.bounds.top);
        Place(id);
    }

    // A file that cannot be read (gone, renamed, on a stick not plugged in) does not lose its
    // object: it stays where the card puts it, as a placeholder naming the file, and saving
    // writes it back as it was read. Its characters are checked once the file is there again.
    void MissingTextBlock(int id, const ParsedLine& p, const std::string& fileName, bool vertical) {
        const int x = Int(p.arg1), y = Int(p.arg1Rest);
        Slot& s = TextBlockSlot(id, fileName, vertical);
        s.block.fileMissing = true;
        s.lines = SharedLines();
        PlaceTextBlock(id, x, y, kPlaceholderWidth, kPlaceholderHeight, vertical);
    }

    void Picture(int id, const ParsedLine& p) {
        auto loaded = ctx_.files.LoadPicture(p.arg2);
        if (!loaded) Warn(Replace(Sjis("ﾋﾞｯﾄﾏｯﾌﾟ %s の読み込みに失敗しました"), "%s", p.arg2));
        // A missing picture is sized as a placeholder of a fixed natural size, scaled as the
        // card says, so that it moves and resizes like any picture.
        const PixelSize placeholder{kPlaceholderWidth, kPlaceholderHeight};
        const PixelSize* natural = loaded ? &loaded->size : &placeholder;
        int x = Int(p.arg1), y = Int(p.arg1Rest);
        long double percent = Number(p.arg2Rest.empty() ? "100.0" : p.arg2Rest);
        Slot& s = card_.slot(id);
        PictureRecord& r = s.picture;
        r.fileName = p.arg2;
        r.pixels = loaded ? loaded->pixels : nullptr;
        r.fileMissing = !loaded;
        r.naturalWidth = natural->width;
        r.naturalHeight = natural->height;
        s.bounds = {x, y, natural->width, natural->height};
        if (percent != 100) {
            s.stretch = true;
            long double scale = RoundDecimals(percent / 100, 3);
            scale = std::clamp(scale, 0.1L, 100.0L);
            r.scale = static_cast<float>(scale);
            // Rounded to nearest, ties to even.
            s.bounds.width = static_cast<int>(std::nearbyint(static_cast<long double>(natural->width) * r.scale));
            s.bounds.height = static_cast<int>(std::nearbyint(static_cast<long double>(natural->height) * r.scale));
        } else {
            s.stretch = false;
            r.scale = 1.0f;
        }
        r.frame = FrameIndex(FrameColumn::PictureFrame, p.arg3);
        r.association.Set(p.arg4, p.arg4Rest);
        NoteFolderInName(p.arg2);
        Place(id);
    }

    void Frame(int id, const ParsedLine& p) {
        int x1 = Int(p.arg1), y1 = Int(p.arg1Rest), x2 = Int(p.arg2), y2 = Int(p.arg2Rest);
        Slot& s = card_.slot(id);
        // Reversed corners would make an object of no size that cannot be picked again.
        const Span across = InclusiveSpan(x1, x2, 1), down = InclusiveSpan(y1, y2, 1);
        s.bounds = {across.start, down.start, across.size, down.size};
        s.frame.color = ColorIndex(style_.backColor);
        card_.remembered.frameColor = s.frame.color;
        s.frame.style = FrameIndex(FrameColumn::FrameStyle, p.arg3);
        s.frame.association.Set(p.arg4, p.arg4Rest);
        Place(id);
    }

    void Button(const ParsedLine& p) {
        if (p.arg1.size() != 1 || p.arg1[0] < '0' || p.arg1[0] > '5') {
            Note(ReadNote::IgnoredStatement, Sjis("ボタン番号は 0 から 5 までです: ") + p.arg1);
            return;
        }
        int n = p.arg1[0] - '0';
        card_.buttons[n].Set(p.arg2, p.arg2Rest);
        card_.buttonInUse[n] = true;
        outcome_.sources.buttons[static_cast<size_t>(n)] = LineNumber();
    }

    void SetFeature(Feature f, const std::string& file) {
        int i = static_cast<int>(f);
        card_.features[i].Set(FeatureKindWord(f), file);
        card_.featureInUse[i] = true;
        outcome_.sources.features[static_cast<size_t>(i)] = LineNumber();
    }

    void Movie2Options(const ParsedLine& p) {
        Movie2Settings& m = card_.movie2;
        int x = Int(p.arg2), y = Int(p.arg2Rest);
        m.position = p.arg1 == "1" ? 1 : 0;
        m.x = std::clamp(x, 0, 3000);
        m.y = std::clamp(y, 0, 3000);
        m.frame = FrameIndex(FrameColumn::MovieFrame, p.arg3);
        if (!p.arg4.empty()) m.scaleText = FormatOneDecimal(Number(p.arg4));
    }

    void Marker(const ParsedLine& p) {
        MarkerSettings& m = card_.marker;
        if (!p.arg1.empty()) {
            int width = Int(p.arg2);
            m.color = ColorIndex(p.arg1);
            m.width = std::clamp(width, 1, 20);
        } else {
            m.off = true;
        }
        m.inUse = true;
    }

    void SlideBlock(const ParsedLine& p) {
        SlideSettings& s = card_.slide;
        if (auto v = ParseNumber(p.arg1)) {
            long double seconds = std::trunc((*v * 10 + 9) / 10);
            s.interval = static_cast<int>(std::clamp(seconds, 1.0L, 600.0L));
        } else {
            s.interval = 3;
        }
        while (static_cast<int>(s.list.size()) < kSlideListMax && index_ + 1 < lines_.size()) {
            ++index_;
            const std::string& line = lines_[index_];
            if (ParseMacroLine(line).keyword == "@end") break;
            ParsedLine entry = ParseMacroLine("tmp " + line);
            if (entry.arg1Rest.find(".zep") != std::string::npos) {
                s.list.push_back(entry.arg1Rest);
                outcome_.sources.slides.push_back(LineNumber());
            } else if (line.find_first_not_of(" \t") != std::string::npos)
                Note(ReadNote::DroppedSlideEntry, Sjis("「.zep」のないスライドの行は読みません"));
        }
        s.inUse = true;
    }

    Card& card_;
    const std::vector<std::string>& lines_;
    std::string fileName_;
    ReaderContext& ctx_;
    std::array<size_t, kReadNoteKinds> kept_{};
    size_t index_ = 0;
    bool opened_ = false;
    StyleState style_;
    LoadOutcome outcome_;
};

}  // namespace

LoadOutcome LoadMacro(Card& card, const std::vector<std::string>& lines, std::string_view cardFileName,
                      ReaderContext& context) {
    return Reader(card, lines, cardFileName, context).Run();
}

}  // namespace zepo
