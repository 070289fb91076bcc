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

// What a program prints on standard output.
std::string Output(const std::string& command, const fs::path& scratch) {
    std::system((command + " >" + (scratch / "stdout.txt").string()).c_str());
    return ReadBytes(scratch / "stdout.txt");
}

// How far apart two pictures look, 0 (same) to 255, compared at a small common size.
double Difference(const QImage& a, const QImage& b) {
    const auto small = [](const QImage& i) {
        return i.scaled(64, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB888);
    };
    const QImage x = small(a), y = small(b);
    double sum = 0;
    for (int j = 0; j < 48; ++j)
        for (int i = 0; i < 64 * 3; ++i) sum += std::abs(x.constScanLine(j)[i] - y.constScanLine(j)[i]);
    return sum / (64 * 48 * 3);
}

// The part of a handout page that is not white paper, above the caption.
QImage PictureOnPage(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height() * 8 / 10; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 235) box |= QRect(x, y, 1, 1);
    return page.copy(box.adjusted(2, 2, -2, -2));
}

TEST(RenderCommand, AHandoutIsOnePdfWithEveryCardAndItsNameAndTitle) {
    App();
    for (const char* tool : {"pdfinfo", "pdftoppm", "pdftotext"})
        if (std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()) != 0)
            GTEST_SKIP() << tool << " is missing (poppler-utils)";
    TempFolder dir;
    // Three cards, each with a picture of its own, names in other cases, titles with markup.
    const char* names[] = {"Main", "zwei", "DREI"};
    const char* colours[] = {"#c03030", "#30a040", "#3050d0"};
    std::string cards;
    for (int i = 0; i < 3; ++i) {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(QColor(colours[i]));
        picture.save(QString::fromStdString((dir.path() / (std::to_string(i) + ".bmp")).string()), "BMP");
        const std::string card = "card {" + std::string(names[i]) + "}\r\n\ttitle  {<b>第" + std::to_string(i + 1) +
                                 "</b>のカード}\r\n\tnew    {YELLOW}\r\n\tbitmap {40,60}{" + std::to_string(i) +
                                 ".bmp,100.0}{0}\r\nend\r\n";
        WriteBytes(dir.path() / (std::string(names[i]) + ".zep"), Utf8ToSjis(card).bytes);
        cards += " '" + (dir.path() / (std::string(names[i]) + ".zep")).string() + "'";
    }
    WriteBytes(dir.path() / "handout.pdf", "an older handout");
    const std::string pdf = (dir.path() / "handout.pdf").string();
    struct Case {
        std::string options;
        int code, pages;
        const char* errContains;
    } cases[] = {{"--format pdf --per-page 1", 0, 3, ""}, {"--per-page 2", 0, 2, ""},
                 {"--format PDF --per-page 4", 0, 1, ""}, {"--per-page 6", 0, 1, ""},
                 {"--per-page 3", 2, 1, "--per-page"},    {"--format png --per-page 2", 2, 1, "--per-page"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const Finished run = Render(cards + " -o " + pdf + " --screen 640x480 " + c.options, dir.path());
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.errContains), std::string::npos) << run.err;
        EXPECT_NE(Output("pdfinfo " + pdf, dir.path()).find("Pages:           " + std::to_string(c.pages) + "\n"),
                  std::string::npos);
    }
    // One card a page: the second page shows the second card as render draws it, named under it.
    ASSERT_EQ(Render(cards + " -o " + pdf + " --screen 640x480", dir.path()).code, 0);
    const std::string text = Output("pdftotext -f 2 -l 2 " + pdf + " -", dir.path());
    EXPECT_NE(text.find("zwei"), std::string::npos) << text;
    EXPECT_NE(text.find("<b>第2</b>のカード"), std::string::npos) << text;
    std::system(("pdftoppm -r 60 -f 2 -l 2 -png " + pdf + " " + (dir.path() / "page").string()).c_str());
    const QImage page(QString::fromStdString((dir.path() / "page-2.png").string()));
    ASSERT_FALSE(page.isNull());
    ASSERT_EQ(Render(cards + " -o " + (dir.path() / "png").string() + " --screen 640x480", dir.path()).code, 0);
    std::vector<double> differences;
    for (const char* name : names)
        differences.push_back(Difference(
            PictureOnPage(page), QImage(QString::fromStdString((dir.path() / "png" / name).string() + ".png"))));
    EXPECT_LT(differences[1], 12) << "the page is not the card";
    EXPECT_GT(std::min(differences[0], differences[2]), differences[1] + 10) << "another card on the page";
}

}  // namespace
}  // namespace zepo::test
