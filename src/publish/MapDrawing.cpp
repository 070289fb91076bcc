#include "publish/MapDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "core/TextCodec.h"
#include "publish/TerminalText.h"

namespace zepo::publish {
namespace {

constexpr double kNameSize = 11, kTitleSize = 10;  // font sizes, points
constexpr size_t kTipFindings = 8;                 // findings told in a node's tip
constexpr size_t kTipLines = 10;                   // lines told in an edge's tip

struct NodeStyle {
    const char* fill;
    const char* stroke;
    double width;
    bool dashed;
    std::string caption;  // the second line
};

NodeStyle StyleOf(const MapNode& node) {
    switch (node.state) {
        case MapNodeState::Missing: return {"#ffe0e0", "#d00000", 2, false, "ありません"};
        case MapNodeState::Unreadable: return {"#ffe0e0", "#d00000", 2, false, "読めません"};
        case MapNodeState::Elsewhere: return {"#eeeeee", "#777777", 1, true, "カードではありません"};
        case MapNodeState::Card: break;
    }
    if (node.unreachable) return {"#fff1d0", "#c06000", 2, true, node.title};
    if (node.start) return {"#e6efff", "#1d5fbf", 3, false, node.title};
    return {"#ffffff", "#333333", 1, false, node.title};
}

const char* EdgeColour(const CardMap& map, const MapEdge& edge) {
    const MapNodeState to = map.nodes[edge.to].state;
    if (to == MapNodeState::Missing || to == MapNodeState::Unreadable) return "#d00000";
    return edge.kind == MapEdgeKind::Button ? "#1d5fbf" : edge.kind == MapEdgeKind::Slide ? "#2a8a2a" : "#444444";
}

const char* StateName(MapNodeState s) {
    switch (s) {
        case MapNodeState::Card: return "card";
        case MapNodeState::Unreadable: return "unreadable";
        case MapNodeState::Missing: return "missing";
        case MapNodeState::Elsewhere: return "elsewhere";
    }
    return "card";
}

const char* EdgeKindName(MapEdgeKind k) {
    return k == MapEdgeKind::Button ? "button" : k == MapEdgeKind::Slide ? "slide" : "object";
}

// Text for XML, shown as a terminal shows it: controls and stray bytes as visible escapes,
// the five special characters as entities, and the code points XML forbids replaced.
std::string XmlText(std::string_view utf8, bool keepLayout = false) {
    const std::string shown = Printable(utf8, keepLayout);
    std::string out;
    for (size_t pos = 0; pos < shown.size();) {
        const Utf8Char c = Utf8At(shown, pos);
        switch (c.code) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            case 0xFFFE:
            case 0xFFFF: out += "\xEF\xBF\xBD"; break;
            default: out.append(shown, pos, c.length);
        }
        pos += c.length;
    }
    return out;
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

std::string Point(MapPoint p) { return Number(p.x) + "," + Number(p.y); }

// The text cut to about `width` points at `size`, "…" at the cut (a wide character counts one
// em, any other half an em and a little).
std::string Fitted(const std::string& text, double width, double size) {
    double used = 0;
    for (size_t pos = 0; pos < text.size();) {
        const Utf8Char c = Utf8At(text, pos);
        used += (c.code < 0x80 ? 0.6 : 1.0) * size;
        if (used > width - size) return text.substr(0, pos) + "…";
        pos += c.length;
    }
    return text;
}

// A tip of several lines: every piece Printable by itself, so that only the breaks put here
// break a line.
std::string NodeTip(const MapNode& node) {
    std::string tip = Printable(node.name);
    if (!node.title.empty()) tip += "\n" + Printable(node.title);
    if (!node.error.empty()) tip += "\n" + Printable(node.error);
    if (node.start) tip += "\n最初のカード";
    if (node.unreachable) tip += "\nmain.zep からどのリンクでもたどれません";
    for (size_t i = 0; i < node.findings.size() && i < kTipFindings; ++i)
        tip += "\n" + std::to_string(node.findings[i].line) + " 行: " + Printable(node.findings[i].text);
    if (node.findings.size() > kTipFindings)
        tip += "\nほか " + std::to_string(node.findings.size() - kTipFindings) + " 件";
    return tip;
}

std::string EdgeTip(const CardMap& map, const MapEdge& edge) {
    std::string tip = Printable(map.nodes[edge.from].name) + " → " + Printable(map.nodes[edge.to].name) + "\n";
    tip += edge.kind == MapEdgeKind::Button ? "ボタン" : edge.kind == MapEdgeKind::Slide ? "スライド機能" : "部品";
    if (!edge.slidePlaces.empty()) {
        tip += " ";
        for (size_t i = 0; i < edge.slidePlaces.size() && i < kTipLines; ++i)
            tip += (i ? ", " : "") + std::to_string(edge.slidePlaces[i]);
        tip += " 番目";
    }
    if (edge.lines.empty()) return tip;
    tip += " (";
    for (size_t i = 0; i < edge.lines.size() && i < kTipLines; ++i)
        tip += (i ? ", " : "") + std::to_string(edge.lines[i]);
    if (edge.lines.size() > kTipLines) tip += ", …";
    return tip + " 行目)";
}

// The arrow head: a triangle from the curve's end to the tip.
std::vector<MapPoint> ArrowHead(const EdgePath& path) {
    const MapPoint end = path.curve.back();
    double dx = path.tip.x - end.x, dy = path.tip.y - end.y;
    double length = std::hypot(dx, dy);
    if (length < 1e-6) return {};
    const double half = std::max(3.0, length * 0.35);
    const double px = -dy / length * half, py = dx / length * half;
    return {path.tip, {end.x + px, end.y + py}, {end.x - px, end.y - py}};
}

}  // namespace

std::string MapSvg(const CardMap& map, const MapLayout& layout, const std::vector<std::string>& hrefs) {
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "class=\"card-map\" width=\"" +
        Number(layout.width) + "\" height=\"" + Number(layout.height) + "\" viewBox=\"0 0 " + Number(layout.width) +
        " " + Number(layout.height) +
        "\" font-family=\"sans-serif\">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    for (size_t i = 0; i < map.edges.size() && i < layout.edges.size(); ++i) {
        const MapEdge& edge = map.edges[i];
        const EdgePath& path = layout.edges[i];
        const char* colour = EdgeColour(map, edge);
        const bool broken = map.nodes[edge.to].state == MapNodeState::Missing;
        svg += std::string("<g class=\"edge ") + EdgeKindName(edge.kind) + (broken ? " broken" : "") +
               "\" data-from=\"" + std::to_string(edge.from) + "\" data-to=\"" + std::to_string(edge.to) +
               "\"><title>" + XmlText(EdgeTip(map, edge), true) + "</title><path d=\"M" + Point(path.curve[0]);
        for (size_t k = 1; k + 2 < path.curve.size(); k += 3)
            svg += " C" + Point(path.curve[k]) + " " + Point(path.curve[k + 1]) + " " + Point(path.curve[k + 2]);
        svg += std::string("\" fill=\"none\" stroke=\"") + colour + "\" stroke-width=\"1.2\"" +
               (edge.kind == MapEdgeKind::Slide ? " stroke-dasharray=\"6,4\"" : "") + "/>";
        if (path.arrow) {
            const auto head = ArrowHead(path);
            if (!head.empty())
                svg += "<polygon points=\"" + Point(head[0]) + " " + Point(head[1]) + " " + Point(head[2]) +
                       "\" fill=\"" + colour + "\"/>";
        }
        svg += "</g>\n";
    }
    for (size_t i = 0; i < map.nodes.size() && i < layout.nodes.size(); ++i) {
        const MapNode& node = map.nodes[i];
        const NodePlace& place = layout.nodes[i];
        const NodeStyle style = StyleOf(node);
        const bool problem = node.state == MapNodeState::Card && node.HasErrors();
        const std::string href = i < hrefs.size() ? hrefs[i] : std::string();
        if (!href.empty()) svg += "<a href=\"" + XmlText(href) + "\" xlink:href=\"" + XmlText(href) + "\">";
        const double left = place.center.x - place.width / 2, top = place.center.y - place.height / 2;
        svg += std::string("<g class=\"node ") + StateName(node.state) + (node.start ? " start" : "") +
               (node.unreachable ? " unreachable" : "") + (problem ? " problem" : "") + "\" id=\"node-" +
               std::to_string(i) + "\"><title>" + XmlText(NodeTip(node), true) + "</title><rect x=\"" + Number(left) +
               "\" y=\"" + Number(top) + "\" width=\"" + Number(place.width) + "\" height=\"" + Number(place.height) +
               "\" rx=\"4\" fill=\"" + style.fill + "\" stroke=\"" + style.stroke + "\" stroke-width=\"" +
               Number(style.width) + "\"" + (style.dashed ? " stroke-dasharray=\"5,3\"" : "") + "/>";
        const double x = place.center.x, middle = place.center.y;
        svg += "<text class=\"name\" x=\"" + Number(x) + "\" y=\"" + Number(middle - 2) +
               "\" text-anchor=\"middle\" font-size=\"" + Number(kNameSize) + "\" font-weight=\"bold\">" +
               XmlText(Fitted(Printable(node.name), place.width, kNameSize)) + "</text>";
        if (!style.caption.empty())
            svg += std::string("<text class=\"title\" x=\"") + Number(x) + "\" y=\"" + Number(middle + kTitleSize + 1) +
                   "\" text-anchor=\"middle\" font-size=\"" + Number(kTitleSize) + "\" fill=\"" +
                   (node.state == MapNodeState::Card ? "#333333" : style.stroke) + "\">" +
                   XmlText(Fitted(Printable(style.caption), place.width, kTitleSize)) + "</text>";
        if (problem)
            svg += "<circle cx=\"" + Number(left + place.width - 2) + "\" cy=\"" + Number(top + 2) +
                   "\" r=\"7\" fill=\"#d00000\"/><text x=\"" + Number(left + place.width - 2) + "\" y=\"" +
                   Number(top + 6) +
                   "\" text-anchor=\"middle\" font-size=\"11\" font-weight=\"bold\" "
                   "fill=\"#ffffff\">!</text>";
        svg += href.empty() ? "</g>\n" : "</g></a>\n";
    }
    return svg + "</svg>\n";
}

