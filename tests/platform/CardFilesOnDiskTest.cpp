#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "core/TextCodec.h"
#include "model/MacroFile.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;

class CardFilesOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::App();
        dir_ = folder_.path();
    }
    void Write(const std::string& utf8Name, const std::string& bytes) {
        std::ofstream(dir_ / utf8Name, std::ios::binary) << bytes;
    }
    test::TempFolder folder_;
    fs::path dir_;
};

TEST_F(CardFilesOnDiskTest, ReadsTextFilesByShiftJisNameAndAnyCase) {
    Write("メモ.txt", "a\r\nb\rc\n");
    Write("Upper.TXT", "x");
    CardFilesOnDisk files(dir_);
    EXPECT_EQ(files.ReadTextLines(Sjis("メモ.txt")), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(files.ReadTextLines("upper.txt"), (std::vector<std::string>{"x"}));
    EXPECT_FALSE(files.ReadTextLines("missing.txt"));
    EXPECT_FALSE(files.ReadTextLines(""));  // the folder itself is not a text file
}

TEST_F(CardFilesOnDiskTest, PictureSizesFromBmpAndJpeg) {
    QImage image(7, 5, QImage::Format_RGB888);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString((dir_ / "p.bmp").string())));
    ASSERT_TRUE(image.save(QString::fromStdString((dir_ / "p.jpg").string()), "JPG"));
    Write("broken.bmp", "BM not really");
    CardFilesOnDisk files(dir_);
    auto bmp = files.PictureSize("p.bmp");
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->width, 7);
    EXPECT_EQ(bmp->height, 5);
    ASSERT_TRUE(files.PictureSize("P.JPG"));
    EXPECT_FALSE(files.PictureSize("broken.bmp"));
    EXPECT_FALSE(files.PictureSize("none.bmp"));
}

// Pictures are read as their extension says, as the player opens them; the card then holds
// the pixels, so its picture no longer depends on the file.
TEST_F(CardFilesOnDiskTest, PicturesAreReadByTheirExtensionAndHandedOverWithTheirPixels) {
    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    auto save = [&](const char* name, const char* format) {
        ASSERT_TRUE(image.save(QString::fromStdString((dir_ / name).string()), format));
    };
    struct Case {
        const char* name;
        const char* format;
        bool loads;
    };
    const Case cases[] = {{"a.bmp", "BMP", true},      {"b.JPG", "JPG", true},       {"c.jpeg", "JPG", true},
                          {"photo.bmp", "JPG", false}, {"sakura.gif", "BMP", false}, {"bmp.jpg", "BMP", false},
                          {"noext", "BMP", false}};
    for (const Case& c : cases) save(c.name, c.format);
    CardFilesOnDisk files(dir_);
    for (const Case& c : cases) {
        auto loaded = files.LoadPicture(c.name);
        EXPECT_EQ(loaded.has_value(), c.loads) << c.name;
        EXPECT_EQ(files.PictureSize(c.name).has_value(), c.loads) << c.name;
        if (!loaded) continue;
        ASSERT_NE(loaded->pixels, nullptr);
        EXPECT_EQ(loaded->size.width, 3);
        EXPECT_EQ(loaded->pixels->rgb.size(), 6u);
        if (std::string(c.format) == "BMP") {
            EXPECT_EQ(loaded->pixels->rgb[5], 0xFF0A141Eu) << c.name;
        }
    }
}

TEST_F(CardFilesOnDiskTest, OnlyPlainFilesAreRead) {
    // A card can name anything; a pipe or a device would block or never end.
    ASSERT_EQ(::mkfifo((dir_ / "pipe.bmp").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir_ / "pipe.txt").c_str(), 0600), 0);
    CardFilesOnDisk files(dir_);
    for (const char* name : {"pipe.bmp", "pipe.txt", "/dev/zero", "\\dev\\zero", "/dev/null"}) {
        EXPECT_FALSE(files.PictureSize(name)) << name;
        EXPECT_FALSE(files.ReadTextLines(name)) << name;
    }
    EXPECT_FALSE(ReadFileBytes("/dev/zero"));
}

