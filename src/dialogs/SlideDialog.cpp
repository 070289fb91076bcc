#include "dialogs/SlideDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/TextCodec.h"
#include "dialogs/FileList.h"
#include "dialogs/Named.h"
#include "dialogs/Prompts.h"
#include "model/BracedFields.h"

namespace zepo {

SlideDialog::SlideDialog(Prompts& prompts, QWidget* parent) : PropertyDialog(parent), prompts_(prompts) {
    setWindowTitle("スライド機能");
    cardList_ = Named(new FileList("*.zep", this), "AllCardList");
    cardList_->SetRefused(UnreadableCharacters(CardField::SlideEntry));
    cardList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    slideList_ = Named(new QListWidget(this), "SlideCardList");
    auto* slideLabel = new QLabel("スライドカード:", this);
    slideLabel->setStyleSheet("color: blue");
    addButton_ = Named(new QPushButton(">", this), "SelBtn");
    addAllButton_ = Named(new QPushButton(">>", this), "SelAllBtn");
    removeButton_ = Named(new QPushButton("<", this), "BackBtn");
    removeAllButton_ = Named(new QPushButton("<<", this), "BackAllBtn");
    auto* interval = new QGroupBox("間隔(秒)", this);
    intervalSpin_ = Named(new QSpinBox(interval), "Sec");
    intervalSpin_->setRange(1, 600);
    (new QVBoxLayout(interval))->addWidget(intervalSpin_);
    switchOffBox_ = MakeSwitchOffBox();
    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {addButton_, addAllButton_, removeButton_, removeAllButton_}) moves->addWidget(b);
    moves->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("全カード(*.zep):", this), 0, 0);
    grid->addWidget(slideLabel, 0, 2);
    grid->addWidget(cardList_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(slideList_, 1, 2);
    grid->addWidget(interval, 2, 0);
    grid->addWidget(switchOffBox_, 2, 2);
    grid->addLayout(buttonRow, 3, 0, 1, 3);

    connect(addButton_, &QPushButton::clicked, this, [this] { AddSelected(); });
    connect(addAllButton_, &QPushButton::clicked, this, [this] { AddAll(); });
    connect(removeButton_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(removeAllButton_, &QPushButton::clicked, this, [this] { RemoveAll(); });
    connect(switchOffBox_, &QCheckBox::clicked, this, [this] { SwitchOffClicked(); });
    // A selection belongs to one list at a time, so that it is plain which one "<" or ">" takes.
    connect(cardList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (cardList_->selectedItems().isEmpty()) return;
        QSignalBlocker quiet(slideList_);
        slideList_->clearSelection();
    });
    connect(slideList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (slideList_->selectedItems().isEmpty()) return;
        cardList_->ClearSelection();
    });
}

void SlideDialog::Load(const SlideSettings& s, const std::filesystem::path& saveFolder) {
    entries_ = s.list;
    if (entries_.size() > size_t(kSlideListMax)) entries_.resize(kSlideListMax);
    ShowEntries();
    intervalSpin_->setValue(s.interval);
    switchOffBox_->setChecked(false);
    if (!cardList_->Reread(saveFolder))
        prompts_.Warn(Sjis("保存フォルダに入れません: ") + Utf8ToSjis(saveFolder.string()).bytes);
}

SlideSettings SlideDialog::Read() const {
    SlideSettings s;
    s.list = entries_;
    s.interval = intervalSpin_->value();
    s.inUse = !switchOffBox_->isChecked();
    return s;
}

bool SlideDialog::Append(const QString& card) {
    if (entries_.size() >= size_t(kSlideListMax)) return false;
    entries_.push_back(Utf8ToSjis(card.toStdString()).bytes);
    return true;
}

void SlideDialog::ShowEntries() {
    QSignalBlocker quiet(slideList_);
    slideList_->clear();
    for (const std::string& e : entries_) slideList_->addItem(QString::fromStdString(SjisToUtf8(e)));
}

void SlideDialog::AddSelected() {
    switchOffBox_->setChecked(false);
    QStringList chosen;
    for (int i = 0; i < cardList_->count(); ++i)
        if (cardList_->item(i)->isSelected()) chosen << cardList_->item(i)->text();
    if (chosen.isEmpty()) return;
    // As many as fit go in; the message tells that the rest did not.
    bool allIn = true;
    for (const QString& card : chosen) allIn = Append(card) && allIn;
    ShowEntries();
    if (!allIn) prompts_.Warn(Sjis("これ以上カードを追加できません"));
}

void SlideDialog::AddAll() {
    switchOffBox_->setChecked(false);
    entries_.clear();
    bool allIn = true;
    for (int i = 0; i < cardList_->count(); ++i) allIn = Append(cardList_->item(i)->text()) && allIn;
    ShowEntries();
    if (!allIn) prompts_.Warn(Sjis("スライドカードの数が多いため\r数を調整しました。"));
}

void SlideDialog::RemoveSelected() {
    switchOffBox_->setChecked(false);
    const int row = slideList_->currentRow();
    if (row < 0 || !slideList_->item(row)->isSelected() || row >= int(entries_.size())) return;
    entries_.erase(entries_.begin() + row);
    ShowEntries();
}

void SlideDialog::RemoveAll() {
    switchOffBox_->setChecked(false);
    entries_.clear();
    ShowEntries();
}

void SlideDialog::SwitchOffClicked() {
    if (!switchOffBox_->isChecked()) return;
    cardList_->ClearSelection();
    QSignalBlocker quiet(slideList_);
    slideList_->clearSelection();
}

}  // namespace zepo
