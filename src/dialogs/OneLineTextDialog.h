#pragma once
// The one-line text dialog: the text, its direction, position, typeface, style, size, two
// colours, decoration and association.

#include "core/Result.h"
#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zepo {

class AssociationChooser;
class AssociationPanel;
class ColorGrid;
class RadioGroup;

constexpr size_t kOneLineTextBytes = 200;

// What the dialog shows and gives back. For a vertical text x is the column's right edge.
struct OneLineTextValues {
    std::string text;   // Shift-JIS, at most 200 bytes
    int direction = 0;  // 0 "ヨコ書", 1 "タテ書"
    int x = 10, y = 10;
    int typeface = 0;  // Typeface index
    bool bold = false, italic = false;
    int height = 20;
    int textColor = kBlack, backColor = kWhite;
    int decoration = 0;  // DecorationLabels index
    Association association;
    bool toFront = false;  // "文字を前へ"
    bool remove = false;   // "文字を消す"
    bool operator==(const OneLineTextValues&) const = default;
};

class OneLineTextDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit OneLineTextDialog(QWidget* parent = nullptr);

    // The form's initial values (an empty text, so OK is off until one is typed).
    void Reset();
    void Load(const OneLineTextValues& values);
    // The fields as values, or a message naming the first field that does not hold what a
    // card can take: x or y not a whole number, or a text with characters Shift-JIS cannot
    // hold (the focus goes to that field). With "文字を消す" ticked nothing is checked.
    Result<OneLineTextValues> Read() const;

    void SetChooser(AssociationChooser* chooser);

    static constexpr const char* kHelpTopic = "HID00000027";

private:
    void UpdateOk();

    QLineEdit* textEdit_;
    RadioGroup* directionChoice_;
    QLineEdit* xEdit_;
    QLineEdit* yEdit_;
    RadioGroup* fontChoice_;
    QCheckBox* boldBox_;
    QCheckBox* italicBox_;
    QSpinBox* sizeSpin_;
    ColorGrid* colorGrid_;
    RadioGroup* decorationChoice_;
    AssociationPanel* associationPanel_;
    QCheckBox* bringForwardBox_;
    QCheckBox* removeBox_;
};

}  // namespace zepo
