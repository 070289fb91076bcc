#pragma once
// What every property dialog shares: the OK, Cancel and Help row, the help request and the
// tab order, made once here instead of in each dialog.

#include <QDialog>
#include <QString>

#include <initializer_list>

class QCheckBox;
class QHBoxLayout;
class QPushButton;

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
    // Makes the row that ends the dialog (named OKBtn, CancelBtn and HelpBtn) and gives it,
    // right-aligned, for the dialog's layout. OK accepts through the dialog's own accept(), so
    // a dialog that checks its fields can refuse; Cancel rejects; Help asks for `helpTopic`.
    // Called where the row belongs in the dialog's creation order.
    QHBoxLayout* MakeButtonRow(const QString& helpTopic);

    // The red "設定解除" box (named Cancel) of the card-level feature dialogs: ticked, OK
    // switches the feature off.
    QCheckBox* MakeSwitchOffBox();

    // Tab moves through `controls` in this order (the order the eye reads the dialog in), then
    // through the button row. Creation order is rarely that order once group boxes and columns
    // are laid out.
    void TabInReadingOrder(std::initializer_list<QWidget*> controls);

    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;

private:
    QString helpTopic_;
};

}  // namespace zepo
