#include "dialogs/FileList.h"

#include <QSignalBlocker>

#include <QRegularExpression>

#include <algorithm>

#include "core/TextCodec.h"

namespace zepo {

bool MatchesMask(const QString& fileName, const QString& masks) {
    for (const QString& mask : masks.split(';', Qt::SkipEmptyParts)) {
        QRegularExpression re(QRegularExpression::wildcardToRegularExpression(mask.trimmed()),
                              QRegularExpression::CaseInsensitiveOption);
        if (re.match(fileName).hasMatch()) return true;
    }
    return false;
}

QStringList FilesMatching(const std::filesystem::path& folder, const QString& masks, bool* readable) {
    QStringList names;
    std::error_code ec;
    auto it = std::filesystem::directory_iterator(folder, ec);
    if (readable) *readable = !ec;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        QString name = QString::fromStdString(it->path().filename().string());
        if (!MatchesMask(name, masks)) continue;
        if (!Utf8ToSjis(name.toStdString()).ok()) continue;
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
    for (int i = 0; i + 1 < parts.size(); i += 2) lines << parts[i] + " (" + parts[i + 1] + ")";
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
    addItems(FilesMatching(folder, masks_, &readable));
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
