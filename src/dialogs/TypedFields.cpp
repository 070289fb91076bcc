#include "dialogs/TypedFields.h"

#include <QLineEdit>

#include "core/Numbers.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {

// A character for a Shift-JIS message: itself when it has a code, else its code point.
std::string ShownInMessage(char32_t c) {
    SjisConversion one = Utf8ToSjis(QString::fromUcs4(&c, 1).toStdString());
    if (one.ok()) return one.bytes;
    return "(U+" + QString("%1").arg(static_cast<uint>(c), 4, 16, QChar('0')).toUpper().toStdString() + ")";
}

std::string Quoted(const QString& typed) {
    std::string shown;
    for (char32_t c : typed.toUcs4()) shown += ShownInMessage(c);
    return shown;
}

}  // namespace

Result<int> ReadWholeNumber(const QLineEdit* edit, std::string_view field) {
    const QString typed = edit->text();
    const SjisConversion sjis = Utf8ToSjis(typed.toStdString());
    // A character Shift-JIS cannot hold must not simply vanish: "2€0" is not 20.
    if (const std::optional<int> number = sjis.ok() ? ParseInt(sjis.bytes) : std::nullopt) return *number;
    return Fail(std::string(field) + Sjis("の「") + Quoted(typed) + Sjis("」は整数ではありません"));
}

Result<std::string> ReadCardText(const QString& typed, std::string_view field) {
    const SjisConversion sjis = Utf8ToSjis(typed.toStdString());
    if (sjis.ok()) return sjis.bytes;
    std::string named;
    for (char32_t c : QString::fromStdString(sjis.lost).toUcs4()) {
        if (!named.empty()) named += ' ';
        named += ShownInMessage(c);
    }
    return Fail(std::string(field) + Sjis("にカードに書けない文字が含まれています: ") + named);
}

}  // namespace zepo
