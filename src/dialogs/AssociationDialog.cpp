#include "dialogs/AssociationDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "dialogs/FileChooser.h"
#include "dialogs/FileList.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SjisLimit.h"
#include "model/BracedFields.h"
#include "model/Environment.h"
#include "platform/Launcher.h"

namespace zepo {
namespace {

QGroupBox* Box(const QString& title, QWidget* parent) { return new QGroupBox(title, parent); }

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

AssociationDialog::AssociationDialog(Launcher& launcher, FileChooser& chooser, QWidget* parent)
    : PropertyDialog(parent), launcher_(launcher), chooser_(chooser) {
    setWindowTitle("関連付け");
    kindChoice_ = Named(
        new RadioGroup("種類",
                       {"カード(zep)", "音声(wav)", "音楽CD", "MIDI(mid)", "動画(avi)", "ソフト起動", "自カード(this)"},
                       this),
        "CardKind");
    kindChoice_->setItemIndex(0);

    struct MediumNames {
        const char *box, *list, *stop, *edit;
    };
    auto medium = [this](AssociationKind kind, const QString& title, const QString& mask, MediumNames names) {
        QGroupBox* box = Named(Box(title, this), names.box);
        Medium m{kind, box, Named(new FileList(mask, box), names.list), nullptr, nullptr, {}};
        if (names.stop) m.stop = Named(new QCheckBox("停止", box), names.stop);
        m.edit = Named(new QPushButton("編集", box), names.edit);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(m.list);
        if (!m.stop) {
            layout->addWidget(m.edit);
            return m;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(m.stop);
        row->addStretch();
        row->addWidget(m.edit);
        layout->addLayout(row);
        return m;
    };
    media_ = {
        medium(AssociationKind::Card, "カード(*.zep)", "*.zep", {"MacroBox", "Macro", nullptr, "btnEditZep"}),
        medium(AssociationKind::Wave, "音声(*.wav)", "*.wav", {"WaveBox", "Wave_", "StopWave", "btnEditWav"}),
        medium(AssociationKind::Midi, "ＭＩＤＩ(*.mid)", "*.mid", {"MIDIBox", "Midi_", "StopMidi", "btnEditMid"}),
        medium(AssociationKind::Movie, "動画(*.avi,*.wmv)", "*.avi;*.wmv", {"AviBox", "Avi", "StopAvi", "btnEditAvi"}),
    };

    cdBox_ = Named(Box("音楽ＣＤ", this), "CDBox");
    cdTrack_ = Named(new QSpinBox(cdBox_), "CDNo");
    cdTrack_->setRange(1, 100);
    cdTrack_->setValue(1);
    cdStop_ = Named(new QCheckBox("停止", cdBox_), "StopCD");
    auto* cdLayout = new QGridLayout(cdBox_);
    cdLayout->addWidget(new QLabel("曲の番号", cdBox_), 0, 0);
    cdLayout->addWidget(cdTrack_, 0, 1);
    cdLayout->addWidget(cdStop_, 1, 0);
    cdLayout->setRowStretch(2, 1);

    programBox_ = Named(Box("ソフト起動", this), "RunBox");
    programEdit_ = Named(new QLineEdit(programBox_), "edtRunExe");
    LimitSjisBytes(programEdit_, 80);
    programBrowse_ = Named(new QPushButton("参照...", programBox_), "btnOpenRunExe");
    auto* runLayout = new QGridLayout(programBox_);
    runLayout->addWidget(new QLabel("起動ソフト名", programBox_), 0, 0);
    runLayout->addWidget(programEdit_, 1, 0, 1, 2);
    runLayout->addWidget(programBrowse_, 2, 1);
    runLayout->setRowStretch(3, 1);

    thisCardBox_ = Named(Box("自カード(this)", this), "thisBox");
    auto* explanation = new QLabel(
        "　自分自身のカードを呼び出します。マーカー機能を使ったときに描かれたマークを消すときなどに指定すると便利です"
        "。",
        thisCardBox_);
    explanation->setWordWrap(true);
    auto* thisLayout = new QVBoxLayout(thisCardBox_);
    thisLayout->addWidget(explanation);
    thisLayout->addStretch();

    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    kindBoxes_ = {media_[0].box, media_[1].box, cdBox_, media_[2].box, media_[3].box, programBox_, thisCardBox_};
    auto* boxes = new QVBoxLayout;
    for (QGroupBox* box : kindBoxes_) boxes->addWidget(box);
    auto* main = new QGridLayout(this);
    main->addWidget(kindChoice_, 0, 0);
    main->addLayout(boxes, 0, 1);
    main->addLayout(buttonRow, 1, 0, 1, 2);

    for (int k = 0; k < 7; ++k)
        connect(kindChoice_->item(k), &QAbstractButton::clicked, this, [this] { KindSwitch(); });
    for (Medium& m : media_) {
        // The selection, not the click, drives OK: a file chosen with the arrow keys counts,
        // and a selection taken away (Ctrl+click) cannot leave OK enabled with nothing chosen.
        connect(m.list, &QListWidget::itemSelectionChanged, this, [this, &m] { ListSelectionChanged(m); });
        if (m.stop) connect(m.stop, &QCheckBox::clicked, this, [this, &m] { StopClicked(m); });
        connect(m.edit, &QPushButton::clicked, this, [this, &m] { EditSelected(m); });
    }
    connect(cdTrack_, &QSpinBox::valueChanged, this, [this] { cdStop_->setChecked(false); });
    // A click on the track number unticks the stop flag too, even an arrow click at either end
    // of the range that changes nothing.
    cdTrack_->installEventFilter(this);
    if (auto* field = cdTrack_->findChild<QLineEdit*>()) field->installEventFilter(this);
    // Program names keep their letter case: on this system a path in lower case is
    // another path.
    connect(programEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { okButton_->setEnabled(!text.isEmpty()); });
    connect(programBrowse_, &QPushButton::clicked, this, [this] { BrowseProgram(); });
    KindSwitch();
}

int AssociationDialog::ChoiceOf(AssociationKind kind) { return std::max(0, static_cast<int>(kind) - 1); }

AssociationKind AssociationDialog::kind() const {
    const int choice = kindChoice_->itemIndex();
    return choice < 0 ? AssociationKind::Card : static_cast<AssociationKind>(choice + 1);
}

void AssociationDialog::setKind(AssociationKind k) {
    kindChoice_->setItemIndex(ChoiceOf(k));
    KindSwitch();
}

AssociationDialog::Medium* AssociationDialog::MediumOf(AssociationKind k) {
    for (Medium& m : media_)
        if (m.kind == k) return &m;
    return nullptr;
}

const AssociationDialog::Medium* AssociationDialog::MediumOf(AssociationKind k) const {
    for (const Medium& m : media_)
        if (m.kind == k) return &m;
    return nullptr;
}

void AssociationDialog::Reset() {
    kindChoice_->setItemIndex(0);
    for (Medium& m : media_) {
        m.preselection.clear();
        m.list->ClearSelection();
        if (m.stop) m.stop->setChecked(false);
    }
    cdStop_->setChecked(false);
    {
        QSignalBlocker block(cdTrack_);
        cdTrack_->setValue(cdTrack_->minimum());  // a track of 0 is raised to the first track
    }
    programEdit_->clear();
}

namespace {

QString Word(AssociationKind kind) { return QString::fromLatin1(AssociationName(kind)); }

}  // namespace

Status AssociationDialog::Load(const Association& stored) {
    Reset();
    const AssociationKind k = stored.kind();
    if (k == AssociationKind::None) return {};
    setKind(k);
    const QString file = Shown(stored.file);
    if (Medium* m = MediumOf(k)) {
        if (!m->stop || !file.isEmpty()) m->preselection = file;
        else m->stop->setChecked(true);
    } else if (k == AssociationKind::CdAudio) {
        if (!file.isEmpty()) {
            auto track = ParseInt(stored.file);
            if (!track) return Fail(Sjis("曲の番号「") + stored.file + Sjis("」が数値ではありません"));
            cdTrack_->setValue(*track);  // the spin edit keeps it within 1..100
        } else {
            cdStop_->setChecked(true);
        }
    } else if (k == AssociationKind::Run) {
        if (!file.isEmpty()) programEdit_->setText(file);
    }
    return {};
}

void AssociationDialog::SetKindChoice(bool offered) {
    kindChoice_->setVisible(offered);
    // Only a card feature keeps its kind, and a feature writes its file where a comma ends it.
    fileField_ = offered ? CardField::AssociationFile : CardField::FeatureFile;
}

Result<Association> AssociationDialog::Read() const {
    const AssociationKind k = kind();
    QString name = Word(k), file;
    if (k == AssociationKind::Card) {
        // A card is named by its file's stem.
        file = media_[0].list->SelectedFile();
        name = file.left(std::max<qsizetype>(0, file.size() - 4));
    } else if (const Medium* m = MediumOf(k)) {
        file = m->stop->isChecked() ? QString() : m->list->SelectedFile();
    } else if (k == AssociationKind::CdAudio) {
        file = cdStop_->isChecked() ? QString() : QString::number(cdTrack_->value());
    } else if (k == AssociationKind::Run) {
        file = programEdit_->text();
        const std::string_view refused = UnreadableCharacters(fileField_);
        if (!UnwritableCharacterNames(file.toStdString(), refused).empty())
            return Fail(UnwritableCharactersMessage(file.toStdString(), refused));
    }
    // The card keeps 20 bytes of the name and 50 of the file; a longer text would be cut
    // there and name a card, a file or a program that does not exist.
    Association chosen;
    chosen.file = Utf8ToSjis(file.toStdString()).bytes;
    if (chosen.file.size() > kAssociationFileBytes)
        return Fail((k == AssociationKind::Run ? Sjis("起動ソフト名が長すぎます（50バイトまで）: ")
                                               : Sjis("ファイル名が長すぎます（50バイトまで）: ")) +
                    chosen.file);
    chosen.name = Utf8ToSjis(name.toStdString()).bytes;
    if (chosen.name.size() > kAssociationNameBytes)
        return Fail(Sjis("カード名が長すぎます（20バイトまで）: ") + chosen.name);
    return chosen;
}

bool AssociationDialog::Activate(MessageSink& messages) {
    const std::filesystem::path folder = SaveFolder();
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    if (ec) {
        messages.Warn(Sjis("保存フォルダに入れません: ") + Utf8ToSjis(folder.string()).bytes);
        return false;
    }
    // A card is named by its file's stem, which the association holds before its comma.
    for (Medium& m : media_) {
        m.list->SetRefused(UnreadableCharacters(m.stop ? fileField_ : CardField::AssociationName));
        m.list->Reread(folder);
    }
    KindSwitch();
    return true;
}

void AssociationDialog::KindSwitch() {
    const AssociationKind k = kind();
    for (int i = 0; i < 7; ++i) kindBoxes_[i]->setVisible(i == ChoiceOf(k));
    if (Medium* m = MediumOf(k)) {
        okButton_->setEnabled(false);
        m->edit->setEnabled(false);
        if (m->stop && m->stop->isChecked()) {
            m->list->ClearSelection();
            okButton_->setEnabled(true);
        } else if (m->list->count() > 0) {
            m->list->SelectFile(m->preselection);
            if (!m->list->SelectedFile().isEmpty()) {
                okButton_->setEnabled(true);
                m->edit->setEnabled(true);
            }
        }
    } else if (k == AssociationKind::Run) {
        if (programEdit_->text() == " ") programEdit_->clear();
        okButton_->setEnabled(!programEdit_->text().isEmpty());
    } else {
        okButton_->setEnabled(true);  // a CD track is always set; this card needs nothing
    }
}

void AssociationDialog::ListSelectionChanged(Medium& m) {
    const bool selected = !m.list->SelectedFile().isEmpty();
    if (selected && m.stop) m.stop->setChecked(false);
    m.edit->setEnabled(selected);
    okButton_->setEnabled(selected || (m.stop && m.stop->isChecked()));
}

bool AssociationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && (watched == cdTrack_ || watched->parent() == cdTrack_))
        cdStop_->setChecked(false);
    return QDialog::eventFilter(watched, event);
}

void AssociationDialog::StopClicked(Medium& m) {
    if (m.stop->isChecked()) {
        m.list->ClearSelection();
        m.edit->setEnabled(false);
        okButton_->setEnabled(true);
    } else {
        okButton_->setEnabled(false);
    }
}

void AssociationDialog::EditSelected(const Medium& m) {
    const QString file = m.list->SelectedFile();
    if (file.isEmpty()) return;
    const QString path = QString::fromStdString((SaveFolder() / file.toStdString()).string());
    const QString folder = QString::fromStdString(SaveFolder().string());
    const EditTools tools = tools_ ? tools_() : EditTools{};
    // Whether the program started is not reported, as the user sees it start or not.
    if (m.kind == AssociationKind::Card) {
        launcher_.StartProgram(tools.textEditor, QStringList{path}, folder);
    } else if (m.kind == AssociationKind::Wave && tools.useTools) {
        launcher_.StartProgram(tools.soundTool, QStringList{path}, folder);
    } else {
        launcher_.OpenDocument(path);
    }
}

void AssociationDialog::BrowseProgram() {
    OpenFileRequest request;
    request.title = "起動ソフトの指定";
    request.folder = QString::fromStdString(SaveFolder().string());
    request.filter = QtFileFilter(
        "実行ﾌｧｲﾙ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*)|*.*|テキスト(*.txt)|*.txt|ビットマップ(*.bmp)|*.bmp|"
        "ゼポカード(*.zep)|*.zep|音・動画(wav,mid,avi)|*.wav *.mid *.avi");
    QString chosen = chooser_.ChooseOpenFile(request);
    if (!chosen.isEmpty()) programEdit_->setText(chosen);
}

}  // namespace zepo
