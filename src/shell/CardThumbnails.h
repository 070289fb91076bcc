#pragma once
// Small pictures of the cards of a folder, for the card list and its map: drawn by the
// preview's renderer, kept on disk in the user's cache folder under a key made of the card
// file's size and time (and those of the pictures and text files it shows), and in memory up
// to a fixed number of bytes, the picture used longest ago dropped first.

#include <QImage>
#include <QSize>
#include <QString>

#include <filesystem>
#include <list>
#include <map>
#include <mutex>
#include <optional>

#include "platform/UserFolders.h"
#include "publish/CardSet.h"

namespace zepo {

class CardThumbnails {
public:
    // `folder`: where the pictures are kept on disk (made owner-only on first use; empty:
    // memory only). `screen`: the size of the screen the cards are drawn for. The disk keeps
    // at most `maxFiles` thumbnails: beyond it the oldest go on first use, down to three quarters.
    CardThumbnails(std::filesystem::path folder, QSize screen, qint64 maxBytes, size_t maxFiles = kMaxFiles);
    static constexpr size_t kMaxFiles = 20000;  // some tens of megabytes

    // The thumbnail's size: kWidth wide, as high as the screen's shape makes it.
    QSize size() const { return size_; }
    static constexpr int kWidth = 128;

    // What names a card's thumbnail (any thread); empty when the card could not be read.
    QString KeyOf(const publish::SetCard& card, publish::FolderLookups& lookups) const;
    // The thumbnail in memory or on disk (any thread); null when there is none yet.
    QImage Find(const QString& key);
    // Whether the thumbnail is in memory or on disk, without reading it (any thread).
    bool Has(const QString& key);
    // Draws the card's thumbnail, keeps it in memory and on disk (any thread). Null when
    // there was no memory to draw it.
    QImage Draw(const publish::SetCard& card, const QString& key);

    qint64 bytesInMemory() const;
    // Why the disk cannot keep thumbnails (UTF-8); empty while it can.
    std::string diskProblem() const;

private:
    void Keep(const QString& key, const QImage& image);
    static std::string NameOf(const QString& key);
    bool DiskReady();

    std::filesystem::path folder_;
    QSize screen_, size_;
    qint64 maxBytes_;
    size_t maxFiles_;
    mutable std::mutex lock_;
    // Least recently used first.
    std::list<std::pair<QString, QImage>> used_;
    std::map<QString, std::list<std::pair<QString, QImage>>::iterator> byKey_;
    qint64 bytes_ = 0;
    int diskState_ = 0;  // 0 not tried, 1 ready, -1 refused
    std::string diskProblem_;
    std::optional<PrivateFolder> disk_;  // the cache folder as checked, once ready
};

// $XDG_CACHE_HOME/zepoed/thumbnails (~/.cache without the variable).
std::filesystem::path ThumbnailCacheFolder();

}  // namespace zepo
