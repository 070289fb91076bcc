#include "dialogs/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace zepo {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("バージョン情報");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("ＺＥＰＯエディタ", this));
    layout->addWidget(new QLabel("バージョン 0.1", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

PendingDialog::PendingDialog(const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent), className_(className) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace zepo
