#include "publish/CardSet.h"

#include <algorithm>
#include <deque>
#include <map>
#include <system_error>

#include "core/Ascii.h"
#include "core/TextCodec.h"
#include "model/MacroFile.h"
#include "publish/Parallel.h"
#include "publish/TerminalText.h"

namespace zepo::publish {
namespace fs = std::filesystem;
namespace {

bool IsCardFileName(const fs::path& file) {
    std::string name = AsciiLower(file.filename().string());
    return name.size() > 4 && name.ends_with(".zep");
}

const char* Label(ReadNote kind) {
    switch (kind) {
        case ReadNote::Message: return "message";
        case ReadNote::UnknownStatement: return "unknown statement";
        case ReadNote::IgnoredStatement:
        case ReadNote::NoFreeSlot: return "ignored";
        case ReadNote::LinkBreaksOnSave: return "warning";
        case ReadNote::DroppedSlideEntry: return "dropped slide entry";
        case ReadNote::Stopped: return "stopped";
    }
    return "note";
}

// Everything the editor would say or silently drop while reading the card.
std::vector<Finding> ReadingFindings(const std::string& shown, const ReadCard& read) {
    std::vector<Finding> findings;
    auto report = [&](int line, const char* label, const std::string& text) {
        findings.push_back({shown, line, label, text});
    };
    if (!read.hasHeader) {
        report(1, "note", MissingMarkerNote());
        findings.back().severity = Severity::Note;
    }
    for (size_t i = 0; i < read.lines.size(); ++i)
        if (read.lines[i].size() > kMaxMacroLineBytes)
            report(static_cast<int>(i + 1), "long line",
                   std::to_string(read.lines[i].size()) + " バイトあります (1 行は " +
                       std::to_string(kMaxMacroLineBytes) + " バイトまで)");
    int lastLine[kReadNoteKinds] = {};
    for (const auto& d : read.outcome.diagnostics) {
        report(d.line, Label(d.kind), ForTerminal(d.text));
        // A link that only breaks on the next save is told, not counted against the card.
        if (d.kind == ReadNote::LinkBreaksOnSave) findings.back().severity = Severity::Warning;
        lastLine[static_cast<size_t>(d.kind)] = d.line;
    }
    // Beyond the notes kept of one kind only their number is told, after the last one kept.
    for (size_t kind = 0; kind < kReadNoteKinds; ++kind)
        if (size_t n = read.outcome.omitted[kind])
            report(lastLine[kind], Label(static_cast<ReadNote>(kind)),
                   "同じ種類のものがほかに " + std::to_string(n) + " 件ありますが、省きました");
    return findings;
}

std::string Quoted(std::string_view sjis) { return "「" + ForTerminal(sjis) + "」"; }

// Breadth first along the card links from `start`, marking what it reaches.
void Reach(const std::vector<SetCard>& cards, const SetIndex& index, size_t start, std::vector<bool>& reached,
           std::vector<size_t>* order) {
    std::deque<size_t> queue{start};
    reached[start] = true;
    while (!queue.empty()) {
        size_t at = queue.front();
        queue.pop_front();
        if (order) order->push_back(at);
        const SetCard& card = cards[at];
        for (size_t i = 0; i < card.links.size(); ++i) {
            if (card.links[i].kind != LinkKind::Card || card.lookups[i].state != Lookup::Found) continue;
            auto next = index.Find(card.lookups[i].path);
            if (next && !reached[*next]) {
                reached[*next] = true;
                queue.push_back(*next);
            }
        }
    }
}

}  // namespace

bool IsMainCard(const fs::path& file) { return AsciiLower(file.filename().string()) == "main.zep"; }

std::optional<std::vector<SetCard>> CollectCards(const std::vector<std::string>& arguments, std::string& error) {
    std::vector<SetCard> cards;
    for (const std::string& argument : arguments) {
        std::error_code ec;
        if (!fs::is_directory(argument, ec)) {
            SetCard card;
            card.shown = ShownName(argument);
            card.file = argument;
            cards.push_back(std::move(card));
            continue;
        }
        std::vector<fs::path> found;
        for (auto it = fs::directory_iterator(argument, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
            if (IsCardFileName(it->path()) && it->is_regular_file(ec)) found.push_back(it->path());
        if (ec) {
            error = "フォルダ " + ShownName(argument) + " を読めません";
            return std::nullopt;
        }
        if (found.empty()) {
            error = ShownName(argument) + ": このフォルダにはカード (*.zep) がありません";
            return std::nullopt;
        }
        std::sort(found.begin(), found.end());
        for (const fs::path& file : found) {
            SetCard card;
            card.shown = ShownName((fs::path(argument) / file.filename()).string());
            card.file = file;
            cards.push_back(std::move(card));
        }
    }
    return cards;
}

CardReadCache::Stamp CardReadCache::StampOf(const fs::path& path) {
    std::error_code ec;
    Stamp stamp;
    stamp.path = path;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) return stamp;
    stamp.size = fs::file_size(path, ec);
    stamp.time = fs::last_write_time(path, ec);
    stamp.exists = !ec;
    return stamp;
}

// The card file and every picture and text file its reading looked at, as found now.
std::vector<CardReadCache::Stamp> CardReadCache::Depends(const SetCard& card, FolderLookups& lookups) {
    std::vector<Stamp> stamps{StampOf(card.file)};
    for (const CardLink& link : card.links) {
        if (link.kind != LinkKind::Picture && link.kind != LinkKind::TextFile) continue;
        const FolderFile found = lookups.Find(card.folder(), link.target);
        stamps.push_back(found.state == Lookup::Found ? StampOf(found.path) : Stamp{});
    }
    return stamps;
}

bool CardReadCache::Reuse(SetCard& card, FolderLookups& lookups) const {
    std::error_code ec;
    const fs::path key = fs::absolute(card.file, ec);
    EntryPtr kept;
    {
        std::lock_guard guard(lock_);
        auto entry = entries_.find(key);
        if (entry == entries_.end()) return false;
        kept = entry->second;
    }
    if (!kept->card.read || Depends(kept->card, lookups) != kept->stamps) return false;
    card.read = kept->card.read;
    card.canonical = kept->card.canonical;
    card.listedIn = kept->card.listedIn;
    card.links = kept->card.links;
    card.error.clear();
    return true;
}

void CardReadCache::Keep(const SetCard& card, FolderLookups& lookups, uintmax_t sizeBefore,
                         fs::file_time_type timeBefore) {
    if (!card.read) return;
    std::error_code ec;
    const fs::path key = fs::absolute(card.file, ec);
    auto entry = std::make_shared<Entry>(Entry{card, Depends(card, lookups)});
    const Stamp& file = entry->stamps[0];
    if (!file.exists || file.size != sizeBefore || file.time != timeBefore) return;
    entry->card.lookups.clear();
    std::lock_guard guard(lock_);
    if (entries_.size() >= kMaxCards) entries_.clear();
    entries_[key] = std::move(entry);
}

void ReadCards(std::vector<SetCard>& cards, const ProgressReport& report, CardReadCache* cache) {
    Progress progress(report, cards.size());
    FolderLookups lookups;
    ForEachOnAllCores(
        cards.size(),
        [&](size_t i) {
            SetCard& card = cards[i];
            if (cache && cache->Reuse(card, lookups)) {
                for (const CardLink& link : card.links)
                    card.lookups.push_back(lookups.Find(card.folder(), link.target));
                return;
            }
            std::error_code stampError;
            const uintmax_t sizeBefore = cache ? fs::file_size(card.file, stampError) : 0;
            const fs::file_time_type timeBefore =
                cache ? fs::last_write_time(card.file, stampError) : fs::file_time_type{};
            // Sizes only: the cards of a large set never hold their pictures all at once.
            card.read = ReadCardFile(card.file, card.error, /*pixels=*/false);
            if (!card.read) return;
            std::error_code ec;
            card.canonical = fs::canonical(card.file, ec);
            if (!ec) card.listedIn = fs::canonical(fs::absolute(card.file, ec).parent_path(), ec);
            if (ec) {
                card.read.reset();
                card.canonical.clear();
                card.error = card.shown + " を読めません";
                return;
            }
            card.links = FindCardLinks(card.read->card, card.read->outcome.sources);
            for (const CardLink& link : card.links) card.lookups.push_back(lookups.Find(card.folder(), link.target));
            if (cache && !stampError) cache->Keep(card, lookups, sizeBefore, timeBefore);
        },
        &progress);
}

std::vector<Finding> LinkFindings(const SetCard& card) {
    std::vector<Finding> findings;
    for (size_t i = 0; i < card.links.size(); ++i) {
        const CardLink& link = card.links[i];
        const FolderFile& found = card.lookups[i];
        const bool isCard = link.kind == LinkKind::Card;
        // The reader already says when a picture or text file cannot be read, on the same line.
        const bool readerSays = link.kind == LinkKind::Picture || link.kind == LinkKind::TextFile;
        switch (found.state) {
            case Lookup::Found: break;
            case Lookup::Missing:
                if (readerSays) break;
                findings.push_back({card.shown, link.line, isCard ? "missing card" : "missing file",
                                    (isCard ? "カード" : "ファイル") + Quoted(link.target) + "がありません"});
                break;
            case Lookup::Outside:
                findings.push_back({card.shown, link.line, "outside folder",
                                    Quoted(link.target) + "はカードのフォルダの外を指しています"});
                break;
            case Lookup::NotPlainFile:
                if (readerSays) break;
                findings.push_back({card.shown, link.line, "not a plain file",
                                    Quoted(link.target) + "は普通のファイルではありません"});
                break;
        }
    }
    return findings;
}

SetIndex::SetIndex(const std::vector<SetCard>& cards) {
    for (size_t i = 0; i < cards.size(); ++i)
        if (!cards[i].canonical.empty()) sorted_.emplace_back(cards[i].canonical, i);
    // The same card named twice counts once: the first naming stands for it.
    std::stable_sort(sorted_.begin(), sorted_.end(), [](auto& a, auto& b) { return a.first < b.first; });
}

std::optional<size_t> SetIndex::Find(const fs::path& canonical) const {
    auto it = std::lower_bound(sorted_.begin(), sorted_.end(), canonical,
                               [](const auto& entry, const fs::path& p) { return entry.first < p; });
    if (it == sorted_.end() || it->first != canonical) return std::nullopt;
    return it->second;
}

std::vector<size_t> UnreachableCards(const std::vector<SetCard>& cards, size_t& unchecked) {
    SetIndex index(cards);
    std::vector<bool> reached(cards.size(), false);
    // Only where every card of the folder is in the set: a card left out might be the one
    // that leads to the others.
    std::map<fs::path, bool> checkable;
    for (const SetCard& card : cards) {
        if (card.canonical.empty() || checkable.count(card.folder())) continue;
        bool whole = true;
        std::error_code ec;
        for (auto it = fs::directory_iterator(card.folder(), ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            if (!IsCardFileName(it->path()) || !it->is_regular_file(ec)) continue;
            std::error_code ignored;
            if (!index.Find(fs::canonical(it->path(), ignored))) whole = false;
        }
        checkable[card.folder()] = whole && !ec;
    }
    for (size_t i = 0; i < cards.size(); ++i) {
        if (cards[i].canonical.empty() || !IsMainCard(cards[i].canonical) || reached[i]) continue;
        Reach(cards, index, i, reached, nullptr);
    }
    std::vector<size_t> unreachable;
    unchecked = 0;
    for (size_t i = 0; i < cards.size(); ++i) {
        if (cards[i].canonical.empty() || reached[i] || index.Find(cards[i].canonical) != i) continue;
        const bool hasMain = std::any_of(cards.begin(), cards.end(), [&](const SetCard& c) {
            return !c.canonical.empty() && c.folder() == cards[i].folder() && IsMainCard(c.canonical);
        });
        if (checkable[cards[i].folder()] && hasMain) unreachable.push_back(i);
        else ++unchecked;
    }
    return unreachable;
}

std::vector<size_t> PresentationOrder(const std::vector<SetCard>& cards) {
    SetIndex index(cards);
    std::vector<bool> reached(cards.size(), false);
    std::vector<size_t> order;
    for (size_t i = 0; i < cards.size(); ++i)
        if (!cards[i].canonical.empty() && IsMainCard(cards[i].canonical) && !reached[i])
            Reach(cards, index, i, reached, &order);
    for (size_t i = 0; i < cards.size(); ++i)
        if (!reached[i] && !cards[i].canonical.empty() && index.Find(cards[i].canonical) == i) order.push_back(i);
    return order;
}

std::vector<std::vector<Finding>> SetFindings(const std::vector<SetCard>& cards, size_t& unchecked) {
    const SetIndex index(cards);
    std::vector<std::vector<Finding>> perCard(cards.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        const SetCard& card = cards[i];
        if (!card.read || index.Find(card.canonical) != i) continue;  // named twice: reported once
        perCard[i] = ReadingFindings(card.shown, *card.read);
        auto links = LinkFindings(card);
        perCard[i].insert(perCard[i].end(), links.begin(), links.end());
    }
    for (size_t i : UnreachableCards(cards, unchecked))
        perCard[i].push_back(
            {cards[i].shown, 1, "unreachable", "main.zep からどのリンクでもたどれないカードです", Severity::Warning});
    for (auto& group : perCard) SortByLine(group);
    return perCard;
}

}  // namespace zepo::publish
