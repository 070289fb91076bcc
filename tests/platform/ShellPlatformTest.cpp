// Single instance, folders, card file names and the whole-or-nothing write.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include "core/AtomicFile.h"
#include "platform/Folders.h"

#include "TempFolder.h"
#include "core/TextCodec.h"
#include "platform/SingleInstance.h"

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

// Per-user folders (the player's cache, the instance lock without a runtime folder): only the
// user's own, never through a link, closed to others.
TEST(Folders, OwnerOnlyFolderIsTheUsersAloneOrRefused) {
    Temp t;
    const auto fresh = t.path() / "fresh", open = t.path() / "open", victim = t.path() / "victim",
               link = t.path() / "link";
    std::filesystem::create_directory(open);
    std::filesystem::create_directory(victim);
    chmod(open.c_str(), 0777);
    chmod(victim.c_str(), 0755);
    std::filesystem::create_directory_symlink(victim, link);
    std::ofstream(t.path() / "file") << "x";
    for (const auto& folder : {fresh, open}) {
        EXPECT_TRUE(MakeOwnerOnlyFolder(folder)) << folder;
        EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms(0700)) << folder;
    }
    for (const auto& refused : {link, t.path() / "file"}) {
        Status made = MakeOwnerOnlyFolder(refused);
        EXPECT_TRUE(!made && made.error().message.find(refused.string()) != std::string::npos) << refused;
    }
    if (geteuid() == 0) {  // a folder of another user
        ASSERT_EQ(chown(victim.c_str(), 54321, 54321), 0);
        EXPECT_FALSE(MakeOwnerOnlyFolder(victim));
    }
    EXPECT_EQ(std::filesystem::status(victim).permissions(), std::filesystem::perms(0755)) << "changed";
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
