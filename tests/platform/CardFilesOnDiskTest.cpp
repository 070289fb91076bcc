#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "ShellFakes.h"
#include "platform/CardFilesOnDisk.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;

class CardFilesOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::App();
        dir_ = fs::temp_directory_path() / ("zepo_files_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(const std::string& utf8Name, const std::string& bytes) {
        std::ofstream(dir_ / utf8Name, std::ios::binary) << bytes;
    }
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
        if (std::string(c.format) == "BMP") EXPECT_EQ(loaded->pixels->rgb[5], 0xFF0A141Eu) << c.name;
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

}  // namespace
}  // namespace zepo
