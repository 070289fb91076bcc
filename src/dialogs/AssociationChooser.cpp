#include "dialogs/AssociationChooser.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "dialogs/AssociationPanel.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"
#include "model/Environment.h"
#include "core/Numbers.h"
#include "dialogs/DialogRunner.h"
#include "core/TextCodec.h"

namespace zepo {

bool AssociationChooser::Load(const AssociationPanel& panel) {
    AssociationDialog& d = dialog_;
    d.Reset();
    const QString name = panel.dspNextCard->text();
    const QString file = panel.dspNextFile->text();
    if (name.isEmpty()) return true;
    if (name == "WAVE") {
        d.setKind(AssociationDialog::Wave);
        if (!file.isEmpty()) d.wavePreselection = file;
        else d.StopWave->setChecked(true);
    } else if (name == "CDAUDIO") {
        d.setKind(AssociationDialog::CdAudio);
        if (!file.isEmpty()) {
            auto track = ParseInt(file.toStdString());
            if (!track) {
                messages_.Warn(Sjis("曲の番号「") + Utf8ToSjis(file.toStdString()).bytes + Sjis("」が数値ではありません"));
                return false;
            }
            d.CDNo->setValue(*track);  // the spin edit keeps it within 1..100
        } else {
            d.StopCD->setChecked(true);
        }
    } else if (name == "MIDI") {
        d.setKind(AssociationDialog::Midi);
        if (!file.isEmpty()) d.midiPreselection = file;
        else d.StopMidi->setChecked(true);
    } else if (name == "AVI") {
        d.setKind(AssociationDialog::Movie);
        if (!file.isEmpty()) d.moviePreselection = file;
        else d.StopAvi->setChecked(true);
    } else if (name == "RUN") {
        d.setKind(AssociationDialog::Run);
        if (!file.isEmpty()) d.edtRunExe->setText(file);
    } else if (name == "this") {
        d.setKind(AssociationDialog::This);
    } else {
        d.setKind(AssociationDialog::Card);
        d.cardPreselection = file;
    }
    return true;
}

bool AssociationChooser::Store(AssociationPanel& panel) {
    AssociationDialog& d = dialog_;
    QString name, file;
    switch (d.kind()) {
        case AssociationDialog::Wave:
            name = "WAVE";
            file = d.StopWave->isChecked() ? QString() : d.Wave_->SelectedFile();
            break;
        case AssociationDialog::CdAudio:
            name = "CDAUDIO";
            file = d.StopCD->isChecked() ? QString() : QString::number(d.CDNo->value());
            break;
        case AssociationDialog::Midi:
            name = "MIDI";
            file = d.StopMidi->isChecked() ? QString() : d.Midi_->SelectedFile();
            break;
        case AssociationDialog::Movie:
            name = "AVI";
            file = d.StopAvi->isChecked() ? QString() : d.Avi->SelectedFile();
            break;
        case AssociationDialog::Run: {
            name = "RUN";
            file = d.edtRunExe->text();
            SjisConversion c = Utf8ToSjis(file.toStdString());
            if (!c.ok()) {
                messages_.Warn(Sjis("カードに書けない文字が含まれています: ") + c.lost);
                return false;
            }
            break;
        }
        case AssociationDialog::This: name = "this"; break;
        default:
            file = d.Macro->SelectedFile();
            name = file.left(std::max<qsizetype>(0, file.size() - 4));
            break;
    }
    // The card keeps 20 bytes of the name and 50 of the file; a longer text would be cut
    // there and name a card, a file or a program that does not exist.
    const std::string fileBytes = Utf8ToSjis(file.toStdString()).bytes;
    if (fileBytes.size() > kAssociationFileBytes) {
        messages_.Warn((d.kind() == AssociationDialog::Run ? Sjis("起動ソフト名が長すぎます（50バイトまで）: ")
                                                      : Sjis("ファイル名が長すぎます（50バイトまで）: ")) +
                       fileBytes);
        return false;
    }
    const std::string nameBytes = Utf8ToSjis(name.toStdString()).bytes;
    if (nameBytes.size() > kAssociationNameBytes) {
        messages_.Warn(Sjis("カード名が長すぎます（20バイトまで）: ") + nameBytes);
        return false;
    }
    panel.dspNextCard->setText(name);
    panel.dspNextFile->setText(file);
    return true;
}

bool AssociationChooser::Choose(AssociationPanel& panel) {
    if (!Load(panel)) return false;
    dialog_.CardKind->setVisible(panel.kindChoiceAllowed);
    if (!dialog_.Activate(messages_)) return false;
    // A choice the card cannot hold sends the user back with the dialog as it was.
    while (runner_.Run(dialog_)) {
        if (Store(panel)) return true;
    }
    return false;
}

}  // namespace zepo
