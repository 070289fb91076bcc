#include "publish/CardPicture.h"

#include <string>

#include "platform/CardFilesOnDisk.h"
#include "platform/PictureCache.h"
#include "render/CardRenderer.h"

namespace zepo::publish {

namespace {

// Fetches a picture the card holds only by its size while that picture is drawn, so that a
// card holds one of its pictures at a time, however many and large they are. A picture placed
// again right after is not fetched again.
class FetchingPicturePainter : public PicturePainter {
public:
    explicit FetchingPicturePainter(const std::filesystem::path& folder) : folder_(folder) {}

    void Compose(QImage& surface, const Card& card, int id, const PaintContext& context) override {
        const Slot& slot = card.slot(id);
        if (slot.picture.pixels || folder_.empty()) return PicturePainter::Compose(surface, card, id, context);
        if (slot.picture.fileName != lastName_ || !last_) {
            last_.reset();  // freed before the next one is decoded
            auto loaded = PictureCache::Shared().Load(ResolveInFolder(folder_, slot.picture.fileName), true);
            if (loaded) last_ = loaded.value().pixels;
            lastName_ = slot.picture.fileName;
        }
        Slot drawn = slot;
        drawn.picture.pixels = last_;
        PaintPicture(surface, drawn);
    }

private:
    const std::filesystem::path& folder_;
    std::string lastName_;
    SharedPicture last_;
};

}  // namespace

QImage ComposeCardFetchingPictures(const Card& card, QSize screen, const std::filesystem::path& folder) {
    CardRenderer renderer;
    FetchingPicturePainter pictures(folder);
    renderer.SetPainter(SlotKind::Picture, &pictures);
    return renderer.Compose(card, screen);
}

QImage RenderCardPicture(const Card& card, QSize screen, const std::filesystem::path& folder) {
    // The preview's own composition (a renderer per call, so threads share nothing), without
    // the canvas's extra column: a page shows the screen the player fills.
    return ComposeCardFetchingPictures(card, screen, folder).copy(0, 0, screen.width(), screen.height());
}

QImage Thumbnail(const QImage& picture, int width, int height) {
    const QImage source = picture.format() == QImage::Format_RGB32 ? picture : QImage();
    QImage thumbnail(width, height, QImage::Format_RGB32);
    if (source.isNull() || thumbnail.isNull()) return {};
    // Each thumbnail pixel is the mean of the source pixels it covers (at least one).
    for (int y = 0; y < height; ++y) {
        const int top = int(int64_t(y) * source.height() / height);
        const int bottom = std::max(top + 1, int(int64_t(y + 1) * source.height() / height));
        QRgb* out = reinterpret_cast<QRgb*>(thumbnail.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int left = int(int64_t(x) * source.width() / width);
            const int right = std::max(left + 1, int(int64_t(x + 1) * source.width() / width));
            uint64_t r = 0, g = 0, b = 0;
            for (int sy = top; sy < bottom; ++sy) {
                const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
                for (int sx = left; sx < right; ++sx) {
                    r += qRed(in[sx]);
                    g += qGreen(in[sx]);
                    b += qBlue(in[sx]);
                }
            }
            const uint64_t n = uint64_t(bottom - top) * uint64_t(right - left);
            out[x] = qRgb(int(r / n), int(g / n), int(b / n));
        }
    }
    return thumbnail;
}

}  // namespace zepo::publish
