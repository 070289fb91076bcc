#include "editors/FrameEditor.h"

namespace zepo {
namespace {

constexpr int kMinimumSide = 10;

}  // namespace

void FrameEditor::StartNew(Slot& slot) { slot.bounds = {10, 10, 100, 100}; }

void FrameEditor::Show(const Slot& s, bool isNew) {
    FrameValues v;
    v.x1 = s.bounds.left;
    v.y1 = s.bounds.top;
    v.x2 = s.bounds.right() - 1;
    v.y2 = s.bounds.bottom() - 1;
    v.color = s.frame.color;
    v.style = s.frame.style;
    v.association = s.frame.association;
    v.toFront = isNew;
    v.remove = false;
    dialog_.Load(v);
}

Applied FrameEditor::WriteInto(Slot& s, FrameValues v, bool) {
    const Span across = InclusiveSpan(v.x1, v.x2, kMinimumSide);
    const Span down = InclusiveSpan(v.y1, v.y2, kMinimumSide);
    s.bounds = {across.start, down.start, across.size, down.size};
    s.frame.color = v.color;
    s.frame.style = v.style;
    s.frame.association = v.association;
    return Applied::Done;
}

}  // namespace zepo
