#pragma once
// The version box.

#include <QDialog>

namespace zepo {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace zepo