// The map as the audience of a site sees it: the cards, their titles and links, and a card a
// link names that is not there marked missing; nothing of what `check` tells the author (its
// findings, why a card could not be read, which cards no link reaches, the lines of a link).
CardMap ForAudience(CardMap map) {
    for (MapNode& node : map.nodes) {
        node.findings.clear();
        node.error.clear();
        node.unreachable = false;
        if (node.state == MapNodeState::Unreadable) node.state = MapNodeState::Missing;
    }
    for (MapEdge& edge : map.edges) edge.lines.clear();
    return map;
}

MapLayout OverviewLayouts::Find(const std::string& dot) const {
    std::lock_guard guard(lock_);
    return dot == dot_ ? layout_ : MapLayout();
}

void OverviewLayouts::Keep(std::string dot, MapLayout layout) {
    std::lock_guard guard(lock_);
    dot_ = std::move(dot);
    layout_ = std::move(layout);
}

Result<std::string> SetOverviewSvg(const std::vector<SetCard>& cards, const std::function<std::string(size_t)>& href,
                                   OverviewLayouts* layouts) {
    const CardMap map = ForAudience(BuildCardMap(cards, {}));
    // The cards a link names that are not there are boxes too.
    if (map.nodes.size() > kOverviewMaxCards || map.edges.size() > 5 * kOverviewMaxCards)
        return "<p class=\"map-note\">カードが多いため (" + std::to_string(map.nodes.size()) +
               " 枚)、リンク図は載せていません。下の一覧から各カードへ進めます。</p>\n";
    const std::string dot = layouts ? MapDot(map) : std::string();
    MapLayout layout = layouts ? layouts->Find(dot) : MapLayout();
    if (layout.nodes.size() != map.nodes.size()) {
        auto laidOut = LayOutMap(map);
        if (!laidOut) return laidOut.error();
        layout = std::move(laidOut).value();
        if (layouts) layouts->Keep(dot, layout);
    }
    std::vector<std::string> hrefs;
    for (const MapNode& node : map.nodes) hrefs.push_back(node.card ? href(*node.card) : std::string());
    return MapSvg(map, layout, hrefs);
}

