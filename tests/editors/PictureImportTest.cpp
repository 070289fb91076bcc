// A chosen picture file taken into a picture object: conversion, the extension rule, the
// automatic reduction, and what happens to the files on disk.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ModelFakes.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "editors/PictureImport.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureFile.h"

namespace zepo::test {
namespace {

// Where no BMP of the conversion's name exists, nothing is asked (the fake would record it).
RecordingMessages noQuestion;

std::string Bytes(Result<std::vector<uint8_t>> encoded) {
    return std::string(encoded.value().begin(), encoded.value().end());
}
// Four colours: a reduction has something to do and keeps them.
Bitmap Colours() {
    return Picture(
        4, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}, {1, 2, 3}, {200, 100, 0}, {0, 0, 0}, {255, 255, 255}});
}
std::string Bmp24() { return Bytes(EncodeBmp(Colours())); }
std::string Jpeg() { return Bytes(EncodeJpeg(Colours(), 90)); }
std::string Bmp8() {
    Bitmap b(4, 1, PixelFormat::Indexed8);
    b.SetPalette({Entry(255, 0, 0), Entry(0, 255, 0), Entry(0, 0, 255)});
    b.Row(0)[1] = 1;
    return Bytes(EncodeBmp(b));
}
int FileDepth(const std::filesystem::path& p) {
    auto loaded = LoadPicture(p);
    return loaded ? loaded.value().fileBitsPerPixel : -1;
}

TEST(ImportPicture, ConvertsReadsByExtensionAndReducesOnce) {
    struct Case {
        const char* file;
        std::string bytes;
        bool reduce;
        const char* recorded;
        bool failed, loaded;
        int depthShown;       // of the pixels the object holds
        const char* written;  // a file that must now exist with this depth, or null
        int writtenDepth;
    };
    const Case cases[] = {
        {"photo.jpg", Jpeg(), false, "photo.bmp", false, true, 24, "photo.bmp", 24},
        {"photo.JPG", Jpeg(), false, "photo.bmp", false, true, 24, "photo.bmp", 24},
        {"photo.jpg", Jpeg(), true, "photo.bmp", false, true, 8, "photo.bmp", 8},
        {"pic.jpeg", Jpeg(), true, "pic.jpeg", false, true, 24, nullptr, 0},  // loaded directly, never rewritten
        {"p.bmp", Bmp24(), true, "p.bmp", false, true, 8, "p.bmp", 8},
        {"p.bmp", Bmp24(), false, "p.bmp", false, true, 24, "p.bmp", 24},
        {"p.BMP", Bmp8(), true, "p.BMP", false, true, 8, "p.BMP", 8},
        // The extension decides, as the player opens pictures.
        {"fake.bmp", Jpeg(), false, "fake.bmp", true, false, 0, nullptr, 0},
        {"bmp.jpg", Bmp24(), false, "bmp.jpg", true, false, 0, nullptr, 0},
        {"sakura.gif", Bmp24(), false, "sakura.gif", true, false, 0, nullptr, 0},
        {"noext", Bmp24(), false, "noext", true, false, 0, nullptr, 0},
        {"broken.bmp", "BM\x10\0\0\0 not really", true, "broken.bmp", true, false, 0, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.reduce ? " reduced" : ""));
        TempFolder dir;
        WriteBytes(dir.path() / c.file, c.bytes);
        const PictureImport got = ImportPicture(dir.path(), c.file, c.reduce, noQuestion);
        EXPECT_EQ(got.fileName, c.recorded);
        EXPECT_EQ(got.failed, c.failed);
        ASSERT_EQ(got.pixels != nullptr, c.loaded);
        // Only a BMP that the reduction rewrote changes; a JPEG is only ever read.
        const bool rewritten =
            c.written && std::string(c.written) == c.file && c.writtenDepth == 8 && c.bytes != Bmp8();
        EXPECT_EQ(ReadBytes(dir.path() / c.file) == c.bytes, !rewritten);
        if (c.loaded) {
            EXPECT_EQ(got.pixels->width, 4);
            EXPECT_EQ(got.pixels->fileBitsPerPixel, c.depthShown);
        }
        if (c.written) {
            EXPECT_EQ(FileDepth(dir.path() / c.written), c.writtenDepth);
        }
        if (!c.loaded) {
            EXPECT_FALSE(std::filesystem::exists(dir.path() / "bmp.bmp")) << "no BMP from a failed conversion";
        }
    }
}

