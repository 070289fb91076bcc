#include "platform/ProgramResolver.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>
#include <array>

namespace zepo {
namespace {

// Programs of this desktop that do the job of a fixed tool's stored default, most common
// first; xdg-open (the desktop's own choice for a file or folder) last.
struct Fallback {
    const char* storedDefault;
    std::array<const char*, 8> programs;
    bool opensFolder;  // given the working folder when no file is named
};

constexpr Fallback kFallbacks[] = {
    {"notepad.exe", {"mousepad", "gedit", "gnome-text-editor", "kate", "kwrite", "pluma", "xed", "featherpad"}, false},
    {"mspaint.exe", {"kolourpaint", "pinta", "mtpaint", "gimp", "krita", "drawing"}, false},
    {"sndrec32.exe", {"audacity", "gnome-sound-recorder", "tenacity"}, false},
    {"moviemk.exe", {"shotcut", "kdenlive", "openshot-qt", "pitivi", "flowblade"}, false},
    {"explorer.exe", {"nautilus", "thunar", "dolphin", "pcmanfm-qt", "pcmanfm", "caja", "nemo"}, true},
    {"wmplayer.exe", {"vlc", "mpv", "totem", "celluloid", "parole", "smplayer"}, false},
    {"\\zepo\\tool\\qv\\qv.exe", {"eog", "ristretto", "gwenview", "xviewer", "eom", "gpicview", "feh", "gthumb"}, true},
};

const Fallback* FallbackFor(const QString& stored) {
    for (const Fallback& f : kFallbacks)
        if (stored.compare(QLatin1String(f.storedDefault), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

bool IsWindowsProgram(const QString& path) { return path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive); }

bool HasDriveLetter(const QString& s) { return s.size() >= 2 && s[1] == ':' && s[0].isLetter(); }

// The arguments a stand-in program can use: only those naming an existing file or folder.
// Switches of the stored program ("/WD=…") would mean nothing to it.
QStringList PathArguments(const QStringList& arguments, const ProgramProbe& probe) {
    QStringList paths;
    for (const QString& a : arguments)
        if (!a.isEmpty() && probe.exists(a)) paths << a;
    return paths;
}

// A stored name as a runnable file: a path (from the drive root or relative), or a bare name
// on the search path.
QString Locate(const QString& stored, const QString& workingFolder, const ProgramProbe& probe) {
    const bool isPath = stored.contains('/') || stored.contains('\\') || HasDriveLetter(stored);
    if (isPath) {
        QString local = LocalPathOf(stored, probe.driveRoot);
        if (!local.startsWith('/') && !workingFolder.isEmpty()) local = workingFolder + '/' + local;
        return probe.isExecutableFile(local) || (IsWindowsProgram(local) && probe.exists(local)) ? local : QString();
    }
    return probe.findInPath(stored);
}

}  // namespace

QString LocalPathOf(const QString& stored, const QString& driveRoot) {
    QString s = stored;
    if (HasDriveLetter(s) && s.size() > 2 && (s[2] == '\\' || s[2] == '/')) s = s.mid(2);
    s.replace('\\', '/');
    if (!s.startsWith('/') || stored.startsWith('/')) return s;
    QString root = driveRoot;
    while (root.endsWith('/') && root.size() > 1) root.chop(1);
    return root == "/" ? s : root + s;
}

std::optional<ResolvedProgram> ResolveProgram(const QString& stored, const QStringList& arguments,
                                              const QString& workingFolder, const ProgramProbe& probe) {
    if (stored.trimmed().isEmpty()) return std::nullopt;
    const QString found = Locate(stored, workingFolder, probe);
    const QString wine = probe.findInPath(QStringLiteral("wine"));
    if (!found.isEmpty()) {
        if (!IsWindowsProgram(found)) return ResolvedProgram{found, arguments};
        if (!wine.isEmpty()) return ResolvedProgram{wine, QStringList{found} + arguments};
    }
    const Fallback* fallback = FallbackFor(stored);
    if (!fallback) return std::nullopt;
    QStringList paths = PathArguments(arguments, probe);
    if (paths.isEmpty() && fallback->opensFolder && !workingFolder.isEmpty()) paths << workingFolder;
    for (const char* name : fallback->programs) {
        if (!name) break;
        const QString program = probe.findInPath(QLatin1String(name));
        if (!program.isEmpty()) return ResolvedProgram{program, paths};
    }
    // The desktop's own program for a file or folder takes exactly one.
    const QString opener = probe.findInPath(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return std::nullopt;
    if (paths.isEmpty() && !workingFolder.isEmpty()) paths << workingFolder;
    if (paths.isEmpty()) return std::nullopt;
    return ResolvedProgram{opener, QStringList{paths.first()}};
}

QString DriveRootOf(const QString& folder) {
    const QString fromEnvironment = qEnvironmentVariable("ZEPO_ROOT");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    QString path = QFileInfo(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath();
    // Climb while the parent is on the same file system; a folder that does not exist yet
    // is judged by the nearest one above it that does.
    struct stat here {};
    while (::stat(QFile::encodeName(path).constData(), &here) != 0) {
        const QString up = QFileInfo(path).absolutePath();
        if (up == path) return QStringLiteral("/");
        path = up;
    }
    for (;;) {
        const QString up = QFileInfo(path).absolutePath();
        if (up == path) return path;
        struct stat parent {};
        if (::stat(QFile::encodeName(up).constData(), &parent) != 0 || parent.st_dev != here.st_dev) return path;
        path = up;
    }
}

ProgramProbe SystemProbe(const QString& folder) {
    ProgramProbe probe;
    probe.isExecutableFile = [](const QString& path) {
        QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    probe.exists = [](const QString& path) { return QFileInfo::exists(path); };
    probe.findInPath = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    probe.driveRoot = DriveRootOf(folder);
    return probe;
}

}  // namespace zepo
