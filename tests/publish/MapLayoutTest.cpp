// The map's layout on graphs that trouble layered layouts: each lays out, every node and edge
// gets a place inside the map and no two cards cover each other.

#include <gtest/gtest.h>

#include <cmath>

#include "publish/MapLayout.h"

namespace zepo::publish {
namespace {

CardMap Graph(size_t nodes, const std::vector<std::pair<size_t, size_t>>& links) {
    CardMap map;
    for (size_t i = 0; i < nodes; ++i) {
        map.nodes.emplace_back();
        map.nodes.back().name = "c" + std::to_string(i) + ".zep";
    }
    map.nodes[0].start = true;
    for (auto [from, to] : links) map.edges.push_back({from, to, MapEdgeKind::Object, {1}, {}});
    return map;
}

TEST(MapLayoutTest, CyclesSelfLinksAHugeFanOutAndATangleLayOutWithoutOverlaps) {
    std::vector<std::pair<size_t, size_t>> fan, tangle, loops = {{0, 1}, {1, 2}, {2, 0}, {1, 1}, {2, 2}};
    for (size_t i = 1; i <= 1000; ++i) fan.push_back({0, i});
    for (size_t i = 0; i < 300; ++i)
        for (size_t k = 1; k <= 5; ++k) tangle.push_back({i, (i * 7 + k * 13) % 300});
    const struct {
        CardMap map;
        const char* engine;
    } cases[] = {{Graph(3, loops), "dot"}, {Graph(1001, fan), "sfdp"}, {Graph(300, tangle), "sfdp"}};
    for (const auto& c : cases) {
        auto laidOut = LayOutMap(c.map);
        ASSERT_TRUE(laidOut) << laidOut.error().message;
        const MapLayout& layout = laidOut.value();
        EXPECT_EQ(layout.engine, c.engine);
        ASSERT_EQ(layout.nodes.size(), c.map.nodes.size());
        ASSERT_EQ(layout.edges.size(), c.map.edges.size());
        auto inside = [&](MapPoint p) {
            return std::isfinite(p.x) && std::isfinite(p.y) && p.x >= -40 && p.y >= -40 && p.x <= layout.width + 40 &&
                   p.y <= layout.height + 40;
        };
        for (const EdgePath& path : layout.edges) {
            ASSERT_GE(path.curve.size(), 4u);
            EXPECT_EQ((path.curve.size() - 1) % 3, 0u);
            for (MapPoint p : path.curve) ASSERT_TRUE(inside(p)) << c.engine << " " << p.x << "," << p.y;
        }
        for (size_t i = 0; i < layout.nodes.size(); ++i) {
            const NodePlace& a = layout.nodes[i];
            ASSERT_TRUE(inside(a.center));
            for (size_t j = i + 1; j < layout.nodes.size(); ++j) {
                const NodePlace& b = layout.nodes[j];
                const bool apart = std::abs(a.center.x - b.center.x) >= (a.width + b.width) / 2 - 1 ||
                                   std::abs(a.center.y - b.center.y) >= (a.height + b.height) / 2 - 1;
                ASSERT_TRUE(apart) << c.engine << " " << i << " " << j;
            }
        }
    }
}

}  // namespace
}  // namespace zepo::publish
