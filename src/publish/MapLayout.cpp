#include "publish/MapLayout.h"

#include <graphviz/gvc.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <deque>
#include <mutex>

namespace zepo::publish {
namespace {

// The layered layout costs about its nodes plus the layers each edge crosses (every crossing
// is a hidden node that the crossing reduction and the curve routing work on), and the
// crossing reduction grows fast with the edges: a tangle of 300 cards and 1,500 links takes
// minutes. Beyond these the force placement is used, which lays 1,000 cards out in a second.
constexpr double kDotBudget = 800;
constexpr size_t kDotMaxNodes = 120, kDotMaxEdges = 250;
// Removing overlaps exactly ("prism") grows faster than the placement; beyond this many nodes
// the drawing is spread out instead.
constexpr size_t kExactOverlapMaxNodes = 800;
// Larger maps are not laid out: the force placement and its overlap removal take the library's
// time and memory without bound as they grow (10,000 cards: minutes), and nobody reads such a map.
constexpr size_t kMaxNodes = 2000, kMaxEdges = 10000;
constexpr double kMargin = 8;

std::mutex& LibraryLock() {
    static std::mutex lock;
    return lock;
}

// The library's own complaints, kept for the message when it fails.
std::string g_libraryMessage;
int KeepMessage(char* text) {
    if (g_libraryMessage.size() < 1000) g_libraryMessage += text;
    return 0;
}

// How many layers the edges cross if each card stands one below the card that first reaches it.
double LayeredCost(const CardMap& map) {
    const size_t n = map.nodes.size();
    std::vector<std::vector<size_t>> next(n);
    for (const MapEdge& e : map.edges) next[e.from].push_back(e.to);
    std::vector<long> depth(n, -1);
    auto walk = [&](size_t start) {
        std::deque<size_t> queue{start};
        depth[start] = 0;
        while (!queue.empty()) {
            const size_t at = queue.front();
            queue.pop_front();
            for (size_t to : next[at])
                if (depth[to] < 0) {
                    depth[to] = depth[at] + 1;
                    queue.push_back(to);
                }
        }
    };
    for (size_t i = 0; i < n; ++i)
        if (map.nodes[i].start && depth[i] < 0) walk(i);
    for (size_t i = 0; i < n; ++i)
        if (depth[i] < 0) walk(i);
    double cost = double(n);
    for (const MapEdge& e : map.edges) cost += double(std::labs(depth[e.to] - depth[e.from]));
    return cost;
}

void Set(Agraph_t* g, int kind, const char* name, const std::string& value) {
    agattr(g, kind, const_cast<char*>(name), const_cast<char*>(value.c_str()));
}

std::string Inches(double points) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", points / 72.0);
    return text;
}

// Owns the graph and its layout, freed on every path.
struct Graph {
    GVC_t* context;
    Agraph_t* graph;
    bool laidOut = false;
    ~Graph() {
        if (laidOut) gvFreeLayout(context, graph);
        agclose(graph);
    }
};

}  // namespace

