#pragma once
// The controls the two text dialogs share: direction, position, typeface, style and size.

#include <QStringList>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace zepo {

class RadioGroup;

// "明朝(JM)", "ゴシック(JG)", "英字１(EM)", "英字２(EG)": index = the Typeface.
const QStringList& TypefaceLabels();

// "方向": "ヨコ書", "タテ書".
RadioGroup* MakeDirectionGroup(QWidget* parent);
// "位置" with the x and y fields (at most 4 characters), named as given.
QGroupBox* MakePositionGroup(QWidget* parent, QLineEdit*& x, QLineEdit*& y, const char* xName, const char* yName);
// "種類２": "太め" (chkBold), "斜体" (chkItalic).
QGroupBox* MakeStyleGroup(QWidget* parent, QCheckBox*& bold, QCheckBox*& italic);
// "大きさ": spnPoint, 8 … 1000.
QGroupBox* MakeSizeGroup(QWidget* parent, QSpinBox*& size);

}  // namespace zepo
