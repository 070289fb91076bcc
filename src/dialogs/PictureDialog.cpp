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
#include "dialogs/DialogButtons.h"
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
    BmpX = Named(new QLineEdit("10", position), "BmpX");
    BmpY = Named(new QLineEdit("10", position), "BmpY");
    auto* positionRow = new QHBoxLayout(position);
    positionRow->addWidget(new QLabel("x :", position));
    positionRow->addWidget(BmpX);
    positionRow->addWidget(new QLabel("y :", position));
    positionRow->addWidget(BmpY);

    auto* fileBox = new QGroupBox("画像ファイル", this);
    fileList = Named(new FileList("*.bmp;*.jpg", fileBox), "FileList");
    fileList->SetRefused(UnreadableCharacters(CardField::PictureFile));
    btnEditBmp = Named(new QPushButton("編集", fileBox), "btnEditBmp");
    auto* fileColumn = new QVBoxLayout(fileBox);
    fileColumn->addWidget(fileList);
    fileColumn->addWidget(btnEditBmp);

    auto* scaleBox = new QGroupBox("拡大率(%)", this);
    StretchEdit = Named(new QLineEdit("100.0", scaleBox), "StretchEdit");
    (new QVBoxLayout(scaleBox))->addWidget(StretchEdit);

    FrameList = Named(new RadioGroup("画像の枠", PictureFrameLabels(), this), "FrameList");
    FrameList->setItemIndex(0);
    panel = Named(new AssociationPanel(this), "panel");
    chkBmpUp = Named(new QCheckBox("画像を前へ", this), "chkBmpUp");
    chkBmpCut = Named(new QCheckBox("画像を消す", this), "chkBmpCut");
    chkBmpCut->setStyleSheet("color: red");

    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* left = new QVBoxLayout;
    left->addWidget(position);
    left->addWidget(fileBox, 1);
    left->addWidget(scaleBox);
    auto* right = new QVBoxLayout;
    right->addWidget(FrameList);
    right->addWidget(chkBmpUp);
    right->addWidget(chkBmpCut);
    right->addStretch();
    auto* main = new QGridLayout(this);
    main->addLayout(left, 0, 0);
    main->addLayout(right, 0, 1);
    main->addWidget(panel, 1, 0, 1, 2);
    main->addLayout(buttons.row, 2, 0, 1, 2);

    connect(fileList, &QListWidget::itemSelectionChanged, this, &PictureDialog::SelectionChanged);
    connect(chkBmpCut, &QCheckBox::toggled, this, &PictureDialog::SelectionChanged);
    connect(btnEditBmp, &QPushButton::clicked, this, &PictureDialog::EditPictureFile);
}

void PictureDialog::Reset() {
    BmpX->setText("10");
    BmpY->setText("10");
    fileList->ClearSelection();
    StretchEdit->setText("100.0");
    FrameList->setItemIndex(0);
    panel->Reset();
    chkBmpCut->setChecked(false);
}

void PictureDialog::Load(const PictureValues& v, const std::filesystem::path& saveFolder) {
    BmpX->setText(QString::number(v.x));
    BmpY->setText(QString::number(v.y));
    StretchEdit->setText(QString::fromStdString(FormatOneDecimal(v.percent)));
    FrameList->setItemIndex(v.frame);
    panel->Load(v.association);
    chkBmpUp->setChecked(v.toFront);
    chkBmpCut->setChecked(v.remove);
    folder_ = saveFolder;
    fileList->Reread(saveFolder);
    fileList->SelectFile(QString::fromStdString(SjisToUtf8(v.file)));
    SelectionChanged();
}

void PictureDialog::SelectionChanged() {
    const bool chosen = !fileList->SelectedFile().isEmpty();
    // Removal needs no file: a picture whose file is gone can still be taken away.
    OKBtn->setEnabled(chosen || chkBmpCut->isChecked());
    btnEditBmp->setEnabled(chosen);
}

void PictureDialog::EditPictureFile() {
    const QString file = fileList->SelectedFile();
    if (file.isEmpty()) return;
    const QString path = QString::fromStdString((folder_ / file.toStdString()).string());
    const PaintTool tool = paintTool_ ? paintTool_() : PaintTool{};
    // Whether the program started is not reported: the user sees it start or not.
    // The path is one argument as it is: quoting it would let a '"' in a file name split it.
    if (tool.useTools) launcher_.StartProgram(tool.program, QStringList{path}, QString::fromStdString(folder_.string()));
    else launcher_.OpenDocument(path);
}

Result<PictureValues> PictureDialog::Read() const {
    PictureValues v;
    v.file = Utf8ToSjis(fileList->SelectedFile().toStdString()).bytes;
    v.frame = std::max(0, FrameList->itemIndex());
    v.association = panel->Read();
    v.toFront = chkBmpUp->isChecked();
    v.remove = chkBmpCut->isChecked();
    if (v.remove) return v;
    // A longer name would be cut in the card: the picture could not be found again.
    if (v.file.size() > kShortTextBytes) {
        fileList->setFocus();
        return Fail(Sjis("ファイル名が長すぎます（50バイトまで）: ") + v.file);
    }
    struct Field {
        QLineEdit* edit;
        const char* name;
    };
    for (const Field& f : {Field{BmpX, "画像の位置（x）"}, Field{BmpY, "画像の位置（y）"}}) {
        const std::optional<std::string> typed = Typed(f.edit);
        const std::optional<int> number = typed ? ParseInt(*typed) : std::nullopt;
        if (!number) {
            f.edit->setFocus();
            return Fail(Sjis(f.name) + Sjis("の「") + ShownInMessage(f.edit->text()) + Sjis("」は整数ではありません"));
        }
        (f.edit == BmpX ? v.x : v.y) = *number;
    }
    const std::optional<std::string> typed = Typed(StretchEdit);
    const std::optional<long double> percent = typed ? ParseNumber(*typed) : std::nullopt;
    if (!percent || !std::isfinite(*percent)) {
        StretchEdit->setFocus();
        return Fail(Sjis("拡大率(%)の「") + ShownInMessage(StretchEdit->text()) + Sjis("」は数値ではありません"));
    }
    v.percent = *percent;
    return v;
}

void PictureDialog::SetChooser(AssociationChooser* chooser) { panel->SetChooser(chooser); }

}  // namespace zepo
