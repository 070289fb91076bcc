// zepocard render as a script would run it: formats, names, exit codes and messages.

#include <gtest/gtest.h>

#include <QImage>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "core/TextCodec.h"

namespace zepo::test {
namespace {
namespace fs = std::filesystem;

struct Finished {
    int code = -1;
    std::string err;
};

Finished Render(const std::string& arguments, const fs::path& scratch) {
    const fs::path errFile = scratch / "stderr.txt";
    const std::string command = std::string(ZEPOCARD) + " render " + arguments + " 2>" + errFile.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(errFile)};
}

TEST(RenderCommand, WritesEachFormatWithTheRightSizeAndExitCode) {
    App();
    TempFolder dir;
    const fs::path examples = fs::path(ZEPO_SOURCE_DIR) / "examples";
    const std::string main = (examples / "main.zep").string(), next = (examples / "next.zep").string();
    WriteBytes(dir.path() / "broken.zep",
               Utf8ToSjis("card {broken}\r\nbitmap {1,1}{gone.bmp,100.0}{0}\r\nend\r\n").bytes);
    struct Case {
        std::string args;
        int code;
        std::vector<std::pair<std::string, QSize>> written;  // file in dir, size
        const char* errContains;
    };
    const std::string out = dir.path().string();
    const Case cases[] = {
        {main + " -o " + out + "/one.png", 0, {{"one.png", {1025, 768}}}, ""},
        {main + " -o " + out + "/one.bmp --screen 640x480", 0, {{"one.bmp", {641, 480}}}, ""},
        {main + " -o " + out + "/one.out --format jpg", 0, {{"one.out", {1025, 768}}}, ""},
        {main + " " + next + " -o " + out + "/many -j 1",
         0,
         {{"many/main.png", {1025, 768}}, {"many/next.png", {1025, 768}}},
         ""},
        // Messages of the reading: rendered all the same, the message on standard error, exit 1.
        {(dir.path() / "broken.zep").string() + " -o " + out + "/b.png", 1, {{"b.png", {1025, 768}}}, "gone.bmp"},
        {(dir.path() / "none.zep").string() + " -o " + out + "/n.png", 2, {}, "none.zep"},
        {main + " -o /nonexistent-folder/x.png", 2, {}, "x.png"},
        {main + " -o " + out + "/s.png --screen 0x10", 2, {}, "--screen"},
        {main + " -o " + out + "/f.png --format gif", 2, {}, "--format"},
        {main + " -o " + out + "/j.png -j 0", 2, {}, "-j"},
        {main, 2, {}, "-o"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Finished run = Render(c.args, dir.path());
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.errContains), std::string::npos) << run.err;
        for (const auto& [file, size] : c.written) {
            const QImage image(QString::fromStdString((dir.path() / file).string()));
            EXPECT_EQ(image.size(), size) << file;
        }
    }
    // The format is the file's, whatever its name says when told.
    EXPECT_EQ(ReadBytes(dir.path() / "one.bmp").substr(0, 2), "BM");
    EXPECT_EQ(ReadBytes(dir.path() / "one.out").substr(0, 3), "\xFF\xD8\xFF");
}

}  // namespace
}  // namespace zepo::test
