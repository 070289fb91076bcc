#include "dialogs/FileList.h"

#include <QSignalBlocker>

#include <QRegularExpression>

#include <algorithm>
#include <vector>

#include "core/TextCodec.h"

namespace zepo {

namespace {

// The masks made once for a whole folder: a folder of thousands of files would otherwise
// build each pattern once per file.
std::vector<QRegularExpression> MaskPatterns(const QString& masks) {
    std::vector<QRegularExpression> patterns;
    for (const QString& mask : masks.split(';', Qt::SkipEmptyParts))
        patterns.emplace_back(QRegularExpression::wildcardToRegularExpression(mask.trimmed()),
                              QRegularExpression::CaseInsensitiveOption);
    return patterns;
}

bool Matches(const QString& fileName, const std::vector<QRegularExpression>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const QRegularExpression& re) { return re.match(fileName).hasMatch(); });
}

}  // namespace

bool MatchesMask(const QString& fileName, const QString& masks) { return Matches(fileName, MaskPatterns(masks)); }

QStringList FilesMatching(const std::filesystem::path& folder, const QString& masks, bool* readable,
                          std::string_view refused) {
    QStringList names;
    const std::vector<QRegularExpression> patterns = MaskPatterns(masks);
    std::error_code ec;
    auto it = std::filesystem::directory_iterator(folder, ec);
    if (readable) *readable = !ec;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        QString name = QString::fromStdString(it->path().filename().string());
        if (!Matches(name, patterns)) continue;
        if (!UnwritableCharacterNames(name.toStdString(), refused).empty()) continue;
        names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString QtFileFilter(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList lines;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // The dialog filters by the parenthesised patterns at the end of a line and shows the
        // line as it stands: a description that already names its patterns loses them, so
        // each pattern shows once and the filter is the one given. "*.*" is every file here,
        // where programs have no extension.
        QString description = parts[i];
        if (description.endsWith(')')) {
            const qsizetype open = description.lastIndexOf('(');
            if (open > 0) description.truncate(open);
        }
        QString patterns = parts[i + 1];
        patterns.replace("*.*", "*");
        lines << description.trimmed() + "(" + patterns + ")";
    }
    return lines.join(";;");
}

FileList::FileList(QString masks, QWidget* parent) : QListWidget(parent), masks_(std::move(masks)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

// The program's own changes of the list stay quiet: itemSelectionChanged then means the user.
bool FileList::Reread(const std::filesystem::path& folder) {
    QSignalBlocker quiet(this);
    clear();
    bool readable = false;
    addItems(FilesMatching(folder, masks_, &readable, refused_));
    return readable;
}

void FileList::SelectFile(const QString& name) {
    QSignalBlocker quiet(this);
    ClearSelection();
    if (name.isEmpty()) return;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == name) {
            setCurrentRow(i);
            item(i)->setSelected(true);
            return;
        }
    }
}

void FileList::ClearSelection() {
    QSignalBlocker quiet(this);
    clearSelection();
    setCurrentRow(-1);
}

QString FileList::SelectedFile() const {
    const auto items = selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
}

}  // namespace zepo
