#pragma once
// The card settings dialog: card name, title, card colour and the two player options.

#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QLineEdit;
class QPushButton;

namespace zepo {

class ColorGrid;
class MessageSink;
class RadioGroup;

class CardSettingsDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit CardSettingsDialog(MessageSink& messages, QWidget* parent = nullptr);

    // Shows the card's settings in the fields.
    void Load(const CardSettings& settings);
    // The fields as Shift-JIS settings; only valid after the dialog accepted them.
    CardSettings Read() const;

    static constexpr const char* kHelpTopic = "HID00000023";

public slots:
    void accept() override;

private:
    void NameChanged();
    MessageSink& messages_;

    QLineEdit* nameEdit_;
    QLineEdit* titleEdit_;
    ColorGrid* colorGrid_;
    RadioGroup* editModeChoice_;
    RadioGroup* cursorModeChoice_;
};

}  // namespace zepo
