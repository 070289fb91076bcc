#include "dialogs/ButtonDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/AssociationPanel.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/Named.h"

namespace zepo {

ButtonDialog::ButtonDialog(QWidget* parent) : PropertyDialog(parent) {
    setWindowTitle("ボタン");
    panel = Named(new AssociationPanel(this), "panel");
    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons.row);
}

void ButtonDialog::Load(const Card& card, int button) {
    setWindowTitle(button == 0 ? QString("マウス右") : QString("ボタン - %1").arg(button));
    panel->SetFixedKind({});
    // The box is ticked even without an association, so that one can be chosen at once.
    panel->Load(card.buttons.at(button), true);
}

void ButtonDialog::Load(const Card& card, Feature feature) {
    static const char* captions[] = {"音声", "音楽ＣＤ", "ＭＩＤＩ", "動画", "ソフト起動"};
    const int i = static_cast<int>(feature);
    setWindowTitle(captions[i]);
    const std::string word(FeatureKindWord(feature));
    panel->SetFixedKind(word);
    const std::string placeholder = feature == Feature::CdAudio ? "1" : " ";
    panel->Load({word, card.featureInUse[i] ? card.features[i].file : placeholder}, true);
}

Association ButtonDialog::Read() const { return panel->Read(); }

void ButtonDialog::StoreButton(Card& card, int button, const Association& chosen) {
    card.buttons.at(button) = chosen;
    card.buttonInUse.at(button) = !chosen.name.empty();
}

void ButtonDialog::StoreFeature(Card& card, Feature feature, const Association& chosen) {
    const int i = static_cast<int>(feature);
    card.features[i] = chosen;
    card.featureInUse[i] = !chosen.name.empty();
}

void ButtonDialog::SetChooser(AssociationChooser* chooser) { panel->SetChooser(chooser); }

}  // namespace zepo
