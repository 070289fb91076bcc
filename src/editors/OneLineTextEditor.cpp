#include "editors/OneLineTextEditor.h"

#include <QString>

#include <algorithm>

#include "core/Moji.h"
#include "core/TextCodec.h"
#include "editors/TextChecks.h"
#include "model/Card.h"
#include "model/Environment.h"
#include "model/Layout.h"

namespace zepo {
namespace {

OneLineTextValues ValuesOf(const Slot& s, bool isNew) {
    OneLineTextValues v;
    v.text = s.caption;
    v.direction = s.text.direction;
    // The dialog shows a vertical column by its right edge, as the card file does.
    v.x = s.text.direction == 1 ? s.bounds.right() : s.bounds.left;
    v.y = s.bounds.top;
    v.typeface = static_cast<int>(s.font.face);
    v.bold = s.font.bold;
    v.italic = s.font.italic;
    v.height = s.font.height;
    v.textColor = s.text.textColor;
    v.backColor = s.text.backColor;
    v.decoration = s.text.decoration;
    v.association = s.text.association;
    v.toFront = isNew;
    return v;
}

// The new left edge: the dialog's x is a vertical column's right edge, and a text that turns
// from vertical to horizontal keeps its left edge (x less one column, one font height).
long long NewLeft(const Slot& s, int x, int newDirection) {
    const int oldDirection = s.text.direction;
    if (newDirection == 1 && oldDirection == 1) return static_cast<long long>(x) - s.bounds.width;
    if (newDirection == 0 && oldDirection == 1) return static_cast<long long>(x) - s.font.height;
    return x;
}

}  // namespace

void OneLineTextEditor::StartNew(Slot& s) {
    s.caption = Sjis("１行文字");
    s.font = FontSpec{Typeface::Mincho, 20, false, false};
    s.transparent = true;
    s.wordWrap = false;
    const Size size = OneLineTextSize(s.caption, s.font, false, measurer_);
    s.bounds = {10, 10, size.width, size.height};
    dialog_.Reset();
}

void OneLineTextEditor::Show(const Slot& s, bool isNew) { dialog_.Load(ValuesOf(s, isNew)); }

Applied OneLineTextEditor::WriteInto(Slot& s, OneLineTextValues v, bool) {
    s.text.association.Set(v.association.name, v.association.file);
    const std::vector<std::string> text{v.text};
    if (IsLatin(v.typeface) && RefuseLatin(text, messages_)) v.typeface = 0;
    if (v.direction == 1 && RefuseVertical(text, v.typeface, messages_, /*both=*/false)) v.direction = 0;

    const long long left = NewLeft(s, v.x, v.direction);
    s.bounds.left = std::max(0, SaturatedInt(left));
    s.bounds.top = std::max(0, v.y);
    s.text.direction = v.direction;
    s.caption = v.text;
    s.font = FontSpec{static_cast<Typeface>(v.typeface), v.height, v.bold, v.italic};
    s.wordWrap = v.direction == 1;
    const Size size = OneLineTextSize(s.caption, s.font, s.wordWrap, measurer_);
    s.bounds.width = size.width;
    s.bounds.height = size.height;
    s.text.textColor = v.textColor;
    s.text.backColor = v.backColor;
    s.text.decoration = v.decoration;
    s.transparent = v.decoration == 0 || v.decoration == 2;
    return Applied::Done;
}

}  // namespace zepo
