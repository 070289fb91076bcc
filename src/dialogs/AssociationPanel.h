#pragma once
// The association panel that the text, picture, frame and button dialogs share, and the
// select-association routine behind its "選択..." button.

#include <QWidget>

#include <string>

#include "model/Card.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zepo {

class AssociationChooser;

// The panel holds its association as the card stores it (Shift-JIS, 20 and 50 bytes) and
// shows it in its two labels; the labels are never read back.
class AssociationPanel : public QWidget {
    Q_OBJECT
public:
    explicit AssociationPanel(QWidget* parent = nullptr);

    // Ticked with both labels when the association has a name; unticked and empty otherwise.
    void Load(const Association& stored);
    // The same, ticked or not as asked: a button's panel is ticked even without an
    // association, so that one can be chosen at once.
    void Load(const Association& stored, bool ticked);
    // The association: empty when unticked.
    Association Read() const;
    // The association dialog's choice; the box stays as it is.
    void SetChosen(const Association& chosen);
    // Unticked and empty.
    void Reset();

    // A card feature keeps its kind: ticking the box puts the kind word in as the name, and
    // the association dialog offers no other kind. Empty for a free choice of kind.
    void SetFixedKind(std::string kindWord) { fixedKind_ = std::move(kindWord); }
    bool kindChoiceAllowed() const { return fixedKind_.empty(); }

    void SetChooser(AssociationChooser* chooser) { chooser_ = chooser; }

private:
    void EnabledClicked();
    void Show(const Association& association);

    Association association_;
    std::string fixedKind_;
    AssociationChooser* chooser_ = nullptr;

    QCheckBox* enabledBox_;
    QLabel* nameLabel_;
    QLabel* fileLabel_;
    QPushButton* chooseButton_;
};

}  // namespace zepo
