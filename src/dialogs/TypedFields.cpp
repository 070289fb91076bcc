#include "dialogs/TypedFields.h"

#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <vector>

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

Result<std::string> ReadCardText(const QString& typed, std::string_view field, std::string_view refused) {
    const SjisConversion sjis = Utf8ToSjis(typed.toStdString());
    const bool hasRefused = std::any_of(typed.begin(), typed.end(), [&](QChar c) {
        return c.unicode() < 0x80 && refused.find(static_cast<char>(c.unicode())) != std::string_view::npos;
    });
    if (sjis.ok() && !hasRefused) return sjis.bytes;
    std::string named;
    std::vector<char32_t> seen;
    for (char32_t c : typed.toUcs4()) {
        const bool isRefused = c < 0x80 && refused.find(static_cast<char>(c)) != std::string_view::npos;
        if (!isRefused && Utf8ToSjis(QString::fromUcs4(&c, 1).toStdString()).ok()) continue;
        if (std::find(seen.begin(), seen.end(), c) != seen.end()) continue;
        seen.push_back(c);
        if (!named.empty()) named += ' ';
        named += isRefused ? Sjis("「") + static_cast<char>(c) + Sjis("」") : ShownInMessage(c);
    }
    return Fail(std::string(field) + Sjis("にカードに書けない文字が含まれています: ") + named);
}

TypedSpinBox::TypedSpinBox(int least, int maximum, QWidget* parent) : QSpinBox(parent), least_(least) {
    setRange(std::min(0, least), maximum);
}

void TypedSpinBox::stepBy(int steps) {
    // The value lies within 0 … maximum and steps are a page at most: no sum overflows.
    setValue(std::clamp(value() + steps, least_, maximum()));
    selectAll();
}

QAbstractSpinBox::StepEnabled TypedSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() > least_) enabled |= StepDownEnabled;
    if (value() < maximum()) enabled |= StepUpEnabled;
    return enabled;
}

Result<int> ReadSpinNumber(const QSpinBox* box, std::string_view field) {
    const QString typed = box->cleanText();
    const SjisConversion sjis = Utf8ToSjis(typed.toStdString());
    const std::optional<int> number = sjis.ok() ? ParseInt(sjis.bytes) : std::nullopt;
    const auto* typedBox = dynamic_cast<const TypedSpinBox*>(box);
    const int least = typedBox ? typedBox->least() : box->minimum();
    if (number && *number >= least && *number <= box->maximum()) return *number;
    return Fail(std::string(field) + Sjis("の「") + Quoted(typed) + Sjis("」は ") + std::to_string(least) +
                Sjis(" から ") + std::to_string(box->maximum()) + Sjis(" までの整数ではありません"));
}

}  // namespace zepo
