#include "dialogs/FileChooser.h"

#include <QFileDialog>

namespace zepo {

QString QtFileChooser::ChooseOpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(owner_, request.title, request.folder, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // No sidebar of places, as the editor's open dialog always was.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setSidebarUrls({});
    if (!request.lastFile.isEmpty()) dialog.selectFile(request.lastFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace zepo
