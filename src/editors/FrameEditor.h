#pragma once
// The frame dialog round trip: fill the dialog from a slot, show it, apply the result.

#include "model/Card.h"

namespace zepo {

class DialogRunner;
class MessageSink;
class FrameDialog;

enum class EditResult { Cancelled, Applied, Removed };

// Edits frame slot `id` (free or in use). All four corner fields are checked before anything
// is applied: a field that is not a whole number is named in a message and the dialog comes
// back with the typed values, so a confirmation never applies half of its fields.
EditResult EditFrame(Card& card, int id, FrameDialog& dialog, DialogRunner& runner, MessageSink& messages);

}  // namespace zepo
