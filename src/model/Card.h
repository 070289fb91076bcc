#pragma once
// The card being edited: the single authority for everything the macro file carries.
// Widgets show it and write it back; the reader, the writer and zepocard work on it alone.

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "model/Codes.h"
#include "model/PicturePixels.h"

namespace zepo {

enum class SlotKind { OneLineText = 0, TextBlock = 1, Picture = 2, Frame = 3 };
constexpr int kKindCount = 4;

// Slot ids 0..39: one-line texts 0..19, text blocks 20..24, pictures 25..29, frames 30..39.
constexpr int kSlotCount = 40;
constexpr int SlotsOfKind(SlotKind k) {
    constexpr int counts[] = {20, 5, 5, 10};
    return counts[static_cast<int>(k)];
}
constexpr int FirstSlotOfKind(SlotKind k) {
    constexpr int firsts[] = {0, 20, 25, 30};
    return firsts[static_cast<int>(k)];
}
SlotKind KindOfSlot(int id);
// 1-based number of the slot within its kind (Text01 is 1, Frame10 is 10).
int NumberOfSlot(int id);
constexpr int SlotId(SlotKind k, int number) { return FirstSlotOfKind(k) + number - 1; }

// Card coordinates: pixels from the top-left corner of the canvas (below the button bar).
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return SaturatedInt(static_cast<long long>(left) + width); }
    int bottom() const { return SaturatedInt(static_cast<long long>(top) + height); }
    bool operator==(const Rect&) const = default;
};

// Where an object given by two inclusive corners starts and how far it reaches:
// size = to − from + 1, at least `minimum`. A span wider than an int can hold is pulled in
// at both ends to a billion pixels either side of the card, far off any screen, so the part
// that shows stays; and the far edge (start + size) always remains an int.
struct Span {
    int start = 0, size = 0;
};
Span InclusiveSpan(int from, int to, int minimum);

struct FontSpec {
    Typeface face = Typeface::Mincho;
    int height = 20;  // pixels: the character cell height of one line
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec&) const = default;
};

constexpr size_t kAssociationNameBytes = 20;
constexpr size_t kAssociationFileBytes = 50;
constexpr size_t kShortTextBytes = 50;

// What an association does. Its name tells: a kind word ("WAVE", "CDAUDIO", "MIDI", "AVI",
// "RUN"), "this", or else the card it goes to; empty is none.
enum class AssociationKind { None, Card, Wave, CdAudio, Midi, Movie, Run, This };

struct Association {
    std::string name;  // card name or WAVE, CDAUDIO, MIDI, AVI, RUN, this; empty = none
    std::string file;
    AssociationKind kind() const;
    // A sound, MIDI piece or movie: its file is played, an empty file stops it.
    bool isMedium() const;
    // Stores both texts cut to their byte limits.
    void Set(std::string_view newName, std::string_view newFile);
    void Clear() {
        name.clear();
        file.clear();
    }
    bool operator==(const Association&) const = default;
};

struct OneLineTextRecord {
    int direction = 0;  // 0 horizontal, 1 vertical
    int textColor = kBlack;
    int backColor = kWhite;
    int decoration = 0;  // FrameColumn::Decoration index
    Association association;
    bool operator==(const OneLineTextRecord&) const = default;
};

struct TextBlockRecord {
    std::string widestLine;  // survives resets, as the line list does
    std::string fileName;    // at most 50 bytes
    int direction = 0;
    int color = kBlack;
    int linePitch = 0;  // 0..500
    // The file could not be read: the block keeps its place and what the card says of it,
    // shows as a marked placeholder with the file's name and is saved as it was read.
    bool fileMissing = false;
    bool operator==(const TextBlockRecord&) const = default;
};

struct PictureRecord {
    std::string fileName;
    float scale = 1.0f;  // fraction, 0.1..100.0, rounded to 0.001
    int frame = 0;       // FrameColumn::PictureFrame index
    Association association;
    int naturalWidth = 0, naturalHeight = 0;
    // The picture as last loaded (placed, read or edited); null until one loaded.
    SharedPicture pixels;
    // The file could not be read: as a text block's (its natural size is the placeholder's).
    bool fileMissing = false;
    // Pictures are the same when their pixels are, whether loaded once or twice: confirming a
    // dialog that loads the same file again changes nothing.
    bool operator==(const PictureRecord& other) const;
};

// The size an object whose file is missing shows as, so that it can still be picked.
inline constexpr int kPlaceholderWidth = 160, kPlaceholderHeight = 120;

struct FrameRecord {
    int color = kWhite;
    int style = 0;  // FrameColumn::FrameStyle index
    Association association;
    bool operator==(const FrameRecord&) const = default;
};

// The lines of a text block's file. Cards are copied whole (undo keeps one copy per step), so
// the lines are shared between copies and never changed in place: a new reading replaces them.
class SharedLines {
public:
    SharedLines() = default;
    SharedLines(std::vector<std::string> lines)  // NOLINT: a vector is what every reader has
        : lines_(std::make_shared<const std::vector<std::string>>(std::move(lines))) {}
    SharedLines(std::initializer_list<std::string> lines) : SharedLines(std::vector<std::string>(lines)) {}

