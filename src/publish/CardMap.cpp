#include "publish/CardMap.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/Ascii.h"
#include "core/TextCodec.h"
#include "publish/TerminalText.h"

namespace zepo::publish {
namespace fs = std::filesystem;

bool MapNode::HasErrors() const {
    if (state == MapNodeState::Missing || state == MapNodeState::Unreadable) return true;
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

namespace {

MapEdgeKind EdgeKindOf(LinkVia via) {
    return via == LinkVia::Button  ? MapEdgeKind::Button
           : via == LinkVia::Slide ? MapEdgeKind::Slide
                                   : MapEdgeKind::Object;
}

std::string WhyNothing(Lookup state) {
    switch (state) {
        case Lookup::Outside: return "カードのフォルダの外を指しています";
        case Lookup::NotPlainFile: return "普通のファイルではありません";
        default: return "カードがありません";
    }
}

class MapBuilder {
public:
    MapBuilder(const std::vector<SetCard>& cards, const std::vector<std::vector<Finding>>& findings)
        : cards_(cards), findings_(findings), index_(cards) {}

    CardMap Run() {
        nodeOfCard_.assign(cards_.size(), kNone);
        for (size_t i = 0; i < cards_.size(); ++i) AddCard(i);
        for (size_t i = 0; i < cards_.size(); ++i)
            if (nodeOfCard_[i] != kNone && cards_[i].read) AddLinks(i);
        return std::move(map_);
    }

private:
    static constexpr size_t kNone = size_t(-1);

    void AddCard(size_t i) {
        const SetCard& card = cards_[i];
        if (!card.canonical.empty() && index_.Find(card.canonical) != i) return;  // named twice
        MapNode node;
        node.name = ShownName(card.file.filename().string());
        node.card = i;
        if (!card.read) {
            node.state = MapNodeState::Unreadable;
            node.error = card.error;
        } else {
            node.title = SjisToUtf8(card.read->card.settings.title);
            node.start = IsMainCard(card.canonical);
        }
        if (i < findings_.size()) node.findings = findings_[i];
        node.unreachable = std::any_of(node.findings.begin(), node.findings.end(),
                                       [](const Finding& f) { return f.kind == "unreachable"; });
        nodeOfCard_[i] = map_.nodes.size();
        map_.nodes.push_back(std::move(node));
    }

    // The node a link of card `from` leads to: a card of the set, else one node per name that
    // finds nothing or per file that is no card of the set.
    size_t Target(size_t from, size_t n) {
        const SetCard& card = cards_[from];
        const FolderFile& found = card.lookups[n];
        if (found.state == Lookup::Found) {
            if (auto to = index_.Find(found.path)) return nodeOfCard_[*to];
            auto [at, added] = elsewhere_.emplace(found.path, map_.nodes.size());
            if (added) {
                MapNode node;
                node.state = MapNodeState::Elsewhere;
                node.name = ShownName(found.path.lexically_relative(card.folder()).string());
                node.error = "このフォルダのカード (*.zep) ではありません";
                map_.nodes.push_back(std::move(node));
            }
            return at->second;
        }
        auto [at, added] = missing_.emplace(AsciiLower(card.links[n].target), map_.nodes.size());
        if (added) {
            MapNode node;
            node.state = MapNodeState::Missing;
            node.name = SjisToUtf8(card.links[n].target);
            node.error = WhyNothing(found.state);
            map_.nodes.push_back(std::move(node));
        }
        return at->second;
    }

    void AddLinks(size_t i) {
        const SetCard& card = cards_[i];
        int slidePlace = 0;
        for (size_t n = 0; n < card.links.size(); ++n) {
            const CardLink& link = card.links[n];
            if (link.kind != LinkKind::Card) continue;
            const MapEdgeKind kind = EdgeKindOf(link.via);
            if (kind == MapEdgeKind::Slide) ++slidePlace;
            const size_t to = Target(i, n);
            auto [at, added] = edges_.emplace(std::tuple{nodeOfCard_[i], to, kind}, map_.edges.size());
            if (added) map_.edges.push_back({nodeOfCard_[i], to, kind, {}, {}});
            MapEdge& edge = map_.edges[at->second];
            edge.lines.push_back(link.line);
            if (kind == MapEdgeKind::Slide) edge.slidePlaces.push_back(slidePlace);
            ++map_.links;
        }
    }

    const std::vector<SetCard>& cards_;
    const std::vector<std::vector<Finding>>& findings_;
    SetIndex index_;
    CardMap map_;
    std::vector<size_t> nodeOfCard_;
    std::map<std::string, size_t> missing_;
    std::map<fs::path, size_t> elsewhere_;
    std::map<std::tuple<size_t, size_t, MapEdgeKind>, size_t> edges_;
};

}  // namespace

CardMap BuildCardMap(const std::vector<SetCard>& cards, const std::vector<std::vector<Finding>>& findings) {
    return MapBuilder(cards, findings).Run();
}

}  // namespace zepo::publish
