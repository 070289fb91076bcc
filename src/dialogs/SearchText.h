#pragma once
// How the editor's search boxes (the help's index and search, the card list's filter) compare
// what a user types with what they search: full-width letters and digits as half-width ones,
// half-width kana as full-width ones, case ignored. Both sides go through this.

#include <QString>

namespace zepo {

inline QString SearchFolded(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

}  // namespace zepo
