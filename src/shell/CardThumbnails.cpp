#include "shell/CardThumbnails.h"

#include <QBuffer>
#include <QCryptographicHash>

#include <algorithm>
#include <vector>

#include "platform/UserFolders.h"
#include "publish/CardLinks.h"
#include "publish/CardPicture.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

// A thumbnail file larger than this is no thumbnail of ours.
constexpr qint64 kMaxThumbnailFileBytes = 512 * 1024;
void Prune(const PrivateFolder& folder, size_t maxFiles) {
    std::vector<PrivateFolder::File> files = folder.Files(4 * maxFiles);  // bounded, whatever was put there
    std::erase_if(files, [](const auto& f) { return fs::path(f.name).extension() != ".png"; });
    if (files.size() <= maxFiles) return;
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.modified < b.modified; });
    for (size_t i = 0; i < files.size() - maxFiles * 3 / 4; ++i) folder.Remove(files[i].name);
}

void AddStamp(QCryptographicHash& hash, const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    const auto time = ec ? fs::file_time_type{} : fs::last_write_time(file, ec);
    const std::string text = file.string() + "|" + std::to_string(ec ? 0 : size) + "|" +
                             std::to_string(time.time_since_epoch().count()) + "\n";
    hash.addData(QByteArrayView(text.data(), qsizetype(text.size())));
}

}  // namespace

fs::path ThumbnailCacheFolder() { return CacheFolderOfThisUser() / "thumbnails"; }

CardThumbnails::CardThumbnails(fs::path folder, QSize screen, qint64 maxBytes, size_t maxFiles)
    : folder_(std::move(folder)), screen_(screen), maxBytes_(maxBytes), maxFiles_(maxFiles) {
    const int w = std::max(1, screen.width());
    size_ = QSize(kWidth, std::max(1, kWidth * screen.height() / w));
}

QString CardThumbnails::KeyOf(const publish::SetCard& card, publish::FolderLookups& lookups) const {
    if (!card.read) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const std::string head = "1|" + std::to_string(screen_.width()) + "x" + std::to_string(screen_.height()) + "\n";
    hash.addData(QByteArrayView(head.data(), qsizetype(head.size())));
    AddStamp(hash, card.canonical.empty() ? card.file : card.canonical);
    // The pictures and text files the card shows change its picture too.
    for (const Slot& slot : card.read->card.slotList) {
        if (!slot.inUse) continue;
        for (const std::string* name : {&slot.picture.fileName, &slot.block.fileName}) {
            if (name->empty()) continue;
            const publish::FolderFile found = lookups.Find(card.folder(), *name);
            if (found.state == publish::Lookup::Found) AddStamp(hash, found.path);
        }
    }
    return QString::fromLatin1(hash.result().toHex());
}

std::string CardThumbnails::NameOf(const QString& key) { return key.toStdString() + ".png"; }

bool CardThumbnails::DiskReady() {
    // Under the lock.
    if (diskState_ == 0) {
        diskState_ = -1;
        if (folder_.empty()) {
            diskProblem_ = "no folder";
            return false;
        }
        // Made and checked with the folders above it, and kept open: every file is reached
        // through it, never by a path someone could redirect.
        Result<PrivateFolder> opened = PrivateFolder::Open(folder_, folder_.parent_path().parent_path());
        if (!opened) {
            diskProblem_ = opened.error().message;
            return false;
        }
        disk_ = std::move(opened).value();
        diskState_ = 1;
        Prune(*disk_, maxFiles_);
    }
    return diskState_ == 1;
}

QImage CardThumbnails::Find(const QString& key) {
    if (key.isEmpty()) return {};
    {
        std::lock_guard guard(lock_);
        if (auto it = byKey_.find(key); it != byKey_.end()) {
            used_.splice(used_.end(), used_, it->second);
            return it->second->second;
        }
        if (!DiskReady()) return {};
    }
    const std::optional<std::string> bytes = disk_->Read(NameOf(key), kMaxThumbnailFileBytes);
    if (!bytes) return {};
    QImage image;
    if (!image.loadFromData(QByteArrayView(bytes->data(), qsizetype(bytes->size())), "PNG") || image.size() != size_) {
        disk_->Remove(NameOf(key));  // drawn again at the next reading
        return {};
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    Keep(key, image);
    return image;
}

bool CardThumbnails::Has(const QString& key) {
    if (key.isEmpty()) return false;
    {
        std::lock_guard guard(lock_);
        if (byKey_.count(key)) return true;
        if (!DiskReady()) return false;
    }
    return disk_->HoldsOwnFile(NameOf(key));
}

QImage CardThumbnails::Draw(const publish::SetCard& card, const QString& key) {
    if (!card.read) return {};
    const QImage picture = publish::RenderCardPicture(card.read->card, screen_, card.folder());
    if (picture.isNull()) return {};
    QImage thumbnail = publish::Thumbnail(picture, size_.width(), size_.height());
    if (thumbnail.isNull()) return {};
    Keep(key, thumbnail);
    bool disk = false;
    {
        std::lock_guard guard(lock_);
        disk = DiskReady();
    }
    if (disk && !key.isEmpty()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // A thumbnail that cannot be kept is drawn again next time: nothing else is lost.
        if (thumbnail.save(&buffer, "PNG"))
            (void)disk_->Write(NameOf(key), std::string_view(bytes.constData(), size_t(bytes.size())));
    }
    return thumbnail;
}

void CardThumbnails::Keep(const QString& key, const QImage& image) {
    if (key.isEmpty() || image.isNull()) return;
    std::lock_guard guard(lock_);
    if (auto it = byKey_.find(key); it != byKey_.end()) {
        bytes_ -= it->second->second.sizeInBytes();
        used_.erase(it->second);
        byKey_.erase(it);
    }
    used_.emplace_back(key, image);
    byKey_[key] = std::prev(used_.end());
    bytes_ += image.sizeInBytes();
    while (bytes_ > maxBytes_ && used_.size() > 1) {
        bytes_ -= used_.front().second.sizeInBytes();
        byKey_.erase(used_.front().first);
        used_.pop_front();
    }
}

qint64 CardThumbnails::bytesInMemory() const {
    std::lock_guard guard(lock_);
    return bytes_;
}

std::string CardThumbnails::diskProblem() const {
    std::lock_guard guard(lock_);
    return diskState_ == -1 ? diskProblem_ : std::string();
}

}  // namespace zepo
