// Which installed program does a fixed tool's job, and whether a started program really ran.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <map>
#include <optional>

#include "ShellFakes.h"
#include "platform/DesktopPrograms.h"
#include "platform/Launcher.h"
#include "platform/ProgramResolver.h"

namespace zepo {
namespace {

TEST(DesktopPrograms, EntriesAndExecLinesAreReadAsTheDesktopWritesThem) {
    struct Case {
        const char* what;
        QByteArray text;
        std::optional<QStringList> exec;  // nothing: the entry cannot be used
        QStringList categories;
    };
    const std::vector<Case> cases = {
        {"plain",
         "[Desktop Entry]\nType=Application\nExec=gedit %U\nCategories=GTK;Utility;TextEditor;\n",
         QStringList{"gedit", "%U"},
         {"GTK", "Utility", "TextEditor"}},
        {"quoted with escapes",
         "[Desktop Entry]\nType=Application\nExec=\"/opt/my app/run\" --t=\"a \\\\\"b\\\\\"\" %f\n",
         QStringList{"/opt/my app/run", "--t=a \"b\"", "%f"},
         {}},
        {"only the main group counts",
         "[Desktop Action new]\nExec=other\n[Desktop Entry]\nName[ja]=x=y\nType=Application\nExec=main\n",
         QStringList{"main"},
         {}},
        {"terminal program", "[Desktop Entry]\nType=Application\nExec=vim %F\nTerminal=true\n", std::nullopt, {}},
        {"hidden", "[Desktop Entry]\nType=Application\nExec=x\nHidden=true\n", std::nullopt, {}},
        {"a link", "[Desktop Entry]\nType=Link\nURL=http://x\nExec=x\n", std::nullopt, {}},
        {"broken quoting", "[Desktop Entry]\nType=Application\nExec=\"x %f\n", std::nullopt, {}},
        {"a field code for a program", "[Desktop Entry]\nType=Application\nExec=%f\n", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const std::optional<DesktopEntry> entry = ParseDesktopEntry(c.text, "x.desktop");
        ASSERT_EQ(entry.has_value(), c.exec.has_value()) << c.what;
        if (!entry) continue;
        EXPECT_EQ(entry->exec, *c.exec) << c.what;
        EXPECT_EQ(entry->categories, c.categories) << c.what;
    }
    const std::vector<std::tuple<QStringList, QStringList, QStringList>> codes = {
        {{"%f"}, {}, {}},
        {{"--new", "%U", "%i", "%c"}, {"/a", "/b"}, {"--new", "/a", "/b"}},
        {{"-o=%f", "%u", "100%%"}, {"/a", "/b"}, {"-o=/a", "/a", "100%"}},
        {{"-o=%f", "-n"}, {}, {"-n"}},
        {{"%F"}, {}, {}},
    };
    for (const auto& [words, files, expanded] : codes)
        EXPECT_EQ(ExpandFieldCodes(words, files), expanded) << words.join(' ').toStdString();
}

DesktopEntry Entry(QString id, QStringList exec, QStringList categories, QStringList types = {}) {
    return DesktopEntry{id, exec, QString(), types, categories};
}

TEST(DesktopPrograms, EachFixedToolGetsAProgramOfItsJobAndNeverAFolderItCannotEdit) {
    const std::vector<DesktopEntry> installed = {
        Entry("eog.desktop", {"eog", "%U"}, {"Graphics", "2DGraphics", "RasterGraphics", "Viewer"}, {"image/bmp"}),
        Entry("pinta.desktop", {"pinta", "%F"}, {"Graphics", "2DGraphics", "RasterGraphics"}, {"image/png"}),
        Entry("audacity.desktop", {"audacity", "%F"}, {"AudioVideo", "Audio", "AudioVideoEditing"}),
        Entry("kdenlive.desktop", {"kdenlive", "%u"}, {"AudioVideo", "AudioVideoEditing"}),
        Entry("vlc.desktop", {"/usr/bin/vlc", "--started-from-file", "%U"}, {"AudioVideo", "Player", "Recorder"}),
        Entry("gone.desktop", {"notinstalled", "%F"}, {"Utility", "TextEditor"}, {"text/plain"}),
        Entry("geany.desktop", {"geany", "%F"}, {"Development", "TextEditor"}),
    };
    const std::map<QString, DesktopEntry> defaults = {
        {"inode/directory", Entry("thunar.desktop", {"thunar", "%F"}, {"System", "FileManager"})},
        {"image/bmp", installed[0]},  // a viewer: right for the viewer, wrong for painting
        // The user's choice for text files, whatever its entry calls itself: it edits them.
        {"text/plain", Entry("abiword.desktop", {"abiword", "%U"}, {"Office", "WordProcessor"})},
    };
    const std::map<QString, QString> path = {{"eog", "/usr/bin/eog"},           {"pinta", "/usr/bin/pinta"},
                                             {"audacity", "/usr/bin/audacity"}, {"kdenlive", "/usr/bin/kdenlive"},
                                             {"geany", "/usr/bin/geany"},       {"thunar", "/usr/bin/thunar"},
                                             {"abiword", "/usr/bin/abiword"},   {"xdg-open", "/usr/bin/xdg-open"}};
    auto desktop = [&](bool withPrograms) {
        ProgramProbe probe;
        probe.driveRoot = "/stick";
        probe.isExecutableFile = [](const QString& p) { return p == "/usr/bin/vlc"; };
        probe.exists = [](const QString& p) { return p == "/stick/cards" || p == "/stick/cards/a.txt"; };
        probe.findInPath = [path, withPrograms](const QString& n) {
            if (!withPrograms && n != "xdg-open") return QString();
            return path.count(n) ? path.at(n) : QString();
        };
        probe.defaultEntry = [defaults](const QString& type) {
            return defaults.count(type) ? std::optional(defaults.at(type)) : std::nullopt;
        };
        probe.entries = [installed] { return installed; };
        return probe;
    };
    struct Case {
        QString stored;
        QStringList arguments;
        bool withPrograms;
        std::optional<ResolvedProgram> expected;
    };
    const std::vector<Case> cases = {
        {"notepad.exe", {}, true, ResolvedProgram{"/usr/bin/abiword", {}}},
        {"notepad.exe", {"/stick/cards/a.txt"}, true, ResolvedProgram{"/usr/bin/abiword", {"/stick/cards/a.txt"}}},
        {"mspaint.exe", {}, true, ResolvedProgram{"/usr/bin/pinta", {}}},
        {"sndrec32.exe", {}, true, ResolvedProgram{"/usr/bin/audacity", {}}},
        {"moviemk.exe", {}, true, ResolvedProgram{"/usr/bin/kdenlive", {}}},
        {"explorer.exe", {}, true, ResolvedProgram{"/usr/bin/thunar", {"/stick/cards"}}},
        {"wmplayer.exe", {}, true, ResolvedProgram{"/usr/bin/vlc", {"--started-from-file"}}},
        {R"(\zepo\tool\qv\qv.exe)", {"/WD=/stick/cards"}, true, ResolvedProgram{"/usr/bin/eog", {"/stick/cards"}}},
        // Nothing installed does the job: the desktop's opener only for a named file or the folder
        // of the file manager, never a folder for an editor.
        {"notepad.exe", {}, false, std::nullopt},
        {"mspaint.exe", {}, false, std::nullopt},
        {R"(\zepo\tool\qv\qv.exe)", {"/WD=/stick/cards"}, false, std::nullopt},
        {"notepad.exe", {"/stick/cards/a.txt"}, false, ResolvedProgram{"/usr/bin/xdg-open", {"/stick/cards/a.txt"}}},
        {"explorer.exe", {}, false, ResolvedProgram{"/usr/bin/xdg-open", {"/stick/cards"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveProgram(c.stored, c.arguments, "/stick/cards", desktop(c.withPrograms)), c.expected)
            << c.stored.toStdString() << (c.withPrograms ? " with programs" : " without");
}

TEST(DesktopLauncher, AProgramThatEndsAtOnceWithAnErrorDidNotStart) {
    test::App();  // the watcher of a program that goes on running lives on the event loop
    const QString sh = "/bin/sh";
    struct Case {
        QStringList arguments;
        bool started;
    };
    const std::vector<Case> cases = {
        {{"-c", "exit 3"}, false},  // as xdg-open without a program for the file
        {{"-c", "kill -9 $$"}, false},
        {{"-c", "exit 0"}, true},  // handed over to a running instance
        {{"-c", "sleep 1"}, true},
    };
    for (const Case& c : cases) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(StartAndWatch(sh, c.arguments, "/", 500), c.started) << c.arguments.join(' ').toStdString();
        EXPECT_LT(clock.elapsed(), 1500) << "waited for a running program";
    }
    EXPECT_FALSE(StartAndWatch("/no/such/program", {}, "/", 500));
    // The program that went on running ends, and its watcher with it: nothing is left behind.
    QTest::qWait(1500);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace zepo
