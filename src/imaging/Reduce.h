#pragma once
// Reduction of a 24-bit picture to an 8-bit palette picture of at most 2^bits colours.

#include "core/Result.h"
#include "imaging/Bitmap.h"

namespace zepo {

// Each pixel takes the palette entry of its histogram cell. The palette holds only the
// built entries. Fails with "Assertion failure" unless 0 <= bits <= 8 and the source has
// 24 bits per pixel.
Result<Bitmap> MedianCutReduce(const Bitmap& source, int bits);

// The same with Floyd–Steinberg error diffusion; every colour the diffusion can produce has
// a palette entry, so the palette may hold entries no pixel uses.
Result<Bitmap> MedianCutReduceDithered(const Bitmap& source, int bits);

}  // namespace zepo
