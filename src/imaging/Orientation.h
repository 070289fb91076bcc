#pragma once
// Which way up a photo is. Cameras and phones store the sensor's rows as they come and say in
// the Exif block how the picture is to be turned for viewing; every viewer and browser turns it,
// so a card must too, or a photo taken upright shows on its side.

#include <cstdint>
#include <span>

#include "imaging/Bitmap.h"

namespace zepo {

// The Exif orientation, 1 (as stored) to 8, from the payload of a JPEG APP1 segment (starting
// "Exif\0\0"); 1 when the segment is no Exif block, has no orientation or a damaged one.
int ExifOrientation(std::span<const uint8_t> app1);

// The picture turned and mirrored as the orientation says; orientations 5 to 8 swap width and
// height. Throws std::bad_alloc when the turned copy does not fit.
Bitmap Oriented(Bitmap picture, int orientation);

}  // namespace zepo
