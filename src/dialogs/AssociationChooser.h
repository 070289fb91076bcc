#pragma once
// Loads a panel's association into the association dialog, shows it, and writes the
// result back into the panel's labels.

namespace zepo {

class AssociationPanel;
class DialogRunner;
class MessageSink;
class AssociationDialog;

class AssociationChooser {
public:
    AssociationChooser(AssociationDialog& dialog, DialogRunner& runner, MessageSink& messages)
        : dialog_(dialog), runner_(runner), messages_(messages) {}

    // True when the panel's labels were rewritten (the dialog was confirmed).
    bool Choose(AssociationPanel& panel);

private:
    // Kind, preselections, stop flags, track and program from the labels; false (after a
    // message) when a CD track is not a number.
    bool Load(const AssociationPanel& panel);
    // False (after a message) when the program text cannot be stored in a card.
    bool Store(AssociationPanel& panel);

    AssociationDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
};

}  // namespace zepo