TEST_F(CardFilesOnDiskTest, TheSaveFolderIsCheckedWithoutEnteringIt) {
    const fs::path before = fs::current_path();
    EXPECT_TRUE(CardFilesOnDisk(dir_).ReachSaveFolder());
    EXPECT_EQ(fs::current_path(), before) << "reading never changes the current folder";
    EXPECT_FALSE(CardFilesOnDisk(dir_ / "nope").ReachSaveFolder());
    Write("plain", "x");
    EXPECT_FALSE(CardFilesOnDisk(dir_ / "plain").ReachSaveFolder());
}

// A card comes from anyone: only names inside its save folder are read. A subfolder is
// inside; an absolute name, or one that climbs out at any point, is not.
TEST_F(CardFilesOnDiskTest, OnlyNamesInsideTheSaveFolderAreRead) {
    fs::create_directories(dir_ / "card" / "sub");
    Write("outside.txt", "secret");
    Write("card/sub/in.txt", "ok");
    Write("card/here.txt", "ok");
    CardFilesOnDisk files(dir_ / "card");
    const std::string outside = (dir_ / "outside.txt").string();
    const struct {
        std::string name;
        bool read;
    } cases[] = {
        {"here.txt", true},
        {".\\here.txt", true},
        {"sub\\in.txt", true},
        {"sub/in.txt", true},
        {"sub\\..\\here.txt", true},
        {"..\\outside.txt", false},
        {"../outside.txt", false},
        {"sub\\..\\..\\outside.txt", false},
        {outside, false},
        {"\\etc\\hostname", false},
        {"/etc/passwd", false},
        {"..", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.ReadTextLines(c.name).has_value(), c.read) << c.name;
        EXPECT_EQ(!ResolveInFolder(dir_ / "card", c.name).empty(), c.read) << c.name;
    }
}

// Names as an archive from the old system leaves them (raw Shift-JIS bytes) are found byte
// for byte, UTF-8 ones by conversion; a trail byte 0x5C is no folder separator in either.
TEST_F(CardFilesOnDiskTest, RawShiftJisFileNamesAreFoundByteForByte) {
    fs::create_directories(dir_ / Sjis("表"));
    std::ofstream(dir_ / Sjis("表.txt"), std::ios::binary) << "raw";
    std::ofstream(dir_ / Sjis("表") / "In.TXT", std::ios::binary) << "raw folder";
    std::ofstream(dir_ / "メモ.txt", std::ios::binary) << "utf8";
    std::ofstream(dir_ / Sjis("ABC.txt"), std::ios::binary) << "ascii";
    const struct {
        std::string name;
        const char* text;  // nothing when not found
    } cases[] = {
        {Sjis("表.txt"), "raw"},   {Sjis("表\\in.txt"), "raw folder"}, {Sjis("メモ.txt"), "utf8"},
        {"abc.TXT", "ascii"},      {Sjis("表\\..\\表.txt"), "raw"},    {Sjis("表\\..\\..\\x.txt"), nullptr},
        {Sjis("ソ.txt"), nullptr},
    };
    CardFilesOnDisk files(dir_);
    for (const auto& c : cases) {
        auto lines = files.ReadTextLines(c.name);
        EXPECT_EQ(lines.has_value(), c.text != nullptr) << SjisToUtf8(c.name);
        if (lines && c.text) {
            EXPECT_EQ(lines->front(), c.text) << SjisToUtf8(c.name);
        }
    }
}

