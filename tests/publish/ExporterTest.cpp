// Exporting into a site made before: only what changed is drawn, converted or copied again,
// and what cannot be trusted (a tampered record, a lost output) is made anew.

#include <gtest/gtest.h>

#include <functional>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "core/TextCodec.h"
#include "publish/ExportManifest.h"
#include "publish/Exporter.h"

namespace zepo::publish {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

std::string SjisOf(const char* utf8) { return Utf8ToSjis(utf8).bytes; }

class Reexport : public ::testing::Test {
protected:
    void SetUp() override {
        test::App();
        for (const auto& entry : fs::directory_iterator(fs::path(ZEPO_SOURCE_DIR) / "examples"))
            fs::copy_file(entry.path(), set / entry.path().filename());
        // A sound the main card plays: a medium copied into the site.
        std::string card = ReadBytes(set / "main.zep");
        card.insert(card.find("\tbutton {0}"), "\tbutton {2}{WAVE,se.wav}\r\n");
        WriteBytes(set / "main.zep", card);
        WriteBytes(set / "se.wav", "RIFF one");
    }
    ExportReport Export(QSize screen = {1024, 768}) { return ExportSet({set, site, screen}); }
    fs::file_time_type Time(const fs::path& file) { return fs::last_write_time(file); }

    test::TempFolder root;
    fs::path set = [this] {
        fs::create_directories(root.path() / "set");
        return root.path() / "set";
    }();
    fs::path site = root.path() / "site";
};

TEST_F(Reexport, OnlyOutputsWhoseInputsChangedAreMadeAgain) {
    const ExportReport first = Export();
    ASSERT_EQ(first.ExitCode(), 0) << (first.problems.empty() ? "" : first.problems[0]);
    EXPECT_EQ(first.cardsDrawn, 3u);
    EXPECT_EQ(first.mediaMade, 1u);
    EXPECT_EQ(first.pages.at(fs::canonical(set / "next.zep")), fs::path("cards/next.html"));

    struct Case {
        const char* what;
        std::function<void()> change;
        size_t drawn, mediaMade;
        QSize screen = {1024, 768};
        std::string indexHas = {};  // the card's new text, read again, not taken from before
    };
    const std::vector<Case> cases = {
        {"nothing changed", [] {}, 0, 0},
        {"a picture touched, same contents",
         [&] { fs::last_write_time(set / "sakura.bmp", Time(set / "sakura.bmp") + std::chrono::seconds(5)); }, 0, 0},
        {"the text file of one card", [&] { WriteBytes(set / "aisatsu.txt", "こんにちは\r\n"); }, 1, 0},
        {"the picture of two cards",
         [&] {
             fs::copy_file(set / "sakura.bmp", root.path() / "keep.bmp");
             std::string bmp = ReadBytes(set / "sakura.bmp");
             bmp[bmp.size() - 1] ^= 0x7F;
             WriteBytes(set / "sakura.bmp", bmp);
         },
         2, 0},
        {"one card's picture lost from the site", [&] { fs::remove(site / "pictures" / "last.png"); }, 1, 0},
        {"the sound", [&] { WriteBytes(set / "se.wav", "RIFF two"); }, 0, 1},
        {"the copied sound replaced in the site", [&] { WriteBytes(site / "media" / "se.wav", "RIFF xyzw"); }, 0, 1},
        {"a tampered record", [&] { WriteBytes(site / ExportManifest::kFileName, "{\"format\":1,\"outputs\":[}"); }, 3,
         1},
        {"another screen", [] {}, 3, 0, {800, 600}},
        {"a card",
         [&] {
             std::string c = ReadBytes(set / "last.zep");
             c.replace(c.find("{5}"), 3, "{6}");
             WriteBytes(set / "last.zep", c);
         },
         1,
         0,
         {800, 600}},
        {"a card's title, same size, a nanosecond later",
         [&] {
             const auto time = Time(set / "next.zep");
             std::string c = ReadBytes(set / "next.zep");
             const std::string title = SjisOf("ごあいさつ"), renamed = SjisOf("おあいさつ");
             c.replace(c.find(title), title.size(), renamed);
             WriteBytes(set / "next.zep", c);
             fs::last_write_time(set / "next.zep", time + std::chrono::nanoseconds(1));
         },
         1,
         0,
         {800, 600},
         "おあいさつ"},
    };
    for (const Case& c : cases) {
        c.change();
        const auto indexTime = Time(site / "index.html"), mainTime = Time(site / "pictures" / "main.png");
        const ExportReport report = Export(c.screen);
        EXPECT_EQ(report.ExitCode(), 0) << c.what;
        EXPECT_EQ(report.cardsDrawn, c.drawn) << c.what;
        EXPECT_EQ(report.cardsKept, 3 - c.drawn) << c.what;
        EXPECT_EQ(report.mediaMade, c.mediaMade) << c.what;
        EXPECT_EQ(ReadBytes(site / "media" / "se.wav"), ReadBytes(set / "se.wav")) << c.what;
        EXPECT_TRUE(fs::is_regular_file(site / "pictures" / "last.png")) << c.what;
        if (!c.indexHas.empty())
            EXPECT_NE(ReadBytes(site / "index.html").find(c.indexHas), std::string::npos) << c.what;
        if (c.drawn == 0) {
            EXPECT_EQ(Time(site / "pictures" / "main.png"), mainTime) << c.what << ": a kept picture is not rewritten";
            EXPECT_EQ(Time(site / "index.html"), indexTime) << c.what << ": an unchanged page is not rewritten";
        }
    }
}

TEST_F(Reexport, WhatStopsTheExportIsAFailureNotAMessageOnTheTerminal) {
    WriteBytes(site, "a file where the site should be");
    ExportReport report = Export();
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.ExitCode(), 2);
    EXPECT_NE(report.failures[0].find("はフォルダではないファイルです"), std::string::npos) << report.failures[0];
    fs::remove(site);
    fs::remove(set / "main.zep");
    fs::remove(set / "next.zep");
    fs::remove(set / "last.zep");
    report = Export();
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_NE(report.failures[0].find("このフォルダにはカード (*.zep) がありません"), std::string::npos);
}

}  // namespace
}  // namespace zepo::publish
