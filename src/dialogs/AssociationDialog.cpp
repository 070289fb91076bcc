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

#include "dialogs/DialogButtons.h"
#include "dialogs/FileList.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SjisLimit.h"
#include "dialogs/FileChooser.h"
#include "platform/Launcher.h"
#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "model/BracedFields.h"
#include "model/Environment.h"

namespace zepo {
namespace {

QGroupBox* Box(const QString& title, QWidget* parent) { return new QGroupBox(title, parent); }

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

AssociationDialog::AssociationDialog(Launcher& launcher, FileChooser& chooser, QWidget* parent)
    : PropertyDialog(parent), launcher_(launcher), chooser_(chooser) {
    setWindowTitle("関連付け");
    CardKind = Named(new RadioGroup("種類",
                                    {"カード(zep)", "音声(wav)", "音楽CD", "MIDI(mid)", "動画(avi)", "ソフト起動",
                                     "自カード(this)"},
                                    this),
                     "CardKind");
    CardKind->setItemIndex(0);

    MacroBox = Named(Box("カード(*.zep)", this), "MacroBox");
    Macro = Named(new FileList("*.zep", MacroBox), "Macro");
    btnEditZep = Named(new QPushButton("編集", MacroBox), "btnEditZep");
    auto* macroLayout = new QVBoxLayout(MacroBox);
    macroLayout->addWidget(Macro);
    macroLayout->addWidget(btnEditZep);

    struct MediaNames {
        const char *box, *list, *stop, *edit;
    };
    auto mediaBox = [this](const QString& title, const QString& mask, MediaNames names, FileList*& list,
                           QCheckBox*& stop, QPushButton*& edit) {
        QGroupBox* box = Named(Box(title, this), names.box);
        list = Named(new FileList(mask, box), names.list);
        stop = Named(new QCheckBox("停止", box), names.stop);
        edit = Named(new QPushButton("編集", box), names.edit);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(list);
        auto* row = new QHBoxLayout;
        row->addWidget(stop);
        row->addStretch();
        row->addWidget(edit);
        layout->addLayout(row);
        return box;
    };
    WaveBox = mediaBox("音声(*.wav)", "*.wav", {"WaveBox", "Wave_", "StopWave", "btnEditWav"}, Wave_, StopWave,
                       btnEditWav);
    MIDIBox = mediaBox("ＭＩＤＩ(*.mid)", "*.mid", {"MIDIBox", "Midi_", "StopMidi", "btnEditMid"}, Midi_, StopMidi,
                       btnEditMid);
    AviBox = mediaBox("動画(*.avi,*.wmv)", "*.avi;*.wmv", {"AviBox", "Avi", "StopAvi", "btnEditAvi"}, Avi, StopAvi,
                      btnEditAvi);

    CDBox = Named(Box("音楽ＣＤ", this), "CDBox");
    CDNo = Named(new QSpinBox(CDBox), "CDNo");
    CDNo->setRange(1, 100);
    CDNo->setValue(1);
    StopCD = Named(new QCheckBox("停止", CDBox), "StopCD");
    auto* cdLayout = new QGridLayout(CDBox);
    cdLayout->addWidget(new QLabel("曲の番号", CDBox), 0, 0);
    cdLayout->addWidget(CDNo, 0, 1);
    cdLayout->addWidget(StopCD, 1, 0);
    cdLayout->setRowStretch(2, 1);

    RunBox = Named(Box("ソフト起動", this), "RunBox");
    edtRunExe = Named(new QLineEdit(RunBox), "edtRunExe");
    LimitSjisBytes(edtRunExe, 80);
    btnOpenRunExe = Named(new QPushButton("参照...", RunBox), "btnOpenRunExe");
    auto* runLayout = new QGridLayout(RunBox);
    runLayout->addWidget(new QLabel("起動ソフト名", RunBox), 0, 0);
    runLayout->addWidget(edtRunExe, 1, 0, 1, 2);
    runLayout->addWidget(btnOpenRunExe, 2, 1);
    runLayout->setRowStretch(3, 1);

    thisBox = Named(Box("自カード(this)", this), "thisBox");
    auto* explanation = new QLabel(
        "　自分自身のカードを呼び出します。マーカー機能を使ったときに描かれたマークを消すときなどに指定すると便利です。",
        thisBox);
    explanation->setWordWrap(true);
    auto* thisLayout = new QVBoxLayout(thisBox);
    thisLayout->addWidget(explanation);
    thisLayout->addStretch();

    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* boxes = new QVBoxLayout;
    for (QGroupBox* box : {MacroBox, WaveBox, CDBox, MIDIBox, AviBox, RunBox, thisBox}) boxes->addWidget(box);
    auto* main = new QGridLayout(this);
    main->addWidget(CardKind, 0, 0);
    main->addLayout(boxes, 0, 1);
    main->addLayout(buttons.row, 1, 0, 1, 2);

    for (int k = 0; k < 7; ++k)
        connect(CardKind->item(k), &QAbstractButton::clicked, this, [this] { KindSwitch(); });
    // The selection, not the click, drives OK: a file chosen with the arrow keys counts, and
    // a selection taken away (Ctrl+click) cannot leave OK enabled with nothing chosen.
    connect(Macro, &QListWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(Card); });
    connect(Wave_, &QListWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(Wave); });
    connect(Midi_, &QListWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(Midi); });
    connect(Avi, &QListWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(Movie); });
    connect(StopWave, &QCheckBox::clicked, this, [this] { StopClicked(Wave); });
    connect(StopMidi, &QCheckBox::clicked, this, [this] { StopClicked(Midi); });
    connect(StopAvi, &QCheckBox::clicked, this, [this] { StopClicked(Movie); });
    connect(CDNo, &QSpinBox::valueChanged, this, [this] { StopCD->setChecked(false); });
    // A click on the track number unticks the stop flag too, even an arrow click at either end
    // of the range that changes nothing.
    CDNo->installEventFilter(this);
    if (auto* field = CDNo->findChild<QLineEdit*>()) field->installEventFilter(this);
    // Program names keep their letter case: on this system a path in lower case is
    // another path.
    connect(edtRunExe, &QLineEdit::textChanged, this, [this](const QString& text) { OKBtn->setEnabled(!text.isEmpty()); });
    connect(btnOpenRunExe, &QPushButton::clicked, this, [this] { BrowseProgram(); });
    connect(btnEditZep, &QPushButton::clicked, this, [this] { EditSelected(Card); });
    connect(btnEditWav, &QPushButton::clicked, this, [this] { EditSelected(Wave); });
    connect(btnEditMid, &QPushButton::clicked, this, [this] { EditSelected(Midi); });
    connect(btnEditAvi, &QPushButton::clicked, this, [this] { EditSelected(Movie); });
    KindSwitch();
}

