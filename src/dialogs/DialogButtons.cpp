#include "dialogs/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace zepo {

DialogButtons MakeDialogButtons(QDialog* dialog) {
    DialogButtons b;
    b.ok = new QPushButton("OK", dialog);
    b.cancel = new QPushButton("キャンセル", dialog);
    b.help = new QPushButton("ヘルプ(&H)", dialog);
    b.ok->setObjectName("OKBtn");
    b.cancel->setObjectName("CancelBtn");
    b.help->setObjectName("HelpBtn");
    b.ok->setDefault(true);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    b.row->addWidget(b.help);
    QObject::connect(b.ok, &QPushButton::clicked, dialog, [dialog] { dialog->accept(); });
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, [dialog] { dialog->reject(); });
    return b;
}

}  // namespace zepo
