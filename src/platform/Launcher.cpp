#include "platform/Launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/ProgramResolver.h"

namespace zepo {

bool DesktopLauncher::StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    const std::optional<ResolvedProgram> resolved =
        ResolveProgram(program, arguments, workingFolder, SystemProbe(workingFolder));
    if (!resolved) return false;
    // startDetached reports whether the program could be executed at all, before any
    // message depends on it.
    return QProcess::startDetached(resolved->program, resolved->arguments, workingFolder);
}

bool DesktopLauncher::OpenDocument(const QString& path) {
    // Without this check the desktop would report a missing file in a window of its own,
    // after the editor had already taken the opening for a success.
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace zepo
