#include "dialogs/ButtonDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/AssociationPanel.h"
#include "dialogs/DialogButtons.h"
#include "core/TextCodec.h"

namespace zepo {

ButtonDialog::ButtonDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("ボタン");
    panel = new AssociationPanel(this);
    DialogButtons buttons = MakeDialogButtons(this);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons.row);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpTopic); });
}

void ButtonDialog::PrepareForButton(const Card& card, int button) {
    setWindowTitle(button == 0 ? QString("マウス右") : QString("ボタン - %1").arg(button));
    panel->kindChoiceAllowed = true;
    panel->presetName.clear();
    panel->Fill(card.buttons.at(button));
    // The box is ticked even without an association, so that one can be chosen at once.
    panel->chkCard->setChecked(true);
    panel->btnNextCard->setEnabled(true);
}

void ButtonDialog::PrepareForFeature(const Card& card, Feature feature) {
    static const char* captions[] = {"音声", "音楽ＣＤ", "ＭＩＤＩ", "動画", "ソフト起動"};
    const int i = static_cast<int>(feature);
    setWindowTitle(captions[i]);
    const QString word = QString::fromLatin1(FeatureKindWord(feature).data(), FeatureKindWord(feature).size());
    panel->kindChoiceAllowed = false;
    panel->presetName = word;
    panel->chkCard->setChecked(true);
    panel->btnNextCard->setEnabled(true);
    panel->dspNextCard->setText(word);
    const QString placeholder = feature == Feature::CdAudio ? "1" : " ";
    panel->dspNextFile->setText(card.featureInUse[i] ? QString::fromStdString(SjisToUtf8(card.features[i].file))
                                                      : placeholder);
}

void ButtonDialog::StoreButton(Card& card, int button, const Association& chosen) {
    card.buttons.at(button) = chosen;
    card.buttonInUse.at(button) = !chosen.name.empty();
}

void ButtonDialog::StoreFeature(Card& card, Feature feature, const Association& chosen) {
    const int i = static_cast<int>(feature);
    card.features[i] = chosen;
    card.featureInUse[i] = !chosen.name.empty();
}

}  // namespace zepo
