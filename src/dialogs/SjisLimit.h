#pragma once
// Edit fields whose limit counts Shift-JIS bytes, as every length limit of a card does.

#include <cstddef>

class QLineEdit;

namespace zepo {

// Keeps what the user types within `maxBytes` Shift-JIS bytes by dropping what was typed last.
void LimitSjisBytes(QLineEdit* edit, size_t maxBytes);

}  // namespace zepo
