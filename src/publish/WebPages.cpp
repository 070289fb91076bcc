#include "publish/WebPages.h"

#include <algorithm>
#include <cstdio>

#include "publish/Findings.h"
#include "publish/WebAssets.h"
#include "publish/WebPlayer.h"

namespace zepo::publish {
namespace {

const char* const kButtonNames[] = {"マウス右", "ボタン１", "ボタン２", "ボタン３", "ボタン４", "ボタン５"};

std::string Attributes(const PageLink& link) {
    std::string out = " href=\"" + EscapeHtml(link.href) + "\"";
    switch (link.action) {
        case AreaAction::Go: break;
        case AreaAction::Play: out += " data-action=\"play\""; break;
        case AreaAction::StopSound: out += " data-action=\"stop-wave\""; break;
        case AreaAction::Midi: out += " data-action=\"midi\""; break;
        case AreaAction::StopMidi: out += " data-action=\"stop-midi\""; break;
        case AreaAction::Movie: out += " data-action=\"movie\""; break;
        case AreaAction::StopMovie: out += " data-action=\"stop-movie\""; break;
        case AreaAction::Note: out += " data-action=\"note\" data-note=\"" + EscapeHtml(link.note) + "\""; break;
    }
    if (!link.label.empty())
        out += " title=\"" + EscapeHtml(link.label) + "\" aria-label=\"" + EscapeHtml(link.label) + "\"";
    return out;
}

// The template with each {{KEY}} replaced once; the values are not searched again.
std::string Fill(std::string_view templ, const std::vector<std::pair<std::string_view, std::string>>& values) {
    std::string out;
    size_t at = 0;
    while (at < templ.size()) {
        const size_t open = templ.find("{{", at);
        const size_t close = open == std::string_view::npos ? open : templ.find("}}", open);
        if (close == std::string_view::npos) break;
        out.append(templ.substr(at, open - at));
        const std::string_view key = templ.substr(open + 2, close - open - 2);
        bool known = false;
        for (const auto& [name, value] : values)
            if (name == key) {
                out += value;
                known = true;
            }
        if (!known) out.append(templ.substr(open, close + 2 - open));
        at = close + 2;
    }
    out.append(templ.substr(std::min(at, templ.size())));
    return out;
}

// The attributes of the card's <body>, as (name, value) before escaping.
std::vector<std::pair<std::string, std::string>> BodyAttributes(const CardPage& page) {
    std::vector<std::pair<std::string, std::string>> out;
    if (!page.slidePages.empty()) {
        std::string slide = std::to_string(page.slideSeconds);
        for (const std::string& p : page.slidePages) slide += "," + p;
        out.emplace_back("data-slide", slide);
    }
    if (!page.sound.empty()) out.emplace_back("data-sound", page.sound);
    if (!page.midi.empty()) out.emplace_back("data-midi", page.midi);
    if (!page.movie.empty()) out.emplace_back("data-movie", page.movie);
    if (!page.marker.empty()) out.emplace_back("data-marker", page.marker);
    if (!page.fingerCursor) out.emplace_back("data-cursor", "off");
    if (!page.stops.empty()) {
        std::string stops;
        for (const std::string& n : page.stops) stops += (stops.empty() ? "" : " ") + n;
        out.emplace_back("data-stop", stops);
    }
    if (!page.notes.empty()) {
        std::string notes;
        for (const std::string& n : page.notes) notes += (notes.empty() ? "" : "\n") + n;
        out.emplace_back("data-notes", notes);
    }
    return out;
}

std::string CardMarkup(const CardPage& page) {
    std::string html = "<img src=\"" + EscapeHtml(page.picture) + "\" width=\"" + std::to_string(page.width) +
                       "\" height=\"" + std::to_string(page.height) + "\" alt=\"" + EscapeHtml(page.title) +
                       "\" draggable=\"false\">\n";
    for (const PageLink& a : page.areas)
        html += "<a class=\"area\"" + Attributes(a) + " draggable=\"false\" style=\"left:" + std::to_string(a.left) +
                "px;top:" + std::to_string(a.top) + "px;width:" + std::to_string(a.width) +
                "px;height:" + std::to_string(a.height) + "px\"></a>\n";
    html += page.movie2Html;
    return html;
}

std::string ButtonsMarkup(const CardPage& page) {
    std::string html;
    for (size_t i = 0; i < page.buttons.size() && i < 6; ++i) {
        const PageLink& b = page.buttons[i];
        if (b.href.empty()) continue;
        html += "<a id=\"button" + std::to_string(i) + "\" class=\"button\"" + Attributes(b) + "><kbd>" +
                std::to_string(i) + "</kbd> " + kButtonNames[i] + "</a>";
    }
    return html;
}

}  // namespace

std::string PercentEncode(std::string_view utf8, bool keepSlashes) {
    std::string out;
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' || u == '.' ||
            u == '_' || u == '~' || (keepSlashes && u == '/')) {
            out += c;
        } else {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", u);
            out += buf;
        }
    }
    return out;
}

