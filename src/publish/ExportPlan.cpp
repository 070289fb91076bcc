#include "publish/ExportPlan.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/Ascii.h"
#include "core/InsideFolder.h"
#include "core/TextCodec.h"
#include "core/Version.h"
#include "model/Codes.h"
#include "platform/CardFilesOnDisk.h"
#include "platform/Folders.h"
#include "publish/TerminalText.h"
#include "publish/WebAssets.h"
#include "publish/WebPlayer.h"

namespace zepo::publish {
namespace fs = std::filesystem;

std::string ConvertedSuffix(Conversion conversion) { return conversion == Conversion::Movie ? ".webm" : ".ogg"; }

PageLink NoteLink(PageLink link, std::string note) {
    link.href = "#";
    link.action = AreaAction::Note;
    if (link.label.empty()) link.label = note;
    link.note = std::move(note);
    return link;
}

std::string Recipe(std::string_view kind, std::string_view detail) {
    return std::string(kind) + " " + kZepoVersion + (detail.empty() ? "" : " ") + std::string(detail);
}

namespace {

std::string ScreenText(QSize screen) { return std::to_string(screen.width()) + "x" + std::to_string(screen.height()); }

class Planner {
public:
    explicit Planner(const ExportPlanInputs& in) : in_(in), cards_(*in.cards), index_(cards_) {}

    ExportPlan Make() {
        order_ = PresentationOrder(cards_);
        plan_.thumbnailHeight = std::max(1, in_.screen.height() * ExportPlan::kThumbnailWidth / in_.screen.width());
        plan_.pictureRecipe = Recipe("card", ScreenText(in_.screen) + " " + in_.fonts);
        NameFiles();
        for (const SetCard& card : cards_) {
            if (!card.read) {
                plan_.problems.push_back(card.error);
                continue;
            }
            // What the page lacks (a picture, a text file) is told as render tells it.
            for (const std::string& line : ReaderProblems(card.shown, *card.read)) plan_.problems.push_back(line);
        }
        for (size_t i : order_) PlanCard(i);
        for (const auto& [from, relative] : media_) PlanMedium(from, relative);
        plan_.indexTitle = IndexTitle();
        PlanOverview();
        for (const char* text : {"index.html", "zepo.js", "zepo.css"}) plan_.outputs.insert(text);
        for (const auto& [name, asset] : kPlayerFiles) plan_.outputs.insert(name);
        for (const auto& [relative, written] : in_.earlier.files)
            if (!plan_.outputs.count(relative)) plan_.unwanted.emplace(relative, written);
        return std::move(plan_);
    }

private:
    // Card files that differ only in case ("a.zep", "A.ZEP") would share their pages on a
    // web server that ignores case: later ones get a number.
    void NameFiles() {
        std::set<std::string> used;
        for (size_t i : order_) {
            // The name the card has in its folder (a link to a card elsewhere included), as text.
            const std::string base = ShownName(cards_[i].file.stem().string());
            std::string stem = base;
            for (int n = 2; used.count(AsciiLower(stem)); ++n) stem = base + "_" + std::to_string(n);
            used.insert(AsciiLower(stem));
            stem_[i] = stem;
            pageName_[i] = stem + ".html";
        }
    }

    std::string Title(size_t i) const {
        std::string title = SjisToUtf8(cards_[i].read->card.settings.title);
        return title.empty() ? ShownName(cards_[i].file.stem().string()) : title;
    }

    std::string IndexTitle() const {
        for (size_t i : order_)
            if (IsMainCard(cards_[i].canonical)) return Title(i);
        return ShownName(in_.folder.filename().string());
    }

    // The map of the set's links over the list, each card a link to its page.
    void PlanOverview() {
        auto svg = SetOverviewSvg(
            cards_,
            [this](size_t card) {
                auto page = pageName_.find(card);
                return page == pageName_.end() ? std::string() : "cards/" + PercentEncode(page->second);
            },
            in_.layouts);
        if (svg) plan_.overview = svg.value();
        else plan_.overviewProblem = svg.error().message;
    }

