#include "platform/PictureCache.h"

#include <malloc.h>
#include <sys/stat.h>

#include <new>

#include "imaging/PictureFile.h"

namespace zepo {

PictureCache& PictureCache::Shared() {
    static PictureCache cache = [] {
        // Decoded pictures come and go by the hundred, megabytes each. Left to itself the
        // allocator soon takes such blocks from its heaps, where freed ones stay with the
        // process between smaller ones; from a megabyte on, each is mapped on its own and
        // handed back to the system when freed.
        mallopt(M_MMAP_THRESHOLD, 1 << 20);
        return PictureCache(size_t{96} << 20);
    }();
    return cache;
}

size_t PictureCache::bytes() const {
    std::lock_guard guard(lock_);
    return bytes_;
}

Result<CardFiles::LoadedPicture> PictureCache::Load(const std::filesystem::path& path, bool pixels) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return Fail("no such picture");
    const Key key{st.st_dev, st.st_ino, st.st_size, int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
    {
        std::lock_guard guard(lock_);
        auto size = sizes_.find(key);
        if (size != sizes_.end() && !size->second) return size->second.error();
        if (auto it = kept_.find(key); it != kept_.end()) {
            recent_.splice(recent_.begin(), recent_, it->second.recent);
            // Only a caller that draws gets the pixels: a card read for its sizes that held them
            // would keep every picture of the set alive for as long as the cards are.
            const SharedPicture& kept = it->second.pixels;
            return CardFiles::LoadedPicture{{kept->width, kept->height}, pixels ? kept : nullptr};
        }
        if (size != sizes_.end() && !pixels) return CardFiles::LoadedPicture{size->second.value(), nullptr};
    }
    // Decoded outside the lock: the other threads go on with their cards meanwhile.
    auto decoded = LoadPictureByName(path);
    if (!decoded && decoded.error().message == kOutOfMemory) throw std::bad_alloc();
    Result<SharedPicture> converted =
        decoded ? ToPicturePixels(decoded.value()) : Result<SharedPicture>(decoded.error());
    if (!converted && converted.error().message == kOutOfMemory) throw std::bad_alloc();
    std::lock_guard guard(lock_);
    // A long session of the editor meets ever more files: their sizes are bounded as well.
    if (sizes_.size() >= kMaxSizes) sizes_.clear();
    if (!converted) {
        sizes_.insert_or_assign(key, Result<PixelSize>(converted.error()));
        return converted.error();
    }
    const SharedPicture& picture = converted.value();
    const PixelSize size{picture->width, picture->height};
    sizes_.insert_or_assign(key, Result<PixelSize>(size));
    if (!kept_.count(key)) {
        recent_.push_front(key);
        const size_t bytes = picture->rgb.size() * sizeof(uint32_t);
        kept_.emplace(key, Kept{picture, bytes, recent_.begin()});
        bytes_ += bytes;
        // The oldest go first; the picture just read stays even when it alone is over the limit.
        while (bytes_ > maxBytes_ && recent_.size() > 1) {
            auto oldest = kept_.find(recent_.back());
            bytes_ -= oldest->second.bytes;
            kept_.erase(oldest);
            recent_.pop_back();
        }
    }
    return CardFiles::LoadedPicture{size, pixels ? picture : nullptr};
}

}  // namespace zepo
