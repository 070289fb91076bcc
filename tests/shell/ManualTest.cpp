// The manual against the program: every window has its page with a picture drawn from it,
// every control a page names exists in that window, and a search result opens on one click.

#include <QDir>
#include <QFile>
#include <QHelpEngine>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <map>
#include <set>

#include "ShellFixture.h"
#include "dialogs/HelpWindow.h"
#include "shell/HelpCommands.h"

namespace zepo::test {
namespace {

const QString kHelpDir = QStringLiteral(ZEPO_SOURCE_DIR "/help");

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(text)) found << m.captured(1);
    return found;
}

struct Page {
    QString file, window;
    QStringList controls, pictures;
};

std::vector<Page> Pages() {
    std::vector<Page> pages;
    for (const QString& name : QDir(kHelpDir).entryList({"*.html"}, QDir::Files, QDir::Name)) {
        const QString html = ReadText(kHelpDir + '/' + name);
        pages.push_back({name, Captures(html, R"re(<meta name="window" content="([^"]+)")re").value(0),
                         Captures(html, R"re(data-name="([^"]+)")re"), Captures(html, R"re(<img src="([^"]+)")re")});
    }
    return pages;
}

class ManualTest : public ShellTest {
protected:
    // The window a page describes, by its class name without the namespace.
    QWidget* Window(const QString& name) {
        if (name == "MainWindow") return &form();
        for (QDialog* d : windows->dialogs())
            if (QString(d->metaObject()->className()).section("::", -1) == name) return d;
        return nullptr;
    }
};

TEST_F(ManualTest, EveryWindowHasItsPageWithItsPictureAndEveryNamedControlExists) {
    Start();
    const QString project = ReadText(kHelpDir + "/zepoed.qhp");
    const QStringList listed = Captures(project, "<file>([^<]+)</file>");
    std::set<QString> described, shown;
    qsizetype characters = 0;
    for (const Page& page : Pages()) {
        SCOPED_TRACE(page.file.toStdString());
        EXPECT_TRUE(listed.contains(page.file)) << "not in the help project";
        EXPECT_TRUE(project.contains("ref=\"" + page.file + "\"")) << "not in the contents";
        QTextDocument text;
        text.setHtml(ReadText(kHelpDir + '/' + page.file));
        characters += text.toPlainText().remove(QRegularExpression("\\s")).size();
        for (const QString& picture : page.pictures) {
            EXPECT_TRUE(QFile::exists(kHelpDir + '/' + picture)) << picture.toStdString();
            EXPECT_TRUE(listed.contains(picture)) << picture.toStdString() << " not in the help project";
            shown.insert(picture);
        }
        if (page.window.isEmpty()) {
            EXPECT_TRUE(page.controls.isEmpty()) << "names controls but no window";
            continue;
        }
        QWidget* window = Window(page.window);
        ASSERT_NE(window, nullptr) << "no window " << page.window.toStdString();
        described.insert(page.window);
        EXPECT_FALSE(page.pictures.isEmpty()) << "a window's page shows its picture";
        for (const QString& control : page.controls)
            EXPECT_NE(window->findChild<QObject*>(control), nullptr)
                << page.window.toStdString() << " has no control " << control.toStdString();
    }
    // Every window the user meets is described, and every picture drawn is shown somewhere.
    for (QDialog* d : windows->dialogs())
        EXPECT_TRUE(described.count(QString(d->metaObject()->className()).section("::", -1)))
            << d->metaObject()->className() << " has no page";
    EXPECT_TRUE(described.count("MainWindow"));
    for (const QString& png : QDir(kHelpDir + "/images").entryList({"*.png"}, QDir::Files))
        EXPECT_TRUE(shown.count("images/" + png)) << png.toStdString() << " is shown by no page";
    EXPECT_GE(characters, 30000) << "the manual's text";
}

class ManualSearchTest : public ShellTest {
protected:
    void SetUp() override {
        helpFile = ZEPO_HELP_QCH;
        helpCollection = QString::fromStdString((collection.path() / "help.qhc").string());
    }
    TempFolder collection;
};

TEST_F(ManualSearchTest, OneClickOnAResultOpensItsPageAndNothingFoundOpensNothing) {
    Start();
    ui().item("mnHelpMokuji")->trigger();
    HelpWindow& help = *form().help().window();
    help.ShowSearch();
    const struct {
        const char* words;
        const char* page;  // the page the first result opens; empty: nothing found, nothing opens
    } cases[] = {{"ガラスボタン 見えないボタン", "frame.html"},
                 {"スライドカードの数が多いため", "slide.html"},
                 {"存在しない言葉ですよ", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        help.ShowTopic("main");
        help.searchField->setText(QString::fromUtf8(c.words));
        QTest::keyClick(help.searchField, Qt::Key_Return);
        ASSERT_GE(help.searchResults->count(), 1);
        QListWidgetItem* first = help.searchResults->item(0);
        const QRect at = help.searchResults->visualItemRect(first);
        QTest::mouseClick(help.searchResults->viewport(), Qt::LeftButton, {}, at.center());
        EXPECT_EQ(help.currentPage().fileName(), *c.page ? QString(c.page) : QString("index.html"));
    }
}

}  // namespace
}  // namespace zepo::test
