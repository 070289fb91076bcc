#pragma once
// What a dialog's edit fields hold, read as a card stores it: whole numbers and Shift-JIS
// texts. A field that does not hold what the card needs gives a message naming the field, so
// that the dialog can come back with what was typed instead of applying half of it.

#include <QString>

#include <string>
#include <string_view>

#include "core/Result.h"

class QLineEdit;

namespace zepo {

// The field's whole number. The message (Shift-JIS) names `field` and quotes the text.
Result<int> ReadWholeNumber(const QLineEdit* edit, std::string_view sjisField);

// The typed text in Shift-JIS. Characters code page 932 cannot hold are refused, named in
// the message by their code points, rather than dropped from the card.
Result<std::string> ReadCardText(const QString& typed, std::string_view sjisField);

}  // namespace zepo