std::string MapSvgFile(const CardMap& map, const MapLayout& layout) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + MapSvg(map, layout);
}

std::string MapDot(const CardMap& map) {
    // Every name goes into an HTML-like label, where only the XML entities are special: a
    // quoted DOT string cannot hold every name (a backslash before the closing quote).
    std::string dot =
        "digraph map {\n"
        "  node [shape=box, style=\"rounded,filled\", fontname=\"sans-serif\", fontsize=11];\n"
        "  edge [arrowsize=0.7];\n";
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const MapNode& node = map.nodes[i];
        const NodeStyle style = StyleOf(node);
        dot += "  n" + std::to_string(i) + " [label=<<b>" + XmlText(node.name) + "</b>";
        if (!style.caption.empty()) dot += "<br/><font point-size=\"10\">" + XmlText(style.caption) + "</font>";
        dot += std::string(">, fillcolor=\"") + style.fill + "\", color=\"" + style.stroke +
               "\", penwidth=" + Number(style.width) + (style.dashed ? ", style=\"rounded,filled,dashed\"" : "") +
               "];\n";
    }
    for (const MapEdge& edge : map.edges)
        dot += "  n" + std::to_string(edge.from) + " -> n" + std::to_string(edge.to) + " [color=\"" +
               EdgeColour(map, edge) + "\"" + (edge.kind == MapEdgeKind::Slide ? ", style=dashed" : "") + "];\n";
    return dot + "}\n";
}