TEST(ImportPicture, AReducedPictureIsNotRewrittenOnTheNextConfirmation) {
    TempFolder dir;
    const auto file = dir.path() / "p.bmp";
    WriteBytes(file, Bmp24());
    ASSERT_FALSE(ImportPicture(dir.path(), "p.bmp", true, noQuestion).failed);
    const std::string once = ReadBytes(file);
    const auto time = std::filesystem::last_write_time(file);
    ASSERT_EQ(FileDepth(file), 8);
    const PictureImport again = ImportPicture(dir.path(), "p.bmp", true, noQuestion);
    EXPECT_FALSE(again.failed);
    EXPECT_EQ(ReadBytes(file), once);
    EXPECT_EQ(std::filesystem::last_write_time(file), time);
}

TEST(ImportPicture, HostileFilesAreReportedAndNothingIsLoaded) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.bmp").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "folder.bmp");
    // A 58-byte BMP claiming 100000 × 100000 pixels.
    std::string huge = Bmp24();
    huge[18] = huge[22] = '\xA0', huge[19] = huge[23] = '\x86', huge[20] = huge[24] = '\x01';
    WriteBytes(dir.path() / "huge.bmp", huge.substr(0, 58));
    for (const char* name : {"pipe.bmp", "folder.bmp", "huge.bmp", "missing.bmp", "missing.jpg"}) {
        const PictureImport got = ImportPicture(dir.path(), name, true, noQuestion);
        EXPECT_TRUE(got.failed) << name;
        EXPECT_EQ(got.pixels, nullptr) << name;
        EXPECT_EQ(got.fileName, name);
    }
}

// Links in the save folder are followed only while they stay inside it, for reading the
// chosen picture and for writing its conversion or reduction alike.
TEST(ImportPicture, LinksOutOfTheSaveFolderAreNeitherReadNorWritten) {
    TempFolder dir;
    const auto out = dir.path() / "elsewhere", set = dir.path() / "set";
    std::filesystem::create_directories(out);
    std::filesystem::create_directories(set);
    WriteBytes(out / "secret.bmp", Bmp24());
    WriteBytes(out / "secret.jpg", Jpeg());
    WriteBytes(out / "victim.bmp", Bmp24());
    WriteBytes(set / "photo.jpg", Jpeg());
    WriteBytes(set / "inside.bmp", Bmp24());
    std::filesystem::create_symlink(out / "secret.bmp", set / "out.bmp");
    std::filesystem::create_symlink(out / "secret.jpg", set / "out.jpg");
    std::filesystem::create_symlink(out / "victim.bmp", set / "photo.bmp");
    std::filesystem::create_symlink("inside.bmp", set / "alias.bmp");
    const struct {
        const char* chosen;
        bool loaded;
    } cases[] = {{"out.bmp", false}, {"out.jpg", false}, {"photo.jpg", false}, {"alias.bmp", true}};
    for (const auto& c : cases) {
        const PictureImport got = ImportPicture(set, c.chosen, true, noQuestion);
        EXPECT_EQ(got.pixels != nullptr, c.loaded) << c.chosen;
        EXPECT_EQ(got.failed, !c.loaded) << c.chosen;
    }
    for (const char* name : {"secret.bmp", "victim.bmp"}) EXPECT_EQ(ReadBytes(out / name), Bmp24()) << name;
    EXPECT_EQ(ReadBytes(out / "secret.jpg"), Jpeg());
    EXPECT_TRUE(std::filesystem::is_symlink(set / "photo.bmp"));
    EXPECT_EQ(FileDepth(set / "inside.bmp"), 8) << "the link inside is reduced where it leads";
}

