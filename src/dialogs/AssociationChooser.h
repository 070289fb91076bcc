#pragma once
// Loads a panel's association into the association dialog, shows it, and gives the panel
// the association the user chose.

namespace zepo {

class AssociationPanel;
class DialogRunner;
class MessageSink;
class AssociationDialog;

class AssociationChooser {
public:
    AssociationChooser(AssociationDialog& dialog, DialogRunner& runner, MessageSink& messages)
        : dialog_(dialog), runner_(runner), messages_(messages) {}

    // True when the panel took a new association (the dialog was confirmed with a choice the
    // card can hold). A panel association the dialog cannot show (a CD track that is not a
    // number) and a save folder that cannot be entered end here with a message.
    bool Choose(AssociationPanel& panel);

private:
    AssociationDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
};

}  // namespace zepo
