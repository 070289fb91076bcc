#include "dialogs/ButtonDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/AssociationPanel.h"
#include "dialogs/Named.h"

namespace zepo {

ButtonDialog::ButtonDialog(QWidget* parent) : PropertyDialog(parent) {
    setWindowTitle("ボタン");
    associationPanel_ = Named(new AssociationPanel(this), "panel");
    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(associationPanel_);
    layout->addLayout(buttonRow);
}

void ButtonDialog::Load(const Card& card, int button) {
    setWindowTitle(button == 0 ? QString("マウス右") : QString("ボタン - %1").arg(button));
    associationPanel_->SetFixedKind({});
    // The box is ticked even without an association, so that one can be chosen at once.
    associationPanel_->Load(card.buttons.at(button), true);
}

void ButtonDialog::Load(const Card& card, Feature feature) {
    static const char* captions[] = {"音声", "音楽ＣＤ", "ＭＩＤＩ", "動画", "ソフト起動"};
    const int i = static_cast<int>(feature);
    setWindowTitle(captions[i]);
    const std::string word(FeatureKindWord(feature));
    associationPanel_->SetFixedKind(word);
    const std::string placeholder = feature == Feature::CdAudio ? "1" : " ";
    associationPanel_->Load({word, card.featureInUse[i] ? card.features[i].file : placeholder}, true);
}

Association ButtonDialog::Read() const { return associationPanel_->Read(); }

void ButtonDialog::SetChooser(AssociationChooser* chooser) { associationPanel_->SetChooser(chooser); }

}  // namespace zepo
