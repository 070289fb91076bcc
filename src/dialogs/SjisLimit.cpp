#include "dialogs/SjisLimit.h"

#include <QLineEdit>

#include <algorithm>
#include <memory>

#include "core/TextCodec.h"

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
    // dialog would quietly rename the card. And it is the typed part that is cut, wherever
    // the cursor was, never the text that was already there.
    struct Texts {
        QString current, previous;
    };
    auto seen = std::make_shared<Texts>(Texts{edit->text(), edit->text()});
    // The field's own text, not the signal's: after a cut made during textEdited, the edit's
    // textChanged still reports the uncut text.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, seen] {
        if (edit->text() == seen->current) return;
        seen->previous = seen->current;
        seen->current = edit->text();
    });
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, maxBytes, seen](const QString& text) {
        if (SjisBytes(text) <= maxBytes) return;
        // Whichever of the two signals came first, the text before this edit is known.
        const QString old = seen->current == text ? seen->previous : seen->current;
        // The cursor stands right after what was typed or pasted, and everything after it was
        // there before; what was there before it is the longest common start, no further.
        const qsizetype cursor = edit->cursorPosition();
        const qsizetype suffix = text.size() - cursor;
        qsizetype prefix = 0;
        const qsizetype limit = std::min(cursor, old.size() - suffix);
        while (prefix < limit && old[prefix] == text[prefix]) ++prefix;
        if (prefix > 0 && text[prefix - 1].isHighSurrogate()) --prefix;  // never half a pair
        const QString left = text.left(prefix), right = text.right(suffix);
        QString typed = text.mid(prefix, cursor - prefix);
        while (!typed.isEmpty() && SjisBytes(left + typed + right) > maxBytes)
            typed.chop(typed.back().isLowSurrogate() ? 2 : 1);
        edit->setText(left + typed + right);
        edit->setCursorPosition(static_cast<int>(prefix + typed.size()));
    });
}

}  // namespace zepo
