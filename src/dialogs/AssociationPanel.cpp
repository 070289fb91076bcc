#include "dialogs/AssociationPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/TextCodec.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/Named.h"

namespace zepo {
namespace {

QLabel* WhiteLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::white);
    label->setPalette(p);
    label->setMinimumWidth(120);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

AssociationPanel::AssociationPanel(QWidget* parent) : QWidget(parent) {
    enabledBox_ = Named(new QCheckBox("関連付け", this), "chkCard");
    nameLabel_ = Named(WhiteLabel(this), "dspNextCard");
    fileLabel_ = Named(WhiteLabel(this), "dspNextFile");
    chooseButton_ = Named(new QPushButton("選択...", this), "btnNextCard");
    chooseButton_->setToolTip("えらぶ");
    chooseButton_->setEnabled(false);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(enabledBox_, 0, 0);
    layout->addWidget(chooseButton_, 0, 1);
    layout->addWidget(nameLabel_, 1, 0, 1, 2);
    layout->addWidget(fileLabel_, 2, 0, 1, 2);
    connect(enabledBox_, &QCheckBox::clicked, this, [this] { EnabledClicked(); });
    connect(chooseButton_, &QPushButton::clicked, this, [this] {
        if (chooser_) chooser_->Choose(*this);
    });
}

void AssociationPanel::Show(const Association& association) {
    association_ = association;
    nameLabel_->setText(Shown(association_.name));
    fileLabel_->setText(Shown(association_.file));
}

void AssociationPanel::EnabledClicked() {
    if (enabledBox_->isChecked()) {
        chooseButton_->setEnabled(true);
        if (!fixedKind_.empty()) Show({fixedKind_, association_.file});
    } else {
        chooseButton_->setEnabled(false);
        Show({});
    }
}

void AssociationPanel::Reset() {
    enabledBox_->setChecked(false);
    Show({});
    chooseButton_->setEnabled(false);
}

void AssociationPanel::Load(const Association& stored) { Load(stored, !stored.name.empty()); }

void AssociationPanel::Load(const Association& stored, bool ticked) {
    enabledBox_->setChecked(ticked);
    chooseButton_->setEnabled(ticked);
    // An association without a name is none, whatever its file says.
    Association shown;
    if (!stored.name.empty()) shown.Set(stored.name, stored.file);
    Show(shown);
}

void AssociationPanel::SetChosen(const Association& chosen) {
    Association a;
    a.Set(chosen.name, chosen.file);
    Show(a);
}

Association AssociationPanel::Read() const { return association_; }

}  // namespace zepo
