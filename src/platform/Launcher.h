#pragma once
// Starting other programs and opening documents with the system's program for their type.
// Behind an interface so that tests see what would have been started.

#include <QString>
#include <QStringList>

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
};

// Resolves stored names (ProgramResolver.h) and starts the program detached.
class DesktopLauncher : public Launcher {
public:
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
    bool OpenDocument(const QString& path) override;
};

}  // namespace zepo
