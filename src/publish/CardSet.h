#pragma once
// A presentation as a whole: the cards of a folder (or named one by one), read on
// every core, with the links of each one looked up in its folder.

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "publish/CardLinks.h"
#include "publish/CardReading.h"
#include "publish/Findings.h"
#include "publish/Parallel.h"

namespace zepo::publish {

struct SetCard {
    std::string shown;  // as the user named it, or FOLDER/name (UTF-8, see ShownName)
    std::filesystem::path file;
    std::filesystem::path canonical;  // empty when the card could not be read
    // The folder the card is listed in (canonical): its save folder, where its pictures, media
    // and links are looked up, even when the file itself is a link to a card elsewhere.
    std::filesystem::path listedIn;
    std::optional<ReadCard> read;
    std::string error;  // why it could not be read
    std::vector<CardLink> links;
    std::vector<FolderFile> lookups;  // one per link
    const std::filesystem::path& folder() const { return listedIn; }
};

// The cards the arguments name: files as given, folders by their "*.zep" files (any case,
// plain files only, in name order). Nothing, with `error` set, when an argument is neither
// or a folder holds no card.
std::optional<std::vector<SetCard>> CollectCards(const std::vector<std::string>& arguments, std::string& error);

// Cards read before, with the size and time of what their reading depended on (the card file,
// and the pictures and text files it names, found or missing): a card none of which changed is
// not read again. Links are looked up anew every time (a medium may have appeared). Thread-safe.
class CardReadCache {
public:
    // The earlier reading of `card.file`, when nothing it was read from changed.
    bool Reuse(SetCard& card, FolderLookups& lookups) const;
    // The card file's size and time before it was read: a card changed meanwhile is not kept.
    void Keep(const SetCard& card, FolderLookups& lookups, uintmax_t sizeBefore,
              std::filesystem::file_time_type timeBefore);

private:
    struct Stamp {
        std::filesystem::path path;
        bool exists = false;
        uintmax_t size = 0;
        std::filesystem::file_time_type time{};
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::filesystem::path& path);
    static std::vector<Stamp> Depends(const SetCard& card, FolderLookups& lookups);
    struct Entry {
        SetCard card;
        std::vector<Stamp> stamps;
    };
    using EntryPtr = std::shared_ptr<const Entry>;
    static constexpr size_t kMaxCards = 4000;
    mutable std::mutex lock_;
    std::map<std::filesystem::path, EntryPtr> entries_;
};

// Reads every card and looks its links up, on all cores, telling `report` after each card.
// With a cache, unchanged cards are taken from it and the cards read are kept in it.
void ReadCards(std::vector<SetCard>& cards, const ProgressReport& report = {}, CardReadCache* cache = nullptr);

// Links to cards or files that are not there, lead out of the folder or are no plain files.
// Pictures and text files that cannot be read are left to the reader's own message.
std::vector<Finding> LinkFindings(const SetCard& card);

// The index of the card a path names, if it is one of the set.
class SetIndex {
public:
    explicit SetIndex(const std::vector<SetCard>& cards);
    std::optional<size_t> Find(const std::filesystem::path& canonical) const;

private:
    std::vector<std::pair<std::filesystem::path, size_t>> sorted_;
};

// Cards that no chain of links leads to from the main.zep of their folder. Only folders
// whose cards are all in the set, main.zep among them, can be judged; `unchecked` counts the
// cards of the others that no link reached.
std::vector<size_t> UnreachableCards(const std::vector<SetCard>& cards, size_t& unchecked);

// What `check` finds in each card (index by index): what reading it showed or dropped, its
// links that lead nowhere, and whether main.zep leads to it; by line. Nothing for a card that
// could not be read (its `error` says why) or one named a second time. `unchecked` as above.
std::vector<std::vector<Finding>> SetFindings(const std::vector<SetCard>& cards, size_t& unchecked);

// Starting at main.zep, then every card in the order links reach it, then the rest in set order.
std::vector<size_t> PresentationOrder(const std::vector<SetCard>& cards);

bool IsMainCard(const std::filesystem::path& file);

}  // namespace zepo::publish
