#pragma once
// The save-folder dialog: a folder tree, the user's places in place of a drive list, and the
// folder text that the dialog returns.

#include <QList>
#include <filesystem>

#include "dialogs/FolderPlaces.h"

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

#include "dialogs/PropertyDialog.h"

namespace zepo {

class MessageSink;

class SaveFolderDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit SaveFolderDialog(MessageSink& messages, QWidget* parent = nullptr);

    // The places offered (FolderPlaces), the whole computer ("/") after them.
    void SetPlaces(const QList<FolderPlace>& places);
    // Activation: enters the save folder, shows it in the tree and in folderEdit_, the tree
    // starting beside it, in the place that holds it. A folder that cannot be entered is named
    // in a message, and the nearest folder above it is shown.
    void Load(const std::filesystem::path& saveFolder);
    // The folder text the user confirmed.
    QString Read() const;

    // Selects a folder in the tree, as a click on it does.
    void SelectInDir(const QString& folder);

    static constexpr const char* kHelpTopic = "HID00000022";

private:
    QLineEdit* folderEdit_;
    QTreeView* folderTree_;
    QComboBox* driveChoice_;

    void FolderChanged(const QModelIndex& current);
    void ScrollToPending();
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void DriveChanged(int index);
    // The tree shows `place` and what is beside it.
    void ShowPlace(const QString& place);
    QFileSystemModel* model_;
    QString pendingScroll_;  // a folder to bring into view once the tree has read its parent
    MessageSink& messages_;
};

}  // namespace zepo
