#include "dialogs/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/Version.h"

namespace zepo {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("バージョン情報");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("ＺＥＰＯエディタ", this));
    layout->addWidget(new QLabel(QString("バージョン ") + kZepoVersion, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace zepo
