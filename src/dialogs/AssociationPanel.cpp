#include "dialogs/AssociationPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "dialogs/AssociationChooser.h"
#include "core/TextCodec.h"

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

}  // namespace

AssociationPanel::AssociationPanel(QWidget* parent) : QWidget(parent) {
    chkCard = new QCheckBox("関連付け", this);
    dspNextCard = WhiteLabel(this);
    dspNextFile = WhiteLabel(this);
    btnNextCard = new QPushButton("選択...", this);
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

void AssociationPanel::chkCardClick() {
    if (chkCard->isChecked()) {
        btnNextCard->setEnabled(true);
        if (!presetName.isEmpty()) dspNextCard->setText(presetName);
    } else {
        btnNextCard->setEnabled(false);
        dspNextCard->clear();
        dspNextFile->clear();
    }
}

void AssociationPanel::Reset() {
    chkCard->setChecked(false);
    dspNextCard->clear();
    dspNextFile->clear();
    btnNextCard->setEnabled(false);
}

void AssociationPanel::Fill(const Association& stored) {
    const bool has = !stored.name.empty();
    chkCard->setChecked(has);
    btnNextCard->setEnabled(has);
    dspNextCard->setText(has ? QString::fromStdString(SjisToUtf8(stored.name)) : QString());
    dspNextFile->setText(has ? QString::fromStdString(SjisToUtf8(stored.file)) : QString());
}

Association AssociationPanel::Stored() const {
    Association a;
    a.Set(Utf8ToSjis(dspNextCard->text().toStdString()).bytes, Utf8ToSjis(dspNextFile->text().toStdString()).bytes);
    return a;
}

}  // namespace zepo
