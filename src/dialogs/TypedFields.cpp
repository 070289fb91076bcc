#include "dialogs/TypedFields.h"

#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <vector>

#include "core/Numbers.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {

std::string Quoted(const QString& typed) { return ShownInSjis(typed.toStdString()); }

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
    return Fail(std::string(field) + Sjis("の") + UnwritableCharacterNames(typed.toStdString(), refused) +
                Sjis("はカードに書けません"));
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
