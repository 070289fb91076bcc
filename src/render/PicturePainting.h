#pragma once
// How a picture looks: as the card holds it (the pixels loaded when it was placed, read or
// edited), never looked up again in the save folder.

#include <QImage>
#include <QPainter>

#include "model/Card.h"
#include "render/SlotPainter.h"

namespace zepo {

// The held pixels as an image sharing their memory (valid while `pixels` lives); a null
// image for no pixels.
QImage ImageOfPixels(const PicturePixels* pixels);

// The edit view at the slot's bounds: stretched into them when the picture is scaled, else at
// its natural size. A picture that never loaded shows as a dashed grey outline, so that it
// can still be picked; one whose file is missing as the marked placeholder (MissingFile.h),
// in the composed card too.
void PaintPictureView(QPainter& painter, const Slot& picture);

// The picture as the player shows it, drawn into the card's surface: stretched into its
// bounds, then the border of its picture frame.
void PaintPicture(QImage& surface, const Slot& picture);

class PicturePainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override;
    void Compose(QImage& surface, const Card& card, int id, const PaintContext& context) override;
};

}  // namespace zepo
