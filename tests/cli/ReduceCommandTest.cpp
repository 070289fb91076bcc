#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "TestPictures.h"
#include "cli/CommandLine.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureFile.h"

namespace zepo {
namespace {

namespace fs = std::filesystem;

class ReduceCommand : public ::testing::Test {
protected:
    void SetUp() override { dir_ = folder_.path(); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    // Runs the command; returns the exit code and keeps what it printed.
    int Run(std::vector<std::string> args) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        args.insert(args.begin(), "reduce");
        const auto line = cli::ReadCommandLine(args);
        const auto* reply = std::get_if<cli::Reply>(&line);
        const int code = reply ? cli::Answer(*reply) : cli::RunCommand(std::get<cli::CommandOptions>(line));
        out_ = ::testing::internal::GetCapturedStdout();
        err_ = ::testing::internal::GetCapturedStderr();
        return code;
    }

    void WritePicture(const char* name, const Bitmap& picture) { ASSERT_TRUE(SaveBmp(picture, Path(name))); }

    test::TempFolder folder_;
    fs::path dir_;
    std::string out_, err_;
};

TEST_F(ReduceCommand, UsageErrorsExitTwo) {
    WritePicture("in.bmp", test::Noise(4, 4, 1));
    const std::string in = Path("in.bmp"), out = Path("out.bmp");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {in},
        {in, out, "extra"},
        {in, out, "--bits"},
        {in, out, "--bits", "9"},
        {in, out, "--bits", "-1"},
        {in, out, "--bits", "8x"},
        {in, out, "--bits=", ""},
        {in, out, "--fast"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), 2) << testing::PrintToString(args);
        EXPECT_NE(err_.find("使い方: zepocard reduce"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ReduceCommand, UnreadableInputExitsTwo) {
    std::FILE* f = std::fopen(Path("bad.bmp").c_str(), "wb");
    std::fputs("BM not really", f);
    std::fclose(f);
    for (const char* name : {"missing.bmp", "bad.bmp"}) {
        EXPECT_EQ(Run({Path(name), Path("out.bmp")}), 2);
        EXPECT_NE(err_.find("を読めません"), std::string::npos) << err_;
    }
    EXPECT_FALSE(fs::exists(Path("out.bmp")));
}

TEST_F(ReduceCommand, WritesAnEightBitBmpWithThePalette) {
    WritePicture("two.bmp", test::Counted({{{0, 0, 0}, 3}, {{200, 100, 50}, 3}}));
    ASSERT_EQ(Run({Path("two.bmp"), Path("out.bmp")}), 0) << err_;
    EXPECT_EQ(out_, Path("out.bmp") + ": 6 × 1、1 画素 8 ビット、パレット 2 色 (元の画像は 1 画素 24 ビット)\n");
    auto written = LoadPicture(Path("out.bmp"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written.value().fileBitsPerPixel, 8);
    EXPECT_EQ(written.value().bitmap.GetPalette(), (Palette{test::Entry(200, 100, 50), test::Entry(0, 0, 0)}));
    EXPECT_EQ(test::Indices(written.value().bitmap), (std::vector<int>{1, 1, 1, 0, 0, 0}));

    ASSERT_EQ(Run({"--bits", "0", Path("two.bmp"), Path("zero.bmp")}), 0) << err_;
    EXPECT_EQ(LoadPicture(Path("zero.bmp")).value().bitmap.GetPalette(), (Palette{test::Entry(100, 50, 25)}));
}

TEST_F(ReduceCommand, ReadsJpegAndDithers) {
    auto jpeg = EncodeJpeg(test::Noise(16, 16, 2));
    ASSERT_TRUE(jpeg);
    ASSERT_TRUE(WritePictureBytes(Path("photo.bmp"), jpeg.value()));  // told apart by content, not name
    ASSERT_EQ(Run({Path("photo.bmp"), Path("out.bmp"), "--dither", "--bits=4"}), 0) << err_;
    EXPECT_NE(out_.find("誤差拡散あり"), std::string::npos);
    auto written = LoadPicture(Path("out.bmp"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written.value().fileBitsPerPixel, 8);
    EXPECT_LE(written.value().bitmap.GetPalette().size(), 16u);
    EXPECT_FALSE(fs::exists(Path("out.bmp.part")));
}

// As render: an output that cannot be written is 2, a picture that cannot be reduced is 1.
TEST_F(ReduceCommand, UnwritableOutputExitsTwo) {
    WritePicture("in.bmp", test::Noise(4, 4, 1));
    EXPECT_EQ(Run({Path("in.bmp"), Path("no-such-folder/out.bmp")}), 2);
    EXPECT_NE(err_.find("に書き込めません"), std::string::npos);
}

}  // namespace
}  // namespace zepo
