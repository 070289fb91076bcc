#include "dialogs/MacroViewer.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "core/TextCodec.h"
#include "dialogs/Named.h"

namespace zepo {

MacroViewer::MacroViewer(QWidget* parent) : QDialog(parent) {
    setWindowTitle("マクロビュワー");
    setWindowState(Qt::WindowMaximized);
    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font("ＭＳ Ｐゴシック");
    font.setPixelSize(12);
    Memo1->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

void MacroViewer::setVisible(bool visible) {
    if (visible && !isVisible()) {
        if (QScreen* screen = this->screen()) resize(screen->availableGeometry().size());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    QDialog::setVisible(visible);
}

void MacroViewer::Load(const std::vector<std::string>& lines) {
    QStringList rows;
    for (const std::string& line : lines) rows << QString::fromStdString(SjisToUtf8(line));
    Memo1->setPlainText(rows.join('\n'));
}

}  // namespace zepo
