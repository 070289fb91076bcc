// Tool options as arguments, what a stored program name runs as, and one real start.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "TempFolder.h"
#include "platform/CommandLine.h"
#include "platform/Launcher.h"
#include "platform/ProgramResolver.h"

namespace zepo {
namespace {

TEST(CommandLine, SplitsAsTheOtherSystemsProgramsDo) {
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"", {}},
        {"  a   b\t", {"a", "b"}},
        {R"("C:\my cards" /x)", {R"(C:\my cards)", "/x"}},
        {R"(a\\b c\)", {R"(a\\b)", R"(c\)"}},
        {R"(\"q\" "x""y")", {R"("q")", R"(x"y)"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"("" x)", {"", "x"}},
        {"'single quotes' group nothing", {"'single", "quotes'", "group", "nothing"}},
    };
    for (const auto& [text, words] : cases) EXPECT_EQ(SplitWindowsCommandLine(text), words) << text.toStdString();
}

TEST(CommandLine, PlaceholdersAreFilledAfterSplittingSoAFolderStaysOneArgument) {
    const QString hostile = R"(/m/a b;$(touch x)`id`"q")";
    struct Case {
        QString option, folder, file;
        QStringList arguments;
    };
    const std::vector<Case> cases = {
        {"/WD=$D", hostile, "", {"/WD=" + hostile}},
        {"$F", "/f", "", {}},
        {"$D|$D $d", hostile, "", {hostile + "|" + hostile, "$d"}},
        {R"("$F" -n)", "/f", "", {"", "-n"}},  // quoted: an empty argument, -n stays second
        {"-o $F", "/f", "p q.txt", {"-o", "p q.txt"}},
        // Placeholders inside the folder's own name stay as they are.
        {"$D-$F", "/x$F$D", "a$D", {"/x$F$D-a$D"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToolArguments(c.option, c.folder, c.file), c.arguments) << c.option.toStdString();
    EXPECT_EQ(ExpandToolOption("$D $F $d $f", "/s", "n"), "/s n $d $f");
}

TEST(ProgramResolver, StoredPathsStartAtTheDriveRoot) {
    const std::vector<std::tuple<QString, QString, QString>> cases = {
        {R"(\zepo\zepo.exe)", "/media/stick", "/media/stick/zepo/zepo.exe"},
        {R"(\zepo\zepo.exe)", "/", "/zepo/zepo.exe"},
        {R"(C:\tools\x.exe)", "/media/stick/", "/media/stick/tools/x.exe"},
        {"/usr/bin/gimp", "/media/stick", "/usr/bin/gimp"},
        {R"(sub\x.exe)", "/media/stick", "sub/x.exe"},
    };
    for (const auto& [stored, root, local] : cases) EXPECT_EQ(LocalPathOf(stored, root), local) << stored.toStdString();
}

// A desktop of a few programs and files.
ProgramProbe FakeDesktop(std::map<QString, QString> path, std::set<QString> files) {
    ProgramProbe probe;
    probe.driveRoot = "/stick";
    probe.isExecutableFile = [files](const QString& p) { return files.count(p + "*") > 0; };
    probe.exists = [files](const QString& p) { return files.count(p) || files.count(p + "*"); };
    probe.findInPath = [path](const QString& n) { return path.count(n) ? path.at(n) : QString(); };
    return probe;
}

TEST(ProgramResolver, ExeRunsThroughWineAndDefaultsFallBackToThisDesktopsPrograms) {
    const std::map<QString, QString> withWine = {{"wine", "/usr/bin/wine"},
                                                 {"mousepad", "/usr/bin/mousepad"},
                                                 {"eog", "/usr/bin/eog"},
                                                 {"xdg-open", "/usr/bin/xdg-open"},
                                                 {"mytool", "/opt/bin/mytool"}};
    std::map<QString, QString> noWine = withWine;
    noWine.erase("wine");
    const std::map<QString, QString> bare = {{"xdg-open", "/usr/bin/xdg-open"}};
    const std::set<QString> files = {"/stick/zepo/zepo.exe", "/stick/cards", "/stick/cards/a.txt", "/opt/run*"};
    struct Case {
        const char* what;
        const std::map<QString, QString>* path;
        QString stored;
        QStringList arguments;
        std::optional<ResolvedProgram> expected;
    };
    const std::vector<Case> cases = {
        {"player through wine",
         &withWine,
         R"(\zepo\zepo.exe)",
         {},
         ResolvedProgram{"/usr/bin/wine", {"/stick/zepo/zepo.exe"}}},
        {"player without wine", &noWine, R"(\zepo\zepo.exe)", {}, std::nullopt},
        {"missing player", &withWine, R"(\zepo\setZEPO.exe)", {}, std::nullopt},
        {"empty name", &withWine, "", {}, std::nullopt},
        {"program on the path", &withWine, "mytool", {"-x"}, ResolvedProgram{"/opt/bin/mytool", {"-x"}}},
        {"executable path", &withWine, "/opt/run", {"a b"}, ResolvedProgram{"/opt/run", {"a b"}}},
        {"missing user tool", &withWine, "nothere.exe", {}, std::nullopt},
        {"text editor default",
         &withWine,
         "NOTEPAD.EXE",
         {"/stick/cards/a.txt"},
         ResolvedProgram{"/usr/bin/mousepad", {"/stick/cards/a.txt"}}},
        {"viewer default drops its switch",
         &noWine,
         R"(\zepo\tool\qv\qv.exe)",
         {"/WD=/stick/cards"},
         ResolvedProgram{"/usr/bin/eog", {"/stick/cards"}}},
        {"desktop opener last",
         &bare,
         "mspaint.exe",
         {"/stick/cards/a.txt", "-z"},
         ResolvedProgram{"/usr/bin/xdg-open", {"/stick/cards/a.txt"}}},
        {"desktop opener gets the folder",
         &bare,
         "explorer.exe",
         {},
         ResolvedProgram{"/usr/bin/xdg-open", {"/stick/cards"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveProgram(c.stored, c.arguments, "/stick/cards", FakeDesktop(*c.path, files)), c.expected)
            << c.what;
}

TEST(ProgramResolver, DriveRootIsZepoRootOrTheMountPoint) {
    qputenv("ZEPO_ROOT", "/media/stick");
    EXPECT_EQ(DriveRootOf("/anything"), "/media/stick");
    qunsetenv("ZEPO_ROOT");
    // /proc is a file system of its own on every Linux machine.
    EXPECT_EQ(DriveRootOf("/proc/self/fd"), "/proc");
    EXPECT_EQ(DriveRootOf("/proc/no/such/folder"), "/proc");
}

TEST(DesktopLauncher, StartsARealToolInTheSaveFolderWithLiteralArguments) {
    test::TempFolder temp;
    const QString folder = QString::fromStdString((temp.path() / R"(cards a;$(touch pwned)`id`"x")").string());
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString script = QString::fromStdString((temp.path() / "tool.sh").string());
    const QString out = QString::fromStdString((temp.path() / "out.txt").string());
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > \"$OUT.part\" && mv \"$OUT.part\" "
            "\"$OUT\"\n");
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("OUT", out.toLocal8Bit());
    DesktopLauncher launcher;
    ASSERT_TRUE(launcher.StartProgram(script, ToolArguments("/WD=$D $F", folder, ""), folder));
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(out) && clock.elapsed() < 10000) QThread::msleep(20);
    QFile result(out);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly)) << "the tool did not run";
    EXPECT_EQ(QString::fromLocal8Bit(result.readAll()), folder + "\n[/WD=" + folder + "]\n");
    EXPECT_FALSE(QFile::exists(folder + "/pwned"));
    EXPECT_FALSE(launcher.StartProgram(QString::fromStdString((temp.path() / "none").string()), {}, folder));
    EXPECT_FALSE(launcher.OpenDocument(folder + "/none.pdf"));
    // A page goes to the browser through the desktop's opener, watched: its exit 3 (no browser
    // takes the page) is a failure, not a page shown.
    const QString bin = QString::fromStdString((temp.path() / "bin").string()), path = qEnvironmentVariable("PATH");
    ASSERT_TRUE(QDir().mkpath(bin));
    qputenv("PATH", bin.toLocal8Bit());
    for (const char* code : {"3", "0"}) {
        QFile opener(bin + "/xdg-open");
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly | QIODevice::Truncate));
        opener.write(QByteArray("#!/bin/sh\nexit ") + code + "\n");
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        opener.close();
        EXPECT_EQ(launcher.OpenUrl(QUrl::fromLocalFile(folder)), *code == '0') << code;
    }
    qputenv("PATH", path.toLocal8Bit());
}

}  // namespace
}  // namespace zepo
