#include "SjisLimit.h"

#include <QLineEdit>

#include "platform/TextCodec.h"

namespace zepo {
namespace {

// A character code page 932 cannot hold counts as two bytes: it is refused later anyway.
size_t SjisBytes(const QString& text) {
    SjisConversion c = Utf8ToSjis(text.toStdString());
    return c.bytes.size() + 2 * QString::fromStdString(c.lost).size();
}

}  // namespace

void LimitSjisBytes(QLineEdit* edit, size_t maxBytes) {
    // Only what the user types is cut, as an edit box's length limit does: a longer text the
    // program puts in (the name of a card opened from its file) is kept, or confirming the
    // dialog would quietly rename the card.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, maxBytes](const QString& text) {
        if (SjisBytes(text) <= maxBytes) return;
        QString cut = text;
        while (!cut.isEmpty() && SjisBytes(cut) > maxBytes) cut.chop(cut.back().isLowSurrogate() ? 2 : 1);
        int cursor = std::min(edit->cursorPosition(), static_cast<int>(cut.size()));
        edit->setText(cut);
        edit->setCursorPosition(cursor);
    });
}

}  // namespace zepo
