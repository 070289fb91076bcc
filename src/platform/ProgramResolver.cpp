#include "platform/ProgramResolver.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>
#include <array>

#include "platform/DesktopPrograms.h"

namespace zepo {
namespace {

// The jobs of the fixed tools' stored defaults. A desktop program fits a job by the type of
// file it is the desktop's choice for, or by the categories of its desktop entry, or by its
// name on the search path (most common first).
struct Job {
    const char* storedDefault;
    const char* mimeType;
    // The desktop's default for the type does this job as it is (the job is opening the
    // type); otherwise its categories must fit too, since an image type's default is a
    // viewer and not a paint program.
    bool defaultDoesTheJob;
    std::array<const char*, 2> anyCategory;
    std::array<const char*, 2> requiredCategory;
    std::array<const char*, 2> excludedCategory;
    std::array<const char*, 8> programs;
    bool opensFolder;  // given the working folder when no file is named
};

constexpr Job kJobs[] = {
    {"notepad.exe",
     "text/plain",
     true,
     {"TextEditor"},
     {},
     {},
     {"mousepad", "gedit", "gnome-text-editor", "kate", "kwrite", "pluma", "xed", "featherpad"},
     false},
    {"mspaint.exe",
     "image/bmp",
     false,
     {"RasterGraphics"},
     {},
     {"Viewer"},
     {"kolourpaint", "pinta", "mtpaint", "gimp", "krita", "drawing"},
     false},
    {"sndrec32.exe",
     "audio/x-wav",
     false,
     {"Recorder", "AudioVideoEditing"},
     {"Audio"},
     {"Video"},
     {"audacity", "gnome-sound-recorder", "tenacity"},
     false},
    {"moviemk.exe",
     "video/x-msvideo",
     false,
     {"AudioVideoEditing"},
     {},
     {"Audio", "Recorder"},
     {"shotcut", "kdenlive", "openshot-qt", "pitivi", "flowblade"},
     false},
    {"explorer.exe",
     "inode/directory",
     true,
     {"FileManager"},
     {},
     {},
     {"nautilus", "thunar", "dolphin", "pcmanfm-qt", "pcmanfm", "caja", "nemo"},
     true},
    {"wmplayer.exe",
     "video/x-msvideo",
     true,
     {"Player"},
     {},
     {},
     {"vlc", "mpv", "totem", "celluloid", "parole", "smplayer"},
     false},
    {"\\zepo\\tool\\qv\\qv.exe",
     "image/bmp",
     true,
     {"Viewer"},
     {"Graphics"},
     {},
     {"eog", "ristretto", "gwenview", "xviewer", "eom", "gpicview", "feh", "gthumb"},
     true},
};

const Job* JobFor(const QString& stored) {
    for (const Job& job : kJobs)
        if (stored.compare(QLatin1String(job.storedDefault), Qt::CaseInsensitive) == 0) return &job;
    return nullptr;
}

template <std::size_t N>
bool HasAny(const QStringList& categories, const std::array<const char*, N>& names) {
    for (const char* name : names)
        if (name && categories.contains(QLatin1String(name))) return true;
    return false;
}

template <std::size_t N>
bool HasAll(const QStringList& categories, const std::array<const char*, N>& names) {
    for (const char* name : names)
        if (name && !categories.contains(QLatin1String(name))) return false;
    return true;
}

bool Fits(const Job& job, const DesktopEntry& entry) {
    return HasAny(entry.categories, job.anyCategory) && HasAll(entry.categories, job.requiredCategory) &&
           !HasAny(entry.categories, job.excludedCategory);
}

// The program of an entry as a full path, or empty when it (or its TryExec) is not installed.
QString ProgramOf(const DesktopEntry& entry, const ProgramProbe& probe) {
    auto installed = [&probe](const QString& name) {
        if (name.startsWith('/')) return probe.isExecutableFile(name) ? name : QString();
        return probe.findInPath(name);
    };
    if (!entry.tryExec.isEmpty() && installed(entry.tryExec).isEmpty()) return {};
    return installed(entry.exec.first());
}

std::optional<ResolvedProgram> Started(const DesktopEntry& entry, const QStringList& files, const ProgramProbe& probe) {
    const QString program = ProgramOf(entry, probe);
    if (program.isEmpty()) return std::nullopt;
    return ResolvedProgram{program, ExpandFieldCodes(entry.exec.mid(1), files)};
}

// The desktop's default for the job's type when it does the job, else the first installed
// entry that fits, those that name the type first.
std::optional<ResolvedProgram> FromDesktopEntries(const Job& job, const QStringList& files, const ProgramProbe& probe) {
    if (probe.defaultEntry) {
        const std::optional<DesktopEntry> chosen = probe.defaultEntry(QLatin1String(job.mimeType));
        if (chosen && (job.defaultDoesTheJob || Fits(job, *chosen)))
            if (auto started = Started(*chosen, files, probe)) return started;
    }
    if (!probe.entries) return std::nullopt;
    const std::vector<DesktopEntry> entries = probe.entries();
    for (const bool namingTheType : {true, false})
        for (const DesktopEntry& entry : entries)
            if (Fits(job, entry) && entry.mimeTypes.contains(QLatin1String(job.mimeType)) == namingTheType)
                if (auto started = Started(entry, files, probe)) return started;
    return std::nullopt;
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
    const Job* job = JobFor(stored);
    if (!job) return std::nullopt;
    const QStringList named = PathArguments(arguments, probe);
    QStringList paths = named;
    if (paths.isEmpty() && job->opensFolder && !workingFolder.isEmpty()) paths << workingFolder;
    if (auto fromDesktop = FromDesktopEntries(*job, paths, probe)) return fromDesktop;
    for (const char* name : job->programs) {
        if (!name) break;
        const QString program = probe.findInPath(QLatin1String(name));
        if (!program.isEmpty()) return ResolvedProgram{program, paths};
    }
    // The desktop's own opener takes one file or folder and picks the program by its type:
    // right for a file a dialog names and for the file manager's folder, wrong for a tool
    // that would be handed a folder it cannot edit.
    const QString opener = probe.findInPath(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return std::nullopt;
    if (!named.isEmpty()) return ResolvedProgram{opener, QStringList{named.first()}};
    if (QLatin1String(job->mimeType) == QLatin1String("inode/directory") && !paths.isEmpty())
        return ResolvedProgram{opener, QStringList{paths.first()}};
    return std::nullopt;
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
    probe.defaultEntry = [](const QString& mimeType) { return DefaultDesktopEntry(mimeType); };
    probe.entries = [] { return InstalledDesktopEntries(); };
    return probe;
}

}  // namespace zepo
