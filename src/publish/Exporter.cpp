#include "publish/Exporter.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QRawFont>

#include <fstream>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <system_error>

#include "core/Ascii.h"
#include "core/AtomicFile.h"
#include "core/InsideFolder.h"
#include "media/MidiRendition.h"
#include "platform/CardFilesOnDisk.h"
#include "platform/Folders.h"
#include "publish/CardPicture.h"
#include "publish/ExportManifest.h"
#include "publish/ExportPlan.h"
#include "publish/InsideSite.h"
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

// MIDI pieces and sounds browsers may not play become Ogg Vorbis, old movies WebM.
Conversion ConversionOf(const fs::path& file) {
    if (IsMidi(file)) return Conversion::Midi;
    if (NeedsWebConversion(file)) return Conversion::Movie;
    if (IsWaveFile(file) && WaveNeedsConversion(file)) return Conversion::Sound;
    return Conversion::None;
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

// Why the site cannot be written into, or nothing: a name every export writes that is a link
// leading out of it, or a record that is a link.
std::string LinkAtAName(const fs::path& site, const fs::path& root) {
    std::vector<std::string> names{"index.html", "zepo.js",  "zepo.css", ExportManifest::kFileName,
                                   "cards",      "pictures", "thumbs",   "media"};
    for (const auto& [name, asset] : kPlayerFiles) names.emplace_back(name);
    for (const std::string& name : names)
        if (!LeadsInside(root, site / name))
            return ShownName((site / name).string()) + " はリンクでサイトの外を指しているため、書きません";
    std::error_code ec;
    if (fs::is_symlink(site / ExportManifest::kFileName, ec))
        return ShownName((site / ExportManifest::kFileName).string()) + " はリンクのため、書きません";
    return {};
}

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
    std::string why = ec ? "フォルダ" + shown + "を作れません: " + ec.message() : LinkAtAName(site, opened.root);
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

// Carries an export plan out: draws, converts and copies what changed since the site's
// record of it, writes the pages, removes what is no longer wanted and saves the record.
class SiteWriter {
public:
    SiteWriter(const ExportPlan& plan, const std::vector<SetCard>& cards, fs::path site, QSize screen,
               fs::path soundFont, const OpenedSite& opened, ExportManifest& manifest, ExportReport& report,
               const ExportProgress& progress)
        : plan_(plan),
          cards_(cards),
          site_(std::move(site)),
          screen_(screen),
          soundFont_(std::move(soundFont)),
          root_(opened.root),
          siteFolder_(*opened.folder),
          manifest_(manifest),
          report_(report),
          progress_(progress) {}

    void Run() {
        for (const std::string& problem : plan_.problems) Problem(problem);
        for (const char* sub : {"cards", "pictures", "thumbs"})
            if (!MakeFolder(site_ / sub)) return;
        std::vector<CardPage> pages;
        std::vector<IndexEntry> entries;
        for (const PlannedCard& card : plan_.cards) {
            pages.push_back(card.content);
            entries.push_back(card.entry);
        }
        Progress progress(
            [this](size_t done, size_t total) {
                if (progress_) progress_("書き出しています", done, total);
            },
            plan_.cards.size() + plan_.media.size());
        // Media first: a medium that cannot be converted becomes a note on its pages.
        ForEachOnAllCores(
            plan_.media.size(), [&](size_t n) { CopyMedium(plan_.media[n]); }, &progress);
        for (CardPage& page : pages) OfferUnconverted(page);
        ForEachOnAllCores(
            plan_.cards.size(), [&](size_t n) { WriteCard(plan_.cards[n], pages[n]); }, &progress);
        if (!plan_.overviewProblem.empty()) Problem(plan_.overviewProblem);
        Text("index.html", IndexHtml(plan_.indexTitle, entries, plan_.overview));
        Text("zepo.js", SetScript(pages));
        Text("zepo.css", WebAsset("zepo.css"));
        for (const auto& [name, asset] : kPlayerFiles) Text(name, WebAsset(asset));
        report_.pages = plan_.pages;
        RemoveStale();
        if (Status saved = manifest_.Save(); !saved)
            Failed(ShownName((site_ / ExportManifest::kFileName).string()) + ": " + saved.error().message);
    }

private:
    // Links to a medium that is not in the site (its conversion failed, or it is too large)
    // become notes that say so where it would have played.
    void OfferUnconverted(CardPage& page) const {
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

    void WriteCard(const PlannedCard& planned, const CardPage& page) {
        const SetCard& card = cards_[planned.card];
        const std::string& recipe = plan_.pictureRecipe;
        const std::vector<InputStamp> inputs = manifest_.Stamp(planned.picture, planned.inputs);
        // Both or neither: UpToDate keeps what it vouches for, and a picture drawn again
        // replaces both records.
        const bool pictureKept = manifest_.UpToDate(planned.picture, inputs, recipe);
        if (pictureKept && manifest_.UpToDate(planned.thumb, inputs, recipe)) {
            Count(report_.cardsKept);
        } else {
            QImage image = RenderCardPicture(card.read->card, screen_, card.folder());
            // Qt gives a null picture where it found no memory for one: said as such, never
            // written as an empty file.
            if (image.isNull()) throw std::bad_alloc();
            QImage thumbnail = Thumbnail(image, ExportPlan::kThumbnailWidth, plan_.thumbnailHeight);
            if (thumbnail.isNull()) throw std::bad_alloc();
            if (Write(site_ / planned.picture, Png(image))) manifest_.Record(planned.picture, inputs, recipe);
            if (Write(site_ / planned.thumb, Png(thumbnail))) manifest_.Record(planned.thumb, inputs, recipe);
            Count(report_.cardsDrawn);
        }
        Text(planned.page, CardPageHtml(page));
        Made(planned.picture);
        Made(planned.thumb);
    }

    void Count(size_t& counter) {
        std::lock_guard guard(lock_);
        ++counter;
    }

    void Missing(const std::string& href, std::string note) {
        std::lock_guard guard(lock_);
        missing_[href] = std::move(note);
    }

    // Converted or copied only when the medium changed since the site's record of it. Copied in
    // pieces: a set of large movies costs no more memory than a small one. A medium that cannot
    // be converted is left out, named here and noted on its pages.
    void CopyMedium(const PlannedMedium& medium) {
        const fs::path to = site_ / fs::path(medium.copy);
        if (!MakeFolder(to.parent_path())) return;
        const std::string shown = ShownName(medium.from.filename().string());
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(medium.from, ec);
        if (ec || size > kMaxMediumBytes) {
            Problem(ShownName(medium.from.string()) +
                    (ec ? " を読めません" : " は 1 GiB を超えるため、サイトに入れていません"));
            Missing(medium.href, "「" + shown + (ec ? "」は再生できません" : "」は大きすぎるため再生できません"));
            return;
        }
        const fs::path output = site_ / fs::path(medium.output);
        if (!Writable(output)) return;
        Made(medium.output);
        const std::vector<InputStamp> inputs = manifest_.Stamp(medium.output, {medium.from});
        if (manifest_.UpToDate(medium.output, inputs, medium.recipe)) {
            Count(report_.mediaKept);
            return;
        }
        if (medium.conversion == Conversion::None) {
            Status copied = CopyFileAtomically(medium.from, output, kMaxMediumBytes);
            if (!copied) {
                Failed(ShownName(medium.from.string()) + " → " + ShownName(output.string()) + ": " +
                       copied.error().message);
                return;
            }
        } else if (std::optional<std::string> failure = Convert(medium, output); !failure) {
            return;
        } else if (!failure->empty()) {
            Problem(*failure);
            Missing(medium.href, "「" + shown + "」は再生できません");
            return;
        }
        manifest_.Record(medium.output, inputs, medium.recipe);
        Count(report_.mediaMade);
    }

    // Makes site/`output` from the medium: empty when made, why not when it cannot be
    // converted, nothing when writing it failed (said already).
    std::optional<std::string> Convert(const PlannedMedium& medium, const fs::path& output) {
        const std::string shown = ShownName(medium.from.filename().string());
        if (medium.conversion == Conversion::Midi) {
            auto rendition = soundFont_.empty()
                                 ? Result<MidiRendition>(Fail(
                                       "「" + shown + "」を音声にできません: General MIDI の音色ファイルがありません"))
                                 : RenderMidi(medium.from, soundFont_);
            if (!rendition) return rendition.error().message;
            if (!Write(output, rendition.value().ogg)) return std::nullopt;
            return std::string();
        }
        if (medium.conversion == Conversion::Sound) {
            auto sound = TranscodeSoundToOgg(medium.from, output);
            return sound ? std::string() : sound.error().message;
        }
        TranscodeLimits limits;  // a movie is never larger than the screen it is shown on
        limits.maxWidth = screen_.width();
        limits.maxHeight = screen_.height();
        auto movie = TranscodeToWebm(medium.from, output, limits);
        return movie ? std::string() : movie.error().message;
    }

    // The files of this export, relative to the site.
    void Made(const std::string& relative) {
        std::lock_guard guard(lock_);
        made_.insert(relative);
    }

    // Removes what earlier exports wrote and this one did not make again: what the plan no
    // longer wants (cards and media no longer in the set) and what it wanted but was not made
    // after all (a medium found too large), as the site's record lists it and only while it is
    // as written: never a file of the user's, nor one the user changed since. After a failed
    // export it is kept, and in the record, since what this one did not make may still be needed.
    void RemoveStale() {
        std::map<std::string, WrittenFile> unwanted = plan_.unwanted;
        for (const auto& [relative, written] : manifest_.Earlier().files)
            if (plan_.outputs.count(relative) && !made_.count(relative)) unwanted.emplace(relative, written);
        for (const auto& [relative, written] : unwanted) {
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

    const ExportPlan& plan_;
    const std::vector<SetCard>& cards_;
    fs::path site_;
    QSize screen_;
    fs::path soundFont_;
    fs::path root_;  // the site, canonical
    const SiteFolder& siteFolder_;
    ExportManifest& manifest_;
    ExportReport& report_;
    const ExportProgress& progress_;
    std::map<std::string, std::string> missing_;  // href of a medium not in the site → the note saying so
    std::set<std::string> made_;                  // relative to the site
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

// The set's folder (canonical) and its cards, each a file of the folder, or nothing when
// the export cannot start: said in the report.
std::optional<std::pair<fs::path, std::vector<SetCard>>> CardsToExport(const ExportRequest& request,
                                                                       ExportReport& report) {
    std::error_code ec;
    if (!fs::is_directory(request.folder, ec)) {
        report.failures.push_back(ShownName(request.folder.string()) + " はカードのフォルダではありません");
        return std::nullopt;
    }
    if (fs::exists(request.site, ec) && !fs::is_directory(request.site, ec)) {
        report.failures.push_back(ShownName(request.site.string()) + " はフォルダではないファイルです");
        return std::nullopt;
    }
    const fs::path folder = fs::canonical(request.folder, ec);
    if (ec) {
        report.failures.push_back(ShownName(request.folder.string()) + " を読めません");
        return std::nullopt;
    }
    if (std::string why = OverlapOfSiteAndFolder(folder, request); !why.empty()) {
        report.failures.push_back(why);
        return std::nullopt;
    }
    std::string error;
    auto cards = CollectCards({request.folder.string()}, error);
    if (!cards) {
        report.failures.push_back(error);
        return std::nullopt;
    }
    // A card file that is a link leading out of the folder is no card of this set: nothing of
    // it is read, hashed or published.
    std::erase_if(*cards, [&](const SetCard& card) {
        if (RealPathInside(folder, card.file)) return false;
        report.problems.push_back(card.shown + " はカードのフォルダの外を指すリンクのため、書き出しません");
        return true;
    });
    return std::pair{folder, std::move(*cards)};
}

}  // namespace

ExportReport ExportSet(const ExportRequest& request, const ExportProgress& progress, ExportCaches* caches) {
    ExportReport report;
    auto set = CardsToExport(request, report);
    if (!set) return report;
    auto& [folder, cards] = *set;
    ExportManifest manifest(folder, request.site);
    const std::optional<OpenedSite> site = OpenSite(request.site, manifest, report);
    if (!site) return report;
    try {
        ReadCards(
            cards,
            [&](size_t done, size_t total) {
                if (progress) progress("カードを読んでいます", done, total);
            },
            caches ? &caches->cards : nullptr);
        const fs::path soundFont = FindGmSoundFont();
        FolderLookups lookups;
        ExportPlanInputs inputs;
        inputs.cards = &cards;
        inputs.folder = folder;
        inputs.screen = request.screen;
        inputs.fonts = FontsFingerprint();
        inputs.soundFont = SoundFontStamp(soundFont);
        inputs.earlier = manifest.Earlier();
        inputs.find = [&lookups](const fs::path& in, std::string_view name) { return lookups.Find(in, name); };
        inputs.conversionOf = ConversionOf;
        inputs.layouts = caches ? &caches->layouts : nullptr;
        const ExportPlan plan = PlanExport(inputs);
        SiteWriter(plan, cards, request.site, request.screen, soundFont, *site, manifest, report, progress).Run();
    } catch (const std::bad_alloc&) {
        // From any of the threads: the export ends here, what was written stays whole.
        report.failures.push_back("メモリが足りないため、書き出しを続けられません");
    }
    return report;
}

}  // namespace zepo::publish
