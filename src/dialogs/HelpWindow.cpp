#include "dialogs/HelpWindow.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "dialogs/Named.h"
#include "dialogs/SearchText.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolders.h"

namespace zepo {
namespace {

// A browser that takes its pages, pictures and style sheets from the help file.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}
    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp")) return engine_.fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine& engine_;
};

// Entries that begin with a symbol or hold an underscore ($D, /a, .zep, capt_) are names
// from files and options rather than words: the index lists them after the words.
bool IsSymbolEntry(const QString& folded) {
    return folded.isEmpty() || !folded.front().isLetterOrNumber() || folded.contains(u'_');
}

// A "word TAB word" table packed into the help file beside the pages: the readings of the
// index's keywords written in kanji, the words the manual uses for what a user may type.
QList<QStringList> HelpTable(QHelpEngine& engine, const QString& helpFile, const QString& name) {
    QList<QStringList> rows;
    const QString ns = QHelpEngineCore::namespaceName(helpFile);
    const QByteArray data = engine.fileData(QUrl(QStringLiteral("qthelp://%1/doc/%2").arg(ns, name)));
    for (const QString& line : QString::fromUtf8(data).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.trimmed().split(u'\t');
        if (fields.size() == 2 && !line.startsWith(u'#')) rows.push_back(fields);
    }
    return rows;
}

QHash<QString, QString> Readings(QHelpEngine& engine, const QString& helpFile) {
    QHash<QString, QString> readings;
    for (const QStringList& row : HelpTable(engine, helpFile, QStringLiteral("readings.tsv")))
        readings.insert(row[0], row[1]);
    return readings;
}

// `text` folded for searching, and for each folded character the index in `text` of the
// character it came from, so that a hit in the folded text is shown in the page's own words.
// A half-width kana and its voicing mark fold together (ｶﾞ is ガ).
std::pair<QString, QList<qsizetype>> FoldedWithOrigin(const QString& text) {
    QString folded;
    QList<qsizetype> origin;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i + 1;
        if (text[i].isHighSurrogate() && end < text.size()) ++end;
        while (end < text.size() && (text[end] == u'\uff9e' || text[end] == u'\uff9f')) ++end;
        const QString piece = SearchFolded(text.mid(i, end - i));
        folded += piece;
        for (qsizetype k = 0; k < piece.size(); ++k) origin.push_back(i);
        i = end;
    }
    return {folded, origin};
}

// Roles of an index entry: the folded keyword and its folded reading, matched as typed.
constexpr int kFoldedRole = Qt::UserRole;
constexpr int kReadingRole = Qt::UserRole + 1;

}  // namespace

