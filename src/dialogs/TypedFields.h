#pragma once
// What a dialog's edit fields hold, read as a card stores it: whole numbers and Shift-JIS
// texts. A field that does not hold what the card needs gives a message naming the field, so
// that the dialog can come back with what was typed instead of applying half of it.

#include <QSpinBox>
#include <QString>

#include <string>
#include <string_view>

#include "core/Result.h"

class QLineEdit;

namespace zepo {

// The field's whole number. The message (Shift-JIS) names `field` and quotes the text.
Result<int> ReadWholeNumber(const QLineEdit* edit, std::string_view sjisField);

// The typed text in Shift-JIS. Characters code page 932 cannot hold are refused, named in
// the message by their code points, rather than dropped from the card; so are the ASCII
// characters of `refused`, those the field's place in the card file cannot give back.
Result<std::string> ReadCardText(const QString& typed, std::string_view sjisField, std::string_view refused = {});

// A spin box whose arrows keep to least … maximum but whose field keeps any whole number from
// 0 up to the maximum as it was typed. A plain spin box puts its last value back without a
// word when the field is left or Enter is pressed on a number below its least ("5" where 8 is
// the least); this one keeps the "5" for ReadSpinNumber to name in its message.
class TypedSpinBox : public QSpinBox {
public:
    TypedSpinBox(int least, int maximum, QWidget* parent = nullptr);
    int least() const { return least_; }
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int least_;
};

// A spin box's number as typed. The box itself keeps its last value while the typed text is
// out of its range ("5" where 8 is the least) and puts it back without a word; read here, such
// a text is named in the message instead.
Result<int> ReadSpinNumber(const QSpinBox* box, std::string_view sjisField);

}  // namespace zepo
