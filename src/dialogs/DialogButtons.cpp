#include "dialogs/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QCheckBox>
#include <QPushButton>

#include <vector>

namespace zepo {

QCheckBox* MakeSwitchOffBox(QDialog* dialog) {
    auto* box = new QCheckBox("設定解除", dialog);
    box->setObjectName("Cancel");
    box->setStyleSheet("color: red");
    return box;
}

DialogButtons MakeDialogButtons(QDialog* dialog) {
    DialogButtons b;
    b.ok = new QPushButton("OK", dialog);
    b.cancel = new QPushButton("キャンセル", dialog);
    b.help = new QPushButton("ヘルプ(&H)", dialog);
    b.ok->setObjectName("OKBtn");
    b.cancel->setObjectName("CancelBtn");
    b.help->setObjectName("HelpBtn");
    b.ok->setDefault(true);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    b.row->addWidget(b.help);
    QObject::connect(b.ok, &QPushButton::clicked, dialog, [dialog] { dialog->accept(); });
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, [dialog] { dialog->reject(); });
    return b;
}

namespace {

// The widgets Tab can reach inside `control` (itself included), in their present order. Qt
// moves only the widget named to setTabOrder, not the radio buttons or cells inside it.
std::vector<QWidget*> TabStops(QWidget* control) {
    std::vector<QWidget*> stops;
    QWidget* w = control;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && (w == control || control->isAncestorOf(w))) stops.push_back(w);
        w = w->nextInFocusChain();
    } while (w && w != control);
    if (stops.empty()) stops.push_back(control);
    return stops;
}

}  // namespace

void TabInReadingOrder(std::initializer_list<QWidget*> controls, const DialogButtons& buttons) {
    std::vector<QWidget*> stops;
    for (QWidget* control : controls)
        for (QWidget* stop : TabStops(control)) stops.push_back(stop);
    for (QWidget* button : {buttons.ok, buttons.cancel, buttons.help}) stops.push_back(button);
    for (size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
}

}  // namespace zepo
