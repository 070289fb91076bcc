// zepocard map run as the program: the drawn SVG read back as XML, the DOT given to Graphviz's
// own dot, and the overview on an exported site's index page.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>
#include <QUrl>
#include <QXmlStreamReader>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

#include "TempFolder.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using test::ReadBytes;

int Shell(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

struct Drawn {
    std::map<std::string, std::string> nodeClass, nodeStroke, nodeHref;      // by the shown name
    std::multiset<std::tuple<std::string, std::string, std::string>> edges;  // from, to, class
    std::set<std::string> dashedEdgeClasses;
    std::map<std::string, double> nodeTop;                       // the box's top edge
    std::map<std::pair<std::string, std::string>, double> drop;  // from, to: the arrow's tip below the start
    bool valid = false;
};

// Reads the nodes and edges back from the SVG (or the <svg> inside a page).
Drawn ReadSvg(const std::string& text) {
    Drawn d;
    const size_t start = text.find("<svg"), end = text.find("</svg>");
    if (start == std::string::npos || end == std::string::npos) return d;
    QXmlStreamReader xml(QByteArray::fromStdString(text.substr(start, end + 6 - start)));
    std::map<std::string, std::string> nameOfId;
    std::vector<std::tuple<std::string, std::string, std::string>> edges;
    std::vector<double> drops;
    std::string klass, id, href, stroke, top;
    auto attr = [&](const char* name) {
        return xml.attributes().value(QString::fromLatin1(name)).toString().toStdString();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString tag = xml.name().toString();
        if (tag == "a") href = attr("href");
        if (tag == "g" && attr("class").rfind("edge", 0) == 0) {
            klass = attr("class");
            edges.emplace_back(attr("data-from"), attr("data-to"), klass);
        }
        if (tag == "path" && !attr("stroke-dasharray").empty()) d.dashedEdgeClasses.insert(klass);
        if (tag == "path")
            drops.push_back(-QString::fromStdString(attr("d")).section(',', 1, 1).section(' ', 0, 0).toDouble());
        if (tag == "polygon")
            drops.back() += QString::fromStdString(attr("points")).section(',', 1, 1).section(' ', 0, 0).toDouble();
        if (tag == "g" && attr("class").rfind("node", 0) == 0) {
            klass = attr("class");
            id = attr("id");
        }
        if (tag == "rect" && !id.empty()) {
            stroke = attr("stroke");
            top = attr("y");
        }
        if (tag == "text" && attr("class") == "name") {
            const std::string name = xml.readElementText().toStdString();
            nameOfId[id.substr(5)] = name;
            d.nodeClass[name] = klass;
            d.nodeStroke[name] = stroke;
            d.nodeHref[name] = href;
            d.nodeTop[name] = std::stod(top);
            id.clear();
            href.clear();
        }
    }
    for (size_t i = 0; i < edges.size(); ++i) {
        const auto& [from, to, k] = edges[i];
        d.edges.emplace(nameOfId[from], nameOfId[to], k);
        d.drop[{nameOfId[from], nameOfId[to]}] = drops.at(i);
    }
    d.valid = !xml.hasError();
    return d;
}

class MapCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_ = temp_.path() / "set";
        fs::create_directories(set_);
        // A cycle (a, b), a self link (main), a missing card (gone.zep, from a slide and a
        // button), a card nothing reaches (orphan) and a name made to break markup.
        const std::pair<const char*, std::string> cards[] = {
            {"main.zep",
             "\tframe  {10,10}{60,60}{FA}{main,main.zep}\r\n\tbutton {0}{b,b.zep}\r\n"
             "\t@slide  {3}\r\n\t\t{a,a.zep}\r\n\t\t{gone,gone.zep}\r\n\t@end\r\n"},
            {"a.zep",
             "\tframe  {10,10}{60,60}{FA}{b,b.zep}\r\n\tframe  {70,10}{90,60}{FA}{b,b.zep}\r\n"
             "\tbutton {1}{gone,gone.zep}\r\n"},
            {"b.zep", "\tframe  {10,10}{60,60}{FA}{a,a.zep}\r\n"},
            {"orphan.zep", "\tframe  {10,10}{60,60}{FA}{a,a.zep}\r\n"},
            {"<&\"'\\.zep", ""},
        };
        for (const auto& [name, body] : cards)
            test::WriteBytes(set_ / name, "card {x}\r\n\ttitle  {T}\r\n" + body + "end\r\n");
    }
    std::string Map(const fs::path& folder, const fs::path& out, const std::string& more = "") {
        return std::string(ZEPOCARD) + " map " + Quote(folder) + " -o " + Quote(out) + more;
    }
    test::TempFolder temp_;
    fs::path set_;
};

