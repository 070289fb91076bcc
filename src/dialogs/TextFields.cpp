#include "dialogs/TextFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/TypedFields.h"

namespace zepo {

const QStringList& TypefaceLabels() {
    static const QStringList labels = {"明朝(JM)", "ゴシック(JG)", "英字１(EM)", "英字２(EG)"};
    return labels;
}

RadioGroup* MakeDirectionGroup(QWidget* parent) { return new RadioGroup("方向", {"ヨコ書", "タテ書"}, parent); }

QGroupBox* MakePositionGroup(QWidget* parent, QLineEdit*& x, QLineEdit*& y, const char* xName, const char* yName) {
    auto* box = new QGroupBox("位置", parent);
    x = Named(new QLineEdit("10", box), xName);
    y = Named(new QLineEdit("10", box), yName);
    for (QLineEdit* e : {x, y}) {
        e->setMaxLength(4);
        e->setMaximumWidth(60);
    }
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel("x", box), 0, 0);
    grid->addWidget(x, 0, 1);
    grid->addWidget(new QLabel("y", box), 1, 0);
    grid->addWidget(y, 1, 1);
    return box;
}

QGroupBox* MakeStyleGroup(QWidget* parent, QCheckBox*& bold, QCheckBox*& italic) {
    auto* box = new QGroupBox("種類２", parent);
    bold = Named(new QCheckBox("太め", box), "chkBold");
    italic = Named(new QCheckBox("斜体", box), "chkItalic");
    auto* row = new QHBoxLayout(box);
    row->addWidget(bold);
    row->addWidget(italic);
    return box;
}

QGroupBox* MakeSizeGroup(QWidget* parent, QSpinBox*& size) {
    auto* box = new QGroupBox("大きさ", parent);
    // A size below 8 typed is kept to be refused by name, not silently replaced.
    size = Named(new TypedSpinBox(8, 1000, box), "spnPoint");
    size->setValue(20);
    (new QHBoxLayout(box))->addWidget(size);
    return box;
}

}  // namespace zepo
