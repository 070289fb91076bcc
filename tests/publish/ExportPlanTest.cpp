// What an export writes, decided from cards in memory, a folder that is only a list of names
// and the record an earlier export left: no disk, no converter.

#include <gtest/gtest.h>

#include "core/Ascii.h"
#include "publish/ExportPlan.h"

namespace zepo::publish {
namespace {
namespace fs = std::filesystem;

const fs::path kFolder = "/home/user/set";

struct CardOf {
    std::string file;
    std::vector<std::pair<std::string, std::string>> buttons;  // name, file (ASCII: Shift-JIS alike)
};

// A name as a card gives it, found in the folder as the reader finds it (its own case first,
// then ASCII case ignored).
FolderFile Find(const std::vector<std::string>& present, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    if (std::count(present.begin(), present.end(), name)) return {Lookup::Found, kFolder / name};
    for (const std::string& file : present)
        if (AsciiLower(file) == AsciiLower(name)) return {Lookup::Found, kFolder / file};
    return {Lookup::Missing, {}};
}

std::vector<SetCard> Cards(const std::vector<CardOf>& cards, const std::vector<std::string>& present) {
    std::vector<SetCard> set;
    for (const CardOf& of : cards) {
        SetCard& card = set.emplace_back();
        card.file = card.canonical = kFolder / of.file;
        card.listedIn = kFolder;
        card.shown = of.file;
        card.read.emplace();
        for (size_t b = 0; b < of.buttons.size(); ++b) {
            card.read->card.buttonInUse[b + 1] = true;
            card.read->card.buttons[b + 1].Set(of.buttons[b].first, of.buttons[b].second);
            if (TargetOf(card.read->card.buttons[b + 1]).kind != AssociationTarget::Card) continue;
            card.links.push_back({1, LinkKind::Card, of.buttons[b].second, LinkVia::Button});
            card.lookups.push_back(Find(present, of.buttons[b].second));
        }
    }
    return set;
}

TEST(ExportPlan, NamesLinksMediaAndWhatIsNoLongerWanted) {
    const std::vector<std::string> present = {
        "A.ZEP",   "XyZ.zep", "a.zep",    "a_2.zep", "main.zep",         "next.zep",
        "xyz.zep", "se.wav",  "haru.mid", "old.avi", "snd/Ding Dong.wav"};
    struct Case {
        const char* what;
        std::vector<CardOf> cards;  // in name order, as a folder is listed
        std::vector<std::string> earlier;
        std::vector<std::string> pages, buttons;   // of the cards in order; of the first card's buttons 1..
        std::map<std::string, std::string> media;  // output → its recipe, the program's version left out
        std::vector<std::string> unwanted, problems;
    };
    const std::vector<Case> cases = {
        {"cards named alike but for case get pages of their own; the one a link reaches first keeps its name",
         {{"A.ZEP", {}},
          {"XyZ.zep", {}},
          {"a.zep", {}},
          {"a_2.zep", {}},
          {"main.zep", {{"xyz", "xyz.zep"}}},
          {"xyz.zep", {}}},
         {},
         {"cards/main.html", "cards/xyz.html", "cards/A.html", "cards/XyZ_2.html", "cards/a_2.html",
          "cards/a_2_2.html"},
         {"xyz.html"}},
        {"each medium once, whatever case names it, converted beside its name or copied under encoded hrefs",
         {{"main.zep", {{"WAVE", "se.wav"}, {"MIDI", "haru.mid"}, {"AVI", "old.avi"}, {"WAVE", "snd\\ding dong.wav"}}},
          {"next.zep", {{"WAVE", "SE.WAV"}, {"MIDI", "HARU.MID"}}}},
         {},
         {"cards/main.html", "cards/next.html"},
         {"../media/se.wav", "../media/haru.mid.ogg", "../media/old.avi.webm", "../media/snd/Ding%20Dong.wav"},
         {{"media/haru.mid.ogg", "midi GeneralUser.sf2 30000"},
          {"media/old.avi.webm", "movie 800x600"},
          {"media/se.wav", "copy"},
          {"media/snd/Ding Dong.wav", "copy"}}},
        {"what an earlier export wrote and this one does not make again is unwanted, and only that",
         {{"main.zep", {{"MIDI", "haru.mid"}}}},
         {"cards/main.html", "cards/gone.html", "index.html", "media/haru.mid", "media/haru.mid.ogg",
          "pictures/gone.png", "player.js", "thumbs/main.png"},
         {"cards/main.html"},
         {"../media/haru.mid.ogg"},
         {{"media/haru.mid.ogg", "midi GeneralUser.sf2 30000"}},
         {"cards/gone.html", "media/haru.mid", "pictures/gone.png"}},
        {"links to what is not there are left out or noted, and said",
         {{"main.zep", {{"gone", "gone.zep"}, {"MIDI", "gone.mid"}, {"next", "NEXT.ZEP"}}}},
         {},
         {"cards/main.html"},
         {"", "#", ""},
         {},
         {},
         {"main.zep: 「gone.zep」のページがないため", "main.zep: 「gone.mid」がフォルダにないため",
          "main.zep: 「NEXT.ZEP」のページがないため"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<SetCard> cards = Cards(c.cards, present);
        ExportPlanInputs in;
        in.cards = &cards;
        in.folder = kFolder;
        in.screen = {800, 600};
        in.soundFont = "GeneralUser.sf2 30000";
        for (const std::string& file : c.earlier) in.earlier.files[file] = {1, "ab"};
        in.find = [&](const fs::path& folder, std::string_view name) {
            return folder == kFolder ? Find(present, std::string(name)) : FolderFile{};
        };
        in.conversionOf = [](const fs::path& file) {
            const std::string ext = AsciiLower(file.extension().string());
            return ext == ".mid" ? Conversion::Midi : ext == ".avi" ? Conversion::Movie : Conversion::None;
        };
        const ExportPlan plan = PlanExport(in);
        std::vector<std::string> pages, buttons, unwanted, problems;
        for (const PlannedCard& card : plan.cards) pages.push_back(card.page);
        EXPECT_EQ(pages, c.pages);
        for (size_t b = 1; b <= c.buttons.size(); ++b) buttons.push_back(plan.cards.at(0).content.buttons[b].href);
        EXPECT_EQ(buttons, c.buttons);
        std::map<std::string, std::string> media;
        for (const PlannedMedium& medium : plan.media) {
            const size_t kind = medium.recipe.find(' '), detail = medium.recipe.find(' ', kind + 1);
            media[medium.output] =
                medium.recipe.substr(0, kind) + (detail == std::string::npos ? "" : medium.recipe.substr(detail));
            EXPECT_TRUE(plan.outputs.count(medium.output)) << medium.output;
        }
        EXPECT_EQ(media, c.media);
        for (const auto& [file, written] : plan.unwanted) unwanted.push_back(file);
        EXPECT_EQ(unwanted, c.unwanted);
        for (const std::string& problem : plan.problems)
            problems.push_back(problem.substr(0, problem.find("ため") + 6));
        EXPECT_EQ(problems, c.problems);
        for (const PlannedCard& card : plan.cards)
            EXPECT_TRUE(plan.outputs.count(card.picture) && plan.outputs.count(card.thumb)) << card.picture;
    }
}

}  // namespace
}  // namespace zepo::publish
