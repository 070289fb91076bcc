#pragma once
// How an object whose file is missing looks, in the edit view and in the composed card alike:
// a pale box crossed in red, with a red outline and the name of the file it waits for, so that
// the user sees what is gone and can still pick the object.

#include <QPainter>
#include <QRect>
#include <string>

namespace zepo {

// `sjisName` is the file name as the card holds it.
void PaintMissingFile(QPainter& painter, const QRect& bounds, const std::string& sjisName);

}  // namespace zepo
