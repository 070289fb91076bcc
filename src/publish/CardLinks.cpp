#include "publish/CardLinks.h"

#include <algorithm>
#include <system_error>

#include "platform/CardFilesOnDisk.h"

namespace zepo::publish {
namespace fs = std::filesystem;

AssociationTarget TargetOf(const Association& a) {
    const AssociationKind kind = a.kind();
    if (kind != AssociationKind::Card && !a.isMedium()) return {};
    if (a.isMedium()) {
        // An empty file is the stop form of the medium.
        if (a.file.empty()) return {};
        return {AssociationTarget::Medium, a.file};
    }
    return {AssociationTarget::Card, a.file.empty() ? a.name + ".zep" : a.file};
}

namespace {

class LinkList {
public:
    void Add(int line, LinkKind kind, const std::string& target, LinkVia via = LinkVia::File) {
        if (!target.empty()) links_.push_back({line, kind, target, via});
    }
    void Associate(int line, const Association& association, LinkVia via) {
        const AssociationTarget t = TargetOf(association);
        if (t.kind == AssociationTarget::Card) Add(line, LinkKind::Card, t.file, via);
        else if (t.kind == AssociationTarget::Medium) Add(line, LinkKind::Medium, t.file, via);
    }
    void Object(int line, SlotKind kind, const Slot& s) {
        switch (kind) {
            case SlotKind::OneLineText: Associate(line, s.text.association, LinkVia::Object); break;
            case SlotKind::TextBlock: Add(line, LinkKind::TextFile, s.block.fileName); break;
            case SlotKind::Picture:
                Add(line, LinkKind::Picture, s.picture.fileName);
                Associate(line, s.picture.association, LinkVia::Object);
                break;
            case SlotKind::Frame: Associate(line, s.frame.association, LinkVia::Object); break;
        }
    }
    // In line order; a picture's file before its association, as the line names them.
    std::vector<CardLink> Sorted() && {
        std::stable_sort(links_.begin(), links_.end(),
                         [](const CardLink& a, const CardLink& b) { return a.line < b.line; });
        return std::move(links_);
    }

private:
    std::vector<CardLink> links_;
};

}  // namespace

std::vector<CardLink> FindCardLinks(const Card& card, const SourceLines& from) {
    LinkList links;
    for (int id = 0; id < kSlotCount; ++id)
        if (card.slot(id).inUse) links.Object(from.objects[size_t(id)], KindOfSlot(id), card.slot(id));
    for (size_t n = 0; n < kButtonCount; ++n)
        if (card.buttonInUse[n]) links.Associate(from.buttons[n], card.buttons[n], LinkVia::Button);
    // A CD track and a program name no file of the folder.
    for (Feature f : {Feature::Wave, Feature::Midi, Feature::Avi}) {
        const auto i = static_cast<size_t>(f);
        if (card.featureInUse[i]) links.Associate(from.features[i], card.features[i], LinkVia::Feature);
    }
    if (card.movie2.inUse) links.Add(from.movie2, LinkKind::Movie, card.movie2.movieFile, LinkVia::Feature);
    for (size_t i = 0; i < card.slide.list.size(); ++i)
        links.Add(i < from.slides.size() ? from.slides[i] : 0, LinkKind::Card, card.slide.list[i], LinkVia::Slide);
    return std::move(links).Sorted();
}

FolderFile LookUpInFolder(const fs::path& folder, std::string_view sjisName) {
    std::error_code ec;
    const fs::path base = fs::canonical(folder, ec);
    if (ec) return {};
    // The rule every reader of a card's names follows, so that what is called outside here
    // is exactly what rendering, export and the editor leave unread.
    const fs::path real = ResolveInFolder(base, sjisName);
    if (real.empty()) return {Lookup::Outside, {}};
    if (!fs::exists(real, ec)) return {Lookup::Missing, {}};
    if (!fs::is_regular_file(real, ec)) return {Lookup::NotPlainFile, {}};
    return {Lookup::Found, real};
}

FolderFile FolderLookups::Find(const fs::path& folder, std::string_view sjisName) {
    auto key = std::make_pair(folder, std::string(sjisName));
    {
        std::lock_guard guard(lock_);
        if (auto known = found_.find(key); known != found_.end()) return known->second;
    }
    FolderFile found = LookUpInFolder(folder, sjisName);
    std::lock_guard guard(lock_);
    return found_.emplace(std::move(key), std::move(found)).first->second;
}

}  // namespace zepo::publish
