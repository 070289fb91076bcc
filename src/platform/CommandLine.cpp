#include "platform/CommandLine.h"

#include <vector>

namespace zepo {

QString ExpandToolOption(const QString& option, const QString& folder, const QString& file) {
    // One pass over the option alone: a folder or file whose own name holds "$F" or "$D"
    // reaches the program as it is.
    QString text;
    text.reserve(option.size() + folder.size());
    for (qsizetype i = 0; i < option.size(); ++i) {
        if (option[i] == '$' && i + 1 < option.size() && (option[i + 1] == 'D' || option[i + 1] == 'F')) {
            text += option[i + 1] == 'D' ? folder : file;
            ++i;
        } else {
            text += option[i];
        }
    }
    return text;
}

namespace {

struct Word {
    QString text;
    bool quoted = false;  // written with double quotes: an argument even when empty
};

std::vector<Word> SplitWords(const QString& text) {
    std::vector<Word> words;
    QString word;
    bool inWord = false, quoted = false, hadQuotes = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = text[i];
        if (c == '\\') {
            qsizetype run = 0;
            while (i < n && text[i] == '\\') ++run, ++i;
            if (i < n && text[i] == '"') {
                word += QString(run / 2, '\\');
                if (run % 2) {
                    word += '"';
                    ++i;
                }
            } else {
                word += QString(run, '\\');
            }
            inWord = true;
        } else if (c == '"') {
            if (quoted && i + 1 < n && text[i + 1] == '"') {
                word += '"';
                i += 2;
            } else {
                quoted = !quoted;
                hadQuotes = true;
                ++i;
            }
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back({word, hadQuotes});
            word.clear();
            inWord = hadQuotes = false;
            ++i;
        } else {
            word += c;
            inWord = true;
            ++i;
        }
    }
    if (inWord) words.push_back({word, hadQuotes});
    return words;
}

}  // namespace

QStringList SplitWindowsCommandLine(const QString& text) {
    QStringList words;
    for (const Word& w : SplitWords(text)) words << w.text;
    return words;
}

QStringList ToolArguments(const QString& option, const QString& folder, const QString& file) {
    QStringList arguments;
    for (const Word& word : SplitWords(option)) {
        const QString expanded = ExpandToolOption(word.text, folder, file);
        // A bare "$F" with no file passes nothing; a quoted one stays an (empty) argument, so
        // that the words after it keep their places.
        if (expanded.isEmpty() && !word.text.isEmpty() && !word.quoted) continue;
        arguments << expanded;
    }
    return arguments;
}

}  // namespace zepo
