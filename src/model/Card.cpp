#include "model/Card.h"

#include <utility>

#include <algorithm>
#include <stdexcept>

#include "core/Moji.h"
#include "core/TextCodec.h"

namespace zepo {

Span InclusiveSpan(int from, int to, int minimum) {
    constexpr long long kFar = (1LL << 30) - 1;
    constexpr long long kMax = 2147483647LL;
    long long a = from, b = to;
    if (b - a + 1 > kMax) {
        a = std::max(a, -kFar);
        b = std::min(b, kFar);
    }
    long long size = std::max<long long>(minimum, b - a + 1);
    size = std::min(size, kMax - std::max(a, 0LL));
    return {static_cast<int>(a), static_cast<int>(std::max(size, 1LL))};
}

SlotKind KindOfSlot(int id) {
    if (id < 0 || id >= kSlotCount) throw std::out_of_range("slot id");
    if (id < 20) return SlotKind::OneLineText;
    if (id < 25) return SlotKind::TextBlock;
    if (id < 30) return SlotKind::Picture;
    return SlotKind::Frame;
}

int NumberOfSlot(int id) { return id - FirstSlotOfKind(KindOfSlot(id)) + 1; }

void Association::Set(std::string_view newName, std::string_view newFile) {
    name = CutBytes(newName, kAssociationNameBytes);
    file = CutBytes(newFile, kAssociationFileBytes);
}

namespace {

constexpr std::pair<AssociationKind, std::string_view> kAssociationNames[] = {
    {AssociationKind::Wave, "WAVE"}, {AssociationKind::CdAudio, "CDAUDIO"}, {AssociationKind::Midi, "MIDI"},
    {AssociationKind::Movie, "AVI"}, {AssociationKind::Run, "RUN"},         {AssociationKind::This, "this"},
};

}  // namespace

AssociationKind Association::kind() const {
    if (name.empty()) return AssociationKind::None;
    for (const auto& [kind, word] : kAssociationNames)
        if (name == word) return kind;
    return AssociationKind::Card;
}

bool Association::isMedium() const {
    const AssociationKind k = kind();
    return k == AssociationKind::Wave || k == AssociationKind::Midi || k == AssociationKind::Movie;
}

std::string_view AssociationName(AssociationKind kind) {
    for (const auto& [k, word] : kAssociationNames)
        if (k == kind) return word;
    return {};
}

std::string_view FeatureKindWord(Feature f) {
    constexpr AssociationKind kinds[] = {AssociationKind::Wave, AssociationKind::CdAudio, AssociationKind::Midi,
                                         AssociationKind::Movie, AssociationKind::Run};
    return AssociationName(kinds[static_cast<int>(f)]);
}

const std::string& DefaultCardTitle() { return Sjis("ZEPOマクロ"); }

Card::Card() {
    settings.name = std::string(kDefaultCardName);
    settings.title = DefaultCardTitle();
    settings.editMode = 2;
    stacking.reserve(kSlotCount);
    for (int id = 0; id < kSlotCount; ++id) stacking.push_back(id);
}

void Card::SetButton(int button, const Association& chosen) {
    buttons.at(button) = chosen;
    buttonInUse.at(button) = !chosen.name.empty();
}

void Card::SetFeature(Feature feature, const Association& chosen) {
    const int i = static_cast<int>(feature);
    features.at(i) = chosen;
    featureInUse.at(i) = !chosen.name.empty();
}

int Card::FreeSlot(SlotKind kind) const {
    int first = FirstSlotOfKind(kind);
    for (int id = first; id < first + SlotsOfKind(kind); ++id)
        if (!slotList[id].inUse) return id;
    return -1;
}

void Card::BringToFront(int id) {
    auto it = std::find(stacking.begin(), stacking.end(), id);
    if (it == stacking.end()) throw std::out_of_range("slot id");
    stacking.erase(it);
    stacking.push_back(id);
}

std::vector<int> Card::UsedSlotsInStackingOrder() const {
    std::vector<int> used;
    for (int id : stacking)
        if (slotList[id].inUse) used.push_back(id);
    return used;
}

bool PictureRecord::operator==(const PictureRecord& o) const {
    const auto samePixels = [](const SharedPicture& a, const SharedPicture& b) {
        if (a == b) return true;
        if (!a || !b) return false;
        return a->width == b->width && a->height == b->height && a->fileBitsPerPixel == b->fileBitsPerPixel &&
               a->rgb == b->rgb;
    };
    return fileName == o.fileName && scale == o.scale && frame == o.frame && association == o.association &&
           naturalWidth == o.naturalWidth && naturalHeight == o.naturalHeight && fileMissing == o.fileMissing &&
           samePixels(pixels, o.pixels);
}

void ResetRecord(Slot& slot, SlotKind kind) {
    switch (kind) {
        case SlotKind::OneLineText: slot.text = OneLineTextRecord{}; break;
        case SlotKind::TextBlock: {
            // The widest line survives until the slot is used again.
            std::string widest = std::move(slot.block.widestLine);
            slot.block = TextBlockRecord{};
            slot.block.widestLine = std::move(widest);
            break;
        }
        case SlotKind::Picture: slot.picture = PictureRecord{}; break;
        case SlotKind::Frame: slot.frame = FrameRecord{}; break;
    }
}

void ResetCardState(Card& card) {
    for (int id = 0; id < kSlotCount; ++id) ResetRecord(card.slotList[id], KindOfSlot(id));
    for (auto& b : card.buttons) b.Clear();
    for (Feature f : {Feature::Wave, Feature::CdAudio, Feature::Midi, Feature::Avi})
        card.features[static_cast<int>(f)].Clear();
}

void ResetCard(Card& card) {
    ResetCardState(card);
    card.settings.name = std::string(kDefaultCardName);
    card.settings.title = DefaultCardTitle();
    card.settings.color = kWhite;
    card.settings.editMode = 0;
    card.settings.fingerCursor = 0;
    card.remembered = RememberedChoices{};
    card.marker = MarkerSettings{};
    card.slide = SlideSettings{};
    card.parentChecked.fill(false);
    for (auto& s : card.slotList) s.inUse = false;
    card.buttonInUse.fill(false);
    card.featureInUse.fill(false);
    // The movie-2 settings keep their values; only the feature is switched off.
    card.movie2.inUse = false;
}

void UpdateParentChecks(Card& card) {
    for (int k = 0; k < kKindCount; ++k) {
        SlotKind kind = static_cast<SlotKind>(k);
        int first = FirstSlotOfKind(kind);
        bool any = false;
        for (int id = first; id < first + SlotsOfKind(kind) && !any; ++id) any = card.slotList[id].inUse;
        card.parentChecked[k] = any;
    }
}

}  // namespace zepo
