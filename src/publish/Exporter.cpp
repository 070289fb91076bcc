#include "publish/Exporter.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QRawFont>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <system_error>

#include "core/Ascii.h"
#include "core/AtomicFile.h"
#include "core/InsideFolder.h"
#include "core/TextCodec.h"
#include "core/Version.h"
#include "media/MidiRendition.h"
#include "model/Codes.h"
#include "platform/CardFilesOnDisk.h"
#include "platform/Folders.h"
#include "publish/CardPicture.h"
#include "publish/CardSet.h"
#include "publish/ExportManifest.h"
#include "publish/InsideSite.h"
#include "publish/MapDrawing.h"
#include "publish/MovieTranscode.h"
#include "publish/Parallel.h"
#include "publish/SiteFolder.h"
#include "publish/SoundTranscode.h"
#include "publish/TerminalText.h"
#include "publish/WebAssets.h"
#include "publish/WebPages.h"
#include "publish/WebPlayer.h"
#include "render/Fonts.h"

namespace zepo::publish {
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

// What an output was made with besides its inputs: the program (a new version may draw
// differently) and, for pictures, the screen.
std::string Recipe(std::string_view kind, std::string_view detail = {}) {
    return std::string(kind) + " " + kZepoVersion + (detail.empty() ? "" : " ") + std::string(detail);
}

// Which fonts the pictures are drawn with: the family each card typeface is drawn in and its
// "head" table (revision, dates, checksum), so that another font, or another version of one,
// draws the cards again.
std::string FontsFingerprint() {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (Typeface face : {Typeface::Mincho, Typeface::Gothic, Typeface::TimesNewRoman, Typeface::Arial}) {
        FontSpec spec;
        spec.face = face;
        spec.height = 16;
        const QRawFont raw = QRawFont::fromFont(MakeFont(spec));
        hash.addData(raw.familyName().toUtf8() + '\0' + raw.styleName().toUtf8() + '\0');
        hash.addData(raw.fontTable("head"));
    }
    return "fonts " + hash.result().toHex().left(16).toStdString();
}

// The SoundFont by its name and size: its path is of this machine, and the record is published.
std::string SoundFontStamp(const fs::path& soundFont) {
    std::error_code ec;
    const auto size = fs::file_size(soundFont, ec);
    return soundFont.filename().string() + " " + (ec ? std::string("?") : std::to_string(size));
}

// The site folder, made when missing and checked before any card is read.
struct OpenedSite {
    fs::path root;  // canonical
    std::shared_ptr<SiteFolder> folder;
};

// Nothing is written into a folder that holds files of the user's own and no record of an
// export (they would be taken for stale outputs, or replaced), a folder another user owns or
// may write in, or through a link planted at a name every export writes. An empty folder is
// claimed with an empty record at once, so that an export stopped half-way leaves a site
// that the next export takes up.
std::optional<OpenedSite> OpenSite(const fs::path& site, ExportManifest& manifest, ExportReport& report) {
    OpenedSite opened;
    std::error_code ec;
    fs::create_directories(site, ec);
    if (!ec) opened.root = fs::canonical(site, ec);
    const std::string shown = "「" + ShownName(site.string()) + "」";
    std::string why = ec ? "フォルダ" + shown + "を作れません: " + ec.message() : std::string();
    std::vector<std::string> names{"index.html", "zepo.js",  "zepo.css", ExportManifest::kFileName,
                                   "cards",      "pictures", "thumbs",   "media"};
    for (const auto& [name, asset] : kPlayerFiles) names.emplace_back(name);
    for (const std::string& name : names)
        if (why.empty() && !LeadsInside(opened.root, site / name))
            why = ShownName((site / name).string()) + " はリンクでサイトの外を指しているため、書きません";
    if (why.empty() && fs::is_symlink(site / ExportManifest::kFileName, ec))
        why = ShownName((site / ExportManifest::kFileName).string()) + " はリンクのため、書きません";
    if (why.empty()) {
        auto folder = SiteFolder::Open(site);
        if (folder) opened.folder = folder.value();
        else why = folder.error().message;
    }
    if (why.empty()) {
        manifest.Load();
        if (!manifest.Earlier().found && opened.folder->HoldsAnythingBut(ExportManifest::kFileName))
            why = "書き出し先のフォルダ" + shown +
                  "には、書き出しで作ったのではないファイルがあります。それらを消したり置き換えたりしないよう、"
                  "空のフォルダか新しいフォルダを指定してください";
        else if (Status claimed = manifest.Earlier().found ? Status() : manifest.Save(); !claimed)
            why = ShownName((site / ExportManifest::kFileName).string()) + ": " + claimed.error().message;
    }
    if (why.empty()) return opened;
    report.failures.push_back(why);
    return std::nullopt;
}

class Exporter {
public:
    Exporter(std::vector<SetCard>& cards, fs::path folder, fs::path site, QSize screen, ExportReport& report,
             const ExportProgress& progress, ExportManifest& manifest, const OpenedSite& opened)
        : cards_(cards),
          index_(cards),
          folder_(std::move(folder)),
          site_(std::move(site)),
          root_(opened.root),
          siteFolder_(*opened.folder),
          screen_(screen),
          report_(report),
          progress_(progress),
          manifest_(manifest) {}

