#pragma once
// What every property dialog shares: the OK, Cancel and Help row and the help request, made
// once here instead of in each dialog.

#include <QDialog>
#include <QString>

#include "dialogs/DialogButtons.h"

namespace zepo {

class PropertyDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertyDialog(QWidget* parent = nullptr) : QDialog(parent) {}

    // The topic of the manual that describes this dialog (its help button's, and F1's).
    const QString& helpTopic() const { return helpTopic_; }

signals:
    // The help button: the topic of the manual that describes this dialog.
    void helpRequested(const QString& topic);

protected:
    // The row that ends the dialog (OKBtn, CancelBtn, HelpBtn): OK accepts through the
    // dialog's own accept(), so a dialog that checks its fields can refuse; Cancel rejects;
    // Help asks for `helpTopic`.
    DialogButtons MakeButtons(const QString& helpTopic);

private:
    QString helpTopic_;
};

}  // namespace zepo