QImage MapImage(const CardMap& map, const MapLayout& layout, int maxSide, qint64 maxPixels) {
    // Drawn at 1.5 pixels per point where the limits allow, smaller where they do not.
    double scale = 1.5;
    scale = std::min({scale, maxSide / std::max(1.0, layout.width), maxSide / std::max(1.0, layout.height),
                      std::sqrt(double(maxPixels) / std::max(1.0, layout.width * layout.height))});
    const int width = std::max(1, int(std::ceil(layout.width * scale)));
    const int height = std::max(1, int(std::ceil(layout.height * scale)));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    auto point = [](MapPoint p) { return QPointF(p.x, p.y); };
    for (size_t i = 0; i < map.edges.size() && i < layout.edges.size(); ++i) {
        const MapEdge& edge = map.edges[i];
        const EdgePath& path = layout.edges[i];
        const QColor colour(EdgeColour(map, edge));
        QPainterPath curve(point(path.curve[0]));
        for (size_t k = 1; k + 2 < path.curve.size(); k += 3)
            curve.cubicTo(point(path.curve[k]), point(path.curve[k + 1]), point(path.curve[k + 2]));
        QPen pen(colour, 1.2);
        if (edge.kind == MapEdgeKind::Slide) pen.setDashPattern({5, 3.3});
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curve);
        if (const auto head = path.arrow ? ArrowHead(path) : std::vector<MapPoint>{}; !head.empty()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            const QPointF triangle[3] = {point(head[0]), point(head[1]), point(head[2])};
            painter.drawPolygon(triangle, 3);
        }
    }
    QFont nameFont(QStringLiteral("sans-serif"));
    nameFont.setPixelSize(int(kNameSize));
    nameFont.setBold(true);
    QFont titleFont(QStringLiteral("sans-serif"));
    titleFont.setPixelSize(int(kTitleSize));
    for (size_t i = 0; i < map.nodes.size() && i < layout.nodes.size(); ++i) {
        const MapNode& node = map.nodes[i];
        const NodePlace& place = layout.nodes[i];
        const NodeStyle style = StyleOf(node);
        const QRectF box(place.center.x - place.width / 2, place.center.y - place.height / 2, place.width,
                         place.height);
        QPen pen{QColor(style.stroke), style.width};
        if (style.dashed) pen.setDashPattern({5, 3});
        painter.setPen(pen);
        painter.setBrush(QColor(style.fill));
        painter.drawRoundedRect(box, 4, 4);
        auto line = [&](const std::string& text, const QFont& font, double baseline, const QColor& colour) {
            painter.setFont(font);
            painter.setPen(colour);
            const QFontMetricsF metrics(font);
            const QString shown =
                metrics.elidedText(QString::fromStdString(Printable(text)), Qt::ElideRight, place.width - 8);
            painter.drawText(QPointF(place.center.x - metrics.horizontalAdvance(shown) / 2, baseline), shown);
        };
        line(node.name, nameFont, place.center.y - 2, Qt::black);
        if (!style.caption.empty())
            line(style.caption, titleFont, place.center.y + kTitleSize + 1,
                 node.state == MapNodeState::Card ? QColor("#333333") : QColor(style.stroke));
        if (node.state == MapNodeState::Card && node.HasErrors()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor("#d00000"));
            painter.drawEllipse(QPointF(box.right() - 2, box.top() + 2), 7, 7);
            painter.setPen(Qt::white);
            painter.setFont(nameFont);
            painter.drawText(QRectF(box.right() - 9, box.top() - 5, 14, 14), Qt::AlignCenter, QStringLiteral("!"));
        }
    }
    return image;
}

}  // namespace zepo::publish