TEST_F(MapCommandTest, OneNodePerCardAndOneEdgePerKindOfLinkWithTheSetsProblemsMarked) {
    const fs::path svg = temp_.path() / "map.svg";
    ASSERT_EQ(Shell(Map(set_, svg)), 1);  // a missing card
    const Drawn d = ReadSvg(ReadBytes(svg));
    ASSERT_TRUE(d.valid);
    const std::map<std::string, std::string> nodes = {
        {"main.zep", "node card start problem"}, {"a.zep", "node card problem"},           {"b.zep", "node card"},
        {"orphan.zep", "node card unreachable"}, {"<&\"'\\.zep", "node card unreachable"}, {"gone.zep", "node missing"},
    };
    EXPECT_EQ(d.nodeClass, nodes);
    EXPECT_EQ(d.nodeStroke.at("gone.zep"), "#d00000");
    const std::multiset<std::tuple<std::string, std::string, std::string>> edges = {
        {"main.zep", "main.zep", "edge object"}, {"main.zep", "b.zep", "edge button"},
        {"main.zep", "a.zep", "edge slide"},     {"main.zep", "gone.zep", "edge slide broken"},
        {"a.zep", "b.zep", "edge object"},       {"a.zep", "gone.zep", "edge button broken"},
        {"b.zep", "a.zep", "edge object"},       {"orphan.zep", "a.zep", "edge object"},
    };
    EXPECT_EQ(d.edges, edges);
    EXPECT_EQ(d.dashedEdgeClasses, (std::set<std::string>{"edge slide", "edge slide broken"}));
    // The map reads from the top: main stands above every card, and its links go down.
    for (const auto& [name, top] : d.nodeTop) EXPECT_LE(d.nodeTop.at("main.zep"), top) << name << " above main.zep";
    for (const char* to : {"a.zep", "b.zep", "gone.zep"}) EXPECT_GT(d.drop.at({"main.zep", to}), 20) << to;

    // The same graph for Graphviz's own program, and the same map as a picture.
    const fs::path dot = temp_.path() / "map.gv", png = temp_.path() / "map.png";
    EXPECT_EQ(Shell(Map(set_, dot, " --format dot")), 1);
    if (Shell("command -v dot") == 0) {
        ASSERT_EQ(Shell("dot -Tsvg " + Quote(dot) + " -o " + Quote(temp_.path() / "dot.svg")), 0);
        const std::string drawn = ReadBytes(temp_.path() / "dot.svg");
        size_t count = 0;
        for (size_t at = 0; (at = drawn.find("class=\"node\"", at)) != std::string::npos; ++at) ++count;
        EXPECT_EQ(count, nodes.size());
    }
    EXPECT_EQ(Shell(Map(set_, png)), 1);
    EXPECT_GT(QImage(QString::fromStdString(png.string())).width(), 100);
}

