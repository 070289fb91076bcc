#include "dialogs/Movie2Dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Moji.h"
#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "dialogs/FileList.h"
#include "dialogs/MoviePlayer.h"
#include "dialogs/Named.h"
#include "dialogs/Prompts.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SjisLimit.h"
#include "model/BracedFields.h"

namespace zepo {
namespace {

constexpr size_t kMagnificationBytes = 6;

QSpinBox* PositionBox(QWidget* parent, const char* name) {
    auto* box = Named(new QSpinBox(parent), name);
    box->setRange(0, 3000);
    return box;
}

QString FromSjis(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

std::optional<std::string> ClampedMagnification(const std::string& text) {
    const std::optional<long double> value = ParseNumber(text);
    if (!value) return std::nullopt;
    if (!(*value >= 20)) return std::string("20.0");
    if (*value > 1000) return std::string("1000.0");
    return text;
}

Movie2Dialog::Movie2Dialog(Prompts& prompts, QWidget* parent) : PropertyDialog(parent), prompts_(prompts) {
    setWindowTitle("動画２");
    placeChoice_ = Named(new RadioGroup("表示場所", {"別ウィンドウ上(0)", "ZEPOのカード上(1)"}, this), "AviPos");
    auto* position = new QGroupBox("位置", this);
    xSpin_ = PositionBox(position, "x");
    ySpin_ = PositionBox(position, "y");
    auto* positionRow = new QHBoxLayout(position);
    positionRow->addWidget(new QLabel("x:", position));
    positionRow->addWidget(xSpin_);
    positionRow->addWidget(new QLabel("y:", position));
    positionRow->addWidget(ySpin_);
    frameChoice_ = Named(
        new RadioGroup("動画の枠",
                       {"標準(0)", "凸１(FA)", "凹１(FA2)", "凸２(FB)", "凹２(FB2)", "凸３(FC)", "凹３(FC2)"}, this),
        "Frame");
    auto* scale = new QGroupBox("拡大率", this);
    magnificationEdit_ = Named(new QLineEdit(scale), "Bai");
    LimitSjisBytes(magnificationEdit_, kMagnificationBytes);
    auto* scaleRow = new QHBoxLayout(scale);
    scaleRow->addWidget(magnificationEdit_);
    scaleRow->addWidget(new QLabel("%", scale));
    auto* files = new QGroupBox("ファイル(*.avi)", this);
    fileList_ = Named(new FileList("*.avi", files), "FileList");
    fileList_->SetRefused(UnreadableCharacters(CardField::Movie2File));
    (new QVBoxLayout(files))->addWidget(fileList_);
    player_ = Named(new MoviePlayer(this), "MPlayer");
    switchOffBox_ = MakeSwitchOffBox();

    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* left = new QVBoxLayout;
    left->addWidget(placeChoice_);
    left->addWidget(position);
    left->addWidget(scale);
    left->addWidget(switchOffBox_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(files);
    right->addWidget(player_);
    auto* main = new QGridLayout(this);
    main->addLayout(left, 0, 0);
    main->addWidget(frameChoice_, 0, 1);
    main->addLayout(right, 0, 2);
    main->addLayout(buttonRow, 1, 0, 1, 3);

    connect(placeChoice_->item(0), &QAbstractButton::clicked, this, [this] { PlacementRule(); });
    connect(placeChoice_->item(1), &QAbstractButton::clicked, this, [this] { PlacementRule(); });
    connect(fileList_, &QListWidget::itemSelectionChanged, this, [this] { FileChosen(); });
    connect(switchOffBox_, &QCheckBox::clicked, this, [this] { SwitchOffClicked(); });
    connect(player_, &MoviePlayer::playPressed, this, [this] { OpenSelected(); });
    connect(player_, &MoviePlayer::openFailed, this, [this] {
        player_->setEnabled(false);
        prompts_.Warn(Sjis("再生する機能がありません"));
    });
}

void Movie2Dialog::Load(const Movie2Settings& s, const std::filesystem::path& saveFolder) {
    folder_ = saveFolder;
    placeChoice_->setItemIndex(s.position == 1 ? 1 : 0);
    xSpin_->setValue(s.x);
    ySpin_->setValue(s.y);
    frameChoice_->setItemIndex(s.frame);
    magnificationEdit_->setText(FromSjis(s.scaleText));
    switchOffBox_->setChecked(false);
    PlacementRule();
    player_->Close();
    player_->setEnabled(false);
    okButton_->setEnabled(false);
    if (!fileList_->Reread(saveFolder))
        prompts_.Warn(Sjis("保存フォルダに入れません: ") + Utf8ToSjis(saveFolder.string()).bytes);
    // The reader keeps the bare name, a confirmation the full path: both select by name.
    fileList_->SelectFile(s.movieFile.empty() ? QString() : FromSjis(BareFileName(s.movieFile)));
    if (!fileList_->SelectedFile().isEmpty()) {
        okButton_->setEnabled(true);
        player_->setEnabled(true);
    }
}

Result<Movie2Settings> Movie2Dialog::Read() const {
    Movie2Settings s;
    s.position = placeChoice_->itemIndex() == 1 ? 1 : 0;
    s.x = xSpin_->value();
    s.y = ySpin_->value();
    s.frame = std::max(0, frameChoice_->itemIndex());
    const SjisConversion typed = Utf8ToSjis(magnificationEdit_->text().toStdString());
    s.scaleText = typed.bytes;
    const QString selected = fileList_->SelectedFile();
    if (switchOffBox_->isChecked() || selected.isEmpty()) return s;  // the feature is off
    // A character Shift-JIS cannot hold must not simply vanish: "1€00" is not 100.
    const std::optional<std::string> scale = typed.ok() ? ClampedMagnification(s.scaleText) : std::nullopt;
    if (!scale) {
        magnificationEdit_->setFocus();
        std::string shown;
        for (char32_t ch : magnificationEdit_->text().toUcs4()) {
            const SjisConversion one = Utf8ToSjis(QString::fromUcs4(&ch, 1).toStdString());
            shown += one.ok() ? one.bytes : "?";
        }
        return Fail(Sjis("拡大率「") + shown + Sjis("」が数値ではありません"));
    }
    s.scaleText = *scale;
    s.movieFile = Utf8ToSjis((folder_ / selected.toStdString()).string()).bytes;
    s.inUse = true;
    return s;
}

void Movie2Dialog::PlacementRule() {
    const bool onCard = placeChoice_->itemIndex() == 1;
    magnificationEdit_->setEnabled(onCard);
    frameChoice_->setEnabled(onCard);
}

void Movie2Dialog::OpenSelected() {
    const QString selected = fileList_->SelectedFile();
    if (selected.isEmpty()) return;
    player_->setEnabled(true);
    player_->Open(QString::fromStdString((folder_ / selected.toStdString()).string()));
}

// Choosing a movie only chooses it: whether this computer can play it is asked when Play is
// pressed, so that a movie meant for the player is never answered with a message here.
void Movie2Dialog::FileChosen() {
    switchOffBox_->setChecked(false);
    player_->Close();
    if (fileList_->SelectedFile().isEmpty()) return;
    okButton_->setEnabled(true);
    player_->setEnabled(true);
}

void Movie2Dialog::SwitchOffClicked() {
    if (!switchOffBox_->isChecked()) return;
    okButton_->setEnabled(true);
    player_->Close();
    player_->setEnabled(false);
    fileList_->ClearSelection();
}

// The player lets go of its movie when the dialog closes: nothing plays on, and no late
// answer of the player turns up as a message after the dialog is gone.
void Movie2Dialog::done(int result) {
    player_->Close();
    QDialog::done(result);
}

}  // namespace zepo
