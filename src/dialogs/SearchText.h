#pragma once
// How the editor's search boxes (the help's index and search, the card list's filter) compare
// what a user types with what they search: full-width letters and digits as half-width ones,
// half-width kana as full-width ones, hiragana as katakana, case ignored. Both sides go
// through this.

#include <QString>

namespace zepo {

inline QString SearchFolded(const QString& text) {
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    // ぁ..ゖ and the iteration marks ゝゞ lie 0x60 below their katakana.
    for (QChar& c : folded)
        if ((c.unicode() >= 0x3041 && c.unicode() <= 0x3096) || c.unicode() == 0x309D || c.unicode() == 0x309E)
            c = QChar(char16_t(c.unicode() + 0x60));
    return folded;
}

}  // namespace zepo
