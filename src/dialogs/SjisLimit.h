#pragma once
// Edit fields whose limit counts Shift-JIS bytes, as every length limit of a card does.

#include <cstddef>

class QLineEdit;

namespace zepo {

// Keeps what the user types within `maxBytes` Shift-JIS bytes: of a typed or pasted text only
// as much goes in as fits; the text already there stays.
void LimitSjisBytes(QLineEdit* edit, size_t maxBytes);

}  // namespace zepo