TEST_F(MapCommandTest, ExamplesAreCleanAndOutputsThatWouldReplaceAnInputAreRefused) {
    const fs::path examples = fs::path(ZEPO_SOURCE_DIR) / "examples";
    fs::copy(examples, temp_.path() / "examples");
    const fs::path copy = temp_.path() / "examples";
    const struct {
        std::string command;
        int exitCode;
    } cases[] = {
        {Map(copy, temp_.path() / "ok.svg"), 0},
        {Map(copy, temp_.path() / "ok.dot"), 0},
        {Map(copy, copy / "main.zep", " --format svg"), 2},    // a card
        {Map(copy, copy / "sakura.bmp", " --format png"), 2},  // a picture a card names
        {Map(copy, temp_.path() / "x.png", " --format svg"), 2},
        {Map(copy, temp_.path() / "x.txt"), 2},
        {Map(copy / "main.zep", temp_.path() / "x.svg"), 2},
        {std::string(ZEPOCARD) + " map " + Quote(copy), 2},
    };
    for (const auto& c : cases) EXPECT_EQ(Shell(c.command), c.exitCode) << c.command;
    EXPECT_EQ(ReadBytes(copy / "main.zep"), ReadBytes(examples / "main.zep"));
    EXPECT_EQ(ReadBytes(copy / "sakura.bmp"), ReadBytes(examples / "sakura.bmp"));
    const Drawn d = ReadSvg(ReadBytes(temp_.path() / "ok.svg"));
    EXPECT_EQ(d.nodeClass.size(), 3u);
    EXPECT_EQ(d.edges.size(), 10u);  // the kinds of links of the three cards, the slide to itself included
}

TEST_F(MapCommandTest, TheSitesIndexShowsTheMapWithEveryCardLinkedToItsPage) {
    const fs::path site = temp_.path() / "site";
    ASSERT_EQ(Shell(std::string(ZEPOCARD) + " export " + Quote(set_) + " -o " + Quote(site)), 1);
    const Drawn d = ReadSvg(ReadBytes(site / "index.html"));
    ASSERT_TRUE(d.valid);
    EXPECT_EQ(d.nodeClass.size(), 6u);
    for (const auto& [name, href] : d.nodeHref) {
        if (name == "gone.zep") {
            EXPECT_EQ(href, "");
            continue;
        }
        ASSERT_EQ(href.rfind("cards/", 0), 0u) << name;
        EXPECT_TRUE(fs::exists(site / QUrl::fromPercentEncoding(QByteArray::fromStdString(href)).toStdString()))
            << href;
    }
}

// A set too large to draw readably: the site's index lists every card and says that the map is
// left out, and `map` refuses rather than laying it out without bound.
TEST_F(MapCommandTest, ALargeSetIsListedWithoutItsMapAndItsLayoutIsRefused) {
    const fs::path large = temp_.path() / "large", site = temp_.path() / "site", svg = temp_.path() / "large.svg";
    fs::create_directories(large);
    // Past the index's bound in cards, and past the layout's in nodes with the cards each
    // links to and that are not there.
    const int cards = 501;
    for (int i = 0; i < cards; ++i) {
        const std::string name = i ? "Card" + std::to_string(i) : "main", next = "card" + std::to_string(i + 1);
        std::string links = "\tbutton {0}{<b>" + next + "</b>," + next + ".zep}\r\n";
        for (int gone = 1; gone <= 3; ++gone)
            links += "\tbutton {" + std::to_string(gone) + "}{x,Gone" + std::to_string(i * 3 + gone) + ".zep}\r\n";
        test::WriteBytes(large / (name + ".zep"), "card {" + name + "}\r\n" + links + "end\r\n");
    }
    EXPECT_EQ(Shell(std::string(ZEPOCARD) + " export " + Quote(large) + " -o " + Quote(site) + " --screen 64x48"), 1);
    const std::string index = ReadBytes(site / "index.html");
    EXPECT_EQ(index.find("<svg"), std::string::npos);
    EXPECT_NE(index.find("カードが多いため"), std::string::npos);
    size_t listed = 0;
    for (size_t at = 0; (at = index.find("<li>", at)) != std::string::npos; ++at) ++listed;
    EXPECT_EQ(listed, size_t(cards));
    EXPECT_LT(index.size(), size_t(cards) * 300) << "bytes per card";
    EXPECT_EQ(Shell(std::string(ZEPOCARD) + " map " + Quote(large) + " -o " + Quote(svg)), 2);
    EXPECT_FALSE(fs::exists(svg));
}

}  // namespace
}  // namespace zepo
