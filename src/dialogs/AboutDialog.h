#pragma once
// The version box.

#include <QDialog>

namespace zepo {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// A dialog whose contents come with the command that uses it; until then it exists with
// its caption so that the window list of the editor is complete.
class PendingDialog : public QDialog {
    Q_OBJECT
public:
    PendingDialog(const QString& className, const QString& caption, QWidget* parent = nullptr);
    const QString& className() const { return className_; }

private:
    QString className_;
};

}  // namespace zepo
