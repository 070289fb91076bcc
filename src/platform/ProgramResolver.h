#pragma once
// What actually runs when the editor starts a stored program name. Tool tables, cards and
// the fixed paths of the player name programs of another desktop: "\zepo\zepo.exe" means
// the root of the drive the cards are on, "notepad.exe" a program found on the search path.
// Here the drive root is ZEPO_ROOT or the mount point of the save folder's file system, a
// ".exe" runs through wine, and the stored defaults of the fixed tools fall back to a
// program of the same job that this desktop has: the one it opens the job's type of file
// with, one whose desktop entry names the job, or a known program on the search path.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "platform/DesktopPrograms.h"

namespace zepo {

// The file system as the resolution needs it; tests answer from a table.
struct ProgramProbe {
    std::function<bool(const QString& path)> isExecutableFile;
    std::function<bool(const QString& path)> exists;
    // The full path of a program on the search path, or empty.
    std::function<QString(const QString& name)> findInPath;
    // The folder "\..." paths start from.
    QString driveRoot;
    // The desktop's program for a type of file, and every installed desktop program; either
    // may be left unset.
    std::function<std::optional<DesktopEntry>(const QString& mimeType)> defaultEntry;
    std::function<std::vector<DesktopEntry>()> entries;
};

struct ResolvedProgram {
    QString program;  // a full path
    QStringList arguments;
    friend bool operator==(const ResolvedProgram&, const ResolvedProgram&) = default;
};

// A stored path as a path of this system: a leading "\" or a drive letter ("C:\") starts
// at the drive root, backslashes become slashes, a relative name stays relative.
QString LocalPathOf(const QString& stored, const QString& driveRoot);

// The program to run and its arguments, or nothing when no program can be started (the
// caller shows its failure message). `workingFolder` is handed to fallbacks that need
// something to open.
std::optional<ResolvedProgram> ResolveProgram(const QString& stored, const QStringList& arguments,
                                              const QString& workingFolder, const ProgramProbe& probe);

// ZEPO_ROOT when set, else the mount point of the file system holding `folder`.
QString DriveRootOf(const QString& folder);

// The probe of the real file system, with the drive root of `folder`.
ProgramProbe SystemProbe(const QString& folder);

}  // namespace zepo
