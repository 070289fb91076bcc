#include "imaging/Quantize.h"

#include <algorithm>

namespace zepo {

TMedianCutQuantizeColor::TMedianCutQuantizeColor(const TMedianCut& medianCut) : medianCut_(medianCut) {
    const Palette built = medianCut.CreatePaletteHandle();
    std::copy_n(built.begin(), std::min<size_t>(built.size(), palette_.size()), palette_.begin());
}

}  // namespace zepo
