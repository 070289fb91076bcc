#include "dialogs/PictureDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/FileList.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "model/BracedFields.h"
#include "platform/Launcher.h"
#include "render/StyleLabels.h"

namespace zepo {
namespace {

std::string ShownInMessage(const QString& typed) { return ShownInSjis(typed.toStdString()); }

// A character Shift-JIS cannot hold must not simply vanish: "2€0" is not 20.
std::optional<std::string> Typed(const QLineEdit* edit) {
    SjisConversion typed = Utf8ToSjis(edit->text().toStdString());
    if (!typed.ok()) return std::nullopt;
    return typed.bytes;
}

}  // namespace

PictureDialog::PictureDialog(Launcher& launcher, QWidget* parent) : PropertyDialog(parent), launcher_(launcher) {
    setWindowTitle("静止画（ビットマップ）");
    auto* position = new QGroupBox("画像の位置", this);
    xEdit_ = Named(new QLineEdit("10", position), "BmpX");
    yEdit_ = Named(new QLineEdit("10", position), "BmpY");
    auto* positionRow = new QHBoxLayout(position);
    positionRow->addWidget(new QLabel("x :", position));
    positionRow->addWidget(xEdit_);
    positionRow->addWidget(new QLabel("y :", position));
    positionRow->addWidget(yEdit_);

    auto* fileBox = new QGroupBox("画像ファイル", this);
    fileList_ = Named(new FileList("*.bmp;*.jpg", fileBox), "FileList");
    fileList_->SetRefused(UnreadableCharacters(CardField::PictureFile));
    editButton_ = Named(new QPushButton("編集", fileBox), "btnEditBmp");
    auto* fileColumn = new QVBoxLayout(fileBox);
    fileColumn->addWidget(fileList_);
    fileColumn->addWidget(editButton_);

    auto* scaleBox = new QGroupBox("拡大率(%)", this);
    scaleEdit_ = Named(new QLineEdit("100.0", scaleBox), "StretchEdit");
    (new QVBoxLayout(scaleBox))->addWidget(scaleEdit_);

    frameChoice_ = Named(new RadioGroup("画像の枠", PictureFrameLabels(), this), "FrameList");
    frameChoice_->setItemIndex(0);
    associationPanel_ = Named(new AssociationPanel(this), "panel");
    bringForwardBox_ = Named(new QCheckBox("画像を前へ", this), "chkBmpUp");
    removeBox_ = Named(new QCheckBox("画像を消す", this), "chkBmpCut");
    removeBox_->setStyleSheet("color: red");

    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* left = new QVBoxLayout;
    left->addWidget(position);
    left->addWidget(fileBox, 1);
    left->addWidget(scaleBox);
    auto* right = new QVBoxLayout;
    right->addWidget(frameChoice_);
    right->addWidget(bringForwardBox_);
    right->addWidget(removeBox_);
    right->addStretch();
    auto* main = new QGridLayout(this);
    main->addLayout(left, 0, 0);
    main->addLayout(right, 0, 1);
    main->addWidget(associationPanel_, 1, 0, 1, 2);
    main->addLayout(buttonRow, 2, 0, 1, 2);

    connect(fileList_, &QListWidget::itemSelectionChanged, this, &PictureDialog::SelectionChanged);
    connect(removeBox_, &QCheckBox::toggled, this, &PictureDialog::SelectionChanged);
    connect(editButton_, &QPushButton::clicked, this, &PictureDialog::EditPictureFile);
}

void PictureDialog::Reset() {
    xEdit_->setText("10");
    yEdit_->setText("10");
    fileList_->ClearSelection();
    scaleEdit_->setText("100.0");
    frameChoice_->setItemIndex(0);
    associationPanel_->Reset();
    removeBox_->setChecked(false);
}

void PictureDialog::Load(const PictureValues& v, const std::filesystem::path& saveFolder) {
    xEdit_->setText(QString::number(v.x));
    yEdit_->setText(QString::number(v.y));
    scaleEdit_->setText(QString::fromStdString(FormatOneDecimal(v.percent)));
    frameChoice_->setItemIndex(v.frame);
    associationPanel_->Load(v.association);
    bringForwardBox_->setChecked(v.toFront);
    removeBox_->setChecked(v.remove);
    folder_ = saveFolder;
    fileList_->Reread(saveFolder);
    fileList_->SelectFile(QString::fromStdString(SjisToUtf8(v.file)));
    SelectionChanged();
}

void PictureDialog::SelectionChanged() {
    const bool chosen = !fileList_->SelectedFile().isEmpty();
    // Removal needs no file: a picture whose file is gone can still be taken away.
    okButton_->setEnabled(chosen || removeBox_->isChecked());
    editButton_->setEnabled(chosen);
}

void PictureDialog::EditPictureFile() {
    const QString file = fileList_->SelectedFile();
    if (file.isEmpty()) return;
    const QString path = QString::fromStdString((folder_ / file.toStdString()).string());
    const PaintTool tool = paintTool_ ? paintTool_() : PaintTool{};
    // Whether the program started is not reported: the user sees it start or not.
    // The path is one argument as it is: quoting it would let a '"' in a file name split it.
    if (tool.useTools)
        launcher_.StartProgram(tool.program, QStringList{path}, QString::fromStdString(folder_.string()));
    else launcher_.OpenDocument(path);
}

Result<PictureValues> PictureDialog::Read() const {
    PictureValues v;
    v.file = Utf8ToSjis(fileList_->SelectedFile().toStdString()).bytes;
    v.frame = std::max(0, frameChoice_->itemIndex());
    v.association = associationPanel_->Read();
    v.toFront = bringForwardBox_->isChecked();
    v.remove = removeBox_->isChecked();
    if (v.remove) return v;
    // A longer name would be cut in the card: the picture could not be found again.
    if (v.file.size() > kShortTextBytes) {
        fileList_->setFocus();
        return Fail(Sjis("ファイル名が長すぎます（50バイトまで）: ") + v.file);
    }
    struct Field {
        QLineEdit* edit;
        const char* name;
    };
    for (const Field& f : {Field{xEdit_, "画像の位置（x）"}, Field{yEdit_, "画像の位置（y）"}}) {
        const std::optional<std::string> typed = Typed(f.edit);
        const std::optional<int> number = typed ? ParseInt(*typed) : std::nullopt;
        if (!number) {
            f.edit->setFocus();
            return Fail(Sjis(f.name) + Sjis("の「") + ShownInMessage(f.edit->text()) + Sjis("」は整数ではありません"));
        }
        (f.edit == xEdit_ ? v.x : v.y) = *number;
    }
    const std::optional<std::string> typed = Typed(scaleEdit_);
    const std::optional<long double> percent = typed ? ParseNumber(*typed) : std::nullopt;
    if (!percent || !std::isfinite(*percent)) {
        scaleEdit_->setFocus();
        return Fail(Sjis("拡大率(%)の「") + ShownInMessage(scaleEdit_->text()) + Sjis("」は数値ではありません"));
    }
    v.percent = *percent;
    return v;
}

void PictureDialog::SetChooser(AssociationChooser* chooser) { associationPanel_->SetChooser(chooser); }

}  // namespace zepo
