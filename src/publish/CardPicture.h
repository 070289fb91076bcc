#pragma once
// The card as the player shows it, for pictures made outside the editor. Everything the
// export draws goes through this one function.

#include <QImage>
#include <QSize>
#include <filesystem>

#include "model/Card.h"

namespace zepo::publish {

// The pictures the card holds only by their sizes (read without pixels) are fetched from the
// process's PictureCache, found in `folder` as the reader finds them, each only while it is
// drawn.
QImage RenderCardPicture(const Card& card, QSize screen, const std::filesystem::path& folder = {});
// The same as ComposeCard makes it (the preview, with the canvas's extra column).
QImage ComposeCardFetchingPictures(const Card& card, QSize screen, const std::filesystem::path& folder);

// The picture (32-bit RGB) shrunk to `width` × `height` by the mean of the pixels each covers.
// Made here rather than by QImage::scaled, whose smooth scaling hands parts to Qt's worker
// threads and waits for ever when one cannot be started (no memory left for its stack).
// A null picture when there is no memory for it.
QImage Thumbnail(const QImage& picture, int width, int height);

}  // namespace zepo::publish
