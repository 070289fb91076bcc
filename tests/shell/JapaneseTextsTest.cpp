// What a user reads in Qt's own parts of the editor: message boxes, the open dialog, the
// standard buttons of every window. None may show Qt's English defaults.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <fstream>

#include <set>

#include "ShellFixture.h"
#include "dialogs/FileChooser.h"
#include "dialogs/FileList.h"
#include "dialogs/MacroViewer.h"
#include "dialogs/Prompts.h"
#include "dialogs/Translations.h"

namespace zepo::test {
namespace {

// The texts Qt shows when no translation is loaded, as they stand in its sources.
const std::set<QString> kEnglishDefaults = {"Cancel",
                                            "&Cancel",
                                            "Yes",
                                            "&Yes",
                                            "No",
                                            "&No",
                                            "Open",
                                            "&Open",
                                            "Save",
                                            "&Save",
                                            "Close",
                                            "&Close",
                                            "Apply",
                                            "Help",
                                            "Choose",
                                            "&Choose",
                                            "Look in:",
                                            "File name:",
                                            "Files of type:",
                                            "File &name:",
                                            "Name",
                                            "Size",
                                            "Type",
                                            "Kind",
                                            "Date Modified",
                                            "Back",
                                            "Forward",
                                            "Parent Directory",
                                            "Create New Folder",
                                            "List View",
                                            "Detail View",
                                            "Open File",
                                            "Restore Defaults",
                                            "Discard",
                                            "Abort",
                                            "Retry",
                                            "Ignore"};

// Every text a window shows through Qt's widgets: buttons, labels, column headers, combo boxes.
std::vector<QString> ShownTexts(QWidget& window) {
    std::vector<QString> texts{window.windowTitle()};
    for (auto* b : window.findChildren<QAbstractButton*>()) texts.push_back(b->text()), texts.push_back(b->toolTip());
    for (auto* l : window.findChildren<QLabel*>()) texts.push_back(l->text());
    for (auto* h : window.findChildren<QHeaderView*>())
        if (h->model())
            for (int i = 0; i < h->model()->columnCount(); ++i)
                texts.push_back(h->model()->headerData(i, Qt::Horizontal).toString());
    return texts;
}

std::vector<std::string> EnglishIn(QWidget& window) {
    std::vector<std::string> found;
    for (const QString& t : ShownTexts(window))
        if (kEnglishDefaults.count(t)) found.push_back(t.toStdString());
    return found;
}

class JapaneseTexts : public ShellTest {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(InstallJapaneseTranslations()) << "qtbase_ja from qt6-translations-l10n";
    }
    // Runs `open` and inspects the modal window it shows, then closes that window.
    template <typename Open>
    void WhileOpen(Open open, std::function<void(QWidget&)> inspect) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            seen = true;
            inspect(*modal);
            if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
        });
        open();
        EXPECT_TRUE(seen);
    }
};

// Message boxes carry the editor's name as its windows spell it, not the task bar's.
TEST_F(JapaneseTexts, MessageBoxesAnswerWithJapaneseButtons) {
    const QString name = QApplication::applicationName();
    QApplication::setApplicationName("ZEPOエディタ");
    QtPrompts prompts;
    const struct {
        std::function<void()> show;
        std::set<std::string> buttons;
    } cases[] = {
        {[&] { prompts.Warn(Sjis("保存に失敗しました")); }, {"OK"}},
        {[&] { prompts.Ask(Sjis("上書きしてよろしいですか？")); }, {"はい", "いいえ"}},
    };
    for (const auto& c : cases) {
        WhileOpen(c.show, [&](QWidget& box) {
            std::set<std::string> buttons;
            for (auto* b : box.findChildren<QAbstractButton*>())
                if (b->isVisible()) buttons.insert(b->text().toStdString());
            EXPECT_EQ(buttons, c.buttons);
            EXPECT_EQ(box.windowTitle(), "ＺＥＰＯエディタ");
        });
    }
    QApplication::setApplicationName(name);
}

TEST_F(JapaneseTexts, TheOpenDialogIsJapaneseAndWideEnoughForSizesAndDates) {
    QtFileChooser chooser;
    OpenFileRequest request{
        "カードの読み込み", QString::fromStdString(program().string()), "ｶｰﾄﾞﾌｧｲﾙ(*.zep)", "zep", {}, {}};
    WhileOpen([&] { chooser.ChooseOpenFile(request); },
              [](QWidget& dialog) {
                  EXPECT_EQ(EnglishIn(dialog), std::vector<std::string>{});
                  EXPECT_GE(dialog.width(), 900);
                  auto* dlg = qobject_cast<QFileDialog*>(&dialog);
                  ASSERT_NE(dlg, nullptr);
                  EXPECT_EQ(dlg->viewMode(), QFileDialog::Detail);
              });
}

