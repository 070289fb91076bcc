#pragma once
// Names of files and folders and text from cards come from anyone. Qt draws a label's or a
// tip's text that looks like markup as rich text (a heading, a link that opens a browser), so
// every widget that shows them shows them as typed: labels with Qt::PlainText, tips through
// PlainTip.

#include <QString>
#include <QTextDocument>

namespace zepo {

// A tooltip that shows `plain` as typed, spaces and line breaks kept. Tips have no text
// format of their own: the text is escaped into a paragraph of rich text.
inline QString PlainTip(const QString& plain) {
    return plain.isEmpty() ? plain : Qt::convertFromPlainText(plain, Qt::WhiteSpacePre);
}

}  // namespace zepo
