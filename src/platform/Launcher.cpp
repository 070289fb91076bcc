#include "platform/Launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/ProgramResolver.h"

namespace zepo {
namespace {

// Long enough for a program that cannot run (a missing library, xdg-open finding no
// program: about 0.2 s) to have ended; short enough not to be felt at every start.
constexpr int kEarlyExitMs = 500;
constexpr int kStartMs = 5000;

}  // namespace

bool StartAndWatch(const QString& program, const QStringList& arguments, const QString& workingFolder,
                   int earlyExitMs) {
    // Not owned by anything: a program still running when the editor ends must go on running,
    // and a destroyed QProcess would kill it. One that ends deletes its watcher.
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setWorkingDirectory(workingFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(kStartMs)) {
        delete process;
        return false;
    }
    if (process->waitForFinished(earlyExitMs)) {
        const bool ok = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return ok;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

bool DesktopLauncher::StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    const std::optional<ResolvedProgram> resolved =
        ResolveProgram(program, arguments, workingFolder, SystemProbe(workingFolder));
    if (!resolved) return false;
    return StartAndWatch(resolved->program, resolved->arguments, workingFolder, kEarlyExitMs);
}

bool DesktopLauncher::OpenDocument(const QString& path) {
    // Without this check the desktop would report a missing file in a window of its own,
    // after the editor had already taken the opening for a success.
    if (!QFileInfo::exists(path)) return false;
    // The desktop's opener, watched: handed off in the background it would fail unseen when
    // no program takes the file (exit code 3).
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) return StartAndWatch(opener, {QFileInfo(path).absoluteFilePath()}, QString(), kEarlyExitMs);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopLauncher::OpenUrl(const QUrl& url) {
    // Watched as a document is: handed off in the background, a browser that cannot be started
    // (xdg-open's exit 3 or 4) would fail unseen while the editor took the page for shown.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) return StartAndWatch(opener, {url.toString(QUrl::FullyEncoded)}, QString(), kEarlyExitMs);
    return QDesktopServices::openUrl(url);
}

}  // namespace zepo