    void PlanCard(size_t i) {
        PlannedCard planned;
        planned.card = i;
        const std::string& stem = stem_.at(i);
        planned.page = "cards/" + pageName_.at(i);
        planned.picture = "pictures/" + stem + ".png";
        planned.thumb = "thumbs/" + stem + ".png";
        planned.inputs = PictureInputs(i);
        planned.content = Page(i);
        planned.entry = {"cards/" + PercentEncode(pageName_.at(i)),
                         "thumbs/" + PercentEncode(stem + ".png"),
                         planned.content.title,
                         ShownName(cards_[i].file.filename().string()),
                         ExportPlan::kThumbnailWidth,
                         plan_.thumbnailHeight};
        for (const std::string* output : {&planned.page, &planned.picture, &planned.thumb})
            plan_.outputs.insert(*output);
        plan_.pages[cards_[i].canonical] = fs::path(planned.page);
        plan_.cards.push_back(std::move(planned));
    }

    // What the card's picture is drawn from: the card and every picture and text file it
    // names, those that are missing too (their appearance changes the picture).
    std::vector<fs::path> PictureInputs(size_t i) const {
        const SetCard& card = cards_[i];
        // The card by its name in the folder: the record holds no path of the machine around it.
        std::vector<fs::path> inputs{card.folder() / card.file.filename()};
        for (size_t n = 0; n < card.links.size(); ++n) {
            const LinkKind kind = card.links[n].kind;
            if (kind != LinkKind::Picture && kind != LinkKind::TextFile) continue;
            if (card.lookups[n].state == Lookup::Found) inputs.push_back(card.lookups[n].path);
            else inputs.push_back(PathOfSjisName(card.folder(), card.links[n].target));
        }
        return inputs;
    }

    void PlanMedium(const fs::path& from, const std::string& relative) {
        PlannedMedium medium;
        medium.from = from;
        medium.copy = relative;
        medium.conversion = conversion_.at(from);
        const bool converted = medium.conversion != Conversion::None;
        const std::string suffix = converted ? ConvertedSuffix(medium.conversion) : "";
        medium.output = relative + suffix;
        medium.href = "../" + PercentEncode(relative, true) + PercentEncode(suffix);
        medium.recipe = medium.conversion == Conversion::Midi    ? Recipe("midi", in_.soundFont)
                        : medium.conversion == Conversion::Sound ? Recipe("sound")
                        : medium.conversion == Conversion::Movie ? Recipe("movie", ScreenText(in_.screen))
                                                                 : Recipe("copy");
        plan_.outputs.insert(medium.output);
        plan_.media.push_back(std::move(medium));
    }

    // The medium's place in the site, percent-encoded; copied once however many cards name it.
    // Only a file of the folder has one: "media/" and its path in the folder, never a ".." that
    // would climb out of the site.
    std::optional<std::string> Medium(const fs::path& file) {
        const fs::path inFolder = file.lexically_relative(in_.folder);
        if (inFolder.empty() || !StaysInsideFolder(inFolder) || *inFolder.begin() == "..") return std::nullopt;
        std::string relative = "media/" + ShownName(inFolder.generic_string());
        if (media_.emplace(file, relative).second) conversion_[file] = in_.conversionOf(file);
        return PercentEncode(relative, true);
    }

    // Where an association leads on the page of card `from`; an empty href when nowhere.
    PageLink Link(size_t from, const Association& a, const std::string& label) {
        PageLink link;
        link.label = label;
        switch (a.kind()) {
            case AssociationKind::This:
                link.href = PercentEncode(pageName_[from]);
                if (link.label.empty()) link.label = Title(from);
                return link;
            case AssociationKind::CdAudio: return NoteLink(link, "音楽CDはこの再生では使えません");
            case AssociationKind::Run: return NoteLink(link, "ソフトの起動はこの再生ではできません");
            default: break;
        }
        if (a.isMedium() && a.file.empty()) return StopLink(link, a.kind());
        AssociationTarget target = TargetOf(a);
        if (target.kind == AssociationTarget::None) return link;
        FolderFile found = in_.find(cards_[from].folder(), target.file);
        if (target.kind == AssociationTarget::Card) return CardLink(link, from, target, found);
        return MediumLink(link, from, a, target, found);
    }