// A set unpacked from an archive can hold links. What a name leads to is judged where it
// really lives, every link followed: a link out of the save folder (a file, a subfolder, one
// reached through the ASCII case rule) reads nothing, a link that stays inside reads as its
// target, and a save folder opened through a link of its own still reads its files.
TEST_F(CardFilesOnDiskTest, LinksAreReadOnlyWhenTheyLeadToAFileInsideTheSaveFolder) {
    fs::create_directories(dir_ / "elsewhere");
    fs::create_directories(dir_ / "card" / "real");
    Write("secret.txt", "secret");
    Write("elsewhere/n.txt", "secret");
    Write("card/in.txt", "ok");
    Write("card/real/r.txt", "ok");
    QImage image(2, 2, QImage::Format_RGB888);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString((dir_ / "secret.bmp").string())));
    ASSERT_TRUE(image.save(QString::fromStdString((dir_ / "card" / "in.bmp").string())));
    const std::pair<const char*, fs::path> links[] = {
        {"notes.txt", dir_ / "secret.txt"},  {"up.txt", "../secret.txt"},
        {"NOTES2.TXT", dir_ / "secret.txt"}, {"sub", dir_ / "elsewhere"},
        {"pic.bmp", dir_ / "secret.bmp"},    {"alias.txt", "in.txt"},
        {"inner", dir_ / "card" / "real"},   {"alias.bmp", dir_ / "card" / "in.bmp"},
    };
    for (const auto& [name, target] : links) fs::create_symlink(target, dir_ / "card" / name);
    fs::create_directory_symlink(dir_ / "card", dir_ / "opened");
    const struct {
        const char* folder;
        const char* name;
        bool read;
    } cases[] = {
        {"card", "notes.txt", false},   {"card", "up.txt", false},       {"card", "notes2.txt", false},
        {"card", "sub\\n.txt", false},  {"card", "sub/n.txt", false},    {"card", "alias.txt", true},
        {"card", "inner\\r.txt", true}, {"card", "in.txt", true},        {"opened", "alias.txt", true},
        {"opened", "notes.txt", false}, {"opened", "real\\r.txt", true}, {"card", "sub\\..\\secret.txt", false},
    };
    for (const auto& c : cases) {
        CardFilesOnDisk files(dir_ / c.folder);
        const auto lines = files.ReadTextLines(c.name);
        EXPECT_EQ(lines.has_value(), c.read) << c.folder << "/" << c.name;
        if (lines) {
            EXPECT_EQ(*lines, std::vector<std::string>{"ok"}) << c.name;
        }
        EXPECT_EQ(!ResolveInFolder(dir_ / c.folder, c.name).empty(), c.read) << c.folder << "/" << c.name;
    }
    const struct {
        const char* name;
        bool read;
    } pictures[] = {{"pic.bmp", false}, {"sub\\..\\secret.bmp", false}, {"alias.bmp", true}, {"in.bmp", true}};
    CardFilesOnDisk files(dir_ / "card");
    for (const auto& p : pictures) {
        EXPECT_EQ(files.PictureSize(p.name).has_value(), p.read) << p.name;
        EXPECT_EQ(files.LoadPicture(p.name).has_value(), p.read) << p.name;
    }
}

// A text block keeps only what it can ever show: a 64 MiB text file costs no more than that.
TEST_F(CardFilesOnDiskTest, TextBlocksKeepOnlyWhatCanBeShown) {
    std::string text = std::string(kMaxTextBlockLineBytes - 1, 'x') + Sjis("あ") + std::string(1000, 'a') + "\r\n";
    for (size_t i = 0; i < kMaxTextBlockLines + 100; ++i) text += "line\r\n";
    Write("long.txt", text);
    const auto lines = CardFilesOnDisk(dir_).ReadTextLines("long.txt");
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), kMaxTextBlockLines);
    EXPECT_EQ(lines->front().size(), kMaxTextBlockLineBytes - 1) << "the cut never splits a character";
    EXPECT_EQ(lines->back(), "line");
}

// Reading in pieces must give the lines reading all at once gives, wherever a piece ends
// (a CR LF split between two pieces is one line break, not two).
TEST_F(CardFilesOnDiskTest, LinesReadInPiecesMatchTheWholeSplit) {
    const size_t piece = size_t{1} << 20;
    auto around = [&](size_t at, const std::string& middle) {
        return std::string(at - 1, 'a') + middle + std::string(10, 'b') + "\r\nend";
    };
    const std::string cases[] = {
        around(piece, "\r\n"),            // the CR ends the first piece
        around(piece - 1, "\r\n"),        // both in the first piece, the next starts a line
        around(piece, "\r\r\n"),          // a lone CR, then a CR LF across the boundary
        around(piece, "\n\r"),            // LF then a lone CR
        std::string(piece * 2 + 5, 'x'),  // one line over three pieces, no break
        around(piece, "\r\n") + std::string(1, '\0') + "after the zero",
        "",
    };
    for (const std::string& bytes : cases) {
        Write("big.txt", bytes);
        const auto pieces = ReadFileLines(dir_ / "big.txt");
        ASSERT_TRUE(pieces);
        EXPECT_EQ(*pieces, SplitLines(bytes)) << bytes.size();
    }
}

}  // namespace
}  // namespace zepo
