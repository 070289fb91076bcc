#include "render/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <array>

#include "core/TextCodec.h"

namespace zepo {
namespace {

const std::array<QString, 4>& Names() {
    static const std::array<QString, 4> names = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ ゴシック"),
                                                 QStringLiteral("Times New Roman"), QStringLiteral("Arial")};
    return names;
}

QStringList Candidates(Typeface face) {
    switch (face) {
        case Typeface::Mincho: return {"IPAMincho", "IPAexMincho", "Noto Serif CJK JP", "Noto Sans CJK JP"};
        case Typeface::Gothic: return {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "Noto Serif CJK JP"};
        case Typeface::TimesNewRoman: return {"Times New Roman", "Liberation Serif", "DejaVu Serif"};
        case Typeface::Arial: return {"Arial", "Liberation Sans", "DejaVu Sans"};
    }
    return {};
}

}  // namespace

QString TypefaceName(Typeface face) { return Names()[static_cast<int>(face)]; }

Typeface TypefaceOfName(const QString& name) {
    for (int i = 0; i < 4; ++i)
        if (Names()[i] == name) return static_cast<Typeface>(i);
    return Typeface::Mincho;
}

QString InstalledFamily(Typeface face) {
    static std::array<QString, 4> resolved;
    QString& family = resolved[static_cast<int>(face)];
    if (family.isEmpty()) {
        const QStringList installed = QFontDatabase::families();
        for (const QString& candidate : Candidates(face)) {
            if (installed.contains(candidate, Qt::CaseInsensitive)) {
                family = candidate;
                break;
            }
        }
        if (family.isEmpty()) family = Candidates(face).front();  // Qt falls back on its own
    }
    return family;
}

void RegisterFontSubstitutes() {
    for (Typeface face : {Typeface::Mincho, Typeface::Gothic, Typeface::TimesNewRoman, Typeface::Arial})
        if (TypefaceName(face) != InstalledFamily(face))
            QFont::insertSubstitutions(TypefaceName(face), Candidates(face));
    // Not a card typeface, but the macro viewer's.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {"IPAPGothic", "IPAexGothic", "IPAGothic", "Noto Sans CJK JP"});
}

QFont MakeFont(const FontSpec& font) {
    QFont f(InstalledFamily(font.face));
    f.setPixelSize(std::max(1, font.height));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferMatch);
    return f;
}

int QtTextMeasurer::TextWidth(std::string_view sjis, const FontSpec& font) {
    if (font_ != font) {
        metrics_.emplace(MakeFont(font));
        font_ = font;
    }
    return metrics_->horizontalAdvance(QString::fromStdString(SjisToUtf8(sjis)));
}

}  // namespace zepo