HelpWindow::HelpWindow(const QString& helpFile, const QString& collectionFile, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(helpFile) {
    setObjectName("HelpWindow");
    setWindowTitle("ＺＥＰＯエディタ ヘルプ");
    // The help serves the editor: ending the editor ends the program even while the help is
    // open, instead of leaving a process behind that the next start would hand its card to.
    setAttribute(Qt::WA_QuitOnClose, false);
    QDir().mkpath(QFileInfo(collectionFile).absolutePath());
    engine_ = new QHelpEngine(collectionFile, this);
    engine_->setReadOnly(false);
    if (engine_->setupData() && QFileInfo(helpFile).isFile()) {
        const QString ns = QHelpEngineCore::namespaceName(helpFile);
        // A newer build of the help file replaces the registered one.
        if (!ns.isEmpty() && engine_->registeredDocumentations().contains(ns) &&
            QFileInfo(engine_->documentationFileName(ns)) != QFileInfo(helpFile))
            engine_->unregisterDocumentation(ns);
        if (!ns.isEmpty() && !engine_->registeredDocumentations().contains(ns))
            engine_->registerDocumentation(helpFile);
        ready_ = !ns.isEmpty() && engine_->registeredDocumentations().contains(ns);
    }

    page = Named(new HelpBrowser(*engine_, this), "HelpPage");
    tabs = Named(new QTabWidget(this), "HelpTabs");

    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName("HelpContents");
    tabs->addTab(contents, "目次");

    auto* indexPage = new QWidget(tabs);
    indexFilter = Named(new QLineEdit(indexPage), "HelpIndexFilter");
    indexFilter->setPlaceholderText("キーワードの一部を入力");
    index = Named(new QListWidget(indexPage), "HelpIndex");
    auto* indexColumn = new QVBoxLayout(indexPage);
    indexColumn->addWidget(new QLabel("キーワード：", indexPage));
    indexColumn->addWidget(indexFilter);
    indexColumn->addWidget(index, 1);
    tabs->addTab(indexPage, "キーワード");

    auto* searchPage = new QWidget(tabs);
    searchField = Named(new QLineEdit(searchPage), "HelpSearchField");
    searchField->setPlaceholderText("探す言葉（空白で区切ると、すべてを含むページ）");
    searchResults = Named(new QListWidget(searchPage), "HelpSearchResults");
    searchResults->setWordWrap(true);
    auto* searchColumn = new QVBoxLayout(searchPage);
    searchColumn->addWidget(new QLabel("探す言葉：", searchPage));
    searchColumn->addWidget(searchField);
    searchColumn->addWidget(searchResults, 1);
    tabs->addTab(searchPage, "全文検索");

    // Back and forward through the pages shown, as in a web browser.
    back = Named(new QToolButton(this), "HelpBack");
    forward = Named(new QToolButton(this), "HelpForward");
    back->setText("◀ 戻る");
    forward->setText("進む ▶");
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    for (QToolButton* b : {back, forward}) {
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setEnabled(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 0);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* split = new QSplitter(this);
    split->addWidget(tabs);
    split->addWidget(page);
    split->setStretchFactor(1, 1);
    // Wide enough for the contents' task titles.
    split->setSizes({330, 570});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(split);
    connect(back, &QToolButton::clicked, page, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, page, &QTextBrowser::forward);
    connect(page, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(page, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    resize(900, 640);

    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents, &QTreeView::expandAll);
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::ShowPage);
    connect(indexFilter, &QLineEdit::textChanged, this, &HelpWindow::FilterIndex);
    // The keywords come from the help engine, which reads them in the background; a filter
    // typed before they are there applies after.
    connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, this, &HelpWindow::FillIndex);
    if (!engine_->indexModel()->stringList().isEmpty()) FillIndex();
    connect(indexFilter, &QLineEdit::returnPressed, this, [this] {
        QListWidgetItem* item = index->currentItem();
        if (!item || item->isHidden())
            for (int r = 0; r < index->count() && (!item || item->isHidden()); ++r) item = index->item(r);
        if (item && !item->isHidden()) OpenKeyword(item);
    });
    connect(index, &QListWidget::itemClicked, this, &HelpWindow::OpenKeyword);
    connect(index, &QListWidget::itemActivated, this, &HelpWindow::OpenKeyword);
    connect(searchField, &QLineEdit::returnPressed, this, &HelpWindow::RunSearch);
    // One click opens a result, as a link would; Enter on the keyboard does too.
    const auto openResult = [this](QListWidgetItem* item) {
        const QUrl url = item->data(Qt::UserRole).toUrl();
        if (url.isValid()) ShowPage(url);
    };
    connect(searchResults, &QListWidget::itemClicked, this, openResult);
    connect(searchResults, &QListWidget::itemActivated, this, openResult);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::Raise() {
    // A modal dialog blocks every window but its own and the window manager keeps it above
    // them: the help its button opens must belong to it, to come up above it and take input
    // while it is open. Otherwise the help belongs to nobody, so that it neither closes with
    // a dialog nor stays above one.
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal && modal != this ? modal->window()->windowHandle() : nullptr;
    if (!windowHandle()) create();
    if (windowHandle()->transientParent() != owner) windowHandle()->setTransientParent(owner);
    // A help window the user minimised comes back as it was before.
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpWindow::FillIndex() {
    QStringList keywords = engine_->indexModel()->stringList();
    keywords.removeDuplicates();
    const QHash<QString, QString> readings = Readings(*engine_, helpFile_);
    struct Entry {
        QString keyword, folded, reading;
        bool symbol;
    };
    std::vector<Entry> entries;
    for (const QString& k : keywords) {
        const QString folded = SearchFolded(k);
        entries.push_back({k, folded, SearchFolded(readings.value(k, k)), IsSymbolEntry(folded)});
    }
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::stable_sort(entries.begin(), entries.end(), [&collator](const Entry& a, const Entry& b) {
        if (a.symbol != b.symbol) return b.symbol;
        const int byReading = collator.compare(a.reading, b.reading);
        return byReading != 0 ? byReading < 0 : collator.compare(a.folded, b.folded) < 0;
    });
    index->clear();
    for (const Entry& e : entries) {
        auto* item = new QListWidgetItem(e.keyword, index);
        item->setData(kFoldedRole, e.folded);
        item->setData(kReadingRole, e.reading);
    }
    FilterIndex(indexFilter->text());
}

void HelpWindow::FilterIndex(const QString& text) {
    const QString wanted = SearchFolded(text.trimmed());
    QListWidgetItem* first = nullptr;
    for (int r = 0; r < index->count(); ++r) {
        QListWidgetItem* item = index->item(r);
        const bool shown = wanted.isEmpty() || item->data(kFoldedRole).toString().contains(wanted) ||
                           item->data(kReadingRole).toString().contains(wanted);
        item->setHidden(!shown);
        if (shown && !first) first = item;
    }
    if (first) index->setCurrentItem(first);
}

QStringList HelpWindow::IndexEntries() const {
    QStringList shown;
    for (int r = 0; r < index->count(); ++r)
        if (!index->item(r)->isHidden()) shown << index->item(r)->text();
    return shown;
}

void HelpWindow::OpenKeyword(const QListWidgetItem* item) {
    const QList<QHelpLink> links = engine_->documentsForKeyword(item->text());
    if (links.size() == 1) ShowPage(links.first().url);
    if (links.size() < 2) return;
    // A keyword of several pages shows them all to choose from, as the page.
    QString html = QStringLiteral("<h1>%1</h1><p>「%1」が出てくるページ：</p><ul>").arg(item->text().toHtmlEscaped());
    for (const QHelpLink& link : links)
        html += QStringLiteral("<li><a href=\"%1\">%2</a></li>")
                    .arg(link.url.toString().toHtmlEscaped(), link.title.toHtmlEscaped());
    page->setHtml(html + QStringLiteral("</ul>"));
    Raise();
}

void HelpWindow::ShowPage(const QUrl& url) {
    page->setSource(url);
    Raise();
}

void HelpWindow::ReadPages() {
    if (!texts_.isEmpty() || !ready_) return;
    const QString ns = QHelpEngineCore::namespaceName(helpFile_);
    for (const QUrl& url : engine_->files(ns, QString(), QStringLiteral("html"))) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(engine_->fileData(url)));
        const QString title = document.metaInformation(QTextDocument::DocumentTitle);
        auto [folded, origin] = FoldedWithOrigin(document.toPlainText());
        texts_.push_back({url, title, SearchFolded(title), document.toPlainText(), folded, origin});
    }
    for (const QStringList& row : HelpTable(*engine_, helpFile_, QStringLiteral("synonyms.tsv")))
        synonyms_[SearchFolded(row[0])].push_back(SearchFolded(row[1]));
}

// The word as typed and the words the manual uses for it.
QStringList HelpWindow::Alternatives(const QString& folded) const {
    return QStringList{folded} + synonyms_.value(folded);
}

QList<QUrl> HelpWindow::Search(const QString& words) {
    ReadPages();
    const QStringList wanted =
        SearchFolded(words).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    struct Hit {
        QUrl url;
        bool inTitle;
        qsizetype count;
    };
    std::vector<Hit> hits;
    if (wanted.isEmpty()) return {};
    for (const PageText& p : texts_) {
        bool all = true, inTitle = true;
        qsizetype count = 0;
        for (const QString& w : wanted) {
            bool found = false, titled = false;
            for (const QString& a : Alternatives(w)) {
                const qsizetype n = p.folded.count(a) + p.foldedTitle.count(a);
                found = found || n > 0;
                titled = titled || p.foldedTitle.contains(a);
                count += n;
            }
            all = all && found;
            inTitle = inTitle && titled;
        }
        if (all) hits.push_back({p.url, inTitle, count});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit& a, const Hit& b) { return a.inTitle != b.inTitle ? a.inTitle : a.count > b.count; });
    QList<QUrl> found;
    for (const Hit& h : hits) found.push_back(h.url);
    return found;
}

