#pragma once
// A list of the file names of one folder that match a mask, as the dialogs show them.

#include <QListWidget>
#include <QStringList>

#include <filesystem>
#include <string>
#include <string_view>

namespace zepo {

// Whether a file name matches one of the masks ("*.avi;*.wmv"), without regard to case:
// the folders were made on systems that do not tell case apart.
bool MatchesMask(const QString& fileName, const QString& masks);

// The matching regular files of `folder`, sorted without regard to case. Names that
// Shift-JIS cannot hold are left out, and so are names with one of the `refused` ASCII
// characters: a card could not name them. `readable`, when given, tells whether the folder
// could be listed at all.
QStringList FilesMatching(const std::filesystem::path& folder, const QString& masks, bool* readable = nullptr,
                          std::string_view refused = {});

// "description|patterns|description|patterns…" as the file dialog's filter lines
// "description(patterns);;…", each pattern shown once; "*.*" means every file.
QString QtFileFilter(const QString& pairs);

// A single-selection list of file names. Its own selecting and clearing emit nothing, so
// itemSelectionChanged reports the user's doing, by mouse or by keyboard.
class FileList : public QListWidget {
    Q_OBJECT
public:
    FileList(QString masks, QWidget* parent = nullptr);
    const QString& masks() const { return masks_; }
    // Names holding one of these ASCII characters are not listed from the next Reread on.
    void SetRefused(std::string_view refused) { refused_ = std::string(refused); }
    // False when the folder cannot be listed; the list is then empty.
    bool Reread(const std::filesystem::path& folder);
    // Selects the named file; no selection when it is empty or not listed.
    void SelectFile(const QString& name);
    void ClearSelection();
    QString SelectedFile() const;  // empty when nothing is selected

private:
    QString masks_;
    std::string refused_;
};

}  // namespace zepo
