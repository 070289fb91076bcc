// The settings file module: private-profile reading and writing.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>

#include "TempFolder.h"
#include "platform/ProfileFile.h"

namespace zepo {
namespace {

const char kFile[] =
    "; comment\r\n"
    "[MemoTool]\r\n"
    "ToolName = Memo \r\n"
    "ExeName=\"quoted.exe\"\r\n"
    "[ZEPOED]\n"
    "isToolUse=1\n"
    "Auto256Color=junk\n"
    "Neg=-12\n"
    "Lead=7days\n"
    "Big=99999999999\n"
    "Empty=\n";

TEST(ProfileFile, ReadsWithoutRegardToCaseAndFallsBackToDefaults) {
    ProfileFile p = ProfileFile::FromBytes(kFile);
    struct Case {
        const char *section, *key, *fallback, *expected;
    } strings[] = {
        {"memotool", "TOOLNAME", "d", "Memo"},  {"MemoTool", "ExeName", "d", "quoted.exe"},
        {"MemoTool", "Option", "dflt", "dflt"}, {"Missing", "ToolName", "dflt", "dflt"},
        {"ZEPOED", "Empty", "dflt", ""},        {"ZEPOED", "ToolName", "d", "d"},
    };
    for (const Case& c : strings) EXPECT_EQ(p.GetString(c.section, c.key, c.fallback), c.expected) << c.key;
    struct IntCase {
        const char* key;
        int fallback, expected;
    } ints[] = {{"isToolUse", 0, 1}, {"Auto256Color", 1, 1}, {"Auto256Color", 0, 0}, {"Neg", 0, -12},
                {"Lead", 0, 7},      {"Big", 3, 3},          {"Empty", 5, 5},        {"Nothing", 9, 9}};
    for (const IntCase& c : ints) EXPECT_EQ(p.GetInt("zepoed", c.key, c.fallback), c.expected) << c.key;
}

TEST(ProfileFile, MissingFileIsEmpty) {
    ProfileFile p = ProfileFile::Load("/nonexistent/ZEPOED.INI");
    EXPECT_EQ(p.GetString("A", "B", "x"), "x");
    EXPECT_EQ(p.GetInt("A", "B", 4), 4);
}

TEST(ProfileFile, WritesInPlaceAtTheEndOfTheSectionOrAsANewSection) {
    ProfileFile p = ProfileFile::FromBytes("[A]\r\nk=1\r\n\r\n[B]\r\nx=2\r\n");
    p.SetString("a", "K", "9");                        // in place, key spelling of the call
    p.SetString("A", "new", "v");                      // before the blank line that ends section A
    p.SetString("C", "ToolName", "\x83\x81\x83\x82");  // Shift-JIS bytes kept as they are
    EXPECT_EQ(p.ToBytes(), "[A]\r\nK=9\r\nnew=v\r\n\r\n[B]\r\nx=2\r\n\r\n[C]\r\nToolName=\x83\x81\x83\x82\r\n");
    EXPECT_EQ(ProfileFile::FromBytes(p.ToBytes()).GetString("c", "toolname", ""), "\x83\x81\x83\x82");
}

TEST(ProfileFile, ValueWithALineBreakCannotForgeAnotherEntry) {
    ProfileFile p = ProfileFile::FromBytes("[MemoTool]\r\nExeName=a\r\n");
    p.SetString("MemoTool", "ExeName", "edit.exe\r\n[ZEPOED]\r\nisToolUse=1");
    p.SetString("MemoTool", "Option", "x\ny");
    EXPECT_EQ(p.ToBytes(), "[MemoTool]\r\nExeName=edit.exe\r\nOption=x\r\n");
    EXPECT_EQ(ProfileFile::FromBytes(p.ToBytes()).GetString("ZEPOED", "isToolUse", "none"), "none");
}

// What the tool settings dialog saves must read back as itself at the next start, however
// often it is saved; values that read back unchanged anyway are written as they are.
TEST(ProfileFile, WrittenValuesReadBackAsThemselves) {
    struct Case {
        const char* value;
        const char* line;  // as written
    } cases[] = {
        {"notepad.exe", "ExeName=notepad.exe"},
        {"", "ExeName="},
        {"a \"b\" c", "ExeName=a \"b\" c"},
        {"\"", "ExeName=\""},
        {"'x\"", "ExeName='x\""},
        {"\"$F\"", "ExeName=\"\"$F\"\""},
        {"''", "ExeName=\"''\""},
        {"\"\"\"", "ExeName=\"\"\"\"\""},
        {" lead", "ExeName=\" lead\""},
        {"trail\t", "ExeName=\"trail\t\""},
        {"=x=", "ExeName==x="},
    };
    for (const Case& c : cases) {
        ProfileFile p = ProfileFile::FromBytes("[MemoTool]\r\nExeName=old\r\n");
        for (int save = 0; save < 2; ++save) {
            p.SetString("MemoTool", "ExeName", c.value);
            EXPECT_EQ(p.ToBytes(), "[MemoTool]\r\n" + std::string(c.line) + "\r\n") << c.value;
            p = ProfileFile::FromBytes(p.ToBytes());
            EXPECT_EQ(p.GetString("MemoTool", "ExeName", "default"), c.value) << c.value;
        }
    }
}

using test::TempFolder;

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string kToolOn = "[ZEPOED]\r\nisToolUse=1\r\n";

// The settings are read at start-up, before any window: whatever sits under the settings
// file's name must give either its settings or the defaults, and must never block.
TEST(ProfileFile, OnlyAPlainFileOfSettingsSizeIsRead) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> make;  // puts something at the path
        int expected;                                            // isToolUse read, 0 = default
    };
    const Case cases[] = {
        {"plain file", [](auto& p) { WriteFile(p, kToolOn); }, 1},
        {"link to a plain file",
         [](auto& p) {
             WriteFile(p.string() + ".real", kToolOn);
             std::filesystem::create_symlink(p.string() + ".real", p);
         },
         1},
        {"file exactly at the size limit",
         [](auto& p) { WriteFile(p, kToolOn + std::string(kMaxProfileBytes - kToolOn.size(), ';')); }, 1},
        {"file one byte over the size limit",
         [](auto& p) { WriteFile(p, kToolOn + std::string(kMaxProfileBytes - kToolOn.size() + 1, ';')); }, 0},
        {"FIFO nobody writes to", [](auto& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, 0},
        {"link to a FIFO",
         [](auto& p) {
             ASSERT_EQ(mkfifo((p.string() + ".fifo").c_str(), 0600), 0);
             std::filesystem::create_symlink(p.string() + ".fifo", p);
         },
         0},
        // Reading a folder throws from inside the stream library.
        {"folder", [](auto& p) { std::filesystem::create_directory(p); }, 0},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::filesystem::path ini = folder.path() / "ZEPOED.INI";
        c.make(ini);
        auto read =
            std::async(std::launch::async, [&] { return ProfileFile::Load(ini).GetInt("ZEPOED", "isToolUse", 0); });
        if (read.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            // Blocked in opening a FIFO: a writer that comes and goes lets it return, so the
            // test fails instead of hanging.
            const int fd = open(ini.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) close(fd);
            ADD_FAILURE() << c.what << ": reading blocked";
        }
        EXPECT_EQ(read.get(), c.expected) << c.what;
    }
}

TEST(ProfileFileSave, ReplacesPlainFilesWholeAndLeavesAnythingElseAlone) {
    TempFolder folder;
    const std::filesystem::path ini = folder.path() / "ZEPOED.INI";
    ProfileFile profile;
    profile.SetString("ZEPOED", "isToolUse", "1");
    ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0);
    auto save = std::async(std::launch::async, [&] { return profile.Save(ini); });
    if (save.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // A reader that comes and goes lets a blocked writer return, so the test fails
        // instead of hanging.
        const int fd = open(ini.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd >= 0) close(fd);
        ADD_FAILURE() << "saving blocked on a pipe";
    }
    EXPECT_FALSE(save.get());
    EXPECT_TRUE(std::filesystem::is_fifo(ini));

    std::filesystem::remove(ini);
    WriteFile(ini.string() + ".real", "old");
    std::filesystem::create_symlink(ini.string() + ".real", ini);
    ASSERT_TRUE(profile.Save(ini));
    EXPECT_TRUE(std::filesystem::is_symlink(ini)) << "a linked settings file stays linked";
    EXPECT_EQ(ProfileFile::Load(ini).GetInt("ZEPOED", "isToolUse", 0), 1);
}

}  // namespace
}  // namespace zepo
