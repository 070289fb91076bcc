#include "dialogs/SlideDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/TextCodec.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/FileList.h"
#include "dialogs/Named.h"
#include "model/BracedFields.h"
#include "dialogs/Prompts.h"

namespace zepo {

SlideDialog::SlideDialog(Prompts& prompts, QWidget* parent) : PropertyDialog(parent), prompts_(prompts) {
    setWindowTitle("スライド機能");
    AllCardList = Named(new FileList("*.zep", this), "AllCardList");
    AllCardList->SetRefused(UnreadableCharacters(CardField::SlideEntry));
    AllCardList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SlideCardList = Named(new QListWidget(this), "SlideCardList");
    auto* slideLabel = new QLabel("スライドカード:", this);
    slideLabel->setStyleSheet("color: blue");
    SelBtn = Named(new QPushButton(">", this), "SelBtn");
    SelAllBtn = Named(new QPushButton(">>", this), "SelAllBtn");
    BackBtn = Named(new QPushButton("<", this), "BackBtn");
    BackAllBtn = Named(new QPushButton("<<", this), "BackAllBtn");
    auto* interval = new QGroupBox("間隔(秒)", this);
    Sec = Named(new QSpinBox(interval), "Sec");
    Sec->setRange(1, 600);
    (new QVBoxLayout(interval))->addWidget(Sec);
    Cancel = MakeSwitchOffBox(this);
    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {SelBtn, SelAllBtn, BackBtn, BackAllBtn}) moves->addWidget(b);
    moves->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("全カード(*.zep):", this), 0, 0);
    grid->addWidget(slideLabel, 0, 2);
    grid->addWidget(AllCardList, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(SlideCardList, 1, 2);
    grid->addWidget(interval, 2, 0);
    grid->addWidget(Cancel, 2, 2);
    grid->addLayout(buttons.row, 3, 0, 1, 3);

    connect(SelBtn, &QPushButton::clicked, this, [this] { SelBtnClick(); });
    connect(SelAllBtn, &QPushButton::clicked, this, [this] { SelAllBtnClick(); });
    connect(BackBtn, &QPushButton::clicked, this, [this] { BackBtnClick(); });
    connect(BackAllBtn, &QPushButton::clicked, this, [this] { BackAllBtnClick(); });
    connect(Cancel, &QCheckBox::clicked, this, [this] { CancelClick(); });
    // A selection belongs to one list at a time, so that it is plain which one "<" or ">" takes.
    connect(AllCardList, &QListWidget::itemSelectionChanged, this, [this] {
        if (AllCardList->selectedItems().isEmpty()) return;
        QSignalBlocker quiet(SlideCardList);
        SlideCardList->clearSelection();
    });
    connect(SlideCardList, &QListWidget::itemSelectionChanged, this, [this] {
        if (SlideCardList->selectedItems().isEmpty()) return;
        AllCardList->ClearSelection();
    });
}

void SlideDialog::Load(const SlideSettings& s, const std::filesystem::path& saveFolder) {
    entries_ = s.list;
    if (entries_.size() > size_t(kSlideListMax)) entries_.resize(kSlideListMax);
    ShowEntries();
    Sec->setValue(s.interval);
    Cancel->setChecked(false);
    if (!AllCardList->Reread(saveFolder))
        prompts_.Warn(Sjis("保存フォルダに入れません: ") + Utf8ToSjis(saveFolder.string()).bytes);
}

SlideSettings SlideDialog::Read() const {
    SlideSettings s;
    s.list = entries_;
    s.interval = Sec->value();
    s.inUse = !Cancel->isChecked();
    return s;
}

bool SlideDialog::Append(const QString& card) {
    if (entries_.size() >= size_t(kSlideListMax)) return false;
    entries_.push_back(Utf8ToSjis(card.toStdString()).bytes);
    return true;
}

void SlideDialog::ShowEntries() {
    QSignalBlocker quiet(SlideCardList);
    SlideCardList->clear();
    for (const std::string& e : entries_) SlideCardList->addItem(QString::fromStdString(SjisToUtf8(e)));
}

void SlideDialog::SelBtnClick() {
    Cancel->setChecked(false);
    QStringList chosen;
    for (int i = 0; i < AllCardList->count(); ++i)
        if (AllCardList->item(i)->isSelected()) chosen << AllCardList->item(i)->text();
    if (chosen.isEmpty()) return;
    // As many as fit go in; the message tells that the rest did not.
    bool allIn = true;
    for (const QString& card : chosen) allIn = Append(card) && allIn;
    ShowEntries();
    if (!allIn) prompts_.Warn(Sjis("これ以上カードを追加できません"));
}

void SlideDialog::SelAllBtnClick() {
    Cancel->setChecked(false);
    entries_.clear();
    bool allIn = true;
    for (int i = 0; i < AllCardList->count(); ++i) allIn = Append(AllCardList->item(i)->text()) && allIn;
    ShowEntries();
    if (!allIn) prompts_.Warn(Sjis("スライドカードの数が多いため\r数を調整しました。"));
}

void SlideDialog::BackBtnClick() {
    Cancel->setChecked(false);
    const int row = SlideCardList->currentRow();
    if (row < 0 || !SlideCardList->item(row)->isSelected() || row >= int(entries_.size())) return;
    entries_.erase(entries_.begin() + row);
    ShowEntries();
}

void SlideDialog::BackAllBtnClick() {
    Cancel->setChecked(false);
    entries_.clear();
    ShowEntries();
}

void SlideDialog::CancelClick() {
    if (!Cancel->isChecked()) return;
    AllCardList->ClearSelection();
    QSignalBlocker quiet(SlideCardList);
    SlideCardList->clearSelection();
}

}  // namespace zepo
