// What only a real window manager shows: the frame it adds around the main window and the
// stacking of the help over a modal dialog. wm_test.sh runs this in Xvfb with openbox.

#include <QPushButton>
#include <QTest>

#include "ShellFixture.h"
#include "dialogs/HelpWindow.h"
#include "model/MacroFile.h"
#include "shell/CardListWindow.h"
#include "shell/HelpCommands.h"

namespace zepo::test {
namespace {

class UnderAWindowManager : public ShellTest {
protected:
    void SetUp() override { screen = {1280, 1024}; }
    // The editor as it starts: maximised, framed by the window manager.
    void StartFramed() {
        Start();
        form().showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return form().frameGeometry().size() != form().size(); }, 5000))
            << "no window manager frames the window";
    }
};

TEST_F(UnderAWindowManager, EachScreenSizeIsTheOuterSizeAtTheFirstChoice) {
    const std::vector<std::pair<const char*, QSize>> sizes = {
        {"mn800_600", {800, 600}}, {"mn640_480", {640, 480}}, {"mn1024_768", {1024, 768}}};
    for (const auto& [item, outer] : sizes) {
        StartFramed();
        std::vector<std::pair<const char*, QSize>> choices = {{item, outer}, {"mn800_600", {800, 600}}};
        for (const auto& [choice, size] : choices) {
            form().findChild<QAction*>(choice)->trigger();
            const QSize wanted = size;  // a structured binding cannot be captured before C++20's clang 16
            const bool reached = QTest::qWaitFor([&] { return form().frameGeometry().size() == wanted; }, 3000);
            EXPECT_TRUE(reached) << choice << " first chosen gives " << form().frameGeometry().width() << "x"
                                 << form().frameGeometry().height();
            QTest::qWait(300);  // and stays so
            EXPECT_EQ(form().frameGeometry().size(), size) << choice;
        }
        windows.reset();
    }
}

TEST_F(UnderAWindowManager, HelpOfAModalDialogComesUpAboveIt) {
    helpFile = ZEPO_HELP_QCH;
    TempFolder collection;
    helpCollection = QString::fromStdString((collection.path() / "help.qhc").string());
    StartFramed();
    QDialog* dialog = nullptr;
    for (QDialog* d : windows->dialogs())
        if (d->findChild<QPushButton*>("HelpBtn")) dialog = d;
    ASSERT_NE(dialog, nullptr);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    dialog->findChild<QPushButton*>("HelpBtn")->click();
    HelpWindow* help = form().help().window();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    help->move(dialog->frameGeometry().topLeft());  // over the dialog wherever it was placed
    const QPoint middle = dialog->geometry().center();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::topLevelAt(middle) == help; }, 3000))
        << "on top: "
        << (QApplication::topLevelAt(middle) ? QApplication::topLevelAt(middle)->windowTitle().toStdString() : "");
    dialog->hide();
}

// The card list stays over the main window when the user goes back to it and a card opens
// there (a maximised main window used to cover it).
TEST_F(UnderAWindowManager, TheCardListStaysOverTheMainWindowWhenACardOpens) {
    TempFolder cards;
    WriteBytes(cards.path() / "main.zep", HeaderMarkerLine() + "\r\ncard {main}\r\n\ttitle {Start}\r\nend\r\n");
    WriteBytes(cards.path() / "next.zep", HeaderMarkerLine() + "\r\ncard {next}\r\n\ttitle {Weiter}\r\nend\r\n");
    StartFramed();
    form().document().SetSaveFolder(cards.path());
    form().cardFile().ShowCardList();
    QWidget* list = form().cardFile().cardList();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    list->move(form().geometry().center() - QPoint(list->width() / 2, list->height() / 2));
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    form().cardFile().OpenHandedOver(QString::fromStdString((cards.path() / "next.zep").string()));
    ASSERT_EQ(form().card().settings.name, "next");
    QTest::qWait(300);
    const QPoint middle = list->geometry().center();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::topLevelAt(middle) == list; }, 3000))
        << "on top: "
        << (QApplication::topLevelAt(middle) ? QApplication::topLevelAt(middle)->windowTitle().toStdString() : "");
}

}  // namespace
}  // namespace zepo::test
