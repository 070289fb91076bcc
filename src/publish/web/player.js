// The player of an exported presentation. Every card has a page of its own that works without
// script; with it, the page becomes the player of the whole set: another card is drawn in
// place (no page load), so the sound, the MIDI piece, a movie, full screen, the marker and the
// slide timer carry on across cards as they do in a player program.
//
// zepo.js, written by the exporter, gives ZEPO_SET.cards: for each card its page name (as the
// links write it), its title, the markup of its card and of its buttons (made by the exporter,
// every text in it escaped) and the attributes of its <body>. Nothing of the address is ever
// taken as markup or followed: a card named there is shown only when it is a page of the set.
//
// Plain script without modules, so that the pages also work opened from the file system.
(function () {
  "use strict";
  var set = window.ZEPO_SET && window.ZEPO_SET.cards ? window.ZEPO_SET : { cards: [] };
  var card = document.querySelector(".card");
  var bar = document.querySelector(".bar");
  var buttonsBox = bar ? bar.querySelector(".buttons") : null;
  var body = document.body;
  if (!card) return;

  function decoded(text) {
    try { return decodeURIComponent(text); } catch (error) { return null; }
  }
  var pageKeys = set.cards.map(function (c) { return decoded(c.page); });
  function indexOfPage(name) {
    var key = typeof name === "string" ? decoded(name) : null;
    return key === null ? -1 : pageKeys.indexOf(key);
  }
  var docName = location.pathname.slice(location.pathname.lastIndexOf("/") + 1);
  var docIndex = indexOfPage(docName);
  var current = docIndex;

  // ---- Sound the browser holds back until the visitor's first click -------------------------
  var waiting = [];
  var startOverlay = null;
  // A show opened at a slide waits for the presenter's click: its timer and its media start
  // then, so the audience sees the first slide from its beginning.
  var held = false;
  function unwait(media) {
    var at = waiting.indexOf(media);
    if (at >= 0) waiting.splice(at, 1);
    if (!waiting.length && startOverlay && !held) closeStart();
  }
  function closeStart() {
    if (startOverlay && startOverlay.parentNode) startOverlay.parentNode.removeChild(startOverlay);
    startOverlay = null;
  }
  function askForClick(media) {
    if (media && waiting.indexOf(media) < 0) waiting.push(media);
    if (startOverlay) return;
    startOverlay = document.createElement("div");
    startOverlay.className = "start-overlay";
    startOverlay.id = "zepo-start";
    var button = document.createElement("button");
    button.type = "button";
    button.textContent = "クリックして開始";
    startOverlay.appendChild(button);
    // One click starts what waits; the page has then been used, and the browser lets the
    // rest of the show play by itself.
    startOverlay.addEventListener("click", function (event) {
      event.preventDefault();
      event.stopPropagation();
      var list = waiting;
      waiting = [];
      closeStart();
      if (held) {
        held = false;
        schedule();
      }
      list.forEach(function (media) { play(media); });
    });
    body.appendChild(startOverlay);
    button.focus();
  }
  function play(media) {
    if (held) return askForClick(media);
    var started;
    try { started = media.play(); } catch (error) { started = null; }
    if (started && started.catch) started.catch(function (error) {
      if (error && error.name === "NotAllowedError") askForClick(media);
    });
  }

  // ---- Notes: what this player cannot do, said where it would have happened ------------------
  var notes = null;
  function note(text, near) {
    if (!text) return;
    var box = document.createElement("div");
    box.textContent = text;
    box.setAttribute("role", "status");
    if (near && card.contains(near)) {
      box.className = "note";
      box.style.left = near.style.left;
      box.style.top = near.style.top;
      card.appendChild(box);
    } else {
      if (!notes || !notes.parentNode) {
        notes = document.createElement("div");
        notes.className = "notes";
        body.appendChild(notes);
      }
      notes.appendChild(box);
    }
    setTimeout(function () { if (box.parentNode) box.parentNode.removeChild(box); }, 5000);
  }

  // ---- Three channels: the WAV sound, the MIDI piece and the movie -------------------------
  function channel(id) {
    var media = document.getElementById(id);
    if (!media) {
      media = document.createElement("audio");
      media.id = id;
      media.preload = "auto";
      body.appendChild(media);
    }
    return media;
  }
  function absolute(href) {
    try { return new URL(href, document.baseURI).href; } catch (error) { return ""; }
  }
  function start(id, href, keepSame) {
    var media = channel(id);
    // A card that starts the piece already playing lets it play on.
    if (keepSame && media.src === absolute(href) && !media.paused && !media.ended) return;
    media.src = href;
    play(media);
  }
  function stop(id) {
    var media = document.getElementById(id);
    if (!media) return;
    media.pause();
    unwait(media);
  }

  var overlay = null, focusBefore = null;
  function closeMovie() {
    if (!overlay) return;
    var video = overlay.querySelector("video");
    video.pause();
    unwait(video);
    overlay.parentNode.removeChild(overlay);
    overlay = null;
    if (closeMovieButton) closeMovieButton.hidden = true;
    if (focusBefore && focusBefore.focus && document.contains(focusBefore)) focusBefore.focus();
    focusBefore = null;
  }
  // A layer over the page: a <div> of its own class and id, a dialog when it has a name.
  function layer(className, id, label) {
    var box = document.createElement("div");
    box.className = className;
    box.id = id;
    if (label) {
      box.setAttribute("role", "dialog");
      box.setAttribute("aria-label", label);
    }
    return box;
  }
  function playMovie(href) {
    var before = overlay ? focusBefore : document.activeElement;
    closeMovie();
    focusBefore = before;
    overlay = layer("movie-overlay", "zepo-movie", "動画");
    var video = document.createElement("video");
    video.controls = true;
    video.tabIndex = 0;
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
    body.appendChild(overlay);
    if (closeMovieButton) closeMovieButton.hidden = false;
    video.focus();
    play(video);
  }

  // ---- The card fitted to the window, the bar below it --------------------------------------
  var natural = { width: parseInt(card.style.width, 10) || card.offsetWidth,
                  height: parseInt(card.style.height, 10) || card.offsetHeight };
  var stage = document.createElement("div");
  stage.className = "stage";
  card.parentNode.insertBefore(stage, card);
  stage.appendChild(card);
  function fit() {
    var below = bar && !document.fullscreenElement ? bar.offsetHeight : 0;
    var scale = Math.min(window.innerWidth / natural.width, (window.innerHeight - below) / natural.height);
    if (!(scale > 0)) scale = 1;
    card.style.transform = "scale(" + scale + ")";
    stage.style.width = natural.width * scale + "px";
    stage.style.height = natural.height * scale + "px";
    body.setAttribute("data-scale", String(scale));
  }
  // Esc ends full screen in the browser itself, before the page sees the key: full screen
  // ended by anything but the F key closes a movie that is open, as Esc does in the page.
  var leavingFullScreen = false;
  document.addEventListener("fullscreenchange", function () {
    if (document.fullscreenElement) return;
    if (!leavingFullScreen) closeMovie();
    leavingFullScreen = false;
  });
  function toggleFullScreen() {
    var root = document.documentElement;
    leavingFullScreen = !!document.fullscreenElement;
    var done = document.fullscreenElement ? document.exitFullscreen() :
               root.requestFullscreen ? root.requestFullscreen() : null;
    if (done && done.catch) done.catch(function () {});
  }
  if (bar) {
    var full = document.createElement("button");
    full.id = "fullscreen";
    full.type = "button";
    full.textContent = "全画面";
    full.title = "全画面 (F)　一時停止 (P)　キーの説明 (H)";
    full.addEventListener("click", toggleFullScreen);
    bar.appendChild(full);
  }
  var closeMovieButton = barButton("close-movie", "動画を閉じる", "動画を閉じる (Esc, X)", closeMovie);
  if (closeMovieButton) closeMovieButton.hidden = true;
  function barButton(id, text, title, action) {
    if (!bar) return null;
    var button = document.createElement("button");
    button.id = id;
    button.type = "button";
    button.textContent = text;
    button.title = title;
    button.addEventListener("click", action);
    bar.appendChild(button);
    return button;
  }
  // The bar is measured once it is complete, and again whenever it changes height (its font
  // arriving, a card with more buttons).
  fit();
  window.addEventListener("resize", fit);
  window.addEventListener("load", fit);
  document.addEventListener("fullscreenchange", fit);
  if (bar && window.ResizeObserver) new ResizeObserver(fit).observe(bar);

  // ---- The marker pen ---------------------------------------------------------------------
  var marker = null;  // { color, width } while the cards say it is on
  var marks = null, stroke = null, swallowClick = false;
  function freshMarks() {
    marks = document.createElement("canvas");
    marks.className = "marks";
    marks.width = natural.width;
    marks.height = natural.height;
    card.appendChild(marks);
  }
  function cardPoint(event) {
    var r = card.getBoundingClientRect();
    var scale = r.width / natural.width || 1;
    return { x: (event.clientX - r.left) / scale, y: (event.clientY - r.top) / scale };
  }
  card.addEventListener("pointerdown", function (event) {
    if (!marker || event.button > 0 || !marks) return;
    var p = cardPoint(event);
    stroke = { id: event.pointerId, x: p.x, y: p.y, fromX: event.clientX, fromY: event.clientY, moved: false };
  });
  card.addEventListener("pointermove", function (event) {
    if (!stroke || event.pointerId !== stroke.id) return;
    // A click that wobbles a little is still a click on the area under it.
    if (!stroke.moved && Math.abs(event.clientX - stroke.fromX) + Math.abs(event.clientY - stroke.fromY) < 4) return;
    if (!stroke.moved) {
      // A stroke from here on: the card keeps the pointer even where it leaves the card.
      stroke.moved = true;
      try { card.setPointerCapture(event.pointerId); } catch (error) { /* a pointer already gone */ }
    }
    var p = cardPoint(event);
    var g = marks.getContext("2d");
    g.strokeStyle = marker.color;
    g.lineWidth = marker.width;
    g.lineCap = "round";
    g.lineJoin = "round";
    g.beginPath();
    g.moveTo(stroke.x, stroke.y);
    g.lineTo(p.x, p.y);
    g.stroke();
    stroke.x = p.x;
    stroke.y = p.y;
    event.preventDefault();
  });
  function endStroke(event) {
    if (!stroke || event.pointerId !== stroke.id) return;
    if (stroke.moved) {
      swallowClick = true;
      setTimeout(function () { swallowClick = false; }, 0);
    }
    stroke = null;
  }
  card.addEventListener("pointerup", endStroke);
  card.addEventListener("pointercancel", endStroke);
  card.addEventListener("dragstart", function (event) { if (marker) event.preventDefault(); });
  function clearMarks() {
    if (marks) marks.getContext("2d").clearRect(0, 0, marks.width, marks.height);
  }
  var eraser = barButton("erase", "線を消す", "マーカーの線を消す (C)", clearMarks);

  // ---- Movie 2, on the card or in a window of its own over it -------------------------------
  function startMovie2() {
    Array.prototype.forEach.call(card.querySelectorAll(".movie2 video"), function (video) {
      var scale = parseFloat(video.closest(".movie2").getAttribute("data-scale")) || 100;
      function size() {
        if (video.style.width || !video.videoWidth) return;
        video.style.width = video.videoWidth * scale / 100 + "px";
        video.style.height = video.videoHeight * scale / 100 + "px";
      }
      video.controls = true;
      video.addEventListener("loadedmetadata", size);
      size();
      play(video);
    });
  }

  // ---- The slide show ---------------------------------------------------------------------
  var slide = null, timer = null, paused = false, slideDue = 0;
  var pauseButton = document.getElementById("pause");
  // A slide in the address is one of the set's own lists, perhaps bookmarked: what is longer
  // than the longest of them is not read at all (a huge list would slow every step).
  var slideLimit = { pages: 0, text: 0 };
  set.cards.forEach(function (c) {
    var own = c.attrs && c.attrs["data-slide"];
    if (typeof own !== "string") return;
    slideLimit.pages = Math.max(slideLimit.pages, own.split(",").length - 1);
    slideLimit.text = Math.max(slideLimit.text, own.length * 3 + 32);
  });
  function checkedSlide(seconds, at, list) {
    if (!(seconds > 0 && seconds <= 86400) || list.length === 0 || list.length > slideLimit.pages) return null;
    if (!list.every(function (page) { return indexOfPage(page) >= 0; })) return null;
    return { seconds: seconds, at: at >= -1 && at < list.length ? at : -1, pages: list };
  }
  function parseSlide(text) {
    if (!text || text.length > slideLimit.text) return null;
    var match = /^(\d{1,5}),(-?\d{1,9}),(.+)$/.exec(text || "");
    return match ? checkedSlide(+match[1], +match[2], match[3].split(",")) : null;
  }
  function schedule() {
    clearTimeout(timer);
    timer = null;
    slideDue = 0;
    if (slide && !paused && !held) {
      timer = setTimeout(advance, slide.seconds * 1000);
      slideDue = Date.now() + slide.seconds * 1000;
    }
    if (pauseButton) {
      pauseButton.hidden = !slide;
      pauseButton.textContent = paused ? "再生" : "一時停止";
    }
  }
  function advance() {
    timer = null;
    if (!slide) return;
    slide.at = (slide.at + 1) % slide.pages.length;
    show(indexOfPage(slide.pages[slide.at]), "push");
    schedule();
  }
  function togglePause() {
    if (!slide) return;
    paused = !paused;
    schedule();
    note(paused ? "スライドを一時停止しました" : "スライドを再開しました");
  }
  if (pauseButton) pauseButton.addEventListener("click", togglePause);

  // ---- Cards and addresses ----------------------------------------------------------------
  // A file: address may only change its part after "#": there the card is "#card=PAGE".
  var hashOnly = false;
  // How many cards the show has gone forward in this page: Back within the show only.
  var depth = 0;
  function slideText() {
    return slide ? "slide=" + slide.seconds + "," + slide.at + "," + slide.pages.join(",") : "";
  }
  function record(replace) {
    if (current < 0) return;
    var page = set.cards[current].page, extra = slideText();
    var method = replace ? "replaceState" : "pushState";
    if (!replace) depth++;
    var state = { zepoDepth: depth };
    if (!hashOnly) {
      try {
        history[method](state, "", page + (extra ? "#" + extra : ""));
        return;
      } catch (error) {
        hashOnly = true;
      }
    }
    var fields = [];
    if (current !== docIndex) fields.push("card=" + page);
    if (extra) fields.push(extra);
    history[method](state, "", fields.length ? "#" + fields.join("&") : location.pathname + location.search);
  }
  function fromAddress() {
    var fields = {};
    location.hash.replace(/^#/, "").split("&").forEach(function (field) {
      var at = field.indexOf("=");
      if (at > 0) fields[field.slice(0, at)] = field.slice(at + 1);
    });
    // Over http the page's own path names the card; from a file, "#card=" does.
    var at = fields.card !== undefined ? indexOfPage(fields.card) : -1;
    if (at < 0) at = indexOfPage(location.pathname.slice(location.pathname.lastIndexOf("/") + 1));
    return { at: at >= 0 ? at : docIndex, slide: parseSlide(fields.slide) };
  }

  var attributeNames = ["data-slide", "data-sound", "data-midi", "data-movie", "data-marker", "data-cursor",
                        "data-notes", "data-stop"];
  function render(data) {
    document.title = data.title;
    // The exporter's own markup, made from the card with every text escaped.
    card.innerHTML = data.card;
    if (buttonsBox) buttonsBox.innerHTML = data.bar;
    attributeNames.forEach(function (name) {
      if (data.attrs && Object.prototype.hasOwnProperty.call(data.attrs, name)) body.setAttribute(name, data.attrs[name]);
      else body.removeAttribute(name);
    });
    fit();
  }

  // What a card does as it opens.
  function enter() {
    freshMarks();
    body.classList.toggle("no-finger", body.getAttribute("data-cursor") === "off");
    var pen = body.getAttribute("data-marker");
    if (pen === "off") {
      marker = null;
    } else if (pen) {
      var parts = pen.split(",");
      if (/^#[0-9a-f]{6}$/i.test(parts[0])) marker = { color: parts[0], width: Math.min(20, Math.max(1, +parts[1] || 3)) };
    }
    card.classList.toggle("marker-on", !!marker);
    if (eraser) eraser.hidden = !marker;
    startMovie2();
    (body.getAttribute("data-stop") || "").split(" ").forEach(function (channel) {
      if (channel === "wave") stop("zepo-sound");
      else if (channel === "midi") stop("zepo-midi");
      else if (channel === "movie") closeMovie();
    });
    if (body.getAttribute("data-sound")) start("zepo-sound", body.getAttribute("data-sound"), false);
    if (body.getAttribute("data-midi")) start("zepo-midi", body.getAttribute("data-midi"), true);
    if (body.getAttribute("data-movie")) playMovie(body.getAttribute("data-movie"));
    (body.getAttribute("data-notes") || "").split("\n").forEach(function (text) { note(text); });
    if (!slide) {
      var own = (body.getAttribute("data-slide") || "").split(",");
      slide = checkedSlide(+own[0], -1, own.slice(1));
      if (slide) {
        paused = false;
        schedule();
        record(true);
      }
    }
  }

  function show(at, how) {
    current = at;
    render(set.cards[at]);
    if (how !== "none") record(how === "replace");
    enter();
    tell();
  }
  // Whoever follows the show (the presenter's view) hears of every card and slide change.
  var listeners = [];
  function tell() {
    listeners.forEach(function (listener) { listener(); });
  }

  function applyAddress() {
    depth = history.state && history.state.zepoDepth > 0 ? history.state.zepoDepth : 0;
    var wanted = fromAddress();
    slide = wanted.slide;
    paused = false;
    schedule();
    if (wanted.at >= 0) show(wanted.at, "none");
    else tell();
  }
  window.addEventListener("popstate", applyAddress);

  // ---- What the presenter does ------------------------------------------------------------
  document.addEventListener("click", function (event) {
    if (!swallowClick) return;
    swallowClick = false;
    event.preventDefault();
    event.stopPropagation();
  }, true);
  document.addEventListener("click", function (event) {
    var link = event.target.closest ? event.target.closest("a") : null;
    if (!link || !(card.contains(link) || (buttonsBox && buttonsBox.contains(link)))) return;
    var action = link.getAttribute("data-action");
    if (!action) {
      var to = indexOfPage(link.getAttribute("href"));
      if (to < 0) return;  // no card of the set: the browser follows the link as it is
      event.preventDefault();
      // The same card again ("this") starts it afresh without a step in the history.
      show(to, to === current ? "replace" : "push");
      return;
    }
    event.preventDefault();
    if (action === "play") start("zepo-sound", link.href, false);
    else if (action === "stop-wave") stop("zepo-sound");
    else if (action === "midi") start("zepo-midi", link.href, false);
    else if (action === "stop-midi") stop("zepo-midi");
    else if (action === "movie") playMovie(link.href);
    else if (action === "stop-movie") closeMovie();
    else if (action === "note") note(link.getAttribute("data-note"), link);
  });

  // The right mouse button and the buttons 1 to 5 of the player are the keys 0 to 5 here.
  function pressButton(n) {
    var button = document.getElementById("button" + n);
    if (!button) return false;
    button.click();
    return true;
  }
  card.addEventListener("contextmenu", function (event) {
    if (pressButton(0)) event.preventDefault();
  });
  document.addEventListener("keydown", function (event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.repeat) return;
    var key = event.key;
    if (key.length === 1 && key >= "0" && key <= "5") {
      if (!pressButton(key)) return;
    } else if (key === "f" || key === "F") {
      toggleFullScreen();
    } else if (key === "h" || key === "H") {
      body.classList.toggle("show-areas");
    } else if (key === "p" || key === "P") {
      togglePause();
    } else if ((key === "Escape" || key === "x" || key === "X") && overlay) {
      closeMovie();
    } else {
      return;
    }
    event.preventDefault();
  });

  // ---- Steps a presenter takes by key or gesture (present.js binds them) ---------------------
  var hintBox = null;
  function hint(text) {
    if (!hintBox) {
      hintBox = document.createElement("div");
      hintBox.className = "hint";
      hintBox.id = "zepo-hint";
      hintBox.setAttribute("role", "status");
    }
    hintBox.textContent = text;
    body.appendChild(hintBox);
    clearTimeout(hint.timer);
    hint.timer = setTimeout(function () { if (hintBox.parentNode) hintBox.parentNode.removeChild(hintBox); }, 2000);
  }
  // The card the right button of card `at` leads to, or -1.
  function rightTarget(at) {
    var box = document.createElement("div");
    box.innerHTML = set.cards[at].bar;
    var link = box.querySelector("#button0");
    return link && !link.getAttribute("data-action") ? indexOfPage(link.getAttribute("href")) : -1;
  }
  function next() {
    if (slide) return advance();
    var button = document.getElementById("button0");
    if (button && (button.getAttribute("data-action") || rightTarget(current) >= 0)) button.click();
    else hint("次に進む先（マウス右の関連付け）がありません");
  }
  function back() {
    if (depth > 0) history.back();
    else hint("ここが最初のカードです");
  }
  // Another card, leaving a running slide show.
  function jump(at) {
    if (!(at >= 0 && at < set.cards.length)) return;
    slide = null;
    paused = false;
    schedule();
    show(at, at === current ? "replace" : "push");
  }
  function last() {
    if (!slide) return hint("スライド機能の中で使えます");
    slide.at = slide.pages.length - 2;
    advance();
  }
  window.ZEPO_PLAYER = {
    cards: set.cards, card: card, bar: bar, barButton: barButton, layer: layer, hint: hint, next: next, back: back, jump: jump,
    last: last, clearMarks: clearMarks, closeMovie: closeMovie, togglePause: togglePause, rightTarget: rightTarget,
    indexOfPage: indexOfPage, toggleFullScreen: toggleFullScreen,
    current: function () { return current; },
    listen: function (listener) { listeners.push(listener); },
    movieOpen: function () { return !!overlay; },
    waitsForClick: function () { return !!startOverlay; },
    slide: function () {
      return slide && { at: slide.at, pages: slide.pages, seconds: slide.seconds, paused: paused, due: slideDue };
    }
  };

  // ---- Start: the card the address names (a bookmark of a card of the set), else this page ---
  var first = fromAddress();
  slide = first.slide;
  var opening = first.at >= 0 ? set.cards[first.at] : null;
  if (slide || (opening && opening.attrs && opening.attrs["data-slide"])) {
    held = true;
    askForClick(null);
  }
  if (first.at >= 0 && first.at !== docIndex) {
    show(first.at, "none");
  } else {
    enter();
  }
  schedule();
})();
