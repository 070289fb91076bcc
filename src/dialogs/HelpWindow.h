#pragma once
// The editor's own help: contents, an index searched by any part of a keyword, a full-text
// search and the topic pages, from the compressed help file built with the program. The
// dialogs' help buttons jump to a topic by its identifier ("HID00000018").

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace zepo {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `helpFile` is the .qch; `collectionFile` a file the help engine may create and write
    // (its register of help files and the search index live beside it).
    HelpWindow(const QString& helpFile, const QString& collectionFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Whether the help file could be registered; without it the commands show a message.
    bool ready() const { return ready_; }
    const QString& helpFile() const { return helpFile_; }

    void ShowContents();
    // The index with the keyword field focused and empty: typing any part of a keyword, or of
    // its reading in hiragana, narrows the list; half- and full-width forms count as one.
    void ShowIndex();
    // The keywords the index lists now, in their order: by reading, symbols ($D, /a) last.
    QStringList IndexEntries() const;
    void ShowSearch();
    // False when no page has that identifier.
    bool ShowTopic(const QString& id);
    void ShowPage(const QUrl& url);

    // The pages whose text holds every blank-separated word of `words` (or a word the manual
    // uses for it, help/synonyms.tsv), folded as SearchFolded folds: pages whose title holds
    // them first, then by how often they occur. Japanese has no blanks between words, so any
    // part of a text is found.
    QList<QUrl> Search(const QString& words);
    // The words of `page`'s text around the first of `words` it holds, as the results show them.
    QString Extract(const QUrl& page, const QString& words);
    QUrl currentPage() const;
    QHelpEngine& engine() { return *engine_; }

    QTabWidget* tabs;
    QLineEdit* indexFilter;
    QListWidget* index;
    QLineEdit* searchField;
    QListWidget* searchResults;
    QTextBrowser* page;
    QToolButton* back;
    QToolButton* forward;

private:
    void Raise();
    void RunSearch();
    void FillIndex();
    void FilterIndex(const QString& text);
    void OpenKeyword(const QListWidgetItem* item);
    void ReadPages();
    QStringList Alternatives(const QString& folded) const;

    QString helpFile_;
    QHelpEngine* engine_;
    bool ready_ = false;
    // Each page's title and plain text, both also folded for searching with, for every folded
    // character, where it came from in the plain text; read on the first search.
    struct PageText {
        QUrl url;
        QString title, foldedTitle, plain, folded;
        QList<qsizetype> origin;
    };
    QList<PageText> texts_;
    QHash<QString, QStringList> synonyms_;
};

// Where the help file is: beside the program (build tree) or in the installed data folder.
QString FindHelpFile(const QString& programFolder);
// A writable place for the help engine's collection file.
QString DefaultHelpCollection();

}  // namespace zepo