TEST_F(JapaneseTexts, NoWindowOfTheEditorShowsEnglishDefaults) {
    Start();
    QDialogButtonBox standard(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                              QDialogButtonBox::No | QDialogButtonBox::Save | QDialogButtonBox::Open |
                              QDialogButtonBox::Close | QDialogButtonBox::Help);
    std::vector<std::string> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        for (const std::string& t : EnglishIn(*w)) found.push_back(w->windowTitle().toStdString() + ": " + t);
    for (auto* b : standard.buttons())
        if (kEnglishDefaults.count(b->text())) found.push_back("standard button " + b->text().toStdString());
    EXPECT_EQ(found, std::vector<std::string>{});
}

// Whatever the system's locale, the open dialog lists in Japanese, sizes and dates as the
// rest of the editor writes them, each column wide enough for its header and its entries.
TEST_F(JapaneseTexts, TheOpenDialogsColumnsAreJapaneseAndFitTheirTexts) {
    std::ofstream(program() / "はじめてのカード.zep") << std::string(2000, 'x');
    QtFileChooser chooser;
    OpenFileRequest request{
        "カードの読み込み", QString::fromStdString(program().string()), "ｶｰﾄﾞﾌｧｲﾙ(*.zep)", "zep", {}, {}};
    WhileOpen([&] { chooser.ChooseOpenFile(request); },
              [](QWidget& dialog) {
                  auto* view = dialog.findChild<QTreeView*>("treeView");
                  ASSERT_NE(view, nullptr);
                  const QModelIndex root = view->rootIndex();
                  for (int wait = 0; wait < 200 && view->model()->rowCount(root) < 2; ++wait) QTest::qWait(10);
                  int row = 0;
                  while (row < view->model()->rowCount(root) &&
                         view->model()->index(row, 0, root).data() != "はじめてのカード.zep")
                      ++row;
                  ASSERT_LT(row, view->model()->rowCount(root));
                  QHeaderView* header = view->header();
                  const int margin = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin);
                  for (int column = 0; column < header->count(); ++column) {
                      const QString title = header->model()->headerData(column, Qt::Horizontal).toString();
                      const QString entry = view->model()->index(row, column, root).data().toString();
                      SCOPED_TRACE(title.toStdString() + " " + entry.toStdString());
                      EXPECT_GE(header->sectionSize(column), header->fontMetrics().horizontalAdvance(title) + margin);
                      EXPECT_GE(header->sectionSize(column), view->fontMetrics().horizontalAdvance(entry) + margin);
                      // No English left in an entry: "2 KB", "zep File", "12/8/26 1:05 AM".
                      EXPECT_FALSE(entry.contains(QRegularExpression("File|AM|PM|bytes")));
                  }
              });
}

// Each pattern shows once; the descriptions keep their own words; "*.*" is every file.
TEST(FileFilters, EachPatternShowsOnce) {
    const struct {
        QString pairs, lines;
    } cases[] = {
        {"実行ﾌｧｲﾙ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*)|*.*", "実行ﾌｧｲﾙ(*.exe);;全てのﾌｧｲﾙ(*)"},
        {"音・動画(wav,mid,avi)|*.wav *.mid *.avi", "音・動画(*.wav *.mid *.avi)"},
        {"ビットマップ|*.bmp", "ビットマップ(*.bmp)"},
    };
    for (const auto& c : cases) EXPECT_EQ(QtFileFilter(c.pairs), c.lines) << c.pairs.toStdString();
}

TEST(MacroViewerWindow, OpensMaximisedEveryTime) {
    App();
    MacroViewer viewer;
    for (int showing = 0; showing < 2; ++showing) {
        viewer.show();
        EXPECT_TRUE(viewer.windowState() & Qt::WindowMaximized) << showing;
        EXPECT_GE(viewer.width(), viewer.screen()->availableGeometry().width() * 9 / 10) << showing;
        viewer.hide();
        viewer.setWindowState(Qt::WindowNoState);  // as a user restoring it before closing
    }
}

}  // namespace
}  // namespace zepo::test
