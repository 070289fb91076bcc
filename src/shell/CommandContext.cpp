#include "shell/CommandContext.h"

#include "dialogs/AssociationDialog.h"
#include "dialogs/FrameDialog.h"

namespace zepo {

void ForgetRememberedChoices(const EditorDialogs& dialogs) {
    if (dialogs.frame) dialogs.frame->Reset();
    if (dialogs.association) dialogs.association->Reset();
}

}  // namespace zepo
