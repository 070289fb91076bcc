#include "publish/CardPicture.h"

#include "platform/CardFilesOnDisk.h"
#include "platform/PictureCache.h"
#include "render/CardRenderer.h"

namespace zepo::publish {

QImage RenderCardPicture(const Card& card, QSize screen, const std::filesystem::path& folder) {
    // The pixels are held only while this card is drawn.
    Card drawn = card;
    for (int id : drawn.UsedSlotsInStackingOrder()) {
        PictureRecord& picture = drawn.slot(id).picture;
        if (KindOfSlot(id) != SlotKind::Picture || picture.pixels || folder.empty()) continue;
        auto loaded = PictureCache::Shared().Load(ResolveInFolder(folder, picture.fileName), true);
        if (loaded) picture.pixels = loaded.value().pixels;
    }
    // The preview's own composition (a renderer per call, so threads share nothing), without
    // the canvas's extra column: a page shows the screen the player fills.
    return ComposeCard(drawn, screen).copy(0, 0, screen.width(), screen.height());
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
