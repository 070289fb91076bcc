#include "editors/FrameSlotEditor.h"

#include "editors/FrameEditor.h"

namespace zepo {

void FrameSlotEditor::Edit(int id) { EditFrame(card_, id, dialog_, runner_, messages_); }

}  // namespace zepo