    // The stop forms: each stops its own medium only.
    static PageLink StopLink(PageLink link, AssociationKind kind) {
        link.href = "#";
        link.action = kind == AssociationKind::Wave   ? AreaAction::StopSound
                      : kind == AssociationKind::Midi ? AreaAction::StopMidi
                                                      : AreaAction::StopMovie;
        if (link.label.empty())
            link.label = kind == AssociationKind::Wave   ? "音声を止める"
                         : kind == AssociationKind::Midi ? "MIDIを止める"
                                                         : "動画を止める";
        return link;
    }

    PageLink CardLink(PageLink link, size_t from, const AssociationTarget& target, const FolderFile& found) {
        auto to = found.state == Lookup::Found ? index_.Find(found.path) : std::nullopt;
        if (!to || !cards_[*to].read) {
            plan_.problems.push_back(cards_[from].shown + ": 「" + SjisToUtf8(target.file) +
                                     "」のページがないため、そのリンクは入れていません");
            return link;
        }
        link.href = PercentEncode(pageName_[*to]);
        if (link.label.empty()) link.label = Title(*to);
        return link;
    }

    PageLink MediumLink(PageLink link, size_t from, const Association& a, const AssociationTarget& target,
                        const FolderFile& found) {
        const std::string name = SjisToUtf8(target.file);
        if (found.state != Lookup::Found) {
            plan_.problems.push_back(cards_[from].shown + ": 「" + name + "」がフォルダにないため、再生できません");
            return NoteLink(link, "「" + name + "」がないため再生できません");
        }
        std::optional<std::string> medium = Medium(found.path);
        if (!medium) {
            plan_.problems.push_back(cards_[from].shown + ": 「" + name + "」がフォルダの外にあるため、再生できません");
            return NoteLink(link, "「" + name + "」は再生できません");
        }
        link.href = "../" + *medium;
        const Conversion conversion = conversion_.at(found.path);
        if (conversion != Conversion::None) link.href += PercentEncode(ConvertedSuffix(conversion));
        link.action = conversion == Conversion::Midi      ? AreaAction::Midi
                      : conversion == Conversion::Movie   ? AreaAction::Movie
                      : a.kind() == AssociationKind::Wave ? AreaAction::Play
                      : a.kind() == AssociationKind::Midi ? AreaAction::Midi
                                                          : AreaAction::Movie;
        if (link.label.empty()) link.label = ShownName(found.path.filename().string());
        return link;
    }

    CardPage Page(size_t i) {
        const Card& card = cards_[i].read->card;
        CardPage page;
        page.page = PercentEncode(pageName_.at(i));
        page.title = Title(i);
        page.picture = "../pictures/" + PercentEncode(stem_.at(i) + ".png");
        page.thumbnail = "../thumbs/" + PercentEncode(stem_.at(i) + ".png");
        page.width = in_.screen.width();
        page.height = in_.screen.height();
        page.indexHref = "../index.html";
        Areas(i, card, page);
        for (int b = 0; b < kButtonCount; ++b)
            if (card.buttonInUse[b]) page.buttons[b] = Link(i, card.buttons[b], "");
        if (card.slide.inUse) {
            page.slideSeconds = card.slide.interval;
            for (const std::string& entry : card.slide.list) {
                Association a;
                a.name = "slide";
                a.file = entry;
                PageLink link = Link(i, a, "");
                if (!link.href.empty()) page.slidePages.push_back(link.href);
            }
        }
        Features(i, card, page);
        Movie2(i, card, page);
        return page;
    }

