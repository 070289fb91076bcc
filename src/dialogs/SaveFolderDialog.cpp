#include "dialogs/SaveFolderDialog.h"

#include "dialogs/Named.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/TextCodec.h"
#include "model/Environment.h"
#include "platform/Folders.h"

namespace zepo {

SaveFolderDialog::SaveFolderDialog(MessageSink& messages, QWidget* parent)
    : PropertyDialog(parent), messages_(messages) {
    setWindowTitle("保存フォルダの変更");
    auto* label = new QLabel("保存フォルダ： (例 ~/zepo/フォルダ名)", this);
    folderEdit_ = Named(new QLineEdit("EditDir", this), "EditDir");
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath("/");
    folderTree_ = Named(new QTreeView(this), "Dir");
    folderTree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) folderTree_->hideColumn(column);
    folderTree_->header()->hide();
    // Linux has no drive letters: the user's places (home, desktop, removable media, recent
    // save folders) play that part.
    driveChoice_ = Named(new QComboBox(this), "ChDrive");
    SetPlaces({});
    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* drives = new QHBoxLayout;
    drives->addWidget(new QLabel("場所：", this));
    drives->addWidget(driveChoice_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(folderEdit_);
    layout->addWidget(folderTree_, 1);
    layout->addLayout(drives);
    layout->addLayout(buttonRow);
    resize(420, 420);

    connect(folderTree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { FolderChanged(current); });
    connect(driveChoice_, &QComboBox::activated, this, [this](int index) { DriveChanged(index); });
    // The tree fills in as folders are read in the background, and a hidden view cannot
    // centre anything: the folder chosen on activation is brought into view again once the
    // dialog shows and whenever the entries around it arrive or are sorted.
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        if (!pendingScroll_.isEmpty() && model_->filePath(parent) == QFileInfo(pendingScroll_).path())
            ScrollToPending();
    });
    connect(model_, &QAbstractItemModel::layoutChanged, this, [this] { ScrollToPending(); });
    // Once the user looks around the tree (a click, the wheel, the scroll bar), it stays where
    // the user put it; the tree's own expanding on the way to the folder does not count.
    folderTree_->viewport()->installEventFilter(this);
    connect(folderTree_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { pendingScroll_.clear(); });
}

void SaveFolderDialog::SetPlaces(const QList<FolderPlace>& places) {
    driveChoice_->clear();
    for (const FolderPlace& place : places) driveChoice_->addItem(place.caption, place.path);
    driveChoice_->addItem("コンピュータ全体 (/)", QString("/"));
}

void SaveFolderDialog::ShowPlace(const QString& place) {
    // The place's folder among its neighbours: the parent is the root, so the place itself
    // can be chosen; "/" has none.
    const QString root = place == "/" ? place : QFileInfo(place).path();
    folderTree_->setRootIndex(model_->index(root));
}

void SaveFolderDialog::Load(const std::filesystem::path& saveFolder) {
    std::filesystem::path start = saveFolder;
    if (!EnterFolder(saveFolder)) {
        messages_.Warn(Utf8ToSjis(saveFolder.string()).bytes + "\r" + Sjis("フォルダに移動できません"));
        // This dialog is the only way to another save folder: it opens on the nearest one
        // that still exists rather than not at all.
        start = NearestEnterableFolder(saveFolder);
    }
    QString folder = QString::fromStdString(start.string());
    QList<FolderPlace> places;
    for (int i = 0; i < driveChoice_->count(); ++i)
        places.append({driveChoice_->itemText(i), driveChoice_->itemData(i).toString()});
    const int holding = PlaceHolding(places, folder);
    driveChoice_->setCurrentIndex(holding < 0 ? driveChoice_->count() - 1 : holding);
    ShowPlace(holding < 0 ? QString("/") : places[holding].path);
    SelectInDir(folder);
    folderEdit_->setText(folder);
}

QString SaveFolderDialog::Read() const { return folderEdit_->text(); }

void SaveFolderDialog::SelectInDir(const QString& folder) {
    QModelIndex index = model_->index(folder);
    if (!index.isValid()) return;
    folderTree_->setCurrentIndex(index);
    pendingScroll_ = folder;
    ScrollToPending();
}

void SaveFolderDialog::ScrollToPending() {
    // Queued behind the model's own sorting of newly read entries.
    QTimer::singleShot(0, this, [this] {
        if (!pendingScroll_.isEmpty())
            folderTree_->scrollTo(model_->index(pendingScroll_), QAbstractItemView::PositionAtCenter);
    });
}

bool SaveFolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folderTree_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel))
        pendingScroll_.clear();
    return QDialog::eventFilter(watched, event);
}

void SaveFolderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ScrollToPending();
}

void SaveFolderDialog::FolderChanged(const QModelIndex& current) {
    if (current.isValid() && model_->filePath(current) != pendingScroll_) pendingScroll_.clear();  // the user moved on
    if (current.isValid()) folderEdit_->setText(model_->filePath(current));
}

void SaveFolderDialog::DriveChanged(int index) {
    const QString place = driveChoice_->itemData(index).toString();
    ShowPlace(place);
    SelectInDir(place);
}

}  // namespace zepo
