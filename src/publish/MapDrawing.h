#pragma once
// A laid-out card map drawn for people and programs: SVG (our own writer, links optional),
// a picture (QPainter) and the graph in Graphviz's DOT language. Names and titles come from
// anyone: every text is escaped for the format it lands in, controls made visible.
//
// The marks: the first card has a thick blue border; a card no link reaches from it a dashed
// orange one; a card with problems `check` reports a red "!"; a missing or unreadable card is
// red; a file that is no card of the set grey. Object links are dark, button links blue,
// slide-show entries dashed green, links to a missing card red.

#include <QImage>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/Result.h"

#include "publish/CardMap.h"
#include "publish/MapLayout.h"

namespace zepo::publish {

// The <svg> element (no XML declaration: it also goes inside a web page). `hrefs`, when given,
// holds one address per node (empty: no link), percent-encoded; the node becomes a link.
// Every node is a <g class="node STATE [start] [unreachable] [problem]">, every edge a
// <g class="edge KIND [broken]">, each with a <title> for the pointer.
std::string MapSvg(const CardMap& map, const MapLayout& layout, const std::vector<std::string>& hrefs = {});

// The SVG as a file of its own.
std::string MapSvgFile(const CardMap& map, const MapLayout& layout);

// The graph for `dot` and the other Graphviz programs: nodes n0, n1, … labelled with their
// names and titles, the same colours and dashes.
std::string MapDot(const CardMap& map);

// Past this many boxes (cards, and cards a link names that are not there) or five times as
// many arrows the overview is a note that the map is left out: drawn, it would be unreadable,
// make the index page megabytes large and come near the layout's own bound.
inline constexpr size_t kOverviewMaxCards = 500;

// The last layout of an overview and the graph (its DOT) it was made for: the editor exports
// its set at every ゼポ, and the links rarely change between two of them, while laying out a
// large map costs more than the rest of an export in which one card changed. Kept by whoever
// exports again and again; thread-safe.
class OverviewLayouts {
public:
    // The layout kept for `dot`, or an empty one.
    MapLayout Find(const std::string& dot) const;
    void Keep(std::string dot, MapLayout layout);

private:
    mutable std::mutex lock_;
    std::string dot_;
    MapLayout layout_;
};

// The whole map of a set read by ReadCards as SVG, each card that `href` gives an address for
// (percent-encoded; empty: none) a link to it: the overview on an exported site's index page,
// for its audience (no finding of `check`, a card that could not be read shown as missing).
// Past the bound above, a paragraph saying that the map is left out. With `layouts`, a graph
// laid out before is not laid out again.
Result<std::string> SetOverviewSvg(const std::vector<SetCard>& cards,
                                   const std::function<std::string(size_t card)>& href,
                                   OverviewLayouts* layouts = nullptr);

// The map as a picture, at most `maxSide` pixels on a side and `maxPixels` in all: a large
// map is drawn smaller rather than taking gigabytes.
QImage MapImage(const CardMap& map, const MapLayout& layout, int maxSide = 16384, qint64 maxPixels = 48'000'000);

}  // namespace zepo::publish
