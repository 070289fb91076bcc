// zepo-help-pictures: draws the pictures of the manual from the real windows. The editor is
// built over the example cards with quiet services; each menu command runs as a user's
// would, and when it shows its dialog (filled by the real caller), the dialog is drawn into
// OUTDIR/NAME.png instead of waiting for the user, then cancelled. So a picture shows what
// the dialog shows today, caption and file lists included.
//
// Then the cards of the tutorial (TUTORIAL_DIR) are opened one by one and the main window
// showing each is drawn into OUTDIR/tutorial-CARD.png, and the card list over them into
// OUTDIR/cardlist.png and OUTDIR/cardlist-map.png.
//
// The pictures show the save folder, so the editor works in $ZEPO_PICTURES_HOME/haru, a home
// folder of no machine in particular (scripts/help-pictures.sh gives it one of its own);
// without the variable it works in the temporary folder. No picture is wider than the
// help window's page.
//
//   zepo-help-pictures EXAMPLES_DIR TUTORIAL_DIR OUTDIR
//   zepo-help-pictures --compare COMMITTED_DIR DRAWN_DIR

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtomicFile.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/FileChooser.h"
#include "dialogs/Prompts.h"
#include "dialogs/Translations.h"
#include "platform/Launcher.h"
#include "platform/Scheduler.h"
#include "platform/UserFolders.h"
#include "render/Fonts.h"
#include "shell/CardFileCommands.h"
#include "shell/CardListWindow.h"
#include "shell/EditorWindows.h"
#include "shell/MainWindow.h"

namespace {

namespace fs = std::filesystem;
using namespace zepo;

struct QuietPrompts : Prompts {
    void Beep(BeepKind) override {}
    void Show(std::string_view) override {}
    bool YesNo(std::string_view) override { return false; }
    Choice Choose(std::string_view, const ChoiceButtons&) override { return Choice::Cancel; }
};
// Answers the open dialog with the files queued, else cancels it.
struct QueuedFiles : FileChooser {
    std::deque<QString> answers;
    QString ChooseOpenFile(const OpenFileRequest&) override {
        if (answers.empty()) return {};
        QString next = answers.front();
        answers.pop_front();
        return next;
    }
};
struct NoPrograms : Launcher {
    bool StartProgram(const QString&, const QStringList&, const QString&) override { return false; }
    bool OpenDocument(const QString&) override { return false; }
    bool OpenUrl(const QUrl&) override { return false; }
};
// The start-up work runs when asked, not on a clock.
struct HeldScheduler : Scheduler {
    std::vector<std::function<void()>> pending;
    void After(int, std::function<void()> work) override { pending.push_back(std::move(work)); }
};

void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The widest picture the help window's page shows without a scroll bar.
constexpr int kPageWidth = 600;

// The folder tree of the save folder dialog showing the way to `folder` only: the other
// folders are the drawing machine's, not the user's. Waits for each level to be read.
void ShowOnlyTheWayTo(QDialog& dialog, const fs::path& folder) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("Dir"));
    auto* model = tree ? qobject_cast<QFileSystemModel*>(tree->model()) : nullptr;
    if (!model) return;
    QModelIndex parent = model->index(QStringLiteral("/"));
    fs::path along = "/";
    for (const fs::path& part : folder.relative_path()) {
        along /= part;
        for (int wait = 0; wait < 100 && model->canFetchMore(parent); ++wait) {
            model->fetchMore(parent);
            QThread::msleep(20);
            QCoreApplication::processEvents();
        }
        const QModelIndex next = model->index(QString::fromStdString(along.string()));
        for (int wait = 0; wait < 100 && model->rowCount(parent) == 0; ++wait) {
            QThread::msleep(20);
            QCoreApplication::processEvents();
        }
        for (int row = 0; row < model->rowCount(parent); ++row)
            tree->setRowHidden(row, parent, model->index(row, 0, parent) != next);
        tree->expand(parent);
        parent = next;
    }
    tree->setCurrentIndex(parent);
    tree->scrollTo(parent);
}

bool SavePicture(QWidget& widget, const fs::path& file) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // Eight colours would do for the dialogs, but the grey shades of the style need more.
    QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB888);
    if (image.width() > kPageWidth) image = image.scaledToWidth(kPageWidth, Qt::SmoothTransformation);
    if (!image.save(&buffer, "PNG", 9)) return false;
    const Status written = WriteFileAtomically(file, std::string_view(png.constData(), size_t(png.size())));
    if (!written.ok()) std::fprintf(stderr, "%s: %s\n", file.c_str(), written.error().message.c_str());
    return written.ok();
}

// A dialog the next command shows: its picture's name and what to do in it first.
struct Scene {
    QString name;
    std::function<void(QDialog&)> fill;
};

