#include "dialogs/TextFileDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "core/Moji.h"
#include "core/TextCodec.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/FileList.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/TextFields.h"
#include "dialogs/TypedFields.h"
#include "model/BracedFields.h"
#include "platform/Launcher.h"

namespace zepo {

TextFileDialog::TextFileDialog(Launcher& launcher, QWidget* parent) : PropertyDialog(parent), launcher_(launcher) {
    setWindowTitle("文字（ファイル）");
    auto* files = new QGroupBox("文字ファイル(*.txt)", this);
    txtFileList = Named(new FileList("*.txt", files), "txtFileList");
    txtFileList->SetRefused(UnreadableCharacters(CardField::TextFile));
    btnEditTxt = Named(new QPushButton("編集", files), "btnEditTxt");
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->addWidget(txtFileList);
    filesLayout->addWidget(btnEditTxt, 0, Qt::AlignRight);

    QGroupBox* position = MakePositionGroup(this, txtX, txtY, "txtX", "txtY");
    rdoYokoTate = Named(MakeDirectionGroup(this), "rdoYokoTate");
    rdoFont = Named(new RadioGroup("種類", TypefaceLabels(), this), "rdoFont");
    QGroupBox* style = MakeStyleGroup(this, chkBold, chkItalic);
    QGroupBox* size = MakeSizeGroup(this, spnPoint);
    auto* pitch = new QGroupBox("行間隔", this);
    spnLinePitch = Named(new QSpinBox(pitch), "spnLinePitch");
    spnLinePitch->setRange(0, 500);
    (new QHBoxLayout(pitch))->addWidget(spnLinePitch);
    auto* colorBox = new QGroupBox("色", this);
    txtColor = Named(new ColorGrid(colorBox), "txtColor");
    (new QVBoxLayout(colorBox))->addWidget(txtColor);
    chktxtUp = Named(new QCheckBox("文字を前へ", this), "chktxtUp");
    chktxtCut = Named(new QCheckBox("文字を消す", this), "chktxtCut");
    chktxtCut->setStyleSheet("color: red");

    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* main = new QGridLayout(this);
    auto* second = new QVBoxLayout;
    second->addWidget(position);
    second->addWidget(rdoYokoTate);
    second->addWidget(rdoFont);
    second->addWidget(style);
    second->addStretch();
    auto* third = new QVBoxLayout;
    third->addWidget(size);
    third->addWidget(pitch);
    third->addWidget(colorBox);
    third->addWidget(chktxtUp);
    third->addWidget(chktxtCut);
    third->addStretch();
    main->addWidget(files, 0, 0);
    main->addLayout(second, 0, 1);
    main->addLayout(third, 0, 2);
    main->addLayout(buttons.row, 1, 0, 1, 3);

    connect(txtFileList, &FileList::itemSelectionChanged, this, &TextFileDialog::SelectionChanged);
    connect(chktxtCut, &QCheckBox::toggled, this, &TextFileDialog::SelectionChanged);
    connect(btnEditTxt, &QPushButton::clicked, this, &TextFileDialog::EditSelected);
    Reset();
}

void TextFileDialog::Reset() {
    Load(TextBlockValues{});
    txtFileList->ClearSelection();
}

void TextFileDialog::Load(const TextBlockValues& v) {
    preselected_ = QString::fromStdString(SjisToUtf8(CutBytes(v.file, kShortTextBytes)));
    rdoYokoTate->setItemIndex(v.direction != 0 ? 1 : 0);
    txtX->setText(QString::number(v.x));
    txtY->setText(QString::number(v.y));
    rdoFont->setItemIndex(std::clamp(v.typeface, 0, 3));
    chkBold->setChecked(v.bold);
    chkItalic->setChecked(v.italic);
    spnPoint->setValue(v.height);
    spnLinePitch->setValue(v.linePitch);
    txtColor->setForegroundIndex(v.color);
    chktxtUp->setChecked(v.toFront);
    chktxtCut->setChecked(v.remove);
}

void TextFileDialog::Activate() {
    txtFileList->Reread(SaveFolder());
    txtFileList->SelectFile(preselected_);  // no selection when empty or gone
    SelectionChanged();
}

void TextFileDialog::SelectionChanged() {
    const bool chosen = !txtFileList->SelectedFile().isEmpty();
    // Removal needs no file: a block whose file is gone can still be taken away.
    OKBtn->setEnabled(chosen || chktxtCut->isChecked());
    btnEditTxt->setEnabled(chosen);
}

void TextFileDialog::EditSelected() {
    const QString file = txtFileList->SelectedFile();
    if (file.isEmpty()) return;
    const std::filesystem::path folder = SaveFolder();
    const QString path = QString::fromStdString((folder / file.toStdString()).string());
    const EditTools tools = tools_ ? tools_() : EditTools{};
    // Whether the program started is not reported: the user sees it start or not.
    // The path is one argument as it is: quoting it would let a '"' in a file name split it.
    if (tools.useTools) launcher_.StartProgram(tools.textEditor, QStringList{path}, QString::fromStdString(folder.string()));
    else launcher_.OpenDocument(path);
}

Result<TextBlockValues> TextFileDialog::Read() const {
    TextBlockValues v;
    // The list holds only names Shift-JIS can write.
    v.file = Utf8ToSjis(txtFileList->SelectedFile().toStdString()).bytes;
    v.direction = std::max(0, rdoYokoTate->itemIndex());
    v.typeface = std::max(0, rdoFont->itemIndex());
    v.bold = chkBold->isChecked();
    v.italic = chkItalic->isChecked();
    v.height = spnPoint->value();
    v.linePitch = spnLinePitch->value();
    v.color = txtColor->foregroundIndex();
    v.toFront = chktxtUp->isChecked();
    v.remove = chktxtCut->isChecked();
    if (v.remove) return v;
    // A longer name would be cut in the card and name a file that is not there.
    if (v.file.size() > kShortTextBytes) {
        txtFileList->setFocus();
        return Fail(Sjis("ファイル名が長すぎます（50バイトまで）: ") + v.file);
    }
    for (auto [edit, name, value] : {std::tuple{txtX, "位置（x）", &v.x}, std::tuple{txtY, "位置（y）", &v.y}}) {
        Result<int> number = ReadWholeNumber(edit, Sjis(name));
        if (!number) {
            edit->setFocus();
            return number.error();
        }
        *value = number.value();
    }
    for (auto [box, name, value] : {std::tuple{spnPoint, "大きさ", &v.height}, std::tuple{spnLinePitch, "行間隔", &v.linePitch}}) {
        Result<int> number = ReadSpinNumber(box, Sjis(name));
        if (!number) {
            box->setFocus();
            return number.error();
        }
        *value = number.value();
    }
    return v;
}

}  // namespace zepo
