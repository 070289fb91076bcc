#pragma once
// Starting other programs and opening documents with the system's program for their type.
// Behind an interface so that tests see what would have been started.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace zepo {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts `program` (a name as stored in the tool table or a card: "\zepo\…", "notepad.exe",
    // a path) with each argument passed as it is, never through a shell, in `workingFolder`.
    // False when it could not be started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) = 0;
    // Opens a file or folder with the program the desktop associates with it. False when
    // the file does not exist or nothing could open it.
    virtual bool OpenDocument(const QString& path) = 0;
    // Shows a page in the desktop's web browser. False when no browser could be asked.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// Starts `program` and waits up to `earlyExitMs` for it: false when it cannot be started or
// ends within that time with an error (a crash or a non-zero exit code, as xdg-open's when no
// program opens the file); true when it ends well or is still running, which it then goes
// on doing on its own, after the editor too.
bool StartAndWatch(const QString& program, const QStringList& arguments, const QString& workingFolder, int earlyExitMs);

// Resolves stored names (ProgramResolver.h) and starts the program through StartAndWatch.
class DesktopLauncher : public Launcher {
public:
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
    bool OpenDocument(const QString& path) override;
    bool OpenUrl(const QUrl& url) override;
};

}  // namespace zepo
