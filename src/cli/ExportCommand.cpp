// zepocard export: a folder of cards as a static web presentation that works from the file
// system and from any web server.

#include <QBuffer>
#include <QImage>

#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <system_error>

#include "cli/CardPicture.h"
#include "cli/CardSet.h"
#include "cli/Commands.h"
#include "cli/Parallel.h"
#include "cli/WebPages.h"
#include "cli/WebPlayer.h"
#include "cli/MovieTranscode.h"
#include "media/MidiRendition.h"
#include "core/AtomicFile.h"
#include "core/TextCodec.h"
#include "core/Ascii.h"

namespace zepo::cli {
namespace fs = std::filesystem;
namespace {

constexpr int kThumbnailWidth = 160;
// Movies are the largest files a card names; anything beyond this is not one.
constexpr std::uintmax_t kMaxMediumBytes = std::uintmax_t{1} << 30;

bool ParseScreen(const std::string& text, QSize& size) {
    int w = 0, h = 0;
    char x = 0, rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X')) return false;
    if (w < 1 || h < 1 || w > 8192 || h > 8192) return false;
    size = QSize(w, h);
    return true;
}

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

std::optional<std::string> ReadMedium(const fs::path& path) {
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    if (ec || size > kMaxMediumBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

class Exporter {
public:
    Exporter(std::vector<SetCard>& cards, fs::path folder, fs::path site, QSize screen)
        : cards_(cards), index_(cards), folder_(std::move(folder)), site_(std::move(site)), screen_(screen) {}

    int Run() {
        order_ = PresentationOrder(cards_);
        NameFiles();
        for (const SetCard& card : cards_)
            if (!card.read) Problem(card.error);
        std::vector<CardPage> pages;
        for (size_t i : order_) pages.push_back(Page(i));
        for (const char* sub : {"cards", "pictures", "thumbs"}) {
            std::error_code ec;
            fs::create_directories(site_ / sub, ec);
            if (ec) {
                std::cerr << "zepocard: cannot make the folder " << (site_ / sub).string() << ": " << ec.message() << "\n";
                return 2;
            }
        }
        std::vector<IndexEntry> entries(order_.size());
        Progress progress("書き出しています", order_.size() + media_.size());
        // Media first: a piece or movie that cannot be converted is offered as its file instead.
        std::vector<std::pair<fs::path, std::string>> media(media_.begin(), media_.end());
        ForEachOnAllCores(media.size(), [&](size_t n) { CopyMedium(media[n].first, media[n].second); }, &progress);
        for (CardPage& page : pages) OfferUnconverted(page);
        ForEachOnAllCores(
            order_.size(), [&](size_t n) { entries[n] = WriteCard(order_[n], pages[n]); }, &progress);
        Write(site_ / "index.html", IndexHtml(IndexTitle(), entries));
        Write(site_ / "zepo.js", kPageScript);
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
            const std::string base = cards_[i].canonical.stem().string();
            std::string stem = base;
            for (int n = 2; used.count(AsciiLower(stem)); ++n) stem = base + "_" + std::to_string(n);
            used.insert(AsciiLower(stem));
            stem_[i] = stem;
            pageName_[i] = stem + ".html";
        }
    }

    std::string Title(size_t i) const {
        std::string title = SjisToUtf8(cards_[i].read->card.settings.title);
        return title.empty() ? cards_[i].canonical.stem().string() : title;
    }

    std::string IndexTitle() const {
        for (size_t i : order_)
            if (IsMainCard(cards_[i].canonical)) return Title(i);
        return folder_.filename().string();
    }

    // Where an association leads on the page of card `from`; an empty href when nowhere.
    PageLink Link(size_t from, const Association& a, const std::string& label) {
        PageLink link;
        link.label = label;
        const SetCard& card = cards_[from];
        if (a.name == "this") {
            link.href = PercentEncode(pageName_[from]);
            if (link.label.empty()) link.label = Title(from);
            return link;
        }
        if (a.name == "WAVE" && a.file.empty()) {
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
        link.href = "../" + Medium(found.path);
        link.action = a.name == "WAVE" ? AreaAction::Play : AreaAction::Download;
        if (IsMidi(found.path) || NeedsWebConversion(found.path)) {
            link.href += PercentEncode(ConvertedSuffix(found.path));
            link.action = IsMidi(found.path) ? AreaAction::Midi : AreaAction::Movie;
        }
        if (link.label.empty()) link.label = found.path.filename().string();
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
    std::string Medium(const fs::path& file) {
        std::string relative = "media/" + file.lexically_relative(folder_).generic_string();
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
            a.name = "AVI";
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
        QImage picture = RenderCardPicture(card.read->card, card.folder(), screen_);
        const int thumbHeight = std::max(1, screen_.height() * kThumbnailWidth / screen_.width());
        QImage thumbnail = picture.scaled(kThumbnailWidth, thumbHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Write(site_ / "pictures" / (stem + ".png"), Png(picture));
        Write(site_ / "thumbs" / (stem + ".png"), Png(thumbnail));
        Write(site_ / "cards" / pageName_.at(i), CardPageHtml(page));
        return {"cards/" + PercentEncode(pageName_.at(i)), "thumbs/" + PercentEncode(stem + ".png"), page.title,
                card.canonical.filename().string(), kThumbnailWidth, thumbHeight};
    }

    void CopyMedium(const fs::path& from, const std::string& relative) {
        fs::path to = site_ / fs::path(relative);
        std::error_code ec;
        fs::create_directories(to.parent_path(), ec);
        if (IsMidi(from) || NeedsWebConversion(from)) {
            const std::string suffix = ConvertedSuffix(from);
            const fs::path converted = fs::path(to.string() + suffix);
            std::string failure;
            if (IsMidi(from)) {
                const fs::path soundFont = FindGmSoundFont();
                auto rendition = soundFont.empty()
                                     ? Result<MidiRendition>(Fail("「" + from.filename().string() +
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
        auto bytes = ReadMedium(from);
        if (!bytes) {
            Problem("cannot read " + from.string());
            return;
        }
        Write(to, *bytes);
    }

    void Write(const fs::path& target, std::string_view bytes) {
        Status written = WriteFileAtomically(target, bytes);
        if (written) return;
        std::lock_guard guard(lock_);
        std::cerr << "zepocard: " << written.error().message << "\n";
        failed_ = true;
    }

    void Problem(const std::string& text) {
        std::lock_guard guard(lock_);
        std::cerr << "zepocard: " << text << "\n";
        ++problems_;
    }

    std::vector<SetCard>& cards_;
    SetIndex index_;
    fs::path folder_;  // canonical
    fs::path site_;
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

int RunExport(const std::vector<std::string>& args) {
    std::string folder, site;
    QSize screen(1024, 768);  // as zepocard render and the editor's canvas
    bool usage = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && site.empty()) site = args[++i];
        else if (args[i] == "--screen" && i + 1 < args.size()) usage |= !ParseScreen(args[++i], screen);
        else if (!args[i].empty() && args[i][0] != '-' && folder.empty()) folder = args[i];
        else usage = true;
    }
    if (usage || folder.empty() || site.empty()) {
        std::cerr << "usage: zepocard export DIR -o SITE [--screen WxH]\n";
        return 2;
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        std::cerr << "zepocard: " << folder << " is not a folder of cards\n";
        return 2;
    }
    if (fs::exists(site, ec) && !fs::is_directory(site, ec)) {
        std::cerr << "zepocard: " << site << " exists and is not a folder\n";
        return 2;
    }
    std::string error;
    auto cards = CollectCards({folder}, error);
    if (!cards) {
        std::cerr << "zepocard: " << error << "\n";
        return 2;
    }
    ReadCards(*cards, "カードを読んでいます");
    return Exporter(*cards, fs::canonical(folder), site, screen).Run();
}

}  // namespace zepo::cli
