#include "dialogs/DialogRunner.h"

#include <QDialog>

namespace zepo {

bool ModalDialogRunner::Run(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace zepo
