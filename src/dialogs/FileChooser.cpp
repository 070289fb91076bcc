#include "dialogs/FileChooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>
#include <QUrl>

#include <algorithm>

namespace zepo {
namespace {

// The file list's sizes and dates are written in the system's locale ("12/8/26 1:59 AM" under
// an English one); the editor writes them in its own, Japanese, whatever the system's is.
class JapaneseSizesAndDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!files || role != Qt::DisplayRole || (index.column() != kSize && index.column() != kDate))
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        if (index.column() == kDate) return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
        return info.isDir() ? QString() : QLocale().formattedDataSize(info.size());
    }

private:
    static constexpr int kSize = 1, kDate = 3;
};

// Qt sizes the columns for English texts; a Japanese kind ("平文テキストドキュメント") or
// header needs more. Each column grows to its header and its entries, never shrinks.
void FitColumns(QTreeView* view) {
    QHeaderView* header = view->header();
    for (int column = 1; column < header->count(); ++column) {
        const int before = header->sectionSize(column);
        view->resizeColumnToContents(column);  // the wider of the header and the entries
        if (header->sectionSize(column) < before) header->resizeSection(column, before);
    }
}

}  // namespace

QString QtFileChooser::ChooseOpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(owner_, request.title, request.folder, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The side bar lists the places the save-folder dialog offers.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    QList<QUrl> places;
    for (const QString& place : request.places) places.append(QUrl::fromLocalFile(place));
    dialog.setSidebarUrls(places);
    // Sizes and dates stay readable beside Japanese names.
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setProxyModel(new JapaneseSizesAndDates(&dialog));
    if (auto* view = dialog.findChild<QTreeView*>("treeView")) {
        if (auto* files = dialog.findChild<QFileSystemModel*>())
            QObject::connect(
                files, &QFileSystemModel::directoryLoaded, view, [view] { FitColumns(view); }, Qt::QueuedConnection);
        FitColumns(view);
    }
    dialog.resize(std::max(dialog.width(), 900), std::max(dialog.height(), 560));
    if (!request.lastFile.isEmpty()) dialog.selectFile(request.lastFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace zepo
