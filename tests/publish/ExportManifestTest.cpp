#include <gtest/gtest.h>

#include <functional>

#include "TempFolder.h"
#include "publish/ExportManifest.h"

namespace zepo::publish {
namespace {

namespace fs = std::filesystem;

// A set of a card, a picture and a text file not there yet; the site holds the card's picture.
struct Site {
    test::TempFolder root;
    fs::path folder = root.path() / "set", site = root.path() / "site";
    // "ア\.bmp" in Shift-JIS: a name that is not UTF-8 and holds a backslash byte.
    fs::path card = folder / "main.zep", picture = folder / "\x83\x41\x5c.bmp", text = folder / "notes.txt";
    std::vector<fs::path> inputs{card, picture, text};
    const std::string output = "pictures/main.png";

    Site() {
        fs::create_directories(folder);
        fs::create_directories(site / "pictures");
        test::WriteBytes(card, "card {main}\r\n");
        test::WriteBytes(picture, "BM....");
        test::WriteBytes(site / output, "PNG bytes");
    }
    bool Exported(const std::string& recipe = "zepocard 1 1024x768") {
        ExportManifest m(folder, site);
        m.Load();
        const bool upToDate = m.UpToDate(output, m.Stamp(output, inputs), recipe);
        if (!upToDate) {
            fs::remove(site / output);
            test::WriteBytes(site / output, "PNG bytes");
            m.Record(output, m.Stamp(output, inputs), recipe);
        }
        EXPECT_TRUE(m.Save().ok());
        return upToDate;
    }
};

void Age(const fs::path& file) { fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1)); }

TEST(ExportManifest, AnOutputIsMadeAgainExactlyWhenWhatItIsMadeFromChanged) {
    struct Case {
        const char* what;
        std::function<void(Site&)> change;
        bool upToDate;
    } cases[] = {
        {"nothing changed", [](Site&) {}, true},
        {"the card touched, same bytes", [](Site& s) { Age(s.card); }, true},
        {"the card edited",
         [](Site& s) {
             test::WriteBytes(s.card, "card {main2}\r\n");
             Age(s.card);
         },
         false},
        {"same size, other bytes",
         [](Site& s) {
             test::WriteBytes(s.picture, "BM,,,,");
             Age(s.picture);
         },
         false},
        {"the missing text file appeared", [](Site& s) { test::WriteBytes(s.text, "hello"); }, false},
        {"the picture removed", [](Site& s) { fs::remove(s.picture); }, false},
        {"another input list", [](Site& s) { s.inputs.pop_back(); }, false},
        {"the output deleted", [](Site& s) { fs::remove(s.site / s.output); }, false},
        {"the output shortened", [](Site& s) { test::WriteBytes(s.site / s.output, "PNG"); }, false},
        {"the output a link",
         [](Site& s) {
             fs::rename(s.site / s.output, s.root.path() / "elsewhere.png");
             fs::create_symlink(s.root.path() / "elsewhere.png", s.site / s.output);
         },
         false},
        {"the record garbage",
         [](Site& s) { test::WriteBytes(s.site / ExportManifest::kFileName, "{\"format\":1,\"outp"); }, false},
        {"the record of another format",
         [](Site& s) { test::WriteBytes(s.site / ExportManifest::kFileName, "{\"format\":2,\"outputs\":{}}"); }, false},
        {"the record's types wrong",
         [](Site& s) {
             test::WriteBytes(s.site / ExportManifest::kFileName,
                              "{\"format\":1,\"outputs\":{\"pictures%2Fmain.png\":{\"recipe\":7,\"size\":[],"
                              "\"inputs\":\"x\"}}}");
         },
         false},
        {"the record too large",
         [](Site& s) { fs::resize_file(s.site / ExportManifest::kFileName, ExportManifest::kMaxBytes + 1); }, false},
    };
    for (const Case& c : cases) {
        Site site;
        ASSERT_FALSE(site.Exported()) << "a first export found its output made";
        c.change(site);
        EXPECT_EQ(site.Exported(), c.upToDate) << c.what;
        EXPECT_TRUE(site.Exported()) << c.what << ": not up to date right after being made again";
    }
}

TEST(ExportManifest, TheRecipeAndForgottenOutputsCount) {
    Site site;
    ASSERT_FALSE(site.Exported("zepocard 1 1024x768"));
    EXPECT_FALSE(site.Exported("zepocard 1 640x480"));
    EXPECT_FALSE(site.Exported("zepocard 2 640x480"));
    EXPECT_TRUE(site.Exported("zepocard 2 640x480"));

    // An output this export neither made nor kept is dropped from the record.
    {
        ExportManifest m(site.folder, site.site);
        m.Load();
        test::WriteBytes(site.site / "thumbs.png", "thumb");
        m.Record("thumbs.png", m.Stamp("thumbs.png", {site.card}), "r");
        ASSERT_TRUE(m.Save().ok());
    }
    {
        ExportManifest m(site.folder, site.site);
        m.Load();
        EXPECT_TRUE(m.UpToDate("thumbs.png", m.Stamp("thumbs.png", {site.card}), "r"));
        ASSERT_TRUE(m.Save().ok());  // pictures/main.png was not looked at this time
    }
    EXPECT_FALSE(site.Exported("zepocard 2 640x480"));
}

}  // namespace
}  // namespace zepo::publish
