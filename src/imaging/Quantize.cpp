#include "imaging/Quantize.h"

#include <algorithm>

namespace zepo {

MedianCutQuantizer::MedianCutQuantizer(const MedianCut& medianCut) : medianCut_(medianCut) {
    const Palette built = medianCut.BuiltPalette();
    std::copy_n(built.begin(), std::min<size_t>(built.size(), palette_.size()), palette_.begin());
}

}  // namespace zepo