QString HelpWindow::Extract(const QUrl& url, const QString& words) {
    ReadPages();
    constexpr qsizetype kBefore = 16, kLength = 48;
    for (const PageText& p : texts_) {
        if (p.url != url) continue;
        for (const QString& w :
             SearchFolded(words).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            for (const QString& a : Alternatives(w)) {
                const qsizetype at = p.folded.indexOf(a);
                if (at < 0) continue;
                const qsizetype from = std::max<qsizetype>(0, p.origin[at] - kBefore);
                const QString text = p.plain.mid(from, kLength).simplified();
                return (from > 0 ? QStringLiteral("…") : QString()) + text +
                       (from + kLength < p.plain.size() ? QStringLiteral("…") : QString());
            }
    }
    return {};
}

void HelpWindow::RunSearch() {
    searchResults->clear();
    const QString words = searchField->text();
    for (const QUrl& url : Search(words)) {
        QString title;
        for (const PageText& p : texts_)
            if (p.url == url) title = p.title;
        // The page's title in bold, then the words around the hit, dimmed; either opens the page.
        auto* heading = new QListWidgetItem(title.isEmpty() ? url.fileName() : title, searchResults);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        auto* extract = new QListWidgetItem(u'\u3000' + Extract(url, words), searchResults);
        extract->setForeground(palette().color(QPalette::PlaceholderText));
        for (QListWidgetItem* item : {heading, extract}) item->setData(Qt::UserRole, url);
    }
    if (searchResults->count() == 0) new QListWidgetItem("見つかりませんでした。", searchResults);
}

QUrl HelpWindow::currentPage() const { return page->source(); }

void HelpWindow::ShowContents() {
    tabs->setCurrentIndex(0);
    if (currentPage().isEmpty()) ShowTopic(QStringLiteral("main"));
    Raise();
}

void HelpWindow::ShowIndex() {
    tabs->setCurrentIndex(1);
    indexFilter->clear();
    Raise();
    indexFilter->setFocus();
}

void HelpWindow::ShowSearch() {
    tabs->setCurrentIndex(2);
    Raise();
}

bool HelpWindow::ShowTopic(const QString& id) {
    const QList<QHelpLink> links = engine_->documentsForIdentifier(id);
    if (links.isEmpty()) return false;
    ShowPage(links.first().url);
    return true;
}

QString FindHelpFile(const QString& programFolder) {
    const QStringList candidates{programFolder + "/zepoed.qch", programFolder + "/../share/zepo/help/zepoed.qch"};
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile()) return QFileInfo(c).canonicalFilePath();
    return candidates.last();
}

QString DefaultHelpCollection() {
    // The index is the user's: in the editor's one cache folder, closed to others, or, when
    // that cannot be used, in the private folder the running editor keeps its lock in.
    const std::filesystem::path cache = CacheFolderOfThisUser();
    std::filesystem::path folder = cache;
    if (!PrivateFolder::Open(cache, cache.parent_path())) folder = InstanceLockPath().parent_path();
    if (folder.empty()) return {};
    return QString::fromStdString((folder / "zepoed-help.qhc").string());
}

}  // namespace zepo
