#include "dialogs/AssociationChooser.h"

#include "dialogs/AssociationDialog.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/DialogRunner.h"
#include "model/Environment.h"

namespace zepo {

bool AssociationChooser::Choose(AssociationPanel& panel) {
    if (Status loaded = dialog_.Load(panel.Read()); !loaded) {
        messages_.Warn(loaded.error().message);
        return false;
    }
    dialog_.SetKindChoice(panel.kindChoiceAllowed());
    if (!dialog_.Activate(messages_)) return false;
    // A choice the card cannot hold sends the user back with the dialog as it was.
    while (runner_.Run(dialog_)) {
        Result<Association> chosen = dialog_.Read();
        if (chosen) {
            panel.SetChosen(chosen.value());
            return true;
        }
        messages_.Warn(chosen.error().message);
    }
    return false;
}

}  // namespace zepo
