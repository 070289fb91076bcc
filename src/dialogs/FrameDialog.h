#pragma once
// The frame dialog: a frame's corners, colour, style and association.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zepo {

class AssociationPanel;
class ColorGrid;
class RadioGroup;

class FrameDialog : public QDialog {
    Q_OBJECT
public:
    explicit FrameDialog(QWidget* parent = nullptr);

    // Corners 10, 10, 100, 100, colour 15, both boxes and the association panel unticked.
    // The style is set by the caller at every showing.
    void Reset();

    QLineEdit* edtFrmX1;
    QLineEdit* edtFrmY1;
    QLineEdit* edtFrmX2;
    QLineEdit* edtFrmY2;
    RadioGroup* rdoFrmType;
    ColorGrid* FrmColor;
    QCheckBox* chkFrmUp;
    QCheckBox* chkFrmCut;
    AssociationPanel* panel;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    static constexpr const char* kHelpTopic = "HID00000035";

signals:
    void helpRequested(const QString& topic);
};

}  // namespace zepo
