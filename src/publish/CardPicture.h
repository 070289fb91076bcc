#pragma once
// The card as the player shows it, for pictures made outside the editor. Everything the
// export draws goes through this one function.

#include <QImage>
#include <QSize>
#include <filesystem>

#include "model/Card.h"

namespace zepo::publish {

QImage RenderCardPicture(const Card& card, QSize screen);

}  // namespace zepo::publish