class PictureRunner : public DialogRunner {
public:
    explicit PictureRunner(fs::path folder) : folder_(std::move(folder)) {}
    void Expect(QString name, std::function<void(QDialog&)> fill = {}) { scenes_.push_back({name, fill}); }
    bool Run(QDialog& dialog) override {
        if (scenes_.empty()) {
            std::fprintf(stderr, "unexpected dialog %s\n", qPrintable(dialog.windowTitle()));
            failed_ = true;
            return false;
        }
        Scene scene = std::move(scenes_.front());
        scenes_.pop_front();
        dialog.show();
        Settle();
        if (scene.fill) scene.fill(dialog);
        Settle();
        Save(dialog, scene.name);
        dialog.hide();
        dialog.setResult(QDialog::Rejected);
        return false;
    }
    void Save(QWidget& widget, const QString& name) {
        const fs::path file = folder_ / (name.toStdString() + ".png");
        if (SavePicture(widget, file)) std::printf("%s\n", file.c_str());
        else failed_ = true;
    }
    // True when every expected dialog came, and only those.
    bool AllShown() const { return !failed_ && scenes_.empty(); }

private:
    fs::path folder_;
    std::deque<Scene> scenes_;
    bool failed_ = false;
};

template <class T = QWidget>
T* Find(QWidget& in, const char* name) {
    T* found = in.findChild<T*>(QString::fromLatin1(name));
    if (!found) std::fprintf(stderr, "no control %s in %s\n", name, qPrintable(in.windowTitle()));
    return found;
}

void Click(QWidget& in, const char* name) {
    if (auto* button = Find<QAbstractButton>(in, name)) button->click();
}

void SelectFile(QWidget& in, const char* list, const QString& file) {
    if (auto* files = Find<QListWidget>(in, list)) {
        const QList<QListWidgetItem*> items = files->findItems(file, Qt::MatchExactly);
        if (!items.isEmpty()) files->setCurrentItem(items.first());
    }
}

// A menu of the menu bar as it drops down.
void SaveMenu(PictureRunner& runner, MainWindow& main, const QString& title, const QString& name) {
    for (QAction* action : main.menuBar()->actions()) {
        if (!action->menu() || action->text() != title) continue;
        QMenu* menu = action->menu();
        menu->popup(main.mapToGlobal(QPoint(0, 0)));
        Settle();
        runner.Save(*menu, name);
        menu->hide();
        return;
    }
    std::fprintf(stderr, "no menu %s\n", qPrintable(title));
}

}  // namespace

// A menu item by the name the main window gives it.
QAction* Item(MainWindow& main, const char* name) { return main.findChild<QAction*>(QString::fromLatin1(name)); }

