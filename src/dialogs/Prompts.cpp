#include "dialogs/Prompts.h"

#include <QApplication>
#include <QMessageBox>

#include "core/TextCodec.h"

namespace zepo {

std::string MessageText(std::string_view sjis) {
    std::string text = SjisToUtf8(sjis);
    for (char& c : text)
        if (c == '\r') c = '\n';
    return text;
}

void QtPrompts::Beep(BeepKind) { QApplication::beep(); }

void QtPrompts::Show(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                    QString::fromStdString(MessageText(text)), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtPrompts::YesNo(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                    QString::fromStdString(MessageText(text)), QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace zepo
