#include "dialogs/PropertyDialog.h"

#include <QPushButton>

namespace zepo {

DialogButtons PropertyDialog::MakeButtons(const QString& helpTopic) {
    helpTopic_ = helpTopic;
    DialogButtons buttons = MakeDialogButtons(this);
    connect(buttons.help, &QPushButton::clicked, this, [this, helpTopic] { emit helpRequested(helpTopic); });
    return buttons;
}

}  // namespace zepo
