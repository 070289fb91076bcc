#pragma once
// The four typefaces of a card on a machine that has none of them: each is matched to an
// installed family once, in one place, so that measuring and drawing agree everywhere.

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <optional>

#include "model/Card.h"
#include "model/Environment.h"

namespace zepo {

// The name the card's typeface carries ("ＭＳ 明朝", "ＭＳ ゴシック", "Times New Roman", "Arial").
QString TypefaceName(Typeface face);
// The index of a typeface name (any other name is Mincho).
Typeface TypefaceOfName(const QString& name);

// The installed family drawn for a typeface: IPAMincho / IPAGothic, then IPAex, then Noto CJK
// for the Japanese faces; Liberation Serif / Sans for Times New Roman and Arial.
QString InstalledFamily(Typeface face);

// Registers the installed families as substitutes of the card's typeface names, so that a
// QFont asking for "ＭＳ 明朝" finds the right glyphs. Needs a QGuiApplication.
void RegisterFontSubstitutes();

// A font of `font.height` pixels: a full-width character cell is height × height.
QFont MakeFont(const FontSpec& font);

// Measures with the same fonts the canvas draws with.
class QtTextMeasurer : public TextMeasurer {
public:
    int TextWidth(std::string_view sjis, const FontSpec& font) override;

private:
    // The metrics of the last font: a text block measures all its lines in one font, and
    // making the metrics anew for each line would cost more than the measuring.
    std::optional<FontSpec> font_;
    std::optional<QFontMetrics> metrics_;
};

}  // namespace zepo
