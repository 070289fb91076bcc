#pragma once
// The button dialog: the association of the right mouse button, of buttons 1 to 5, or of
// one of the card's features (sound, music CD, MIDI, movie, program).

#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

namespace zepo {

class AssociationChooser;
class AssociationPanel;

class ButtonDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit ButtonDialog(QWidget* parent = nullptr);

    // Button 0 is the right mouse button ("マウス右"), 1..5 are "ボタン - N": the kind can be
    // chosen and the associationPanel_ shows the stored association.
    void Load(const Card& card, int button);
    // A feature keeps its kind: the associationPanel_ shows the kind word and the stored file when the
    // feature is on, else the placeholder of a file not chosen yet (" ", "1" for the CD).
    void Load(const Card& card, Feature feature);
    // The association as confirmed; empty when the box was unticked.
    Association Read() const;

    // The association dialog round trip behind the associationPanel_'s "選択..." button.
    void SetChooser(AssociationChooser* chooser);

    static constexpr const char* kHelpTopic = "HID00000018";

private:
    AssociationPanel* associationPanel_;
};

}  // namespace zepo