Result<MapLayout> LayOutMap(const CardMap& map, const MapLayoutOptions& options) {
    MapLayout layout;
    if (map.nodes.empty()) {
        layout.width = layout.height = 2 * kMargin;
        return layout;
    }
    if (map.nodes.size() > kMaxNodes || map.edges.size() > kMaxEdges)
        return Fail("リンク図はカード " + std::to_string(kMaxNodes) + " 枚、矢印 " + std::to_string(kMaxEdges) +
                    " 本までです (この図は " + std::to_string(map.nodes.size()) + " 枚、" +
                    std::to_string(map.edges.size()) + " 本)");
    const bool layered =
        map.nodes.size() <= kDotMaxNodes && map.edges.size() <= kDotMaxEdges && LayeredCost(map) <= kDotBudget;
    layout.engine = layered ? "dot" : "sfdp";

    std::lock_guard guard(LibraryLock());
    static GVC_t* context = gvContext();
    g_libraryMessage.clear();
    agseterr(AGERR);
    agseterrf(KeepMessage);
    Graph g{context, agopen(const_cast<char*>("map"), Agdirected, nullptr)};
    if (layered) {
        // Few passes of each step: the layout stays good enough for a map and bounded.
        Set(g.graph, AGRAPH, "mclimit", "0.3");
        Set(g.graph, AGRAPH, "nslimit", "3");
        Set(g.graph, AGRAPH, "nslimit1", "3");
        Set(g.graph, AGRAPH, "searchsize", "20");
        Set(g.graph, AGRAPH, "remincross", "false");
        Set(g.graph, AGRAPH, "splines", "spline");
        Set(g.graph, AGRAPH, "nodesep", "0.3");
        Set(g.graph, AGRAPH, "ranksep", "0.5");
    } else {
        Set(g.graph, AGRAPH, "overlap", map.nodes.size() <= kExactOverlapMaxNodes ? "false" : "scale");
        Set(g.graph, AGRAPH, "splines", "false");
        Set(g.graph, AGRAPH, "sep", "+8");
    }
    Set(g.graph, AGNODE, "shape", "box");
    Set(g.graph, AGNODE, "fixedsize", "true");
    Set(g.graph, AGNODE, "label", "");
    Set(g.graph, AGNODE, "width", Inches(options.nodeWidth));
    Set(g.graph, AGNODE, "height", Inches(options.nodeHeight));

    std::vector<Agnode_t*> nodes;
    nodes.reserve(map.nodes.size());
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const std::string id = "n" + std::to_string(i);
        nodes.push_back(agnode(g.graph, const_cast<char*>(id.c_str()), 1));
    }
    if (layered) {
        // The presentation begins at the top.
        Agraph_t* first = agsubg(g.graph, const_cast<char*>("first"), 1);
        agsafeset(first, const_cast<char*>("rank"), const_cast<char*>("min"), const_cast<char*>(""));
        for (size_t i = 0; i < map.nodes.size(); ++i)
            if (map.nodes[i].start) agsubnode(first, nodes[i], 1);
    }
    std::vector<Agedge_t*> edges;
    edges.reserve(map.edges.size());
    for (const MapEdge& e : map.edges) edges.push_back(agedge(g.graph, nodes[e.from], nodes[e.to], nullptr, 1));

    if (gvLayout(context, g.graph, layout.engine.c_str()) != 0)
        return Fail("リンク図を配置できません (Graphviz の " + layout.engine + "): " + g_libraryMessage);
    g.laidOut = true;

    const boxf box = GD_bb(g.graph);
    auto place = [&](pointf p) { return MapPoint{p.x - box.LL.x + kMargin, box.UR.y - p.y + kMargin}; };
    layout.width = box.UR.x - box.LL.x + 2 * kMargin;
    layout.height = box.UR.y - box.LL.y + 2 * kMargin;
    for (Agnode_t* node : nodes)
        layout.nodes.push_back({place(ND_coord(node)), ND_width(node) * 72.0, ND_height(node) * 72.0});
    for (size_t i = 0; i < edges.size(); ++i) {
        EdgePath path;
        const splines* spl = ED_spl(edges[i]);
        for (int piece = 0; spl && piece < spl->size; ++piece) {
            const bezier& b = spl->list[piece];
            for (int k = 0; k < b.size; ++k) path.curve.push_back(place(b.list[k]));
            if (b.eflag) {
                path.arrow = true;
                path.tip = place(b.ep);
            }
        }
        if ((path.curve.size() < 4 || (path.curve.size() - 1) % 3 != 0) && map.edges[i].from == map.edges[i].to) {
            // A card linking to itself: a loop on the box's right side.
            const NodePlace& box = layout.nodes[map.edges[i].from];
            const double right = box.center.x + box.width / 2, y = box.center.y;
            path.curve = {{right, y - box.height / 4},
                          {right + 30, y - box.height / 2 - 8},
                          {right + 30, y + box.height / 2 + 8},
                          {right + 8, y + box.height / 4 + 2}};
            path.arrow = true;
            path.tip = {right, y + box.height / 4};
        } else if (path.curve.size() < 4 || (path.curve.size() - 1) % 3 != 0) {
            // No curve from the layout (a straight edge): from centre to centre, cut at the
            // boxes' borders.
            const NodePlace& a = layout.nodes[map.edges[i].from];
            const NodePlace& b = layout.nodes[map.edges[i].to];
            auto border = [](const NodePlace& box, MapPoint toward) {
                const double dx = toward.x - box.center.x, dy = toward.y - box.center.y;
                const double scale = std::min(std::abs(dx) > 1e-9 ? box.width / 2 / std::abs(dx) : 1e9,
                                              std::abs(dy) > 1e-9 ? box.height / 2 / std::abs(dy) : 1e9);
                if (scale >= 1) return toward;
                return MapPoint{box.center.x + dx * scale, box.center.y + dy * scale};
            };
            const MapPoint start = border(a, b.center), end = border(b, a.center);
            path.curve = {start, start, end, end};
            path.arrow = false;
            path.tip = end;
            if (std::hypot(end.x - start.x, end.y - start.y) > 12) {
                // Leave room for the arrow head, as the layout does.
                const double length = std::hypot(end.x - start.x, end.y - start.y);
                const MapPoint back{end.x - (end.x - start.x) * 10 / length, end.y - (end.y - start.y) * 10 / length};
                path.curve = {start, start, back, back};
                path.arrow = true;
            }
        }
        layout.edges.push_back(std::move(path));
    }
    return layout;
}

}  // namespace zepo::publish