std::string EscapeHtml(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string CardPageHtml(const CardPage& page) {
    std::string attributes;
    for (const auto& [name, value] : BodyAttributes(page)) attributes += " " + name + "=\"" + EscapeHtml(value) + "\"";
    return Fill(WebAsset("card.html"), {{"TITLE", EscapeHtml(page.title)},
                                        {"ATTRIBUTES", attributes},
                                        {"WIDTH", std::to_string(page.width)},
                                        {"HEIGHT", std::to_string(page.height)},
                                        {"CARD", CardMarkup(page)},
                                        {"INDEX", EscapeHtml(page.indexHref)},
                                        {"BUTTONS", ButtonsMarkup(page)}});
}

std::string IndexHtml(const std::string& title, const std::vector<IndexEntry>& entries, std::string_view overview) {
    std::string list;
    for (const IndexEntry& e : entries)
        list += "<li><a href=\"" + EscapeHtml(e.href) + "\"><img src=\"" + EscapeHtml(e.thumbnail) + "\" width=\"" +
                std::to_string(e.thumbWidth) + "\" height=\"" + std::to_string(e.thumbHeight) + "\" alt=\"\">" +
                "<span class=\"title\">" + EscapeHtml(e.title) + "</span><span class=\"file\">" +
                EscapeHtml(e.fileName) + "</span></a></li>\n";
    const std::string map =
        overview.empty() ? std::string() : "<div class=\"map\">\n" + std::string(overview) + "</div>\n";
    return Fill(WebAsset("index.html"), {{"TITLE", EscapeHtml(title)}, {"OVERVIEW", map}, {"ENTRIES", list}});
}

std::string SetScript(const std::vector<CardPage>& pages) {
    // JSON strings: the texts reach the page only through textContent, setAttribute and the
    // markup above, which escapes them.
    std::string out = "// The cards of the presentation, for player.js.\nwindow.ZEPO_SET = {\"cards\": [";
    for (size_t i = 0; i < pages.size(); ++i) {
        const CardPage& p = pages[i];
        out += std::string(i ? "," : "") + "\n{\"page\": " + JsonString(p.page) +
               ", \"title\": " + JsonString(p.title) + ", \"picture\": " + JsonString(p.picture) +
               ", \"thumb\": " + JsonString(p.thumbnail) + ", \"attrs\": {";
        bool first = true;
        for (const auto& [name, value] : BodyAttributes(p)) {
            out += std::string(first ? "" : ", ") + JsonString(name) + ": " + JsonString(value);
            first = false;
        }
        out += "},\n \"card\": " + JsonString(CardMarkup(p)) + ",\n \"bar\": " + JsonString(ButtonsMarkup(p)) + "}";
    }
    return out + "\n]};\n";
}

}  // namespace zepo::publish
