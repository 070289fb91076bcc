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
    html += "<video src=\"" + EscapeHtml(p.href) + "\" autoplay playsinline preload=\"auto\"";
    if (p.width > 0 && p.height > 0)
        html += " style=\"width:" + Px(p.width * scale / 100) + ";height:" + Px(p.height * scale / 100) + "\"";
    html += "></video>";
    for (size_t i = 0; i < rings.size(); ++i) html += "</div>";
    html += "</div>\n";
    return html;
}

const char* const kPlayerStyle = R"(html, body { overflow: hidden; }
.stage { position: relative; margin: 0 auto; overflow: hidden; }
.stage > .card { position: absolute; left: 0; top: 0; margin: 0; transform-origin: 0 0; }
.show-areas .card .area { outline: 2px dashed #ff0; background: rgba(255, 255, 0, 0.25); }
.movie2 { position: absolute; line-height: 0; }
.movie2 .ring { border: 1px solid; }
.movie2 video { display: block; background: #000; }
.movie2.window { box-shadow: 0 4px 16px rgba(0, 0, 0, 0.6); }
.movie-overlay { position: fixed; inset: 0; z-index: 10; display: flex; flex-direction: column;
  align-items: center; justify-content: center; background: rgba(0, 0, 0, 0.85); }
.movie-overlay video { max-width: 92vw; max-height: 85vh; background: #000; }
.movie-overlay .close { margin-top: 8px; color: #eee; background: #333; border: 1px solid #888;
  padding: 2px 10px; font-size: 14px; }
:fullscreen .bar { display: none; }
)";

// Plain script without modules, as zepo.js, so that pages opened from the file system work.
const char* const kPlayerScript = R"JS((function () {
  "use strict";
  function play(media) {
    // A browser may refuse to start media before the visitor's first click: movies then
    // start muted, sounds wait for a click on their link.
    var started = media.play();
    if (started && started.catch) started.catch(function () {
      if (media.tagName === "VIDEO" && !media.muted) { media.muted = true; play(media); }
    });
  }

  // The card keeps its proportions and fills the window above the bar; the areas on it are
  // its children and scale with it.
  var card = document.querySelector(".card");
  var bar = document.querySelector(".bar");
  var stage = null, natural = null;
  function fit() {
    var below = bar && !document.fullscreenElement ? bar.offsetHeight : 0;
    var scale = Math.min(window.innerWidth / natural.width, (window.innerHeight - below) / natural.height);
    if (!(scale > 0)) scale = 1;
    card.style.transform = "scale(" + scale + ")";
    stage.style.width = natural.width * scale + "px";
    stage.style.height = natural.height * scale + "px";
    document.body.setAttribute("data-scale", String(scale));
  }
  if (card) {
    natural = { width: parseInt(card.style.width, 10) || card.offsetWidth,
                height: parseInt(card.style.height, 10) || card.offsetHeight };
    stage = document.createElement("div");
    stage.className = "stage";
    card.parentNode.insertBefore(stage, card);
    stage.appendChild(card);
    window.addEventListener("resize", fit);
    document.addEventListener("fullscreenchange", fit);
    fit();
  }

  function toggleFullScreen() {
    var root = document.documentElement;
    var done = document.fullscreenElement ? document.exitFullscreen() :
               root.requestFullscreen ? root.requestFullscreen() : null;
    if (done && done.catch) done.catch(function () {});
  }
  if (bar) {
    var full = document.createElement("button");
    full.id = "fullscreen";
    full.type = "button";
    full.textContent = "全画面";
    full.title = "全画面 (F)　隠れた場所を見る (H)";
    full.addEventListener("click", toggleFullScreen);
    bar.appendChild(full);
  }

  var midi = null;
  function playMidi(href) {
    if (!midi) {
      midi = document.createElement("audio");
      midi.id = "zepo-midi";
      midi.preload = "auto";
      document.body.appendChild(midi);
    }
    midi.src = href;
    play(midi);
  }
  function stopMidi() {
    if (midi) midi.pause();
  }

  var overlay = null;
  function closeMovie() {
    if (!overlay) return;
    overlay.querySelector("video").pause();
    overlay.parentNode.removeChild(overlay);
    overlay = null;
  }
  function playMovie(href) {
    closeMovie();
    overlay = document.createElement("div");
    overlay.className = "movie-overlay";
    overlay.id = "zepo-movie";
    var video = document.createElement("video");
    video.controls = true;
    video.setAttribute("playsinline", "");
    video.src = href;
    var close = document.createElement("button");
    close.type = "button";
    close.className = "close";
    close.textContent = "閉じる";
    close.addEventListener("click", closeMovie);
    video.addEventListener("ended", closeMovie);
    overlay.addEventListener("click", function (event) { if (event.target === overlay) closeMovie(); });
    overlay.appendChild(video);
    overlay.appendChild(close);
    document.body.appendChild(overlay);
    play(video);
  }

  document.addEventListener("click", function (event) {
    var link = event.target.closest ? event.target.closest("a[data-action]") : null;
    if (!link) return;
    var action = link.getAttribute("data-action");
    if (action === "midi") {
      event.preventDefault();
      playMidi(link.href);
    } else if (action === "movie") {
      event.preventDefault();
      playMovie(link.href);
    } else if (action === "stop") {
      stopMidi();
    }
  });
  document.addEventListener("keydown", function (event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.repeat) return;
    if (event.key === "f" || event.key === "F") {
      toggleFullScreen();
    } else if (event.key === "h" || event.key === "H") {
      document.body.classList.toggle("show-areas");
    } else if (event.key === "Escape" && overlay) {
      closeMovie();
    } else {
      return;
    }
    event.preventDefault();
  });

  // Movie 2 takes its size from the movie when the page could not tell it.
  Array.prototype.forEach.call(document.querySelectorAll(".movie2 video"), function (video) {
    var scale = parseFloat(video.closest(".movie2").getAttribute("data-scale")) || 100;
    function size() {
      if (video.style.width || !video.videoWidth) return;
      video.style.width = video.videoWidth * scale / 100 + "px";
      video.style.height = video.videoHeight * scale / 100 + "px";
    }
    video.addEventListener("loadedmetadata", size);
    size();
    play(video);
  });

  var body = document.body;
  if (body.getAttribute("data-midi")) playMidi(body.getAttribute("data-midi"));
  if (body.getAttribute("data-movie")) playMovie(body.getAttribute("data-movie"));
})();
)JS";

}  // namespace zepo::publish
