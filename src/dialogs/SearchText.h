#pragma once
// How the editor's search boxes (the help's index and search, the card list's filter) compare
// what a user types with what they search: full-width letters and digits as half-width ones,
// half-width kana as full-width ones, hiragana as katakana, case ignored. Both sides go through
// this.

#include <QString>

namespace zepo {

inline QString SearchFolded(const QString& text) {
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    // ぁ..ゖ and ゝゞ sit 0x60 below their katakana: すらいど finds スライド.
    for (QChar& c : folded)
        if ((c >= u'\u3041' && c <= u'\u3096') || c == u'\u309d' || c == u'\u309e') c = QChar(c.unicode() + 0x60);
    return folded;
}

}  // namespace zepo