int AssociationDialog::kind() const { return CardKind->itemIndex() < 0 ? 0 : CardKind->itemIndex(); }

void AssociationDialog::setKind(int k) {
    CardKind->setItemIndex(k);
    KindSwitch();
}

AssociationDialog::MediaKind AssociationDialog::Media(int k) {
    switch (k) {
        case Wave: return {WaveBox, Wave_, StopWave, btnEditWav, &wavePreselection};
        case Midi: return {MIDIBox, Midi_, StopMidi, btnEditMid, &midiPreselection};
        case Movie: return {AviBox, Avi, StopAvi, btnEditAvi, &moviePreselection};
        default: return {MacroBox, Macro, nullptr, btnEditZep, &cardPreselection};
    }
}

QGroupBox* AssociationDialog::BoxOf(int k) const {
    QGroupBox* boxes[] = {MacroBox, WaveBox, CDBox, MIDIBox, AviBox, RunBox, thisBox};
    return boxes[k];
}

void AssociationDialog::Reset() {
    cardPreselection.clear();
    wavePreselection.clear();
    midiPreselection.clear();
    moviePreselection.clear();
    CardKind->setItemIndex(0);
    for (FileList* list : {Macro, Wave_, Midi_, Avi}) list->ClearSelection();
    for (QCheckBox* stop : {StopWave, StopCD, StopMidi, StopAvi}) stop->setChecked(false);
    {
        QSignalBlocker block(CDNo);
        CDNo->setValue(CDNo->minimum());  // a track of 0 is raised to the first track
    }
    edtRunExe->clear();
}

namespace {

QString Word(AssociationKind kind) { return QString::fromLatin1(AssociationName(kind)); }

}  // namespace

Status AssociationDialog::Load(const Association& stored) {
    Reset();
    const QString file = Shown(stored.file);
    switch (stored.kind()) {
        case AssociationKind::None: break;
        case AssociationKind::Wave:
            setKind(Wave);
            if (!file.isEmpty()) wavePreselection = file;
            else StopWave->setChecked(true);
            break;
        case AssociationKind::CdAudio:
            setKind(CdAudio);
            if (!file.isEmpty()) {
                auto track = ParseInt(stored.file);
                if (!track) return Fail(Sjis("曲の番号「") + stored.file + Sjis("」が数値ではありません"));
                CDNo->setValue(*track);  // the spin edit keeps it within 1..100
            } else {
                StopCD->setChecked(true);
            }
            break;
        case AssociationKind::Midi:
            setKind(Midi);
            if (!file.isEmpty()) midiPreselection = file;
            else StopMidi->setChecked(true);
            break;
        case AssociationKind::Movie:
            setKind(Movie);
            if (!file.isEmpty()) moviePreselection = file;
            else StopAvi->setChecked(true);
            break;
        case AssociationKind::Run:
            setKind(Run);
            if (!file.isEmpty()) edtRunExe->setText(file);
            break;
        case AssociationKind::This: setKind(This); break;
        case AssociationKind::Card:
            setKind(Card);
            cardPreselection = file;
            break;
    }
    return {};
}