    const std::vector<std::string>& get() const { return lines_ ? *lines_ : None(); }
    size_t size() const { return get().size(); }
    bool empty() const { return get().empty(); }
    const std::string& operator[](size_t i) const { return get()[i]; }
    auto begin() const { return get().begin(); }
    auto end() const { return get().end(); }
    bool operator==(const SharedLines& other) const { return lines_ == other.lines_ || get() == other.get(); }
    // Whether two copies hold the very same lines (not merely equal ones).
    bool SharesWith(const SharedLines& other) const { return lines_ == other.lines_; }

private:
    static const std::vector<std::string>& None() {
        static const std::vector<std::string> none;
        return none;
    }
    std::shared_ptr<const std::vector<std::string>> lines_;
};

// One of the 40 object places. The attributes the editor keeps in the slot's control
// (bounds, caption, font, transparency) live here beside the kind's record.
struct Slot {
    bool inUse = false;
    Rect bounds;
    // One-line text label and text block drawing font.
    std::string caption;
    FontSpec font;
    bool transparent = true;  // one-line text: background not drawn
    bool wordWrap = false;    // one-line text: vertical layout
    bool stretch = false;     // picture: drawn scaled instead of at its natural size
    SharedLines lines;        // text block: the lines of its file as last loaded

    OneLineTextRecord text;
    TextBlockRecord block;
    PictureRecord picture;
    FrameRecord frame;
    bool operator==(const Slot&) const = default;
};

constexpr size_t kCardNameMaxBytes = 20;
constexpr size_t kCardTitleMaxBytes = 20;

struct CardSettings {
    std::string name;  // file stem of the macro file
    std::string title;
    int color = kWhite;
    int editMode = 0;      // 0 not specified, 1 on, 2 off
    int fingerCursor = 0;  // 0 not specified, 1 on, 2 off
    bool operator==(const CardSettings&) const = default;
};

enum class Feature { Wave = 0, CdAudio = 1, Midi = 2, Avi = 3, Run = 4 };
constexpr int kFeatureCount = 5;
constexpr int kButtonCount = 6;
std::string_view FeatureKindWord(Feature f);
// The name an association of `kind` has: its kind word, "this", or empty (none, a card).
std::string_view AssociationName(AssociationKind kind);

struct Movie2Settings {
    bool inUse = false;
    int position = 0;    // 0 separate window, 1 on the card
    int x = 10, y = 10;  // 0..3000
    int frame = 0;       // FrameColumn::MovieFrame index
    std::string scaleText = "100.0";
    std::string movieFile;  // the chosen movie file
    bool operator==(const Movie2Settings&) const = default;
};

struct MarkerSettings {
    bool inUse = false;
    int color = kRed;
    int width = 3;  // 1..20
    bool off = false;
    bool operator==(const MarkerSettings&) const = default;
};

constexpr int kSlideListMax = 20;
struct SlideSettings {
    bool inUse = false;
    int interval = 3;               // seconds, 1..600
    std::vector<std::string> list;  // card file names with extension
    bool operator==(const SlideSettings&) const = default;
};

// Choices the property dialogs remember between uses and the reader updates.
struct RememberedChoices {
    int textColor = kBlack, textBackColor = kWhite;
    int blockColor = kBlack;
    int frameColor = kWhite;
    bool operator==(const RememberedChoices&) const = default;
};

class Card {
public:
    // The state at program start, before any new-card reset: the card settings keep
    // the dialog's initial values, which have the edit mode off.
    Card();

    CardSettings settings;
    std::array<Slot, kSlotCount> slotList;
    // All 40 slot ids, rearmost first; free slots keep their place too.
    std::vector<int> stacking;
    std::array<Association, kButtonCount> buttons;
    std::array<bool, kButtonCount> buttonInUse{};
    std::array<Association, kFeatureCount> features;
    std::array<bool, kFeatureCount> featureInUse{};
    Movie2Settings movie2;
    MarkerSettings marker;
    SlideSettings slide;
    // Check marks of the four kind menus; UpdateParentChecks derives them from the slots,
    // the reader sets them itself (also when a statement finds no free slot).
    std::array<bool, kKindCount> parentChecked{};
    RememberedChoices remembered;

    Slot& slot(int id) { return slotList.at(id); }
    const Slot& slot(int id) const { return slotList.at(id); }
    Slot& slot(SlotKind k, int number) { return slot(SlotId(k, number)); }
    const Slot& slot(SlotKind k, int number) const { return slot(SlotId(k, number)); }

    // Lowest-numbered free slot of the kind, or -1.
    int FreeSlot(SlotKind kind) const;
    void BringToFront(int id);
    // Ids of the slots in use, rearmost first.
    std::vector<int> UsedSlotsInStackingOrder() const;
    // The association of a mouse button (0 the right one, 1..5 the player's) or of a feature;
    // it is in use (its menu item ticked) when it has a name.
    void SetButton(int button, const Association& chosen);
    void SetFeature(Feature feature, const Association& chosen);

    // Everything above, member by member: two cards are equal when nothing the user could
    // take back differs between them.
    bool operator==(const Card&) const = default;
};

// Defaults shown by the card settings after a reset.
const std::string& DefaultCardTitle();  // "ZEPOマクロ" in Shift-JIS
inline constexpr std::string_view kDefaultCardName = "main";

void ResetRecord(Slot& slot, SlotKind kind);

// The card-state reset: all records to their reset values, buttons and the WAVE, CDAUDIO,
// MIDI and AVI feature associations emptied (RUN keeps its text; its menu is unchecked
// by ResetCard).
void ResetCardState(Card& card);

// Turns whatever card is loaded into an empty new card named "main".
void ResetCard(Card& card);

// Each kind's menu is checked when at least one slot of the kind is in use.
void UpdateParentChecks(Card& card);

}  // namespace zepo
