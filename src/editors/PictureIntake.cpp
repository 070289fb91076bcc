#include "editors/PictureIntake.h"

#include <QImageReader>
#include <QPainter>

#include <system_error>

#include "core/InsideFolder.h"
#include "core/Moji.h"
#include "core/TextCodec.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"
#include "model/Environment.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

std::string Named(std::string_view format, const std::string& sjisName) {
    std::string text = Sjis(format);
    text.replace(text.find("%s"), 2, sjisName);
    return text;
}

// As much of the name as a message can show.
std::string ShownName(const fs::path& path) { return Utf8ToSjis(path.filename().string()).bytes; }

// The image as read, turned as its Exif block says, or an empty image with the reason told.
// The size the file claims is checked before anything is decoded: a few bytes of PNG can claim
// 100,000 × 100,000 pixels.
QImage ReadBounded(const fs::path& source, MessageSink& messages) {
    QImageReader reader(QString::fromStdString(source.string()));
    reader.setAutoTransform(true);
    const QSize claimed = reader.size();
    if (!reader.canRead()) {
        messages.Warn(Named("%s は取り込める画像ではありません", ShownName(source)));
        return {};
    }
    if (claimed.width() > kMaxPictureSide || claimed.height() > kMaxPictureSide ||
        uint64_t(std::max(claimed.width(), 0)) * uint64_t(std::max(claimed.height(), 0)) > kMaxPicturePixels) {
        messages.Warn(Named("%s は大きすぎるため取り込めません", ShownName(source)));
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) messages.Warn(Named("%s が読めません", ShownName(source)));
    return image;
}

// What shows through a transparent pixel on the card is the card's background.
QImage Flattened(const QImage& image, uint32_t background, QSize fitTo) {
    QSize size = image.size();
    if (fitTo.isValid() && (size.width() > fitTo.width() || size.height() > fitTo.height()))
        size = size.scaled(fitTo, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage flat(size, QImage::Format_RGB32);
    flat.fill(QColor::fromRgb(0xFF000000u | background));
    QPainter painter(&flat);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    return flat;
}

// The source's name as a ".bmp" the card can hold: Shift-JIS within the byte limit of a file
// name. A name code page 932 cannot hold becomes 画像.bmp, and the user is told.
std::string BmpNameFor(const fs::path& source, MessageSink& messages) {
    const SjisConversion stem = Utf8ToSjis(source.stem().string());
    std::string name = stem.ok() && !stem.bytes.empty() ? stem.bytes : Sjis("画像");
    if (!stem.ok())
        messages.Warn(Named("ファイル名にカードで使えない文字があるため、%s として取り込みます", name + ".bmp"));
    return CutBytes(name, kShortTextBytes - 4) + ".bmp";
}

bool SameBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
    auto existing = ReadPictureBytes(file);
    return existing && existing.value() == bytes;
}

}  // namespace

Bitmap BitmapOfImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Bitmap bitmap(rgb.width(), rgb.height(), PixelFormat::Bgr24);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* from = rgb.constScanLine(y);
        uint8_t* to = bitmap.Row(y);
        for (int x = 0; x < rgb.width(); ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    return bitmap;
}

bool IsReadablePicture(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && !QImageReader::imageFormat(QString::fromStdString(file.string())).isEmpty();
}

std::optional<std::string> TakePictureIn(const fs::path& source, const fs::path& saveFolder,
                                         const IntakeChoices& choices, MessageSink& messages) {
    QImage image = ReadBounded(source, messages);
    if (image.isNull()) return std::nullopt;
    const QSize card = choices.card;
    const bool larger = card.isValid() && (image.width() > card.width() || image.height() > card.height());
    const bool shrink =
        larger &&
        messages.Ask(Named("%s はカードより大きい画像です。\rカードに収まるように縮小しますか？", ShownName(source)));
    Bitmap bitmap = BitmapOfImage(Flattened(image, choices.background, shrink ? card : QSize()));
    if (choices.reduceTo256) {
        auto reduced = MedianCutReduce(bitmap, 8);
        if (reduced) bitmap = std::move(reduced.value());
    }
    auto bytes = EncodeBmp(bitmap);
    if (!bytes) return std::nullopt;
    const std::string name = BmpNameFor(source, messages);
    const fs::path target = saveFolder / fs::path(SjisToUtf8(name));
    std::error_code ec;
    const bool exists = fs::exists(fs::symlink_status(target, ec));
    if (exists && !RealPathInside(saveFolder, target)) {
        messages.Warn(Named("%s は保存フォルダの外を指しているため書き込めません", name));
        return std::nullopt;
    }
    if (exists && SameBytes(target, bytes.value())) return name;  // taken in before
    if (exists && !messages.Ask(Named("%s はすでにあり、取り込む画像と違います。\r置き換えますか？", name)))
        return std::nullopt;
    if (Status written = WritePictureBytes(target, bytes.value()); !written) {
        messages.Warn(Named("%s を保存フォルダに書き込めません", name) + "\r" + Sjis(written.error().message));
        return std::nullopt;
    }
    return name;
}

}  // namespace zepo
