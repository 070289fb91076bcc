#include "platform/Launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace zepo {

bool DesktopLauncher::StartProgram(const QString& program, const QString& parameters, const QString& workingFolder) {
    return QProcess::startDetached(program, QProcess::splitCommand(parameters), workingFolder);
}

bool DesktopLauncher::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace zepo
