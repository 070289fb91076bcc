#pragma once
// The OK, Cancel and Help row that ends every property dialog.

class QDialog;
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

}  // namespace zepo
