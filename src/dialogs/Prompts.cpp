#include "dialogs/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

#include "core/TextCodec.h"

namespace zepo {

std::string MessageText(std::string_view sjis) {
    std::string text = MessageToUtf8(sjis);
    for (char& c : text)
        if (c == '\r') c = '\n';
    return text;
}

void QtPrompts::Beep(BeepKind) { QApplication::beep(); }

namespace {

// A message shown while the editor is busy (a card being read) gets the ordinary pointer
// back for as long as it is open.
class NormalCursorWhileOpen {
public:
    NormalCursorWhileOpen() : busy_(QApplication::overrideCursor() != nullptr) {
        if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursorWhileOpen() {
        if (busy_) QApplication::restoreOverrideCursor();
    }

private:
    bool busy_;
};

// The editor's name as its windows show it (the application's name is the task bar's).
const QString kTitle = QStringLiteral("ＺＥＰＯエディタ");

// The one place message boxes are made. Their texts carry names of files and folders and
// text from cards, which anyone may have written as markup: shown as typed, never as a
// heading or a link that opens something.
std::unique_ptr<QMessageBox> NewMessageBox(QWidget* owner, std::string_view text,
                                           QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, kTitle, QString::fromStdString(MessageText(text)),
                                             buttons, owner);
    box->setTextFormat(Qt::PlainText);
    return box;
}

int ExecMessage(QWidget* owner, std::string_view text, QMessageBox::StandardButtons buttons) {
    auto box = NewMessageBox(owner, text, buttons);
    // As a Japanese desktop words them, without the accelerator letters of the translation.
    if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->setText("はい");
    if (QAbstractButton* no = box->button(QMessageBox::No)) no->setText("いいえ");
    NormalCursorWhileOpen cursor;
    return box->exec();
}

}  // namespace

void QtPrompts::Show(std::string_view text) { ExecMessage(owner_, text, QMessageBox::Ok); }

bool QtPrompts::YesNo(std::string_view text) {
    return ExecMessage(owner_, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Choice QtPrompts::Choose(std::string_view text, const ChoiceButtons& buttons) {
    auto box = NewMessageBox(owner_, text, QMessageBox::NoButton);
    QAbstractButton* yes = box->addButton(QString::fromUtf8(buttons.yes), QMessageBox::AcceptRole);
    QAbstractButton* no = box->addButton(QString::fromUtf8(buttons.no), QMessageBox::DestructiveRole);
    QAbstractButton* cancel = box->addButton(QString::fromUtf8(buttons.cancel), QMessageBox::RejectRole);
    box->setDefaultButton(qobject_cast<QPushButton*>(yes));
    box->setEscapeButton(cancel);
    NormalCursorWhileOpen cursor;
    box->exec();
    if (box->clickedButton() == yes) return Choice::Yes;
    if (box->clickedButton() == no) return Choice::No;
    return Choice::Cancel;
}

}  // namespace zepo
