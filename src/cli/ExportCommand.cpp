// zepocard export: a folder of cards as a static web presentation that works from the file
// system and from any web server.

#include <QBuffer>
#include <QImage>

#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <system_error>

#include "cli/CardPicture.h"
#include "cli/CardSet.h"
#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/Parallel.h"
#include "cli/StandardOutput.h"
#include "cli/TerminalText.h"
#include "cli/WebPages.h"
#include "cli/WebPlayer.h"
#include "cli/MovieTranscode.h"
#include "media/MidiRendition.h"
#include "core/AtomicFile.h"
#include "core/TextCodec.h"
#include "core/Ascii.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo::cli {
namespace fs = std::filesystem;
namespace {

constexpr int kThumbnailWidth = 160;
// Movies are the largest files a card names; anything beyond this is not one.
constexpr std::uintmax_t kMaxMediumBytes = std::uintmax_t{1} << 30;

std::string Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

bool IsMidi(const fs::path& file) {
    const std::string ext = AsciiLower(file.extension().string());
    return ext == ".mid" || ext == ".midi";
}

class Exporter {
public:
    Exporter(std::vector<SetCard>& cards, fs::path folder, fs::path site, QSize screen)
        : cards_(cards), index_(cards), folder_(std::move(folder)), site_(std::move(site)), screen_(screen) {}

    int Run() {
        order_ = PresentationOrder(cards_);
        NameFiles();
        for (const SetCard& card : cards_) {
            if (!card.read) {
                Problem(card.error);
                continue;
            }
            // What the page lacks (a picture, a text file) is told as render tells it.
            for (const std::string& line : ReaderProblems(card.shown, *card.read)) Problem(line);
        }
        std::vector<CardPage> pages;
        for (size_t i : order_) pages.push_back(Page(i));
        std::error_code ec;
        fs::create_directories(site_, ec);
        if (!ec) root_ = fs::canonical(site_, ec);
        if (ec) {
            std::cerr << "zepocard: cannot make the folder " << Printable(ShownName(site_.string())) << ": "
                      << ec.message() << "\n";
            return 2;
        }
        for (const char* sub : {"cards", "pictures", "thumbs"})
            if (!MakeFolder(site_ / sub)) return 2;
        std::vector<IndexEntry> entries(order_.size());
        Progress progress("書き出しています", order_.size() + media_.size());
        // Media first: a piece or movie that cannot be converted is offered as its file instead.
        std::vector<std::pair<fs::path, std::string>> media(media_.begin(), media_.end());
        ForEachOnAllCores(media.size(), [&](size_t n) { CopyMedium(media[n].first, media[n].second); }, &progress);
        for (CardPage& page : pages) OfferUnconverted(page);
        ForEachOnAllCores(
            order_.size(), [&](size_t n) { entries[n] = WriteCard(order_[n], pages[n]); }, &progress);
        Write(site_ / "index.html", IndexHtml(IndexTitle(), entries));
        std::vector<std::string> pageHrefs;
        for (size_t i : order_) pageHrefs.push_back(PercentEncode(pageName_.at(i)));
        Write(site_ / "zepo.js", PageScript(pageHrefs));
        Write(site_ / "zepo.css", kPageStyle);
        Write(site_ / kPlayerScriptName, kPlayerScript);
        Write(site_ / kPlayerStyleName, kPlayerStyle);
        if (failed_) return 2;
        return problems_ ? 1 : 0;
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
        return ShownName(folder_.filename().string());
    }

    // Where an association leads on the page of card `from`; an empty href when nowhere.
    PageLink Link(size_t from, const Association& a, const std::string& label) {
        PageLink link;
        link.label = label;
        const SetCard& card = cards_[from];
        if (a.kind() == AssociationKind::This) {
            link.href = PercentEncode(pageName_[from]);
            if (link.label.empty()) link.label = Title(from);
            return link;
        }
        if (a.kind() == AssociationKind::Wave && a.file.empty()) {
            link.href = "#";
            link.action = AreaAction::StopSound;
            return link;
        }
        AssociationTarget target = TargetOf(a);
        if (target.kind == AssociationTarget::None) return link;
        FolderFile found = LookUpInFolder(card.folder(), target.file);
        if (target.kind == AssociationTarget::Card) {
            auto to = found.state == Lookup::Found ? index_.Find(found.path) : std::nullopt;
            if (!to || !cards_[*to].read) {
                Problem(card.shown + ": 「" + SjisToUtf8(target.file) + "」のページがないため、そのリンクは入れていません");
                return link;
            }
            link.href = PercentEncode(pageName_[*to]);
            if (link.label.empty()) link.label = Title(*to);
            return link;
        }
        if (found.state != Lookup::Found) {
            Problem(card.shown + ": 「" + SjisToUtf8(target.file) + "」がフォルダにないため、そのリンクは入れていません");
            return link;
        }
        std::optional<std::string> medium = Medium(found.path);
        if (!medium) {
            Problem(card.shown + ": 「" + SjisToUtf8(target.file) + "」がフォルダの外にあるため、そのリンクは入れていません");
            return link;
        }
        link.href = "../" + *medium;
        link.action = a.kind() == AssociationKind::Wave ? AreaAction::Play : AreaAction::Download;
        if (IsMidi(found.path) || NeedsWebConversion(found.path)) {
            link.href += PercentEncode(ConvertedSuffix(found.path));
            link.action = IsMidi(found.path) ? AreaAction::Midi : AreaAction::Movie;
        }
        if (link.label.empty()) link.label = ShownName(found.path.filename().string());
        return link;
    }

