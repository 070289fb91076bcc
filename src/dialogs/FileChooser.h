#pragma once
// The platform's open-file dialog, behind an interface so that tests can answer it.

#include <QString>
#include <QStringList>

class QWidget;

namespace zepo {

struct OpenFileRequest {
    QString title;
    QString folder;         // where the dialog starts
    QString filter;         // "name (pattern)"
    QString defaultSuffix;  // without the dot
    QString lastFile;       // the dialog's file name from its last use, shown selected
    QStringList places;     // the folders of the side bar (FolderPlaces)
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's full path, or an empty string when cancelled.
    virtual QString ChooseOpenFile(const OpenFileRequest& request) = 0;
};

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    QString ChooseOpenFile(const OpenFileRequest& request) override;

private:
    QWidget* owner_;
};

}  // namespace zepo
