#pragma once
// The marker dialog: the pen the presenter draws on the card with (width and colour), or the
// instruction that switches the marker off.

#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace zepo {

class ColorGrid;

class MarkerDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit MarkerDialog(QWidget* parent = nullptr);

    // Shows the settings with "設定解除" unticked.
    void Load(const MarkerSettings& settings);
    // The settings as confirmed; the marker is in use unless "設定解除" is ticked.
    MarkerSettings Read() const;

    static constexpr const char* kHelpTopic = "HID00000039";

private:
    // A change of the pen means the user wants the marker: both boxes go off.
    void PenChanged();

    QSpinBox* widthSpin_;
    ColorGrid* colorGrid_;
    QCheckBox* markerOffBox_;
    QCheckBox* switchOffBox_;
};

}  // namespace zepo