    // MIDI pieces become Ogg Vorbis and old movies WebM beside the original's name.
    static std::string ConvertedSuffix(const fs::path& file) { return IsMidi(file) ? ".ogg" : ".webm"; }

    // Links to a conversion that failed lead to the copied original, as a download.
    void OfferUnconverted(CardPage& page) {
        auto fix = [&](PageLink& link) {
            if (!unconverted_.count(link.href)) return;
            link.href = unconverted_[link.href];
            link.action = AreaAction::Download;
        };
        for (PageLink& link : page.areas) fix(link);
        for (PageLink& link : page.buttons) fix(link);
        if (unconverted_.count(page.midi)) page.midi.clear();
        if (unconverted_.count(page.movie)) page.movie.clear();
        for (const auto& [converted, original] : unconverted_)
            if (page.movie2Html.find(EscapeHtml(converted)) != std::string::npos) page.movie2Html.clear();
    }

    // The medium's place in the site, percent-encoded; copied once however many cards name it.
    // Only a file of the folder has one: "media/" and its path in the folder, never a ".." that
    // would climb out of the site.
    std::optional<std::string> Medium(const fs::path& file) {
        const fs::path inFolder = file.lexically_relative(folder_);
        if (inFolder.empty() || !StaysInsideFolder(inFolder) || *inFolder.begin() == "..") return std::nullopt;
        std::string relative = "media/" + ShownName(inFolder.generic_string());
        media_.emplace(file, relative);
        return PercentEncode(relative, true);
    }

