#pragma once
// A card's rectangle as Qt draws it. A card places its objects anywhere an int reaches, and
// QRect keeps its far edge as left + width - 1, which overflows at the ends of that range;
// Qt's text layout holds positions in 26.6 fixed point, which overflows far sooner. The edges
// are therefore worked out wide and brought within 2^24 pixels of the origin: thousands of
// screens past any surface, and beyond the widest object a card can hold (a picture of
// 32,768 pixels at 100 times, a text line of 4,096 bytes at 1,000 pixels), so an object cut
// there showed nothing anyway and the part that shows stays exactly where it was.

#include <QRect>

#include <algorithm>

namespace zepo {

inline constexpr long long kFarEdge = 1LL << 24;

inline int NearCoordinate(long long value) { return static_cast<int>(std::clamp(value, -kFarEdge, kFarEdge)); }

// Empty (invalid) for a width or height of zero or less, as QRect(left, top, width, height).
inline QRect CardRect(long long left, long long top, long long width, long long height) {
    const int l = NearCoordinate(left), t = NearCoordinate(top);
    const int r = NearCoordinate(left + std::max(width, 0LL)), b = NearCoordinate(top + std::max(height, 0LL));
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

}  // namespace zepo