TEST(ImportPicture, AReductionThatCannotBeWrittenKeepsThePictureAsLoaded) {
    TempFolder dir;
    const auto file = dir.path() / "locked.bmp";
    WriteBytes(file, Bmp24());
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    const PictureImport got = ImportPicture(dir.path(), "locked.bmp", true, noQuestion);
    EXPECT_TRUE(got.failed);
    ASSERT_NE(got.pixels, nullptr);
    EXPECT_EQ(got.pixels->fileBitsPerPixel, 24);
    EXPECT_EQ(ReadBytes(file), Bmp24());
}

}  // namespace
}  // namespace zepo::test

namespace zepo::test {
namespace {

// A JPEG's conversion over a BMP of the same name: the BMP is this JPEG's own conversion (as
// written, or as its reduction left it) and is simply rewritten; any other picture is replaced
// only after Yes.
TEST(ImportPicture, ABmpHoldingAnotherPictureIsReplacedOnlyAfterYes) {
    const std::string reduced = [] {
        TempFolder dir;
        WriteBytes(dir.path() / "s.jpg", Jpeg());
        ImportPicture(dir.path(), "s.jpg", true, noQuestion);
        return ReadBytes(dir.path() / "s.bmp");
    }();
    const std::string converted = [] {
        TempFolder dir;
        WriteBytes(dir.path() / "s.jpg", Jpeg());
        ImportPicture(dir.path(), "s.jpg", false, noQuestion);
        return ReadBytes(dir.path() / "s.bmp");
    }();
    ASSERT_NE(reduced, converted);
    struct Case {
        std::string existing;
        bool reduce, answer;
        bool asked, placed;
        std::string after;  // the BMP's bytes afterwards
    };
    const Case cases[] = {
        {Bmp8(), false, false, true, false, Bmp8()},
        {Bmp8(), true, false, true, false, Bmp8()},
        {Bmp8(), false, true, true, true, converted},
        {Bmp8(), true, true, true, true, reduced},
        {"not a picture", false, false, true, false, "not a picture"},
        {converted, false, false, false, true, converted},
        {converted, true, false, false, true, reduced},
        {reduced, true, false, false, true, reduced},
        {reduced, false, false, true, false, reduced},
    };
    for (const Case& c : cases) {
        const std::string& held = c.existing;
        SCOPED_TRACE(std::string(held == converted ? "the converted"
                                 : held == reduced ? "the reduced"
                                 : held == Bmp8()  ? "another"
                                                   : "no") +
                     " picture in sakura.bmp, " + (c.reduce ? "reducing, " : "converting, ") +
                     (c.answer ? "Yes" : "No"));
        TempFolder dir;
        WriteBytes(dir.path() / "sakura.jpg", Jpeg());
        WriteBytes(dir.path() / "sakura.bmp", c.existing);
        RecordingMessages messages;
        messages.answer = c.answer;
        const PictureImport got = ImportPicture(dir.path(), "sakura.jpg", c.reduce, messages);
        EXPECT_EQ(
            messages.questions,
            c.asked ? std::vector<
                          std::string>{"sakura.bmp はすでにあり、sakura.jpg から作る画像と違います。\r置き換えますか？"}
                    : std::vector<std::string>{});
        EXPECT_EQ(got.pixels != nullptr, c.placed);
        EXPECT_EQ(got.declined, !c.placed);
        EXPECT_FALSE(got.failed);
        EXPECT_EQ(ReadBytes(dir.path() / "sakura.bmp"), c.after);
        EXPECT_EQ(ReadBytes(dir.path() / "sakura.jpg"), Jpeg());
    }
    EXPECT_TRUE(noQuestion.questions.empty());
}

}  // namespace
}  // namespace zepo::test
