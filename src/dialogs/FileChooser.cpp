#include "dialogs/FileChooser.h"

#include <QFileDialog>

#include <algorithm>

namespace zepo {

QString QtFileChooser::ChooseOpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(owner_, request.title, request.folder, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // No sidebar of places, as the editor's open dialog always was.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setSidebarUrls({});
    // Sizes and dates stay readable beside Japanese names.
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(std::max(dialog.width(), 900), std::max(dialog.height(), 560));
    if (!request.lastFile.isEmpty()) dialog.selectFile(request.lastFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace zepo
