#pragma once
// The OK, Cancel and Help row that ends every property dialog.

#include <initializer_list>

class QCheckBox;
class QDialog;
class QWidget;
class QHBoxLayout;
class QPushButton;

namespace zepo {

struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
    QHBoxLayout* row;  // right-aligned, for the dialog's layout
};

// The buttons are named OKBtn, CancelBtn and HelpBtn. OK accepts (through the dialog's own
// accept(), so a dialog that checks its fields can refuse), Cancel rejects; what Help shows
// is the dialog's business.
DialogButtons MakeDialogButtons(QDialog* dialog);

// The red "設定解除" box (named Cancel) of the card-level feature dialogs: ticked, OK switches
// the feature off.
QCheckBox* MakeSwitchOffBox(QDialog* dialog);

// Tab moves through `controls` in this order (the order the eye reads the dialog in), then
// through the button row. Creation order is rarely that order once group boxes and columns
// are laid out.
void TabInReadingOrder(std::initializer_list<QWidget*> controls, const DialogButtons& buttons);

}  // namespace zepo
