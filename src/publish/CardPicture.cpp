#include "publish/CardPicture.h"

#include "render/CardRenderer.h"

namespace zepo::publish {

QImage RenderCardPicture(const Card& card, QSize screen) {
    // The preview's own composition (a renderer per call, so threads share nothing), without
    // the canvas's extra column: a page shows the screen the player fills.
    return ComposeCard(card, screen).copy(0, 0, screen.width(), screen.height());
}

}  // namespace zepo::publish
