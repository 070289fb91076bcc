#include "dialogs/PropertyDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

#include <vector>

namespace zepo {

QHBoxLayout* PropertyDialog::MakeButtonRow(const QString& helpTopic) {
    helpTopic_ = helpTopic;
    okButton_ = new QPushButton("OK", this);
    cancelButton_ = new QPushButton("キャンセル", this);
    helpButton_ = new QPushButton("ヘルプ(&H)", this);
    okButton_->setObjectName("OKBtn");
    cancelButton_->setObjectName("CancelBtn");
    helpButton_->setObjectName("HelpBtn");
    okButton_->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(okButton_);
    row->addWidget(cancelButton_);
    row->addWidget(helpButton_);
    connect(okButton_, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { reject(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { emit helpRequested(helpTopic_); });
    return row;
}

QCheckBox* PropertyDialog::MakeSwitchOffBox() {
    auto* box = new QCheckBox("設定解除", this);
    box->setObjectName("Cancel");
    box->setStyleSheet("color: red");
    return box;
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

void PropertyDialog::TabInReadingOrder(std::initializer_list<QWidget*> controls) {
    std::vector<QWidget*> stops;
    for (QWidget* control : controls)
        for (QWidget* stop : TabStops(control)) stops.push_back(stop);
    for (QWidget* button : {okButton_, cancelButton_, helpButton_}) stops.push_back(button);
    for (size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
}

}  // namespace zepo
