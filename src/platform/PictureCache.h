#pragma once
// Pictures as zepocard and the export read them: a set names the same picture on many cards,
// and every one of them is decoded once per run. What the cards hold is the size; the pixels
// of the pictures used last are kept up to a number of bytes, so that memory stays the same
// whatever the number of cards.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "core/Result.h"
#include "model/Environment.h"

namespace zepo {

class PictureCache {
public:
    explicit PictureCache(size_t maxBytes) : maxBytes_(maxBytes) {}

    // The one of the process (zepocard's commands, the export and the card list), for 96 MiB
    // of pixels: six pictures of 2048 × 2048, the pictures of the cards drawn at once (cards
    // that follow each other mostly show the same ones), and what keeps a whole run of any
    // number of cards within 300 MB.
    static PictureCache& Shared();

    // The picture of the file at `path` (a real path as ResolveInFolder gives it, read as its
    // extension says), with its pixels when `pixels` is set and only then, kept or not. A file counts as the same while
    // its device, inode, size and time are. Throws std::bad_alloc when memory runs out, so
    // that it is told as such rather than as a picture that does not load. Thread-safe.
    Result<CardFiles::LoadedPicture> Load(const std::filesystem::path& path, bool pixels);

    size_t bytes() const;  // of pixels kept now

private:
    using Key = std::tuple<dev_t, ino_t, off_t, int64_t>;
    struct Kept {
        SharedPicture pixels;
        size_t bytes = 0;
        std::list<Key>::iterator recent;
    };
    // Decoding failures are remembered too: a broken picture on every card is read once.
    static constexpr size_t kMaxSizes = 100000;
    std::map<Key, Result<PixelSize>> sizes_;
    std::map<Key, Kept> kept_;
    std::list<Key> recent_;  // most recently used first
    size_t maxBytes_, bytes_ = 0;
    mutable std::mutex lock_;
};

}  // namespace zepo
