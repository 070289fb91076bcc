#include "render/PicturePainting.h"

#include "render/BorderDrawing.h"
#include "render/CardRect.h"
#include "render/MissingFile.h"
#include "render/StyleLabels.h"

namespace zepo {
namespace {

QRect Bounds(const Slot& s) { return CardRect(s.bounds.left, s.bounds.top, s.bounds.width, s.bounds.height); }

}  // namespace

QImage ImageOfPixels(const PicturePixels* pixels) {
    if (!pixels || pixels->width <= 0 || pixels->height <= 0 ||
        pixels->rgb.size() < size_t(pixels->width) * size_t(pixels->height))
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(pixels->rgb.data()), pixels->width, pixels->height,
                  qsizetype(pixels->width) * 4, QImage::Format_RGB32);
}

void PaintPictureView(QPainter& p, const Slot& s) {
    if (s.picture.fileMissing) {
        PaintMissingFile(p, Bounds(s), s.picture.fileName);
        return;
    }
    const QImage image = ImageOfPixels(s.picture.pixels.get());
    const QRect r = Bounds(s);
    if (image.isNull()) {
        p.save();
        p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.restore();
        return;
    }
    if (s.stretch) p.drawImage(r, image);
    else p.drawImage(r.topLeft(), image);
}

void PaintPicture(QImage& surface, const Slot& s) {
    const QImage image = ImageOfPixels(s.picture.pixels.get());
    if (s.picture.fileMissing) {
        QPainter p(&surface);
        PaintMissingFile(p, Bounds(s), s.picture.fileName);
    } else if (!image.isNull() && s.bounds.width > 0 && s.bounds.height > 0) {
        QPainter p(&surface);
        p.drawImage(Bounds(s), image);
    }
    DrawBorderStyle(surface, s.bounds.left, s.bounds.top, s.bounds.right(), s.bounds.bottom(),
                    LabelAt(PictureFrameLabels(), s.picture.frame));
}

void PicturePainter::Paint(QPainter& painter, const Card& card, int id, const PaintContext&) {
    PaintPictureView(painter, card.slot(id));
}

void PicturePainter::Compose(QImage& surface, const Card& card, int id, const PaintContext&) {
    PaintPicture(surface, card.slot(id));
}

}  // namespace zepo