void AssociationDialog::SetKindChoice(bool offered) {
    CardKind->setVisible(offered);
    // Only a card feature keeps its kind, and a feature writes its file where a comma ends it.
    fileField_ = offered ? CardField::AssociationFile : CardField::FeatureFile;
}

Result<Association> AssociationDialog::Read() const {
    QString name, file;
    switch (kind()) {
        case Wave:
            name = Word(AssociationKind::Wave);
            file = StopWave->isChecked() ? QString() : Wave_->SelectedFile();
            break;
        case CdAudio:
            name = Word(AssociationKind::CdAudio);
            file = StopCD->isChecked() ? QString() : QString::number(CDNo->value());
            break;
        case Midi:
            name = Word(AssociationKind::Midi);
            file = StopMidi->isChecked() ? QString() : Midi_->SelectedFile();
            break;
        case Movie:
            name = Word(AssociationKind::Movie);
            file = StopAvi->isChecked() ? QString() : Avi->SelectedFile();
            break;
        case Run: {
            name = Word(AssociationKind::Run);
            file = edtRunExe->text();
            const std::string_view refused = UnreadableCharacters(fileField_);
            if (!UnwritableCharacterNames(file.toStdString(), refused).empty())
                return Fail(UnwritableCharactersMessage(file.toStdString(), refused));
            break;
        }
        case This: name = Word(AssociationKind::This); break;
        default:
            file = Macro->SelectedFile();
            name = file.left(std::max<qsizetype>(0, file.size() - 4));
            break;
    }
    // The card keeps 20 bytes of the name and 50 of the file; a longer text would be cut
    // there and name a card, a file or a program that does not exist.
    Association chosen;
    chosen.file = Utf8ToSjis(file.toStdString()).bytes;
    if (chosen.file.size() > kAssociationFileBytes)
        return Fail((kind() == Run ? Sjis("起動ソフト名が長すぎます（50バイトまで）: ")
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
    Macro->SetRefused(UnreadableCharacters(CardField::AssociationName));
    for (FileList* list : {Wave_, Midi_, Avi}) list->SetRefused(UnreadableCharacters(fileField_));
    for (FileList* list : {Macro, Wave_, Midi_, Avi}) list->Reread(folder);
    KindSwitch();
    return true;
}

void AssociationDialog::KindSwitch() {
    const int k = kind();
    for (int i = 0; i < 7; ++i) BoxOf(i)->setVisible(i == k);
    switch (k) {
        case Card:
        case Wave:
        case Midi:
        case Movie: {
            MediaKind m = Media(k);
            OKBtn->setEnabled(false);
            m.edit->setEnabled(false);
            if (m.stop && m.stop->isChecked()) {
                m.list->ClearSelection();
                OKBtn->setEnabled(true);
            } else if (m.list->count() > 0) {
                m.list->SelectFile(*m.preselection);
                if (!m.list->SelectedFile().isEmpty()) {
                    OKBtn->setEnabled(true);
                    m.edit->setEnabled(true);
                }
            }
            break;
        }
        case CdAudio: OKBtn->setEnabled(true); break;
        case Run:
            if (edtRunExe->text() == " ") edtRunExe->clear();
            OKBtn->setEnabled(!edtRunExe->text().isEmpty());
            break;
        case This: OKBtn->setEnabled(true); break;
    }
}

void AssociationDialog::ListSelectionChanged(int k) {
    MediaKind m = Media(k);
    const bool selected = !m.list->SelectedFile().isEmpty();
    if (selected && m.stop) m.stop->setChecked(false);
    m.edit->setEnabled(selected);
    OKBtn->setEnabled(selected || (m.stop && m.stop->isChecked()));
}

bool AssociationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && (watched == CDNo || watched->parent() == CDNo))
        StopCD->setChecked(false);
    return QDialog::eventFilter(watched, event);
}

void AssociationDialog::StopClicked(int k) {
    MediaKind m = Media(k);
    if (m.stop->isChecked()) {
        m.list->ClearSelection();
        m.edit->setEnabled(false);
        OKBtn->setEnabled(true);
    } else {
        OKBtn->setEnabled(false);
    }
}

void AssociationDialog::EditSelected(int k) {
    MediaKind m = Media(k);
    const QString file = m.list->SelectedFile();
    if (file.isEmpty()) return;
    const QString path = QString::fromStdString((SaveFolder() / file.toStdString()).string());
    const QString folder = QString::fromStdString(SaveFolder().string());
    const EditTools tools = tools_ ? tools_() : EditTools{};
    // Whether the program started is not reported, as the user sees it start or not.
    if (k == Card) {
        launcher_.StartProgram(tools.textEditor, QStringList{path}, folder);
    } else if (k == Wave && tools.useTools) {
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
    if (!chosen.isEmpty()) edtRunExe->setText(chosen);
}

}  // namespace zepo
