// zepocard export with the player: MIDI pieces and old movies become media a browser plays,
// what cannot be converted is reported and offered as its file.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QProcess>
#include <QStandardPaths>

#include <array>
#include <chrono>
#include <cstdio>
#include <functional>

#include "../media/MidiBytes.h"
#include "TempFolder.h"
#include "media/MidiRendition.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using test::ReadBytes;
using namespace std::string_literals;

int Export(const fs::path& set, const fs::path& site, std::string& err) {
    const fs::path errFile = site.parent_path() / "stderr.txt";
    const std::string command = std::string(ZEPOCARD) + " export '" + set.string() + "' -o '" + site.string() +
                                "' 2>'" + errFile.string() + "'";
    const int status = std::system(command.c_str());
    err = ReadBytes(errFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ExportPlayer, PiecesAndMoviesPlayInThePageAndWhatFailsIsNotedWhereItWouldPlay) {
    if (FindGmSoundFont().empty() || QStandardPaths::findExecutable("ffmpeg").isEmpty())
        GTEST_SKIP() << "no SoundFont or no ffmpeg";
    test::TempFolder temp;
    const fs::path set = temp.path() / "set", site = temp.path() / "site";
    fs::copy(fs::path(ZEPO_SOURCE_DIR) / "examples", set);
    using test::operator+;
    test::WriteBytes(set / "song.mid", test::AsString(test::Header(0, 1, 96) + test::OneNoteTrack(500000, 1, 0)));
    test::WriteBytes(set / "bad.mid", "MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\1\0"s);
    QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1",
                                 "-c:v", "mpeg4", QString::fromStdString((set / "clip.avi").string())});
    std::string card = ReadBytes(set / "main.zep");
    const std::string at = "\tbutton {0}";
    card.insert(card.find(at),
                "\tbutton {2}{MIDI,song.mid}\r\n\tbutton {3}{AVI,clip.avi}\r\n"
                "\tbutton {4}{MIDI,bad.mid}\r\n\tmidi    {song.mid}\r\n"
                "\tavi2opt {1}{500,400}{FB}{150.0}\r\n\tavi2    {clip.avi}\r\n");
    test::WriteBytes(set / "main.zep", card);

    std::string err;
    EXPECT_EQ(Export(set, site, err), 1);
    EXPECT_NE(err.find("「bad.mid」を音声にできません: 途中で切れています"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(site / "media" / "song.mid.ogg").substr(0, 4), "OggS");
    EXPECT_EQ(ReadBytes(site / "media" / "clip.avi.webm").substr(0, 4), "\x1A\x45\xDF\xA3");
    EXPECT_FALSE(fs::exists(site / "media" / "bad.mid")) << "never a silent download";
    EXPECT_FALSE(fs::exists(site / "media" / "song.mid"));
    EXPECT_FALSE(ReadBytes(site / "player.js").empty());
    const std::string page = ReadBytes(site / "cards" / "main.html");
    for (const char* part :
         {"href=\"../media/song.mid.ogg\" data-action=\"midi\"",
          "href=\"../media/clip.avi.webm\" data-action=\"movie\"",
          "data-action=\"note\" data-note=\"「bad.mid」は再生できません\"", "data-midi=\"../media/song.mid.ogg\"",
          "<div class=\"movie2\" data-scale=\"150.000000\" style=\"left:498px;top:398px\">",
          "<video src=\"../media/clip.avi.webm\"", "<script src=\"../player.js\">", "href=\"../player.css\""})
        EXPECT_NE(page.find(part), std::string::npos) << part << "\n" << page;
}

// Media from a stranger: each one is refused by its name within bounded time, the export goes
// on, notes on the page that it cannot play (never a download) and ends with exit 1.
TEST(ExportPlayer, HostileMediaAreReportedByNameAndTheExportEndsWithOne) {
    if (FindGmSoundFont().empty() || QStandardPaths::findExecutable("ffmpeg").isEmpty())
        GTEST_SKIP() << "no SoundFont or no ffmpeg";
    test::TempFolder temp;
    const fs::path set = temp.path() / "set", site = temp.path() / "site";
    fs::copy(fs::path(ZEPO_SOURCE_DIR) / "examples", set);
    struct Case {
        const char* file;
        std::function<void(const fs::path&)> make;
        std::string message;
        bool copied;
    };
    const std::vector<Case> cases = {
        {"cut.mid",
         [](const fs::path& f) { test::WriteBytes(f, "MThd\0\0\0\6\0\0\0\1\0\x60MTrk\xFF\xFF\xFF\xF0\0\x90"s); },
         "「cut.mid」を音声にできません: 途中で切れています", false},
        {"huge.mid",
         [](const fs::path& f) {
             test::WriteBytes(f, "MThd");
             fs::resize_file(f, 64u << 20);
         },
         "「huge.mid」を音声にできません: MIDI ファイルとしては大きすぎます", false},
        {"noise.avi",
         [](const fs::path& f) {
             std::string noise(1 << 16, '\0');
             for (size_t i = 0; i < noise.size(); ++i) noise[i] = char((i * 2654435761u) >> 13);
             test::WriteBytes(f,
                              "RIFF\xFF\xFF\xFF\x7F"
                              "AVI LIST" +
                                  noise);
         },
         "「noise.avi」を WebM にできません", false},
        // Larger than any medium is copied: named, never copied, never read whole.
        {"vast.avi",
         [](const fs::path& f) {
             test::WriteBytes(f, "RIFF");
             fs::resize_file(f, (1ull << 30) + 1);
         },
         "vast.avi は 1 GiB を超えるため、サイトに入れていません", false},
    };
    std::string buttons;
    int button = 1;
    for (const Case& c : cases) {
        c.make(set / c.file);
        const bool midi = std::string(c.file).ends_with(".mid");
        buttons += "\tbutton {" + std::to_string(button++) + "}{" + (midi ? "MIDI," : "AVI,") + c.file + "}\r\n";
    }
    std::string card = ReadBytes(set / "main.zep");
    card.insert(card.find("\tbutton {0}"), buttons);
    test::WriteBytes(set / "main.zep", card);

    const auto start = std::chrono::steady_clock::now();
    std::string err;
    EXPECT_EQ(Export(set, site, err), 1) << err;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    for (const Case& c : cases) {
        EXPECT_NE(err.find(c.message), std::string::npos) << c.file << "\n" << err;
        EXPECT_EQ(fs::exists(site / "media" / c.file), c.copied) << c.file;
    }
    const std::string page = ReadBytes(site / "cards" / "main.html");
    for (const char* note :
         {"data-note=\"「noise.avi」は再生できません\"", "data-note=\"「vast.avi」は大きすぎるため再生できません\""})
        EXPECT_NE(page.find(note), std::string::npos) << note << "\n" << page;
    EXPECT_EQ(page.find("../media/vast.avi"), std::string::npos) << "a link to a medium the site does not hold\n"
                                                                 << page;
}

}  // namespace
}  // namespace zepo
