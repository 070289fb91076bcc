#pragma once
// The association panel that the text, picture, frame and button dialogs share, and the
// select-association routine behind its "選択..." button.

#include <QWidget>

#include "model/Card.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zepo {

class AssociationChooser;

class AssociationPanel : public QWidget {
    Q_OBJECT
public:
    explicit AssociationPanel(QWidget* parent = nullptr);

    // Ticked with both labels when the stored association has a name; unticked and empty otherwise.
    void Fill(const Association& stored);
    // The labels as the record stores them: Shift-JIS, 20 and 50 bytes.
    Association Stored() const;
    void Reset();
    void SetChooser(AssociationChooser* chooser) { chooser_ = chooser; }

    QCheckBox* chkCard;
    QLabel* dspNextCard;
    QLabel* dspNextFile;
    QPushButton* btnNextCard;

    // The button dialog's extras: what ticking the box puts into the name label, and
    // whether the association dialog offers its kind choice.
    QString presetName;
    bool kindChoiceAllowed = true;

private:
    void chkCardClick();
    AssociationChooser* chooser_ = nullptr;
};

}  // namespace zepo
