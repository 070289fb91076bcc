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
    chkCard = Named(new QCheckBox("関連付け", this), "chkCard");
    dspNextCard = Named(WhiteLabel(this), "dspNextCard");
    dspNextFile = Named(WhiteLabel(this), "dspNextFile");
    btnNextCard = Named(new QPushButton("選択...", this), "btnNextCard");
    btnNextCard->setToolTip("えらぶ");
    btnNextCard->setEnabled(false);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chkCard, 0, 0);
    layout->addWidget(btnNextCard, 0, 1);
    layout->addWidget(dspNextCard, 1, 0, 1, 2);
    layout->addWidget(dspNextFile, 2, 0, 1, 2);
    connect(chkCard, &QCheckBox::clicked, this, [this] { chkCardClick(); });
    connect(btnNextCard, &QPushButton::clicked, this, [this] {
        if (chooser_) chooser_->Choose(*this);
    });
}

void AssociationPanel::Show(const Association& association) {
    association_ = association;
    dspNextCard->setText(Shown(association_.name));
    dspNextFile->setText(Shown(association_.file));
}

void AssociationPanel::chkCardClick() {
    if (chkCard->isChecked()) {
        btnNextCard->setEnabled(true);
        if (!fixedKind_.empty()) Show({fixedKind_, association_.file});
    } else {
        btnNextCard->setEnabled(false);
        Show({});
    }
}

void AssociationPanel::Reset() {
    chkCard->setChecked(false);
    Show({});
    btnNextCard->setEnabled(false);
}

void AssociationPanel::Load(const Association& stored) { Load(stored, !stored.name.empty()); }

void AssociationPanel::Load(const Association& stored, bool ticked) {
    chkCard->setChecked(ticked);
    btnNextCard->setEnabled(ticked);
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
