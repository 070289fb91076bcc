#pragma once
// Places a card map (CardMap.h) with Graphviz's layout library: where each node stands and the
// curve each edge follows, read back from the layout so that any painter can draw them. No
// text is measured: every node is a box of the size asked for.

#include <string>
#include <vector>

#include "core/Result.h"
#include "publish/CardMap.h"

namespace zepo::publish {

// Points (1/72 inch), x to the right and y downwards from the map's top left corner.
struct MapPoint {
    double x = 0, y = 0;
};

struct NodePlace {
    MapPoint center;
    double width = 0, height = 0;
};

struct EdgePath {
    // A cubic Bézier path: the start, then three points (two controls and the end) per piece.
    std::vector<MapPoint> curve;
    // The arrow ends at `tip`; the curve stops short of it at its last point.
    bool arrow = false;
    MapPoint tip;
};

struct MapLayout {
    double width = 0, height = 0;
    std::vector<NodePlace> nodes;  // index by index with the map's nodes
    std::vector<EdgePath> edges;   // and its edges
    std::string engine;            // the Graphviz layout used ("dot", "sfdp")
};

struct MapLayoutOptions {
    double nodeWidth = 144, nodeHeight = 44;  // points
};

// The layered drawing ("dot", from the first card down) while the map is small enough for it
// to take well under a second; a larger or tangled one (many links running back over many
// layers) is placed by force ("sfdp", straight edges), which stays fast. Safe to call from any
// thread (the library is not: calls take turns). Fails when the library does, and for a map of
// more than 2,000 nodes or 10,000 edges, which it would take minutes and gigabytes to place.
Result<MapLayout> LayOutMap(const CardMap& map, const MapLayoutOptions& options = {});

}  // namespace zepo::publish
