#include "publish/WebPages.h"

#include <cstdio>

#include "publish/Findings.h"
#include "publish/WebPlayer.h"

namespace zepo::publish {
namespace {

const char* const kButtonNames[] = {"マウス右", "ボタン１", "ボタン２", "ボタン３", "ボタン４", "ボタン５"};

std::string Attributes(const PageLink& link) {
    std::string out = " href=\"" + EscapeHtml(link.href) + "\"";
    switch (link.action) {
        case AreaAction::Go: break;
        case AreaAction::Play: out += " data-action=\"play\""; break;
        case AreaAction::StopSound: out += " data-action=\"stop\""; break;
        case AreaAction::Download: out += " download"; break;
        case AreaAction::Midi: out += " data-action=\"midi\""; break;
        case AreaAction::Movie: out += " data-action=\"movie\""; break;
    }
    if (!link.label.empty()) out += " title=\"" + EscapeHtml(link.label) + "\" aria-label=\"" + EscapeHtml(link.label) + "\"";
    return out;
}

std::string Head(const std::string& title, const std::string& base) {
    return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + EscapeHtml(title) +
           "</title>\n<link rel=\"stylesheet\" href=\"" + base + "zepo.css\">\n</head>\n";
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
    std::string html = Head(page.title, "../");
    html.insert(html.rfind("</head>"), "<link rel=\"stylesheet\" href=\"../" + std::string(kPlayerStyleName) + "\">\n");
    html += "<body";
    if (!page.slidePages.empty()) {
        std::string slide = std::to_string(page.slideSeconds);
        for (const std::string& p : page.slidePages) slide += "," + p;
        html += " data-slide=\"" + EscapeHtml(slide) + "\"";
    }
    if (!page.sound.empty()) html += " data-sound=\"" + EscapeHtml(page.sound) + "\"";
    if (!page.midi.empty()) html += " data-midi=\"" + EscapeHtml(page.midi) + "\"";
    if (!page.movie.empty()) html += " data-movie=\"" + EscapeHtml(page.movie) + "\"";
    html += ">\n<div class=\"card\" style=\"width:" + std::to_string(page.width) + "px;height:" +
            std::to_string(page.height) + "px\">\n<img src=\"" + EscapeHtml(page.picture) + "\" width=\"" +
            std::to_string(page.width) + "\" height=\"" + std::to_string(page.height) + "\" alt=\"" +
            EscapeHtml(page.title) + "\">\n";
    for (const PageLink& a : page.areas)
        html += "<a class=\"area\"" + Attributes(a) + " style=\"left:" + std::to_string(a.left) +
                "px;top:" + std::to_string(a.top) + "px;width:" + std::to_string(a.width) +
                "px;height:" + std::to_string(a.height) + "px\"></a>\n";
    html += page.movie2Html;
    html += "</div>\n<nav class=\"bar\">\n<a href=\"" + EscapeHtml(page.indexHref) + "\">一覧</a>\n";
    for (size_t i = 0; i < page.buttons.size() && i < 6; ++i) {
        const PageLink& b = page.buttons[i];
        if (b.href.empty()) continue;
        html += "<a id=\"button" + std::to_string(i) + "\" class=\"button\"" + Attributes(b) + "><kbd>" +
                std::to_string(i) + "</kbd> " + kButtonNames[i] + "</a>\n";
    }
    html += "<button id=\"pause\" type=\"button\" hidden>一時停止</button>\n</nav>\n"
            "<script src=\"../zepo.js\"></script>\n<script src=\"../" + std::string(kPlayerScriptName) +
            "\"></script>\n</body>\n</html>\n";
    return html;
}

std::string IndexHtml(const std::string& title, const std::vector<IndexEntry>& entries, std::string_view overview) {
    std::string html = Head(title, "");
    html += "<body class=\"index\">\n<h1>" + EscapeHtml(title) + "</h1>\n";
    if (!overview.empty())
        html += "<div class=\"map\" style=\"overflow:auto;max-height:80vh\">\n" + std::string(overview) + "</div>\n";
    html += "<ol class=\"cards\">\n";
    for (const IndexEntry& e : entries)
        html += "<li><a href=\"" + EscapeHtml(e.href) + "\"><img src=\"" + EscapeHtml(e.thumbnail) + "\" width=\"" +
                std::to_string(e.thumbWidth) + "\" height=\"" + std::to_string(e.thumbHeight) + "\" alt=\"\">" +
                "<span class=\"title\">" + EscapeHtml(e.title) + "</span><span class=\"file\">" +
                EscapeHtml(e.fileName) + "</span></a></li>\n";
    html += "</ol>\n</body>\n</html>\n";
    return html;
}

const char* const kPageStyle = R"(body { margin: 0; background: #000; color: #eee; font-family: sans-serif; }
.card { position: relative; overflow: hidden; margin: 0 auto; }
.card img { display: block; }
.card .area { position: absolute; display: block; cursor: pointer; }
.card .area:focus-visible { outline: 2px solid #ff0; }
.bar { text-align: center; padding: 6px; font-size: 14px; }
.bar a, .bar button { color: #eee; margin: 0 6px; }
.bar button { background: #333; border: 1px solid #888; padding: 2px 10px; font-size: 14px; }
.index { background: #fff; color: #000; padding: 0 16px; }
.index .cards { list-style: none; padding: 0; display: flex; flex-wrap: wrap; gap: 16px; }
.index .cards a { display: flex; flex-direction: column; color: #000; text-decoration: none; }
.index .cards img { border: 1px solid #888; }
.index .file { color: #666; font-size: 12px; }
)";

namespace {

// Plain script without modules, so that the pages also work opened from the file system.
const char* const kPageScript = R"JS((function (pages) {
  "use strict";
  var sound = null;
  function stopSound() {
    if (sound) { sound.pause(); sound = null; }
  }
  function playSound(href) {
    stopSound();
    sound = new Audio(href);
    // A browser may refuse sound before the first click; the page works on without it.
    var started = sound.play();
    if (started && started.catch) started.catch(function () {});
  }
  document.addEventListener("click", function (event) {
    var link = event.target.closest ? event.target.closest("a[data-action]") : null;
    if (!link) return;
    event.preventDefault();
    if (link.getAttribute("data-action") === "play") playSound(link.href);
    else stopSound();
  });

  // The right mouse button and the buttons 1 to 5 of the player are the keys 0 to 5 here.
  function pressButton(n) {
    var button = document.getElementById("button" + n);
    if (!button) return false;
    button.click();
    return true;
  }
  document.addEventListener("keydown", function (event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.repeat) return;
    if (event.key.length === 1 && event.key >= "0" && event.key <= "5" && pressButton(event.key)) event.preventDefault();
  });
  var card = document.querySelector(".card");
  if (card) card.addEventListener("contextmenu", function (event) {
    if (pressButton(0)) event.preventDefault();
  });

  if (document.body.getAttribute("data-sound")) playSound(document.body.getAttribute("data-sound"));

  // A slide travels from page to page in the address: #slide=SECONDS,AT,PAGE,PAGE,...
  // Anyone can write such an address, so a list naming anything but pages of this
  // presentation ("javascript:", another site, another folder) is no slide at all.
  function isPage(name) { return pages.indexOf(name) >= 0; }
  function checked(seconds, at, list) {
    if (!(seconds > 0 && seconds <= 86400) || list.length === 0 || !list.every(isPage)) return null;
    return { seconds: seconds, at: at >= -1 && at < list.length ? at : -1, pages: list };
  }
  function slideState() {
    var match = /^#slide=(\d{1,5}),(-?\d{1,9}),([^#]+)$/.exec(location.hash);
    var state = match ? checked(+match[1], +match[2], match[3].split(",")) : null;
    if (state) return state;
    var own = document.body.getAttribute("data-slide");
    if (!own) return null;
    var parts = own.split(",");
    return checked(+parts[0], -1, parts.slice(1));
  }
  var slide = slideState();
  if (slide) {
    var timer = null;
    var pause = document.getElementById("pause");
    var advance = function () {
      var at = (slide.at + 1) % slide.pages.length;
      location.href = slide.pages[at] + "#slide=" + slide.seconds + "," + at + "," + slide.pages.join(",");
    };
    var start = function () { timer = setTimeout(advance, slide.seconds * 1000); };
    pause.hidden = false;
    pause.addEventListener("click", function () {
      if (timer !== null) {
        clearTimeout(timer);
        timer = null;
        pause.textContent = "再生";
      } else {
        pause.textContent = "一時停止";
        start();
      }
    });
    start();
  }
  // The same page with the next position only changes the address: show it again.
  window.addEventListener("hashchange", function () { location.reload(); });
})(/*PAGES*/);
)JS";

}  // namespace

std::string PageScript(const std::vector<std::string>& pageHrefs) {
    std::string list = "[";
    for (size_t i = 0; i < pageHrefs.size(); ++i) list += (i ? "," : "") + JsonString(pageHrefs[i]);
    list += "]";
    std::string script = kPageScript;
    script.replace(script.rfind("/*PAGES*/"), 9, list);
    return script;
}

}  // namespace zepo::publish
