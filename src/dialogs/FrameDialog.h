#pragma once
// The frame dialog: a frame's corners, colour, style and association.

#include "core/Result.h"
#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zepo {

class AssociationChooser;
class AssociationPanel;
class ColorGrid;
class RadioGroup;

// What the dialog shows and gives back. The corners are the frame's outermost pixels, both
// included, as the user reads them off the card.
struct FrameValues {
    int x1 = 10, y1 = 10, x2 = 100, y2 = 100;
    int color = kWhite;
    int style = 0;  // FrameColumn::FrameStyle index
    Association association;
    bool toFront = false;  // "枠を前へ"
    bool remove = false;   // "枠を消す"
    bool operator==(const FrameValues&) const = default;
};

class FrameDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit FrameDialog(QWidget* parent = nullptr);

    // Corners 10, 10, 100, 100, colour 15, both boxes and the association associationPanel_ unticked.
    // The style is left alone: every showing loads it.
    void Reset();

    void Load(const FrameValues& values);
    // The fields as values, or the message naming the first corner that is not a whole number
    // (the focus then goes to that field). With "枠を消す" ticked the corners are not checked,
    // as nothing but the removal is applied; a corner that is no number then reads as 0.
    Result<FrameValues> Read() const;

    // The association dialog round trip behind the associationPanel_'s "選択..." button.
    void SetChooser(AssociationChooser* chooser);

    static constexpr const char* kHelpTopic = "HID00000035";

private:
    AssociationPanel* associationPanel_;
    QLineEdit* x1Edit_;
    QLineEdit* y1Edit_;
    QLineEdit* x2Edit_;
    QLineEdit* y2Edit_;
    RadioGroup* styleChoice_;
    ColorGrid* colorGrid_;
    QCheckBox* bringForwardBox_;
    QCheckBox* removeBox_;
};

}  // namespace zepo
