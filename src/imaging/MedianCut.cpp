#include "imaging/MedianCut.h"

#include <cstring>
#include <utility>

namespace zepo {

MedianCut::MedianCut() : cells_(new Cell[kCellCount]()), lookup_(new uint8_t[kCellCount]()) {
    for (int i = 0; i < kCellCount; ++i) cells_[i].ownIndex = i;
}

void MedianCut::AddPixels(const Bitmap& picture) {
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) AddColor(p[2], p[1], p[0]);
    }
}

Status MedianCut::BuildPalette(int bits, bool skipEmpty) {
    // The entry table holds 256 colours, so more than 8 bits would write past it.
    if (bits < 0 || bits > kMaxBits || built_) return Fail(kAssertionFailure);
    built_ = true;
    bits_ = bits;

    for (int i = 0; i < kCellCount; ++i) {
        Cell& c = cells_[i];
        const int r = i >> 11, g = (i >> 5) & 63, b = i & 31;
        if (c.count > 0) {
            c.r = c.r / c.count + 4 * r;
            c.g = c.g / c.count + 4 * g;
            c.b = c.b / c.count + 8 * b;
        } else {
            c.r = 4 * r + 2;
            c.g = 4 * g + 2;
            c.b = 8 * b + 4;
        }
    }
    paletteCount_ = 0;

    Cell* end = cells_.get() + kCellCount;
    if (skipEmpty) {
        // In place, keeping the used cells in index order; no second histogram-sized buffer.
        Cell* out = cells_.get();
        for (Cell* c = cells_.get(); c != end; ++c)
            if (c->count > 0) std::swap(*out++, *c);
        end = out;
    }
    CutBox(cells_.get(), end, 0);

    std::memset(lookup_.get(), 0, kCellCount);
    for (const Cell* c = cells_.get(); c != end; ++c) lookup_[c->ownIndex] = uint8_t(c->paletteIndex);
    return {};
}

void MedianCut::CutBox(Cell* start, Cell* end, int depth) {
    if (start == end) return;

    // Every square-weighted term is an integer below 2^47 and every sum stays below 2^63,
    // so summing in 64-bit integers gives exactly what an extended-precision sum would.
    int64_t w = 0, sr = 0, sg = 0, sb = 0;
    uint64_t qr = 0, qg = 0, qb = 0;
    for (const Cell* c = start; c != end; ++c) {
        const int64_t n = c->count;
        w += n;
        sr += c->r * n;
        sg += c->g * n;
        sb += c->b * n;
        qr += uint64_t(c->r * c->r) * uint64_t(n);
        qg += uint64_t(c->g * c->g) * uint64_t(n);
        qb += uint64_t(c->b * c->b) * uint64_t(n);
    }

    int64_t mr, mg, mb;
    long double varR = 0, varG = 0, varB = 0;
    if (w > 0) {
        mr = sr / w;
        mg = sg / w;
        mb = sb / w;
        const long double lw = static_cast<long double>(w);
        varR = static_cast<long double>(qr) / lw - static_cast<long double>(mr * mr);
        varG = static_cast<long double>(qg) / lw - static_cast<long double>(mg * mg);
        varB = static_cast<long double>(qb) / lw - static_cast<long double>(mb * mb);
    } else {
        // A run without pixels (only when empty cells take part): the plain average of the
        // cells' centres, and no further cutting.
        int64_t n = end - start, tr = 0, tg = 0, tb = 0;
        for (const Cell* c = start; c != end; ++c) {
            tr += c->r;
            tg += c->g;
            tb += c->b;
        }
        mr = tr / n;
        mg = tg / n;
        mb = tb / n;
    }

    if (depth == bits_ || w == 0) {
        const int k = paletteCount_++;
        entries_[k] = Quad{uint8_t(mb), uint8_t(mg), uint8_t(mr), 0};
        for (Cell* c = start; c != end; ++c) c->paletteIndex = k;
        return;
    }

    int32_t Cell::*axis = &Cell::g;
    int64_t m = mg;
    switch (ChooseSplitAxis(varR, varG, varB)) {
        case SplitAxis::R:
            axis = &Cell::r;
            m = mr;
            break;
        case SplitAxis::G: break;
        case SplitAxis::B:
            axis = &Cell::b;
            m = mb;
            break;
    }

    // Two-pointer exchange; the resulting order of cells decides later cuts, so it must stay
    // exactly this scheme rather than any partition.
    Cell* i = start;
    Cell* j = end;
    do {
        while (i < j && (*i).*axis <= m) ++i;
        while (j > i && (*(j - 1)).*axis > m) --j;
        if (i != j) std::swap(*i, *(j - 1));
    } while (i < j);

    CutBox(i, end, depth + 1);
    CutBox(start, i, depth + 1);
}

Palette MedianCut::BuiltPalette() const {
    Palette palette(paletteCount_);
    for (int k = 0; k < paletteCount_; ++k) palette[k] = PaletteEntry{entries_[k].r, entries_[k].g, entries_[k].b, 0};
    return palette;
}

}  // namespace zepo
