// Single instance, folders, card file names and the whole-or-nothing write.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include "core/AtomicFile.h"
#include "platform/Folders.h"

#include "TempFolder.h"
#include "core/TextCodec.h"
#include "platform/Recovery.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolders.h"

namespace zepo {
namespace {

using Temp = test::TempFolder;
using test::ReadBytes;

TEST(SingleInstance, OnlyOneHolderAtATimeAndTheLockEndsWithItsHolder) {
    Temp t;
    auto lock = t.path() / "ZEPO_Editor.lock";
    {
        SingleInstance first(lock);
        ASSERT_TRUE(first.Acquire());
        SingleInstance second(lock);
        EXPECT_FALSE(second.Acquire());
    }
    SingleInstance third(lock);
    EXPECT_TRUE(third.Acquire());
}

TEST(SingleInstance, ALockFileOfAnotherUserOrALinkDoesNotKeepTheEditorFromStarting) {
    Temp t;
    // A link planted in a shared folder is not followed.
    auto link = t.path() / "linked.lock";
    std::filesystem::create_symlink(t.path() / "elsewhere", link);
    EXPECT_TRUE(SingleInstance(link).Acquire());
    EXPECT_FALSE(std::filesystem::exists(t.path() / "elsewhere"));

    if (geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    auto foreign = t.path() / "ZEPO_Editor.lock";
    int fd = ::open(foreign.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::fchown(fd, 65534, 65534), 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);  // held by "someone else"
    EXPECT_TRUE(SingleInstance(foreign).Acquire());
    ::close(fd);
}

TEST(SingleInstance, LockFileIsNamedAfterTheEditorInAPrivateRuntimeFolder) {
    Temp t;
    const auto runtime = t.path() / "run";
    std::filesystem::create_directory(runtime);
    chmod(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(InstanceLockPath(), runtime / "ZEPO_Editor.lock");
    // A runtime folder others may enter is no place for it.
    chmod(runtime.c_str(), 0777);
    EXPECT_NE(InstanceLockPath().parent_path(), runtime);
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_NE(InstanceLockPath().filename().string().find("ZEPO_Editor"), std::string::npos);
}

// Every private folder (settings, recovery copies, the cache, the lock without a runtime
// folder) in every state a user or another user may leave it: made or closed to others
// (0700), or refused with a reason naming it, and never used as it was found.
TEST(PrivateFolders, EveryStateIsClosedToOthersOrRefusedWithItsReason) {
    namespace fs = std::filesystem;
    const bool root = geteuid() == 0;  // giving a folder to another user needs root
    const uid_t other = 54321;
    const struct State {
        const char* what;
        std::function<void(const fs::path& folder, const fs::path& elsewhere)> make;
        bool used;
    } states[] = {
        {"missing, and its parents too", [](auto& f, auto&) { fs::remove_all(f.parent_path()); }, true},
        {"readable by everyone (0755)", [](auto& f, auto&) { fs::create_directory(f), chmod(f.c_str(), 0755); }, true},
        {"writable by everyone (0777), with a copy another user put there",
         [&](auto& f, auto&) {
             fs::create_directory(f), chmod(f.c_str(), 0777);
             std::ofstream(f / "4242-1.ini") << "[Recovery]\r\nCardFile=/home/mallory/a.zep\r\n";
             std::ofstream(f / "4242-1.zep") << "card {mallory}\r\nend\r\n";
             for (const char* planted : {"4242-1.ini", "4242-1.zep"})
                 if (root) chown((f / planted).c_str(), other, other);
         },
         true},
        {"a link to another folder", [](auto& f, auto& e) { fs::create_directory_symlink(e, f); }, false},
        {"a file", [](auto& f, auto&) { std::ofstream(f) << "notes"; }, false},
        {"another user's", [&](auto& f, auto&) { fs::create_directory(f), chown(f.c_str(), other, other); }, !root},
        {"in a folder of another user", [&](auto& f, auto&) { chown(f.parent_path().c_str(), other, other); }, !root},
        {"in a folder anyone may change", [](auto& f, auto&) { chmod(f.parent_path().c_str(), 0777); }, false},
    };
    const std::vector<std::string> lines{"card {草稿}", "end"};
    const struct Surface {
        const char* what;
        std::function<Status(const fs::path& folder)> prepare;
        std::vector<std::string> files;  // what it wrote, readable by the user alone
    } surfaces[] = {
        {"recovery copies",
         [&](const fs::path& f) -> Status {
             RecoveryFolder recovery(f, "77-1");
             if (Status ready = recovery.Prepare(); !ready) return ready;
             EXPECT_TRUE(recovery.Left().empty()) << "a copy someone else put there is offered";
             return recovery.Write(lines, {"/home/ann/cards/main.zep", "/home/ann/cards/main.zep", {}});
         },
         {"77-1.zep", "77-1.ini"}},
        {"settings",
         [](const fs::path& f) { return ChangeUserSettings(f / "ZEPOED.INI", {}, [](ProfileFile&) {}); },
         {"ZEPOED.INI"}},
        {"cache", [](const fs::path& f) { return MakeOwnerOnlyFolder(f); }, {}},
    };
    for (const Surface& surface : surfaces) {
        for (const State& state : states) {
            Temp t;
            const fs::path folder = t.path() / "home" / "zepoed", elsewhere = t.path() / "elsewhere";
            fs::create_directories(folder.parent_path());
            fs::create_directory(elsewhere);
            chmod(elsewhere.c_str(), 0755);
            state.make(folder, elsewhere);
            const std::string what = std::string(surface.what) + ", " + state.what;
            const Status made = surface.prepare(folder);
            EXPECT_EQ(made.ok(), state.used) << what << ": " << (made ? "" : made.error().message);
            if (!made) {
                EXPECT_NE(made.error().message.find(folder.string()), std::string::npos) << what;
            }
            EXPECT_TRUE(fs::is_empty(elsewhere)) << what;
            EXPECT_EQ(fs::status(elsewhere).permissions(), fs::perms(0755)) << what;
            if (!state.used) continue;
            EXPECT_EQ(fs::symlink_status(folder).permissions(), fs::perms(0700)) << what;
            for (const std::string& file : surface.files)
                EXPECT_EQ(fs::symlink_status(folder / file).permissions(), fs::perms(0600)) << what << ": " << file;
        }
    }
}

// The folders of the user follow the XDG variables that name absolute folders; one that is
// relative, empty or unset leaves its folder under the home folder.
TEST(PrivateFolders, TheUsersFoldersFollowOnlyAbsoluteXdgVariables) {
    namespace fs = std::filesystem;
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const fs::path home = "/home/ann";
    setenv("HOME", home.c_str(), 1);
    const struct {
        const char* what;
        const char* value;  // of each variable, with its name after it
    } cases[] = {{"absolute", "/srv/ann/"}, {"relative", "ann/"}, {"empty", ""}, {"unset", nullptr}};
    for (const auto& c : cases) {
        const auto place = [&](const char* variable, const char* below) {
            if (c.value) setenv(variable, (std::string(c.value) + variable).c_str(), 1);
            else unsetenv(variable);
            return c.value && c.value[0] == '/' ? fs::path(c.value) / variable : home / below;
        };
        const fs::path config = place("XDG_CONFIG_HOME", ".config"), state = place("XDG_STATE_HOME", ".local/state"),
                       cache = place("XDG_CACHE_HOME", ".cache");
        const UserPlaces places = PlacesOfThisUser();
        EXPECT_EQ(places.settingsFile, config / "zepoed" / "ZEPOED.INI") << c.what;
        EXPECT_EQ(places.recoveryFolder, state / "zepoed" / "recovery") << c.what;
        EXPECT_EQ(CacheFolderOfThisUser(), cache / "zepoed") << c.what;
        EXPECT_EQ(places.home, home) << c.what;
    }
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) unsetenv(variable);
    setenv("HOME", oldHome.c_str(), 1);
}

TEST(Folders, CreatesOneLevelOnly) {
    Temp t;
    EXPECT_TRUE(CreateOneFolder(t.path() / "one"));
    EXPECT_FALSE(CreateOneFolder(t.path() / "one"));
    EXPECT_FALSE(CreateOneFolder(t.path() / "two" / "levels"));
    EXPECT_FALSE(std::filesystem::exists(t.path() / "two"));
}

TEST(Folders, TrailingSeparatorsGoExceptForTheRoot) {
    EXPECT_EQ(WithoutTrailingSeparator("/cards/ed/"), std::filesystem::path("/cards/ed"));
    EXPECT_EQ(WithoutTrailingSeparator("/cards/ed"), std::filesystem::path("/cards/ed"));
    EXPECT_EQ(WithoutTrailingSeparator("/"), std::filesystem::path("/"));
}

TEST(Folders, CardFileNames) {
    struct Case {
        std::string name;
        CardNameProblem problem;
    } cases[] = {
        {"abc", CardNameProblem::None},
        {"", CardNameProblem::Empty},
        {"a/b", CardNameProblem::Separator},
        {"a\\b", CardNameProblem::Separator},
        {std::string("a\0b", 3), CardNameProblem::Nul},
        {Sjis("ソフト表"), CardNameProblem::None},  // trail bytes 0x5C are no separators
        {"..", CardNameProblem::None},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckCardFileName(c.name), c.problem) << SjisToUtf8(c.name);
    EXPECT_EQ(SjisNameOfPath("ソフト.zep"), Sjis("ソフト.zep"));
    EXPECT_FALSE(SjisNameOfPath("a😀.zep").has_value());
    // A name left in raw Shift-JIS (not UTF-8) is the card's own name, byte for byte.
    EXPECT_EQ(SjisNameOfPath(Sjis("表ソフト.zep")), Sjis("表ソフト.zep"));
    EXPECT_FALSE(SjisNameOfPath("\x82.zep").has_value()) << "neither UTF-8 nor Shift-JIS";
}

TEST(Folders, AtomicWriteReplacesWholeOrLeavesTheOldFile) {
    Temp t;
    auto card = t.path() / "c.zep";
    ASSERT_TRUE(WriteFileAtomically(card, "first").ok());
    ASSERT_TRUE(WriteFileAtomically(card, "second").ok());
    EXPECT_EQ(ReadBytes(card), "second");
    EXPECT_FALSE(WriteFileAtomically(t.path() / "missing" / "c.zep", "x").ok());
    std::filesystem::create_directory(t.path() / "d.zep");
    EXPECT_FALSE(WriteFileAtomically(t.path() / "d.zep", "x").ok());
    EXPECT_TRUE(std::filesystem::is_directory(t.path() / "d.zep"));
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(t.path())) (void)e, ++entries;
    EXPECT_EQ(entries, 2) << "no temporary file is left behind";
}

TEST(Folders, AtomicWriteKeepsLinksPermissionsAndReadOnlyCards) {
    namespace fs = std::filesystem;
    Temp t;
    fs::create_directory(t.path() / "real");
    fs::create_directory(t.path() / "cards");
    const fs::path real = t.path() / "real" / "c.zep", link = t.path() / "cards" / "c.zep";
    ASSERT_TRUE(WriteFileAtomically(real, "first").ok());
    fs::create_symlink(real, link);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(link, "second", FileAccess::Shared, AtLink::Follow).ok());
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(ReadBytes(real), "second");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::permissions(real, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteFileAtomically(link, "third", FileAccess::Shared, AtLink::Follow).ok()) << "read-only";
    EXPECT_FALSE(WriteFileAtomically(real, "third").ok());
    EXPECT_EQ(ReadBytes(real), "second");
    fs::permissions(real, fs::perms::owner_all);
}

// A copy goes through the same whole-or-nothing write in pieces, and refuses what is not a
// plain file or is larger than the caller allows.
TEST(Folders, AtomicCopyIsWholeOrNothing) {
    namespace fs = std::filesystem;
    Temp t;
    const std::string big(3 << 20, 'm');
    std::ofstream(t.path() / "big.avi", std::ios::binary) << big;
    std::ofstream(t.path() / "out.avi", std::ios::binary) << "old";
    ASSERT_TRUE(CopyFileAtomically(t.path() / "big.avi", t.path() / "copy.avi", 3 << 20).ok());
    EXPECT_EQ(ReadBytes(t.path() / "copy.avi"), big);
    const struct {
        fs::path from;
        std::uintmax_t limit;
    } refused[] = {{t.path() / "big.avi", (3 << 20) - 1}, {t.path() / "missing.avi", 100}, {t.path(), 100}};
    for (const auto& r : refused) {
        EXPECT_FALSE(CopyFileAtomically(r.from, t.path() / "out.avi", r.limit).ok()) << r.from << " " << r.limit;
        EXPECT_EQ(ReadBytes(t.path() / "out.avi"), "old");
    }
    int entries = 0;
    for (auto& e : fs::directory_iterator(t.path())) (void)e, ++entries;
    EXPECT_EQ(entries, 3) << "no temporary file is left behind";
}

TEST(Folders, EnterFolderChangesTheCurrentFolder) {
    Temp t;
    auto before = std::filesystem::current_path();
    EXPECT_TRUE(EnterFolder(t.path()));
    EXPECT_EQ(CurrentFolder(), t.path());
    EXPECT_FALSE(EnterFolder(t.path() / "nope"));
    EXPECT_EQ(CurrentFolder(), t.path());
    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace zepo
