#include "publish/WebPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "publish/WebPages.h"

namespace zepo::publish {
namespace {

// One ring of a bevel: `rightBottom` colours the right column and the bottom row, `leftTop`
// the left column and the top row, as the card's picture borders are drawn.
struct Ring {
    const char* rightBottom;
    const char* leftTop;
};

constexpr const char* kGrey = "#808080";
constexpr const char* kSilver = "#c0c0c0";
constexpr const char* kWhite = "#ffffff";
constexpr const char* kBlack = "#000000";

// Innermost first.
std::vector<Ring> RingsOf(int frame) {
    switch (frame) {
        case 1: return {{kGrey, kWhite}};
        case 2: return {{kWhite, kGrey}};
        case 3: return {{kGrey, kSilver}, {kBlack, kWhite}};
        case 4: return {{kSilver, kBlack}, {kWhite, kGrey}};
        case 5: return {{kGrey, kSilver}, {kBlack, kWhite}, {kBlack, kBlack}};
        case 6: return {{kSilver, kBlack}, {kWhite, kGrey}, {kBlack, kBlack}};
        default: return {};
    }
}

std::string Px(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0fpx", v);
    return buf;
}

}  // namespace

double Movie2ScalePercent(std::string_view text) {
    std::string s(text.substr(0, 32));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (s.empty() || end != s.c_str() + s.size() || !std::isfinite(v)) return 100;
    return std::clamp(v, 20.0, 1000.0);
}

std::string Movie2Html(const Movie2Placement& p) {
    const std::vector<Ring> rings = p.onCard ? RingsOf(p.frame) : std::vector<Ring>{};
    const double scale = p.onCard ? p.scalePercent : 100;
    const int outside = int(rings.size());
    std::string html = "<div class=\"movie2" + std::string(p.onCard ? "" : " window") + "\" data-scale=\"" +
                       std::to_string(scale) + "\" style=\"left:" + Px(double(p.x) - outside) +
                       ";top:" + Px(double(p.y) - outside) + "\">";
    for (auto ring = rings.rbegin(); ring != rings.rend(); ++ring)
        html += std::string("<div class=\"ring\" style=\"border-color:") + ring->leftTop + " " + ring->rightBottom +
                " " + ring->rightBottom + " " + ring->leftTop + "\">";
    html += "<video src=\"" + EscapeHtml(p.href) + "\" autoplay controls playsinline preload=\"auto\"";
    if (p.width > 0 && p.height > 0)
        html += " style=\"width:" + Px(p.width * scale / 100) + ";height:" + Px(p.height * scale / 100) + "\"";
    html += "></video>";
    for (size_t i = 0; i < rings.size(); ++i) html += "</div>";
    html += "</div>\n";
    return html;
}

}  // namespace zepo::publish
