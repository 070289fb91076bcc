#pragma once
// The links of a card set as a graph, for drawing a map of the presentation: one node per card
// (and per card a link names that is not there), one edge per kind of link from one card to
// another. Plain data: `MapLayout.h` places it, `MapDrawing.h` draws it, a window may show it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "publish/CardSet.h"
#include "publish/Findings.h"

namespace zepo::publish {

enum class MapNodeState {
    Card,        // a card of the set, read
    Unreadable,  // a card of the set that could not be read (`error` says why)
    Missing,     // named by a link, but no card file of the folder (missing, outside, no plain file)
    Elsewhere,   // named by a link and there, but not one of the set's cards (no ".zep" name)
};

struct MapNode {
    std::string name;   // the file name, UTF-8 (ShownName), as the set or the link names it
    std::string title;  // the card's title, UTF-8; empty when it has none
    MapNodeState state = MapNodeState::Card;
    bool start = false;             // the first card, main.zep, where the presentation begins
    bool unreachable = false;       // no chain of links leads to it from the first card
    std::optional<size_t> card;     // its index in the set
    std::vector<Finding> findings;  // what `check` says of the card
    std::string error;              // why it could not be read, or why a link finds nothing
    bool HasErrors() const;         // findings that fail `check`, or no card where one is named
};

enum class MapEdgeKind { Object, Button, Slide };

struct MapEdge {
    size_t from = 0, to = 0;  // node indices
    MapEdgeKind kind = MapEdgeKind::Object;
    // The lines of the `from` card that name `to` this way (one per link), and for a slide
    // the places in its list (1-based), in line order.
    std::vector<int> lines, slidePlaces;
};

struct CardMap {
    std::vector<MapNode> nodes;
    std::vector<MapEdge> edges;
    size_t links = 0;  // card links drawn (the sum of every edge's lines)
};

// The map of a set read by ReadCards: its cards in set order (a card named twice once), then
// the names links find nothing for, each once (ASCII case ignored, as the lookup does).
// `findings` as SetFindings gives them, index by index.
CardMap BuildCardMap(const std::vector<SetCard>& cards, const std::vector<std::vector<Finding>>& findings);

}  // namespace zepo::publish
