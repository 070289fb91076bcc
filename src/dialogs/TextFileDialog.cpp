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
    fileList_ = Named(new FileList("*.txt", files), "txtFileList");
    fileList_->SetRefused(UnreadableCharacters(CardField::TextFile));
    editButton_ = Named(new QPushButton("編集", files), "btnEditTxt");
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->addWidget(fileList_);
    filesLayout->addWidget(editButton_, 0, Qt::AlignRight);

    QGroupBox* position = MakePositionGroup(this, xEdit_, yEdit_, "txtX", "txtY");
    directionChoice_ = Named(MakeDirectionGroup(this), "rdoYokoTate");
    fontChoice_ = Named(new RadioGroup("種類", TypefaceLabels(), this), "rdoFont");
    QGroupBox* style = MakeStyleGroup(this, boldBox_, italicBox_);
    QGroupBox* size = MakeSizeGroup(this, sizeSpin_);
    auto* pitch = new QGroupBox("行間隔", this);
    lineSpacingSpin_ = Named(new QSpinBox(pitch), "spnLinePitch");
    lineSpacingSpin_->setRange(0, 500);
    (new QHBoxLayout(pitch))->addWidget(lineSpacingSpin_);
    auto* colorBox = new QGroupBox("色", this);
    colorGrid_ = Named(new ColorGrid(colorBox), "txtColor");
    (new QVBoxLayout(colorBox))->addWidget(colorGrid_);
    bringForwardBox_ = Named(new QCheckBox("文字を前へ", this), "chktxtUp");
    removeBox_ = Named(new QCheckBox("文字を消す", this), "chktxtCut");
    removeBox_->setStyleSheet("color: red");

    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* main = new QGridLayout(this);
    auto* second = new QVBoxLayout;
    second->addWidget(position);
    second->addWidget(directionChoice_);
    second->addWidget(fontChoice_);
    second->addWidget(style);
    second->addStretch();
    auto* third = new QVBoxLayout;
    third->addWidget(size);
    third->addWidget(pitch);
    third->addWidget(colorBox);
    third->addWidget(bringForwardBox_);
    third->addWidget(removeBox_);
    third->addStretch();
    main->addWidget(files, 0, 0);
    main->addLayout(second, 0, 1);
    main->addLayout(third, 0, 2);
    main->addLayout(buttonRow, 1, 0, 1, 3);

    connect(fileList_, &FileList::itemSelectionChanged, this, &TextFileDialog::SelectionChanged);
    connect(removeBox_, &QCheckBox::toggled, this, &TextFileDialog::SelectionChanged);
    connect(editButton_, &QPushButton::clicked, this, &TextFileDialog::EditSelected);
    Reset();
}

void TextFileDialog::Reset() {
    Load(TextBlockValues{});
    fileList_->ClearSelection();
}

void TextFileDialog::Load(const TextBlockValues& v) {
    preselected_ = QString::fromStdString(SjisToUtf8(CutBytes(v.file, kShortTextBytes)));
    directionChoice_->setItemIndex(v.direction != 0 ? 1 : 0);
    xEdit_->setText(QString::number(v.x));
    yEdit_->setText(QString::number(v.y));
    fontChoice_->setItemIndex(std::clamp(v.typeface, 0, 3));
    boldBox_->setChecked(v.bold);
    italicBox_->setChecked(v.italic);
    sizeSpin_->setValue(v.height);
    lineSpacingSpin_->setValue(v.linePitch);
    colorGrid_->setForegroundIndex(v.color);
    bringForwardBox_->setChecked(v.toFront);
    removeBox_->setChecked(v.remove);
}

void TextFileDialog::Activate() {
    fileList_->Reread(SaveFolder());
    fileList_->SelectFile(preselected_);  // no selection when empty or gone
    SelectionChanged();
}

void TextFileDialog::SelectionChanged() {
    const bool chosen = !fileList_->SelectedFile().isEmpty();
    // Removal needs no file: a block whose file is gone can still be taken away.
    okButton_->setEnabled(chosen || removeBox_->isChecked());
    editButton_->setEnabled(chosen);
}

void TextFileDialog::EditSelected() {
    const QString file = fileList_->SelectedFile();
    if (file.isEmpty()) return;
    const std::filesystem::path folder = SaveFolder();
    const QString path = QString::fromStdString((folder / file.toStdString()).string());
    const EditTools tools = tools_ ? tools_() : EditTools{};
    // Whether the program started is not reported: the user sees it start or not.
    // The path is one argument as it is: quoting it would let a '"' in a file name split it.
    if (tools.useTools)
        launcher_.StartProgram(tools.textEditor, QStringList{path}, QString::fromStdString(folder.string()));
    else launcher_.OpenDocument(path);
}

Result<TextBlockValues> TextFileDialog::Read() const {
    TextBlockValues v;
    // The list holds only names Shift-JIS can write.
    v.file = Utf8ToSjis(fileList_->SelectedFile().toStdString()).bytes;
    v.direction = std::max(0, directionChoice_->itemIndex());
    v.typeface = std::max(0, fontChoice_->itemIndex());
    v.bold = boldBox_->isChecked();
    v.italic = italicBox_->isChecked();
    v.height = sizeSpin_->value();
    v.linePitch = lineSpacingSpin_->value();
    v.color = colorGrid_->foregroundIndex();
    v.toFront = bringForwardBox_->isChecked();
    v.remove = removeBox_->isChecked();
    if (v.remove) return v;
    // A longer name would be cut in the card and name a file that is not there.
    if (v.file.size() > kShortTextBytes) {
        fileList_->setFocus();
        return Fail(Sjis("ファイル名が長すぎます（50バイトまで）: ") + v.file);
    }
    for (auto [edit, name, value] : {std::tuple{xEdit_, "位置（x）", &v.x}, std::tuple{yEdit_, "位置（y）", &v.y}}) {
        Result<int> number = ReadWholeNumber(edit, Sjis(name));
        if (!number) {
            edit->setFocus();
            return number.error();
        }
        *value = number.value();
    }
    for (auto [box, name, value] :
         {std::tuple{sizeSpin_, "大きさ", &v.height}, std::tuple{lineSpacingSpin_, "行間隔", &v.linePitch}}) {
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
