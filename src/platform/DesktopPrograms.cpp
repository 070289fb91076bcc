#include "platform/DesktopPrograms.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtGlobal>
#include <set>

namespace zepo {
namespace {

// Far above any real desktop: a few hundred entries of a few kilobytes each.
constexpr int kMaxEntryFiles = 4000;
constexpr qint64 kMaxEntryBytes = 64 * 1024;
constexpr int kLookupMs = 3000;

// The escapes of a desktop file's string values.
QString Unescaped(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        if (next == 's') out += ' ';
        else if (next == 'n') out += '\n';
        else if (next == 't') out += '\t';
        else if (next == 'r') out += '\r';
        else if (next == '\\') out += '\\';
        else out += QStringLiteral("\\") + next;  // left for the Exec quoting to read
    }
    return out;
}

QStringList ListValue(const QString& value) {
    QStringList items = value.split(';', Qt::SkipEmptyParts);
    for (QString& item : items) item = item.trimmed();
    items.removeAll(QString());
    return items;
}

QStringList ApplicationFolders() {
    QStringList folders;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
    folders << home;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/usr/local/share:/usr/share");
    folders << dirs.split(':', Qt::SkipEmptyParts);
    for (QString& f : folders) f += QStringLiteral("/applications");
    return folders;
}

}  // namespace

QStringList SplitExecLine(const QString& value) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < value.size()) {
                word += value[++i];
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return {};
    if (inWord) words << word;
    return words;
}

QStringList ExpandFieldCodes(const QStringList& words, const QStringList& files) {
    QStringList out;
    for (const QString& w : words) {
        if (w == QLatin1String("%F") || w == QLatin1String("%U")) {
            out << files;
            continue;
        }
        QString expanded;
        bool wantsMissingFile = false;
        for (int i = 0; i < w.size(); ++i) {
            if (w[i] != '%' || i + 1 == w.size()) {
                expanded += w[i];
                continue;
            }
            const QChar code = w[++i];
            if (code == '%') expanded += '%';
            else if ((code == 'f' || code == 'u') && !files.isEmpty()) expanded += files.first();
            else if (code == 'f' || code == 'u') wantsMissingFile = true;
            // %i, %c, %k and the deprecated codes: nothing this editor has to give.
        }
        if (!wantsMissingFile && !expanded.isEmpty()) out << expanded;
    }
    return out;
}

std::optional<DesktopEntry> ParseDesktopEntry(const QByteArray& text, const QString& id) {
    DesktopEntry entry;
    entry.id = id;
    bool inMainGroup = false;
    bool application = false;
    QString exec;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Type")) application = value == QLatin1String("Application");
        else if (key == QLatin1String("Hidden") && value == QLatin1String("true")) return std::nullopt;
        else if (key == QLatin1String("Terminal") && value == QLatin1String("true")) return std::nullopt;
        else if (key == QLatin1String("Exec")) exec = Unescaped(value);
        else if (key == QLatin1String("TryExec")) entry.tryExec = Unescaped(value);
        else if (key == QLatin1String("MimeType")) entry.mimeTypes = ListValue(value);
        else if (key == QLatin1String("Categories")) entry.categories = ListValue(value);
    }
    entry.exec = SplitExecLine(exec);
    if (!application || entry.exec.isEmpty() || entry.exec.first().contains('%')) return std::nullopt;
    return entry;
}

std::vector<DesktopEntry> InstalledDesktopEntries() {
    std::vector<DesktopEntry> entries;
    std::set<QString> seen;
    int files = 0;
    for (const QString& folder : ApplicationFolders()) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext() && files < kMaxEntryFiles) {
            const QString path = it.next();
            ++files;
            // Entries in subfolders are known by their path with "-" for "/".
            const QString id = path.mid(folder.size() + 1).replace('/', '-');
            if (!seen.insert(id).second) continue;
            QFile file(path);
            if (file.size() > kMaxEntryBytes || !file.open(QIODevice::ReadOnly)) continue;
            if (std::optional<DesktopEntry> entry = ParseDesktopEntry(file.read(kMaxEntryBytes), id))
                entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

std::optional<DesktopEntry> DefaultDesktopEntry(const QString& mimeType) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty()) return std::nullopt;
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kLookupMs)) {
        query.kill();
        query.waitForFinished(kLookupMs);
        return std::nullopt;
    }
    const QString id = QString::fromUtf8(query.readAllStandardOutput().left(4096)).section('\n', 0, 0).trimmed();
    if (!id.endsWith(QLatin1String(".desktop")) || id.contains('/')) return std::nullopt;
    for (DesktopEntry& entry : InstalledDesktopEntries())
        if (entry.id == id) return std::move(entry);
    return std::nullopt;
}

}  // namespace zepo