// The pictures of `committed` against those drawn now: every one that differs in a pixel, is
// missing or is no longer drawn is named. True when all are the same.
bool SamePictures(const QString& committed, const QString& drawn) {
    bool same = true;
    QStringList names = QDir(committed).entryList({"*.png"}, QDir::Files, QDir::Name);
    for (const QString& name : QDir(drawn).entryList({"*.png"}, QDir::Files, QDir::Name))
        if (!names.contains(name)) names << name;
    for (const QString& name : names) {
        const QImage before(committed + '/' + name), now(drawn + '/' + name);
        const char* problem =
            before.isNull() ? "is drawn but not committed"
            : now.isNull()  ? "is no longer drawn"
            : before.convertToFormat(QImage::Format_RGB888) != now.convertToFormat(QImage::Format_RGB888)
                ? "is stale: drawing it again gives another picture"
                : nullptr;
        if (problem) std::fprintf(stderr, "help/images/%s %s\n", qPrintable(name), problem);
        same = same && !problem;
    }
    if (!same) std::fprintf(stderr, "draw the pictures again with scripts/help-pictures.sh and commit them\n");
    return same;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--compare") {
        QGuiApplication app(argc, argv);
        return SamePictures(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: zepo-help-pictures EXAMPLES_DIR TUTORIAL_DIR OUTDIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    InstallJapaneseTranslations();
    RegisterFontSubstitutes();
    // Absolute: the editor makes the save folder the current folder.
    const fs::path examples = fs::absolute(argv[1]);
    const fs::path tutorial = fs::absolute(argv[2]);
    const fs::path out = fs::absolute(argv[3]);

    // The editor works on a copy: nothing it does may touch the examples. The copy has a
    // fixed name, which the pictures show (status bar, save folder), so that drawing them
    // again changes no picture whose window did not change.
    const QByteArray neutralHome = qgetenv("ZEPO_PICTURES_HOME");
    const fs::path scratch =
        neutralHome.isEmpty() ? fs::temp_directory_path() / "zepo-help-pictures" : fs::path(neutralHome.toStdString());
    const fs::path folder = scratch / "haru";
    std::error_code ec;
    fs::remove_all(scratch, ec);
    fs::create_directories(folder, ec);
    if (!ec) fs::copy(examples, folder, fs::copy_options::recursive, ec);
    if (ec) {
        std::fprintf(stderr, "cannot copy %s to %s: %s\n", examples.c_str(), folder.c_str(), ec.message().c_str());
        return 2;
    }
    fs::create_directories(out, ec);

    QuietPrompts prompts;
    PictureRunner runner(out);
    QueuedFiles files;
    NoPrograms programs;
    HeldScheduler scheduler;
    ShellServices services{prompts,        runner, files, programs, scheduler, folder, {(folder / "main.zep").string()},
                           QSize(800, 600)};
    // The scratch folder is the user's home: the settings file is where a user's would be
    // (the tool settings dialog names it); no copies of unsaved cards are made.
    qputenv("HOME", QByteArray::fromStdString(scratch.string()));
    qunsetenv("XDG_CONFIG_HOME");
    services.user = PlacesOfThisUser();
    services.user.recoveryFolder.clear();
    EditorWindows windows(services);
    MainWindow& main = windows.main();
    for (auto& startUp : scheduler.pending) startUp();
    main.resize(860, 680);
    main.show();
    Settle();
    runner.Save(main, "main");
    const std::pair<const char*, const char*> menus[] = {
        {"カード(&C)", "menu-card"},      {"表示(&V)", "menu-view"},     {"貼り付け(&Y)", "menu-paste"},
        {"関連付け(&R)", "menu-buttons"}, {"機能(&E)", "menu-features"}, {"ツール(&T)", "menu-tools"},
        {"その他(&O)", "menu-other"},     {"ヘルプ(&H)", "menu-help"}};
    for (const auto& [title, name] : menus) SaveMenu(runner, main, QString::fromUtf8(title), QString::fromLatin1(name));

    runner.Expect("cardsettings");
    Item(main, "mnCardMake")->trigger();
    runner.Expect("savefolder", [&folder](QDialog& d) { ShowOnlyTheWayTo(d, folder); });
    Item(main, "mnSavePos")->trigger();
    runner.Expect("text");
    Item(main, "mnYoko01")->trigger();
    runner.Expect("textfile", [](QDialog& d) { SelectFile(d, "txtFileList", "aisatsu.txt"); });
    Item(main, "mnTextFile1")->trigger();
    runner.Expect("picture");
    Item(main, "mnBitmap1")->trigger();
    // The frame to the next card, and from it the association dialog with that card chosen.
    runner.Expect("frame", [](QDialog& d) { Click(d, "btnNextCard"); });
    runner.Expect("association");
    Item(main, "mnFrame2")->trigger();
    runner.Expect("button");
    Item(main, "mnButton0")->trigger();
    runner.Expect("slide", [](QDialog& d) { Click(d, "SelAllBtn"); });
    Item(main, "mnSlide")->trigger();
    runner.Expect("movie2", [](QDialog& d) {
        if (auto* where = d.findChild<QWidget*>("AviPos"))
            if (auto* onCard = where->findChildren<QAbstractButton*>().value(1)) onCard->click();
    });
    Item(main, "mnAvi2")->trigger();
    runner.Expect("marker");
    Item(main, "mnMarker")->trigger();
    runner.Expect("toolsettings");
    Item(main, "mnTlOption")->trigger();
    runner.Expect("macroviewer");
    Item(main, "mnViewMacro")->trigger();
    runner.Expect("about");
    Item(main, "mnAboutZEPO")->trigger();
    // The tutorial's cards, each as the main window shows it once the tutorial made it.
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    if (!ec) fs::copy(tutorial, folder, fs::copy_options::recursive, ec);
    for (const char* card : {"main", "shashin", "bunsho", "oto", "slide"}) {
        files.answers.push_back(QString::fromStdString((folder / (std::string(card) + ".zep")).string()));
        main.cardFile().Open();
        Settle();
        runner.Save(main, QStringLiteral("tutorial-") + QString::fromLatin1(card));
    }
    // The card list over the tutorial's five cards, once they are read and drawn: its list and
    // its map. Reading them takes longer than a caret's blink, so the caret of its filter is
    // kept still.
    QApplication::setCursorFlashTime(0);
    Item(main, "mnCardList")->trigger();
    auto* cards = main.findChild<CardListWindow*>();
    bool listed = false;
    for (int wait = 0; cards && wait < 1500 && !listed; ++wait) {
        QThread::msleep(20);
        QCoreApplication::processEvents();
        listed = cards->settled() && cards->thumbnailsDone() >= 5;
    }
    if (cards && listed) {
        cards->resize(760, 560);
        Settle();
        runner.Save(*cards, "cardlist");
        if (auto* views = Find<QTabWidget>(*cards, "tabCardViews")) views->setCurrentIndex(1);
        Settle();
        runner.Save(*cards, "cardlist-map");
    } else {
        std::fprintf(stderr, "the card list did not settle\n");
        ec = std::make_error_code(std::errc::timed_out);
    }
    const bool allShown = !ec && runner.AllShown();
    fs::remove_all(scratch, ec);
    return allShown ? 0 : 1;
}
