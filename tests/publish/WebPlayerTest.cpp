#include <gtest/gtest.h>

#include "publish/WebPlayer.h"

namespace zepo::publish {
namespace {

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(WebPlayer, MagnificationIsHeldToTheDialogsRange) {
    const std::pair<const char*, double> cases[] = {
        {"100.0", 100}, {"150", 150}, {"5", 20},      {"2000.0", 1000}, {"20.0 ", 20},
        {"", 100},      {"abc", 100}, {"1e999", 100}, {"nan", 100},     {"12x", 100},
    };
    for (const auto& [text, percent] : cases) EXPECT_DOUBLE_EQ(Movie2ScalePercent(text), percent) << text;
}

TEST(WebPlayer, Movie2StandsInsideTheRingsOfItsFrame) {
    struct Case {
        Movie2Placement p;
        int rings;
        const char* place;
        const char* size;
    } cases[] = {
        {{"m.webm", true, 10, 20, 0, 100, 320, 240}, 0, "left:10px;top:20px", "width:320px;height:240px"},
        {{"m.webm", true, 10, 20, 2, 50, 320, 240}, 1, "left:9px;top:19px", "width:160px;height:120px"},
        {{"m.webm", true, 10, 20, 3, 150, 320, 240}, 2, "left:8px;top:18px", "width:480px;height:360px"},
        {{"m.webm", true, 10, 20, 6, 100, 0, 0}, 3, "left:7px;top:17px", nullptr},
        {{"m.webm", true, 10, 20, 99, 100, 0, 0}, 0, "left:10px;top:20px", nullptr},
        // A window of its own has neither frame nor magnification.
        {{"m.webm", false, 10, 20, 5, 300, 320, 240}, 0, "left:10px;top:20px", "width:320px;height:240px"},
    };
    for (const Case& c : cases) {
        const std::string html = Movie2Html(c.p);
        EXPECT_EQ(Count(html, "class=\"ring\""), c.rings) << html;
        EXPECT_EQ(Count(html, "<div"), Count(html, "</div>")) << html;
        EXPECT_NE(html.find(c.place), std::string::npos) << html;
        if (c.size) EXPECT_NE(html.find(c.size), std::string::npos) << html;
        else EXPECT_EQ(html.find("width:"), std::string::npos) << html;
    }
    // FB: the inner ring grey and silver, the outer black and white, outermost first.
    const std::string fb = Movie2Html({"m.webm", true, 0, 0, 3, 100, 0, 0});
    EXPECT_LT(fb.find("border-color:#ffffff #000000 #000000 #ffffff"),
              fb.find("border-color:#c0c0c0 #808080 #808080 #c0c0c0"));
    const std::string hostile = Movie2Html({"a\"><script>x</script>.webm", true, 0, 0, 0, 100, 0, 0});
    EXPECT_EQ(hostile.find("<script>"), std::string::npos) << hostile;
}

}  // namespace
}  // namespace zepo::publish
