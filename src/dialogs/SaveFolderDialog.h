#pragma once
// The save-folder dialog: a folder tree, the mounted file systems in place of a drive list,
// and the folder text that the dialog returns.

#include <filesystem>

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

    // Activation: enters the save folder, shows it in the tree and in folderEdit_. A folder that
    // cannot be entered is named in a message, and the nearest folder above it is shown.
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
    QFileSystemModel* model_;
    QString pendingScroll_;  // a folder to bring into view once the tree has read its parent
    MessageSink& messages_;
};

}  // namespace zepo