    void Run() {
        order_ = PresentationOrder(cards_);
        fonts_ = FontsFingerprint();
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
        for (const char* sub : {"cards", "pictures", "thumbs"})
            if (!MakeFolder(site_ / sub)) return;
        std::vector<IndexEntry> entries(order_.size());
        Progress progress(
            [this](size_t done, size_t total) {
                if (progress_) progress_("書き出しています", done, total);
            },
            order_.size() + media_.size());
        // Media first: a medium that cannot be converted becomes a note on its pages.
        std::vector<std::pair<fs::path, std::string>> media(media_.begin(), media_.end());
        ForEachOnAllCores(
            media.size(), [&](size_t n) { CopyMedium(media[n].first, media[n].second); }, &progress);
        for (CardPage& page : pages) OfferUnconverted(page);
        ForEachOnAllCores(
            order_.size(), [&](size_t n) { entries[n] = WriteCard(order_[n], pages[n]); }, &progress);
        Text("index.html", IndexHtml(IndexTitle(), entries, Overview()));
        Text("zepo.js", SetScript(pages));
        Text("zepo.css", WebAsset("zepo.css"));
        for (const auto& [name, asset] : kPlayerFiles) Text(name, WebAsset(asset));
        for (size_t i : order_) report_.pages[cards_[i].canonical] = fs::path("cards") / pageName_.at(i);
        RemoveStale();
        if (Status saved = manifest_.Save(); !saved)
            Failed(ShownName((site_ / ExportManifest::kFileName).string()) + ": " + saved.error().message);
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

    // The map of the set's links over the list, each card a link to its page.
    std::string Overview() {
        auto svg = SetOverviewSvg(cards_, [this](size_t card) {
            auto page = pageName_.find(card);
            return page == pageName_.end() ? std::string() : "cards/" + PercentEncode(page->second);
        });
        if (!svg) Problem(svg.error().message);
        return svg ? svg.value() : std::string();
    }

    // Where an association leads on the page of card `from`; an empty href when nowhere.
    PageLink Link(size_t from, const Association& a, const std::string& label) {
        PageLink link;
        link.label = label;
        const SetCard& card = cards_[from];
        switch (a.kind()) {
            case AssociationKind::This:
                link.href = PercentEncode(pageName_[from]);
                if (link.label.empty()) link.label = Title(from);
                return link;
            case AssociationKind::CdAudio: return NoteLink(link, "音楽CDはこの再生では使えません");
            case AssociationKind::Run: return NoteLink(link, "ソフトの起動はこの再生ではできません");
            default: break;
        }
        // The stop forms: each stops its own medium only.
        if (a.isMedium() && a.file.empty()) {
            link.href = "#";
            const AssociationKind kind = a.kind();
            link.action = kind == AssociationKind::Wave   ? AreaAction::StopSound
                          : kind == AssociationKind::Midi ? AreaAction::StopMidi
                                                          : AreaAction::StopMovie;
            if (link.label.empty())
                link.label = kind == AssociationKind::Wave   ? "音声を止める"
                             : kind == AssociationKind::Midi ? "MIDIを止める"
                                                             : "動画を止める";
            return link;
        }
        AssociationTarget target = TargetOf(a);
        if (target.kind == AssociationTarget::None) return link;
        FolderFile found = lookups_.Find(card.folder(), target.file);
        if (target.kind == AssociationTarget::Card) {
            auto to = found.state == Lookup::Found ? index_.Find(found.path) : std::nullopt;
            if (!to || !cards_[*to].read) {
                Problem(card.shown + ": 「" + SjisToUtf8(target.file) +
                        "」のページがないため、そのリンクは入れていません");
                return link;
            }
            link.href = PercentEncode(pageName_[*to]);
            if (link.label.empty()) link.label = Title(*to);
            return link;
        }
        const std::string name = SjisToUtf8(target.file);
        if (found.state != Lookup::Found) {
            Problem(card.shown + ": 「" + name + "」がフォルダにないため、再生できません");
            return NoteLink(link, "「" + name + "」がないため再生できません");
        }
        std::optional<std::string> medium = Medium(found.path);
        if (!medium) {
            Problem(card.shown + ": 「" + name + "」がフォルダの外にあるため、再生できません");
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

    static PageLink NoteLink(PageLink link, std::string note) {
        link.href = "#";
        link.action = AreaAction::Note;
        if (link.label.empty()) link.label = note;
        link.note = std::move(note);
        return link;
    }

    enum class Conversion { None, Midi, Sound, Movie };

    // MIDI pieces and sounds browsers may not play become Ogg Vorbis, old movies WebM, beside
    // the original's name.
    static std::string ConvertedSuffix(Conversion c) { return c == Conversion::Movie ? ".webm" : ".ogg"; }

    static Conversion ConversionOf(const fs::path& file) {
        if (IsMidi(file)) return Conversion::Midi;
        if (NeedsWebConversion(file)) return Conversion::Movie;
        if (IsWaveFile(file) && WaveNeedsConversion(file)) return Conversion::Sound;
        return Conversion::None;
    }

    // Links to a medium that is not in the site (its conversion failed, or it is too large)
    // become notes that say so where it would have played.
    void OfferUnconverted(CardPage& page) {
        auto fix = [&](PageLink& link) {
            auto missing = missing_.find(link.href);
            if (missing == missing_.end()) return;
            link = NoteLink(PageLink{link.left, link.top, link.width, link.height, {}, {}, link.label, {}},
                            missing->second);
        };
        for (PageLink& link : page.areas) fix(link);
        for (PageLink& link : page.buttons) fix(link);
        for (std::string* started : {&page.sound, &page.midi, &page.movie})
            if (auto missing = missing_.find(*started); missing != missing_.end()) {
                page.notes.push_back(missing->second);
                started->clear();
            }
        for (const auto& [href, note] : missing_)
            if (!page.movie2Html.empty() && page.movie2Html.find(EscapeHtml(href)) != std::string::npos) {
                page.movie2Html.clear();
                page.notes.push_back(note);
            }
    }

    // The medium's place in the site, percent-encoded; copied once however many cards name it.
    // Only a file of the folder has one: "media/" and its path in the folder, never a ".." that
    // would climb out of the site.
    std::optional<std::string> Medium(const fs::path& file) {
        const fs::path inFolder = file.lexically_relative(folder_);
        if (inFolder.empty() || !StaysInsideFolder(inFolder) || *inFolder.begin() == "..") return std::nullopt;
        std::string relative = "media/" + ShownName(inFolder.generic_string());
        if (media_.emplace(file, relative).second) conversion_[file] = ConversionOf(file);
        return PercentEncode(relative, true);
    }

    CardPage Page(size_t i) {
        const Card& card = cards_[i].read->card;
        CardPage page;
        page.page = PercentEncode(pageName_.at(i));
        page.title = Title(i);
        page.picture = "../pictures/" + PercentEncode(stem_.at(i) + ".png");
        page.thumbnail = "../thumbs/" + PercentEncode(stem_.at(i) + ".png");
        page.width = screen_.width();
        page.height = screen_.height();
        page.indexHref = "../index.html";
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
        // A feature of a medium without a file stops that medium as the card opens.
        for (const auto& [feature, channel] :
             {std::pair{Feature::Wave, "wave"}, std::pair{Feature::Midi, "midi"}, std::pair{Feature::Avi, "movie"}})
            if (card.featureInUse[int(feature)] && card.features[int(feature)].file.empty())
                page.stops.push_back(channel);
        const int wave = static_cast<int>(Feature::Wave);
        if (card.featureInUse[wave] && !card.features[wave].file.empty()) {
            PageLink sound = Link(i, card.features[wave], "");
            if (sound.action == AreaAction::Play) page.sound = sound.href;
            else if (sound.action == AreaAction::Note) page.notes.push_back(sound.note);
        }
        const int midi = static_cast<int>(Feature::Midi), avi = static_cast<int>(Feature::Avi);
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
        if (card.featureInUse[midi] && !card.features[midi].file.empty()) {
            PageLink piece = Link(i, card.features[midi], "");
            if (piece.action == AreaAction::Midi) page.midi = piece.href;
            else if (piece.action == AreaAction::Note) page.notes.push_back(piece.note);
        }
        if (card.featureInUse[avi] && !card.features[avi].file.empty()) {
            PageLink movie = Link(i, card.features[avi], "");
            if (movie.action == AreaAction::Movie) page.movie = movie.href;
            else if (movie.action == AreaAction::Note) page.notes.push_back(movie.note);
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
            } else if (movie.action == AreaAction::Note) {
                page.notes.push_back(movie.note);
            }
        }
        return page;
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

    IndexEntry WriteCard(size_t i, const CardPage& page) {
        const SetCard& card = cards_[i];
        const std::string& stem = stem_.at(i);
        const int thumbHeight = std::max(1, screen_.height() * kThumbnailWidth / screen_.width());
        const std::string picture = "pictures/" + stem + ".png", thumb = "thumbs/" + stem + ".png";
        const std::string recipe =
            Recipe("card", std::to_string(screen_.width()) + "x" + std::to_string(screen_.height()) + " " + fonts_);
        const std::vector<InputStamp> inputs = manifest_.Stamp(picture, PictureInputs(i));
        // Both or neither: UpToDate keeps what it vouches for, and a picture drawn again
        // replaces both records.
        const bool pictureKept = manifest_.UpToDate(picture, inputs, recipe);
        if (pictureKept && manifest_.UpToDate(thumb, inputs, recipe)) {
            Count(report_.cardsKept);
        } else {
            QImage image = RenderCardPicture(card.read->card, screen_, card.folder());
            // Qt gives a null picture where it found no memory for one: said as such, never
            // written as an empty file.
            if (image.isNull()) throw std::bad_alloc();
            QImage thumbnail = Thumbnail(image, kThumbnailWidth, thumbHeight);
            if (thumbnail.isNull()) throw std::bad_alloc();
            if (Write(site_ / picture, Png(image))) manifest_.Record(picture, inputs, recipe);
            if (Write(site_ / thumb, Png(thumbnail))) manifest_.Record(thumb, inputs, recipe);
            Count(report_.cardsDrawn);
        }
        Text("cards/" + pageName_.at(i), CardPageHtml(page));
        Made(picture);
        Made(thumb);
        return {"cards/" + PercentEncode(pageName_.at(i)),
                "thumbs/" + PercentEncode(stem + ".png"),
                page.title,
                ShownName(card.file.filename().string()),
                kThumbnailWidth,
                thumbHeight};
    }

    void Count(size_t& counter) {
        std::lock_guard guard(lock_);
        ++counter;
    }

    // Converted or copied only when the medium changed since the site's record of it. Copied in
    // pieces: a set of large movies costs no more memory than a small one. A medium that cannot
    // be converted is left out, named here and noted on its pages.
    void CopyMedium(const fs::path& from, const std::string& relative) {
        const fs::path to = site_ / fs::path(relative);
        if (!MakeFolder(to.parent_path())) return;
        const std::string href = "../" + PercentEncode(relative, true);
        const std::string shown = ShownName(from.filename().string());
        const Conversion conversion = conversion_.at(from);
        const std::string suffix = conversion == Conversion::None ? "" : ConvertedSuffix(conversion);
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(from, ec);
        if (ec || size > kMaxMediumBytes) {
            Problem(ShownName(from.string()) +
                    (ec ? " を読めません" : " は 1 GiB を超えるため、サイトに入れていません"));
            std::lock_guard guard(lock_);
            missing_[href + PercentEncode(suffix)] =
                "「" + shown + (ec ? "」は再生できません" : "」は大きすぎるため再生できません");
            return;
        }
        if (conversion != Conversion::None) {
            const std::string output = relative + suffix;
            const fs::path converted = site_ / fs::path(output);
            if (!Writable(converted)) return;
            Made(output);
            const fs::path soundFont = conversion == Conversion::Midi ? FindGmSoundFont() : fs::path();
            const std::string screen = std::to_string(screen_.width()) + "x" + std::to_string(screen_.height());
            const std::string recipe = conversion == Conversion::Midi    ? Recipe("midi", SoundFontStamp(soundFont))
                                       : conversion == Conversion::Sound ? Recipe("sound")
                                                                         : Recipe("movie", screen);
            const std::vector<InputStamp> inputs = manifest_.Stamp(output, {from});
            if (manifest_.UpToDate(output, inputs, recipe)) {
                Count(report_.mediaKept);
                return;
            }
            std::string failure;
            if (conversion == Conversion::Midi) {
                auto rendition =
                    soundFont.empty()
                        ? Result<MidiRendition>(
                              Fail("「" + shown + "」を音声にできません: General MIDI の音色ファイルがありません"))
                        : RenderMidi(from, soundFont);
                if (!rendition) failure = rendition.error().message;
                else if (!Write(converted, rendition.value().ogg)) return;
            } else if (conversion == Conversion::Sound) {
                auto sound = TranscodeSoundToOgg(from, converted);
                if (!sound) failure = sound.error().message;
            } else {
                TranscodeLimits limits;  // a movie is never larger than the screen it is shown on
                limits.maxWidth = screen_.width();
                limits.maxHeight = screen_.height();
                auto movie = TranscodeToWebm(from, converted, limits);
                if (!movie) failure = movie.error().message;
            }
            if (failure.empty()) {
                manifest_.Record(output, inputs, recipe);
                Count(report_.mediaMade);
                return;
            }
            Problem(failure);
            std::lock_guard guard(lock_);
            missing_[href + PercentEncode(suffix)] = "「" + shown + "」は再生できません";
            return;
        }
        if (!Writable(to)) return;
        Made(relative);
        const std::string recipe = Recipe("copy");
        const std::vector<InputStamp> inputs = manifest_.Stamp(relative, {from});
        if (manifest_.UpToDate(relative, inputs, recipe)) {
            Count(report_.mediaKept);
            return;
        }
        Status copied = CopyFileAtomically(from, to, kMaxMediumBytes);
        if (!copied) {
            Failed(ShownName(from.string()) + " → " + ShownName(to.string()) + ": " + copied.error().message);
            return;
        }
        manifest_.Record(relative, inputs, recipe);
        Count(report_.mediaMade);
    }

    // The files of this export, relative to the site: what else is in its folders is left
    // from cards and media no longer in the set.
    void Made(const std::string& relative) {
        std::lock_guard guard(lock_);
        made_.insert(relative);
    }

    // Removes what earlier exports wrote and this one did not make again (cards and media no
    // longer in the set), as the site's record lists it and only while it is as written: never a
    // file of the user's, nor one the user changed since. After a failed export it is kept,
    // and in the record, since what this one did not make again may still be needed.
    void RemoveStale() {
        for (const auto& [relative, written] : manifest_.Earlier().files) {
            if (made_.count(relative)) continue;
            if (!report_.failures.empty()) manifest_.Carry(relative);
            else siteFolder_.RemoveIfAsWritten(relative, written);
        }
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
        Failed("フォルダ " + ShownName(folder.string()) + " を作れません: " + ec.message());
        return false;
    }

    // A page, the index or a script of the site, recorded as written.
    void Text(const std::string& relative, std::string_view bytes) {
        Made(relative);
        if (Write(site_ / fs::path(relative), bytes)) manifest_.RecordText(relative, bytes);
    }

    // A text that is already there as it is stays untouched: pages, the index and the scripts
    // are made again on every export (they are cheap), written only when they changed.
    bool Write(const fs::path& target, std::string_view bytes) {
        if (!Writable(target)) return false;
        if (SameBytes(target, bytes)) return true;
        Status written = WriteFileAtomically(target, bytes);
        if (!written) Failed(ShownName(target.string()) + ": " + written.error().message);
        return bool(written);
    }

    static bool SameBytes(const fs::path& file, std::string_view bytes) {
        std::error_code ec;
        if (fs::is_symlink(file, ec) || !fs::is_regular_file(file, ec) || fs::file_size(file, ec) != bytes.size())
            return false;
        std::ifstream in(file, std::ios::binary);
        std::string present(bytes.size(), '\0');
        return in.read(present.data(), std::streamsize(present.size())) && present == bytes;
    }

    void Failed(const std::string& text) {
        std::lock_guard guard(lock_);
        report_.failures.push_back(text);
    }

    void Problem(const std::string& text) {
        std::lock_guard guard(lock_);
        report_.problems.push_back(text);
    }

    std::vector<SetCard>& cards_;
    SetIndex index_;
    fs::path folder_;  // canonical
    fs::path site_;
    fs::path root_;  // the site, canonical
    const SiteFolder& siteFolder_;
    QSize screen_;
    std::string fonts_;  // FontsFingerprint()
    std::vector<size_t> order_;
    std::map<size_t, std::string> pageName_, stem_;
    std::map<fs::path, std::string> media_;
    FolderLookups lookups_;
    std::map<fs::path, Conversion> conversion_;   // of each medium, decided before the copies start
    std::map<std::string, std::string> missing_;  // href of a medium not in the site → the note saying so
    std::set<std::string> made_;                  // relative to the site
    ExportReport& report_;
    const ExportProgress& progress_;
    ExportManifest& manifest_;
    std::mutex lock_;
};

// The generated index, pages and copies would take the place of the user's own files of the
// same names (a card may name "index.html" or "media\\a.wav"), and a second export would copy
// its own output: the site neither holds nor lies in the set's folder. The editor's own cache
// lies in the folder only where the folder is the home folder, and no card names its files.
std::string OverlapOfSiteAndFolder(const fs::path& folder, const ExportRequest& request) {
    std::error_code ec;
    const fs::path site = fs::weakly_canonical(fs::absolute(request.site, ec), ec);
    if (ec) return ShownName(request.site.string()) + " を調べられません: " + ec.message();
    const std::string shownSite = "「" + ShownName(request.site.string()) + "」",
                      shownFolder = "「" + ShownName(request.folder.string()) + "」";
    // By device and inode too: a bind mount shows the folder under another path.
    if (site == folder || SameFolder(folder, site) ||
        (!request.privateSite && (RealPathInside(folder, site) || SameOrBelow(folder, site))))
        return "書き出し先" + shownSite + "はカードのフォルダ" + shownFolder +
               "の中にあります。カードやその画像を上書きしないよう、フォルダの外を指定してください";
    if (RealPathInside(site, folder) || SameOrBelow(site, folder))
        return "カードのフォルダ" + shownFolder + "は書き出し先" + shownSite +
               "の中にあります。カードやその画像を上書きしないよう、フォルダの外を指定してください";
    return {};
}

}  // namespace

ExportReport ExportSet(const ExportRequest& request, const ExportProgress& progress) {
    ExportReport report;
    std::error_code ec;
    if (!fs::is_directory(request.folder, ec)) {
        report.failures.push_back(ShownName(request.folder.string()) + " はカードのフォルダではありません");
        return report;
    }
    if (fs::exists(request.site, ec) && !fs::is_directory(request.site, ec)) {
        report.failures.push_back(ShownName(request.site.string()) + " はフォルダではないファイルです");
        return report;
    }
    const fs::path folder = fs::canonical(request.folder, ec);
    if (ec) {
        report.failures.push_back(ShownName(request.folder.string()) + " を読めません");
        return report;
    }
    if (std::string why = OverlapOfSiteAndFolder(folder, request); !why.empty()) {
        report.failures.push_back(why);
        return report;
    }
    std::string error;
    auto cards = CollectCards({request.folder.string()}, error);
    if (!cards) {
        report.failures.push_back(error);
        return report;
    }
    // A card file that is a link leading out of the folder is no card of this set: nothing of
    // it is read, hashed or published.
    std::erase_if(*cards, [&](const SetCard& card) {
        if (RealPathInside(folder, card.file)) return false;
        report.problems.push_back(card.shown + " はカードのフォルダの外を指すリンクのため、書き出しません");
        return true;
    });
    ExportManifest manifest(folder, request.site);
    const std::optional<OpenedSite> site = OpenSite(request.site, manifest, report);
    if (!site) return report;
    // The editor exports the same set at every ゼポ: a card that did not change since it was
    // last read (nor the pictures and text files it names) is not read again.
    static CardReadCache cache;
    try {
        ReadCards(
            *cards,
            [&](size_t done, size_t total) {
                if (progress) progress("カードを読んでいます", done, total);
            },
            &cache);
        Exporter(*cards, folder, request.site, request.screen, report, progress, manifest, *site).Run();
    } catch (const std::bad_alloc&) {
        // From any of the threads: the export ends here, what was written stays whole.
        report.failures.push_back("メモリが足りないため、書き出しを続けられません");
    }
    return report;
}

}  // namespace zepo::publish