    CardPage Page(size_t i) {
        const Card& card = cards_[i].read->card;
        CardPage page;
        page.title = Title(i);
        page.picture = "../pictures/" + PercentEncode(stem_.at(i) + ".png");
        page.width = screen_.width();
        page.height = screen_.height();
        page.indexHref = "../index.html";
        for (int id : card.UsedSlotsInStackingOrder()) {
            const Slot& slot = card.slot(id);
            const Association* a = nullptr;
            std::string label;
            switch (KindOfSlot(id)) {
                case SlotKind::OneLineText: a = &slot.text.association; label = SjisToUtf8(slot.caption); break;
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
        const int wave = static_cast<int>(Feature::Wave);
        if (card.featureInUse[wave] && !card.features[wave].file.empty()) {
            PageLink sound = Link(i, card.features[wave], "");
            if (sound.action == AreaAction::Play) page.sound = sound.href;
        }
        const int midi = static_cast<int>(Feature::Midi), avi = static_cast<int>(Feature::Avi);
        if (card.featureInUse[midi] && !card.features[midi].file.empty()) {
            PageLink piece = Link(i, card.features[midi], "");
            if (piece.action == AreaAction::Midi) page.midi = piece.href;
        }
        if (card.featureInUse[avi] && !card.features[avi].file.empty()) {
            PageLink movie = Link(i, card.features[avi], "");
            if (movie.action == AreaAction::Movie) page.movie = movie.href;
        }
        if (card.movie2.inUse && !card.movie2.movieFile.empty()) {
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
            }
        }
        return page;
    }

    IndexEntry WriteCard(size_t i, const CardPage& page) {
        const SetCard& card = cards_[i];
        const std::string& stem = stem_.at(i);
        QImage picture = RenderCardPicture(card.read->card, screen_);
        const int thumbHeight = std::max(1, screen_.height() * kThumbnailWidth / screen_.width());
        QImage thumbnail = picture.scaled(kThumbnailWidth, thumbHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Write(site_ / "pictures" / (stem + ".png"), Png(picture));
        Write(site_ / "thumbs" / (stem + ".png"), Png(thumbnail));
        Write(site_ / "cards" / pageName_.at(i), CardPageHtml(page));
        return {"cards/" + PercentEncode(pageName_.at(i)), "thumbs/" + PercentEncode(stem + ".png"), page.title,
                ShownName(card.file.filename().string()), kThumbnailWidth, thumbHeight};
    }

    // Copied in pieces: a set of large movies costs no more memory than a small one.
    void CopyMedium(const fs::path& from, const std::string& relative) {
        const fs::path to = site_ / fs::path(relative);
        std::error_code ec;
        if (!MakeFolder(to.parent_path())) return;
        if (IsMidi(from) || NeedsWebConversion(from)) {
            const std::string suffix = ConvertedSuffix(from);
            const fs::path converted = fs::path(to.string() + suffix);
            if (!Writable(converted)) return;
            std::string failure;
            if (IsMidi(from)) {
                const fs::path soundFont = FindGmSoundFont();
                auto rendition = soundFont.empty()
                                     ? Result<MidiRendition>(Fail("「" + ShownName(from.filename().string()) +
                                                                  "」を音声にできません: General MIDI の音色ファイルがありません"))
                                     : RenderMidi(from, soundFont);
                if (rendition) Write(converted, rendition.value().ogg);
                else failure = rendition.error().message;
            } else {
                auto movie = TranscodeToWebm(from, converted);
                if (!movie) failure = movie.error().message;
            }
            if (failure.empty()) return;
            Problem(failure);
            std::lock_guard guard(lock_);
            const std::string href = "../" + PercentEncode(relative, true);
            unconverted_[href + PercentEncode(suffix)] = href;
        }
        const std::uintmax_t size = fs::file_size(from, ec);
        if (ec || size > kMaxMediumBytes) {
            Problem("cannot read " + ShownName(from.string()));
            return;
        }
        if (!Writable(to)) return;
        Status copied = CopyFileAtomically(from, to, kMaxMediumBytes);
        if (!copied)
            Failed(ShownName(from.string()) + " → " + ShownName(to.string()) + ": " + copied.error().message);
    }

    // Only inside the site: a folder or file there that is a link leading elsewhere (planted,
    // or left from before) is never written through.
    bool Writable(const fs::path& target) {
        if (LeadsInside(root_, target)) return true;
        Failed(ShownName(target.string()) + " はリンクでサイトの外を指しているため、書きません");
        return false;
    }

    bool MakeFolder(const fs::path& folder) {
        if (!Writable(folder)) return false;
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!ec) return true;
        Failed("cannot make the folder " + ShownName(folder.string()) + ": " + ec.message());
        return false;
    }

    void Write(const fs::path& target, std::string_view bytes) {
        if (!Writable(target)) return;
        Status written = WriteFileAtomically(target, bytes);
        if (!written) Failed(ShownName(target.string()) + ": " + written.error().message);
    }

    void Failed(const std::string& text) {
        std::lock_guard guard(lock_);
        std::cerr << "zepocard: " << Printable(text) << "\n";
        failed_ = true;
    }

    void Problem(const std::string& text) {
        std::lock_guard guard(lock_);
        std::cerr << "zepocard: " << Printable(text) << "\n";
        ++problems_;
    }

    std::vector<SetCard>& cards_;
    SetIndex index_;
    fs::path folder_;  // canonical
    fs::path site_;
    fs::path root_;  // the site, canonical
    QSize screen_;
    std::vector<size_t> order_;
    std::map<size_t, std::string> pageName_, stem_;
    std::map<fs::path, std::string> media_;
    std::map<std::string, std::string> unconverted_;  // href of a failed conversion → the original's
    std::mutex lock_;
    int problems_ = 0;
    bool failed_ = false;
};

}  // namespace

int RunExport(const ExportOptions& options) {
    const std::string& folder = options.folder;
    const std::string& site = options.site;
    const QSize screen = options.screen;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        std::cerr << "zepocard: " << Printable(ShownName(folder)) << " is not a folder of cards\n";
        return 2;
    }
    if (fs::exists(site, ec) && !fs::is_directory(site, ec)) {
        std::cerr << "zepocard: " << Printable(ShownName(site)) << " exists and is not a folder\n";
        return 2;
    }
    std::string error;
    auto cards = CollectCards({folder}, error);
    if (!cards) {
        std::cerr << "zepocard: " << Printable(error) << "\n";
        return 2;
    }
    ReadCards(*cards, "カードを読んでいます");
    return FinishStandardOutput(Exporter(*cards, fs::canonical(folder), site, screen).Run());
}

}  // namespace zepo::cli