    void Areas(size_t i, const Card& card, CardPage& page) {
        for (int id : card.UsedSlotsInStackingOrder()) {
            const Slot& slot = card.slot(id);
            const Association* a = nullptr;
            std::string label;
            switch (KindOfSlot(id)) {
                case SlotKind::OneLineText:
                    a = &slot.text.association;
                    label = SjisToUtf8(slot.caption);
                    break;
                case SlotKind::Picture: a = &slot.picture.association; break;
                case SlotKind::Frame: a = &slot.frame.association; break;
                case SlotKind::TextBlock: break;
            }
            if (!a) continue;
            PageLink link = Link(i, *a, label);
            if (link.href.empty()) continue;
            link.left = slot.bounds.left;
            link.top = slot.bounds.top;
            link.width = slot.bounds.width;
            link.height = slot.bounds.height;
            page.areas.push_back(std::move(link));
        }
    }

    // The medium a feature starts as the card opens, or the note saying why it cannot.
    void Started(size_t i, const Card& card, Feature feature, AreaAction action, std::string& href, CardPage& page) {
        const int f = static_cast<int>(feature);
        if (!card.featureInUse[f] || card.features[f].file.empty()) return;
        PageLink started = Link(i, card.features[f], "");
        if (started.action == action) href = started.href;
        else if (started.action == AreaAction::Note) page.notes.push_back(started.note);
    }

    void Features(size_t i, const Card& card, CardPage& page) {
        // A feature of a medium without a file stops that medium as the card opens.
        for (const auto& [feature, channel] :
             {std::pair{Feature::Wave, "wave"}, std::pair{Feature::Midi, "midi"}, std::pair{Feature::Avi, "movie"}})
            if (card.featureInUse[int(feature)] && card.features[int(feature)].file.empty())
                page.stops.push_back(channel);
        Started(i, card, Feature::Wave, AreaAction::Play, page.sound, page);
        const int cd = static_cast<int>(Feature::CdAudio), run = static_cast<int>(Feature::Run);
        // " " is the feature's placeholder for a file not chosen yet.
        if (card.featureInUse[cd] && !card.features[cd].file.empty() && card.features[cd].file != " ")
            page.notes.push_back("音楽CDはこの再生では使えません");
        if (card.featureInUse[run] && !card.features[run].file.empty() && card.features[run].file != " ")
            page.notes.push_back("ソフトの起動はこの再生ではできません");
        if (card.marker.inUse) {
            char pen[32];
            std::snprintf(pen, sizeof pen, "#%06x,%d", unsigned(ColorRgb(card.marker.color)),
                          std::clamp(card.marker.width, 1, 20));
            page.marker = card.marker.off ? "off" : pen;
        }
        page.fingerCursor = card.settings.fingerCursor != 2;
        Started(i, card, Feature::Midi, AreaAction::Midi, page.midi, page);
        Started(i, card, Feature::Avi, AreaAction::Movie, page.movie, page);
    }

    void Movie2(size_t i, const Card& card, CardPage& page) {
        if (!card.movie2.inUse || card.movie2.movieFile.empty()) return;
        Association a;
        a.name = AssociationName(AssociationKind::Movie);
        // The dialog keeps a full path; the card file holds the name in the save folder.
        const std::string& file = card.movie2.movieFile;
        const auto slash = file.find_last_of("\\/");
        a.file = slash == std::string::npos ? file : file.substr(slash + 1);
        PageLink movie = Link(i, a, "");
        if (movie.action == AreaAction::Movie) {
            Movie2Placement placement;
            placement.href = movie.href;
            placement.onCard = card.movie2.position == 1;
            placement.x = card.movie2.x;
            placement.y = card.movie2.y;
            placement.frame = card.movie2.frame;
            placement.scalePercent = Movie2ScalePercent(card.movie2.scaleText);
            page.movie2Html = Movie2Html(placement);
        } else if (movie.action == AreaAction::Note) {
            page.notes.push_back(movie.note);
        }
    }

    const ExportPlanInputs& in_;
    const std::vector<SetCard>& cards_;
    SetIndex index_;
    ExportPlan plan_;
    std::vector<size_t> order_;
    std::map<size_t, std::string> pageName_, stem_;
    std::map<fs::path, std::string> media_;      // each medium's copy in the site
    std::map<fs::path, Conversion> conversion_;  // of each medium, decided as it is first named
};

}  // namespace

ExportPlan PlanExport(const ExportPlanInputs& inputs) { return Planner(inputs).Make(); }

}  // namespace zepo::publish
