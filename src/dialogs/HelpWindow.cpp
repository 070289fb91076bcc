#include "dialogs/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWindow>

#include "dialogs/Named.h"

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
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName("HelpIndex");
    auto* indexColumn = new QVBoxLayout(indexPage);
    indexColumn->addWidget(new QLabel("キーワード：", indexPage));
    indexColumn->addWidget(indexFilter);
    indexColumn->addWidget(index, 1);
    tabs->addTab(indexPage, "キーワード");

    auto* searchPage = new QWidget(tabs);
    searchField = Named(new QLineEdit(searchPage), "HelpSearchField");
    searchField->setPlaceholderText("探す言葉（空白で区切ると、すべてを含むページ）");
    searchResults = Named(new QListWidget(searchPage), "HelpSearchResults");
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
    connect(indexFilter, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    // The index is built in the background; a filter typed before it is ready applies after.
    connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, index, [this, index] {
        if (!indexFilter->text().isEmpty()) index->filterIndices(indexFilter->text());
    });
    connect(indexFilter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { ShowPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links, const QString&) {
        if (!links.isEmpty()) ShowPage(links.first().url);
    });
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

void HelpWindow::ShowPage(const QUrl& url) {
    page->setSource(url);
    Raise();
}

QList<QUrl> HelpWindow::Search(const QString& words) {
    if (texts_.isEmpty() && ready_) {
        const QString ns = QHelpEngineCore::namespaceName(helpFile_);
        for (const QUrl& url : engine_->files(ns, QString(), QStringLiteral("html"))) {
            QTextDocument document;
            document.setHtml(QString::fromUtf8(engine_->fileData(url)));
            texts_.push_back({url, document.metaInformation(QTextDocument::DocumentTitle), document.toPlainText()});
        }
    }
    const QStringList wanted = words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<QUrl> found;
    if (wanted.isEmpty()) return found;
    for (const PageText& p : texts_) {
        bool all = true;
        for (const QString& w : wanted) all = all && (p.text.contains(w, Qt::CaseInsensitive) || p.title.contains(w, Qt::CaseInsensitive));
        if (all) found.push_back(p.url);
    }
    return found;
}

void HelpWindow::RunSearch() {
    searchResults->clear();
    for (const QUrl& url : Search(searchField->text())) {
        QString title;
        for (const PageText& p : texts_)
            if (p.url == url) title = p.title;
        auto* item = new QListWidgetItem(title.isEmpty() ? url.fileName() : title, searchResults);
        item->setData(Qt::UserRole, url);
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
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/zepoed-help.qhc";
}

}  // namespace zepo
