#include "render/SlotPainter.h"

#include <QImage>

#include "render/FramePainting.h"
#include "render/TextPainting.h"
#include "model/Layout.h"
#include "platform/CardFilesOnDisk.h"
#include "render/Fonts.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {

QRect Bounds(const Slot& s) { return QRect(s.bounds.left, s.bounds.top, s.bounds.width, s.bounds.height); }

void PaintPicture(QPainter& p, const Slot& s, const PaintContext& context, PictureCache& pictures) {
    const QImage* image = pictures.Get(ResolveInFolder(context.saveFolder, s.picture.fileName));
    QRect r = Bounds(s);
    if (!image) {
        // A picture whose file is gone still shows where it is, so that it can be picked.
        p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    if (s.stretch) p.drawImage(r, *image);
    else p.drawImage(r.topLeft(), *image);
}

}  // namespace

const QImage* PictureCache::Get(const std::filesystem::path& path) {
    std::error_code ec;
    // Plain files only: a pipe put in a picture's place would stop the window for good.
    if (!std::filesystem::is_regular_file(path, ec)) {
        entries_.erase(path);
        return nullptr;
    }
    const auto time = std::filesystem::last_write_time(path, ec);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return nullptr;
    auto found = entries_.find(path);
    if (found == entries_.end() || found->second.time != time || found->second.size != size) {
        if (found == entries_.end() && entries_.size() >= kMaxEntries) entries_.clear();
        ++reads_;
        found = entries_.insert_or_assign(path, Entry{time, size, QImage(QString::fromStdString(path.string()))}).first;
    }
    return found->second.image.isNull() ? nullptr : &found->second.image;
}

void PlainSlotPainter::Paint(QPainter& p, const Card& card, int id, const PaintContext& context) {
    const Slot& s = card.slot(id);
    p.save();
    switch (KindOfSlot(id)) {
        case SlotKind::Frame: PaintFrameFace(p, s); break;
        case SlotKind::OneLineText: PaintOneLineText(p, s, RenderMode::Edit); break;
        case SlotKind::TextBlock: PaintTextBlock(p, s, RenderMode::Edit); break;
        case SlotKind::Picture: PaintPicture(p, s, context, pictures_); break;
    }
    p.restore();
}

}  // namespace zepo
