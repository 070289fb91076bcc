// What a presenter has beyond the cards' own associations, on top of player.js
// (window.ZEPO_PLAYER): the keys a presentation remote and a keyboard send, swipes, a black or
// white screen, the list of keys, an overview of every card and a presenter's view in a window
// of its own. Plain script, like the player, so that it also works from the file system.
(function () {
  "use strict";
  var P = window.ZEPO_PLAYER;
  if (!P) return;
  var body = document.body;

  // ---- A black or white screen; any key or a click returns --------------------------------
  var blank = null;
  function blankScreen(colour) {
    blank = P.layer("blank " + colour, "zepo-blank");
    blank.addEventListener("click", unblank);
    body.appendChild(blank);
  }
  function unblank() {
    if (blank && blank.parentNode) blank.parentNode.removeChild(blank);
    blank = null;
  }

  // ---- The keys, listed by H ----------------------------------------------------------------
  var keyList = [
    ["PageDown → ↓ Space Enter", "次へ（マウス右の関連付け。スライド機能では次のスライド）。左へスワイプも同じ"],
    ["PageUp ← ↑ Backspace", "前のカードへ戻る。右へスワイプも同じ"],
    ["Home", "最初のカード"], ["End", "スライド機能の最後のスライド"],
    ["0〜5", "マウス右、ボタン１〜５"], ["B  .", "黒い画面（どれかのキーで戻る）"],
    ["W  ,", "白い画面（どれかのキーで戻る）"], ["G", "全カードを並べて見る（番号と Enter でも移る）"],
    ["S", "発表者ビューを開く"], ["C", "マーカーの線を消す"], ["Esc  X", "動画を閉じる"],
    ["F", "全画面"], ["P", "スライドの一時停止／再開"], ["H", "この説明とクリックできる場所を見せる／隠す"]];
  var help = document.createElement("div");
  help.className = "key-help";
  help.id = "zepo-keys";
  help.hidden = true;
  var list = document.createElement("dl");
  keyList.forEach(function (entry) {
    var term = document.createElement("dt"), text = document.createElement("dd");
    term.textContent = entry[0];
    text.textContent = entry[1];
    list.appendChild(term);
    list.appendChild(text);
  });
  help.appendChild(list);
  body.appendChild(help);

  // ---- Keys ----------------------------------------------------------------------------------
  var NEXT = ["PageDown", "ArrowRight", "ArrowDown", " ", "Enter"];
  var BACK = ["PageUp", "ArrowLeft", "ArrowUp", "Backspace"];
  // Keys a control uses itself: the movie all of them, a link or button chosen with Tab (not
  // one merely clicked with the mouse) Space and Enter.
  function controlHasFocus(key) {
    var focus = document.activeElement;
    if (!focus || focus === body || focus === document.documentElement) return false;
    if (focus.tagName === "VIDEO") return true;
    return (key === " " || key === "Enter") && focus.matches(":focus-visible");
  }
  function presenterKey(event, fromView) {
    var key = event.key;
    if (event.ctrlKey || event.altKey || event.metaKey) return false;
    if (blank) return unblank(), true;
    if (overview) return overviewKey(key);
    if (event.repeat) return false;
    if (P.waitsForClick() && (NEXT.indexOf(key) >= 0 || key === "PageUp")) {
      document.getElementById("zepo-start").click();
      return true;
    }
    if (!fromView && controlHasFocus(key)) return false;
    if (NEXT.indexOf(key) >= 0) P.next();
    else if (BACK.indexOf(key) >= 0) P.back();
    else if (key === "Home") P.jump(0);
    else if (key === "End") P.last();
    else if (key === "b" || key === "B" || key === ".") blankScreen("black");
    else if (key === "w" || key === "W" || key === ",") blankScreen("white");
    else if (key === "g" || key === "G") openOverview();
    else if (key === "s" || key === "S") openView();
    else if (key === "c" || key === "C") P.clearMarks();
    else return false;
    return true;
  }
  // Before the player's own keys (0-5, F, P, H, Esc): a black screen takes every key.
  window.addEventListener("keydown", function (event) {
    if (!presenterKey(event, false)) return;
    event.preventDefault();
    event.stopPropagation();
  }, true);
  document.addEventListener("keydown", function (event) {
    if (event.key === "h" || event.key === "H") help.hidden = !body.classList.contains("show-areas");
  });

  // ---- Swipes on a touch screen: left is next, right is back ---------------------------------
  var swipe = null;
  P.card.addEventListener("pointerdown", function (event) {
    swipe = event.pointerType === "touch" && !P.card.classList.contains("marker-on") ?
      { id: event.pointerId, x: event.clientX, y: event.clientY } : null;
  });
  P.card.addEventListener("pointerup", function (event) {
    if (!swipe || event.pointerId !== swipe.id) return;
    var dx = event.clientX - swipe.x, dy = event.clientY - swipe.y;
    swipe = null;
    if (Math.abs(dx) < 60 || Math.abs(dx) < 2 * Math.abs(dy)) return;
    if (dx < 0) P.next();
    else P.back();
  });

  // ---- The overview: every card as a thumbnail --------------------------------------------
  var overview = null, chosen = 0, typed = "";
  function openOverview() {
    overview = P.layer("overview", "zepo-overview", "全カード");
    var grid = document.createElement("ol");
    P.cards.forEach(function (c, i) {
      var item = document.createElement("li"), link = document.createElement("a"), picture = document.createElement("img");
      link.href = c.page;
      link.setAttribute("data-at", String(i));
      picture.src = c.thumb;
      picture.alt = "";
      picture.loading = "lazy";
      var caption = document.createElement("span");
      caption.textContent = (i + 1) + " " + c.title;
      link.appendChild(picture);
      link.appendChild(caption);
      link.addEventListener("click", function (event) {
        event.preventDefault();
        event.stopPropagation();
        closeOverview();
        P.jump(i);
      });
      item.appendChild(link);
      grid.appendChild(item);
    });
    overview.appendChild(grid);
    body.appendChild(overview);
    choose(Math.max(0, P.current()));
    grid.children[chosen] && grid.children[chosen].classList.add("current");
  }
  function closeOverview() {
    if (overview && overview.parentNode) overview.parentNode.removeChild(overview);
    overview = null;
    typed = "";
  }
  function choose(at) {
    var links = overview.querySelectorAll("a");
    if (!links.length) return;
    chosen = Math.max(0, Math.min(links.length - 1, at));
    links[chosen].focus();
  }
  // Cards in a row of the grid, as it is laid out now.
  function columns() {
    var items = overview.querySelectorAll("li"), n = 1;
    while (n < items.length && items[n].offsetTop === items[0].offsetTop) n++;
    return n;
  }
  function overviewKey(key) {
    if (/^[0-9]$/.test(key)) {
      typed = (typed + key).slice(-5);
    } else if (key === "Enter") {
      var focus = document.activeElement, at = chosen;
      if (typed) at = parseInt(typed, 10) - 1;
      else if (focus && overview.contains(focus) && focus.hasAttribute("data-at")) at = +focus.getAttribute("data-at");
      closeOverview();
      P.jump(at);
    } else if (key === "Escape" || key === "g" || key === "G") {
      closeOverview();
    } else if (key === "ArrowRight" || key === "ArrowLeft") {
      choose(chosen + (key === "ArrowRight" ? 1 : -1));
    } else if (key === "ArrowDown" || key === "ArrowUp") {
      choose(chosen + (key === "ArrowDown" ? 1 : -1) * columns());
    } else {
      return key !== "Tab";
    }
    return true;
  }
  P.barButton("overview-button", "全カード", "全カードを並べて見る (G)", openOverview);

  // ---- Handouts: printing gives every card, each on a page with its title under it ----------
  var printed = null;
  window.addEventListener("beforeprint", function () {
    if (printed) return;
    printed = document.createElement("div");
    printed.className = "print-set";
    P.cards.forEach(function (c) {
      var page = document.createElement("figure"), picture = document.createElement("img");
      var caption = document.createElement("figcaption");
      picture.src = c.picture;
      picture.alt = "";
      caption.textContent = c.title;
      page.appendChild(picture);
      page.appendChild(caption);
      printed.appendChild(page);
    });
    body.appendChild(printed);
  });
  window.addEventListener("afterprint", function () {
    if (printed && printed.parentNode) printed.parentNode.removeChild(printed);
    printed = null;
  });

  // ---- The presenter's view: this card, the next, the time; it drives the show ----------
  // An empty window of this page's own (so that it works from the file system as well),
  // filled and updated from here; its links are never followed.
  var view = null, viewParts = null, began = Date.now();
  function openView() {
    if (view && !view.closed) return view.focus();
    view = window.open("", "zepo-presenter", "width=960,height=600");
    if (!view) return P.hint("発表者ビューを開けません（ポップアップが止められています）");
    var d = view.document;
    d.open();
    d.write("<!DOCTYPE html><html lang=\"ja\"><head><meta charset=\"utf-8\"><title></title></head><body></body></html>");
    d.close();
    d.title = "発表者ビュー";
    var style = d.createElement("link");
    style.rel = "stylesheet";
    style.href = new URL("../player.css", document.baseURI).href;
    d.head.appendChild(style);
    d.body.className = "presenter";
    viewParts = {};
    ["now", "next"].forEach(function (name) {
      var box = d.createElement("figure"), picture = d.createElement("img"), caption = d.createElement("figcaption");
      box.className = name;
      picture.id = "view-" + name;
      caption.id = "view-" + name + "-title";
      box.appendChild(picture);
      box.appendChild(caption);
      d.body.appendChild(box);
      viewParts[name] = { picture: picture, caption: caption };
    });
    var clock = d.createElement("p");
    clock.className = "clock";
    clock.id = "view-clock";
    d.body.appendChild(clock);
    var controls = d.createElement("p");
    controls.className = "controls";
    [["view-step-back", "◀ 戻る", P.back], ["view-step-next", "次へ ▶", P.next], ["view-pause", "一時停止／再開", P.togglePause],
     ["view-black", "黒い画面", function () { if (!blank) blankScreen("black"); }]].forEach(function (entry) {
      var button = d.createElement("button");
      button.type = "button";
      button.id = entry[0];
      button.textContent = entry[1];
      button.addEventListener("click", function () { entry[2](); });
      controls.appendChild(button);
    });
    d.body.appendChild(controls);
    viewParts.clock = clock;
    d.addEventListener("keydown", function (event) {
      if (presenterKey(event, true)) event.preventDefault();
    });
    d.addEventListener("click", function (event) {
      if (event.target.closest && event.target.closest("a")) event.preventDefault();
    });
    began = Date.now();
    updateView();
  }
  function pictureOf(at) {
    return at >= 0 ? new URL(P.cards[at].picture, document.baseURI).href : "";
  }
  function updateView() {
    if (!view || view.closed || !viewParts) return;
    var now = P.current(), slide = P.slide(), next = -1;
    if (slide) next = P.indexOfPage(slide.pages[(slide.at + 1) % slide.pages.length]);
    else if (now >= 0) next = P.rightTarget(now);
    [["now", now], ["next", next]].forEach(function (entry) {
      var part = viewParts[entry[0]], at = entry[1], src = pictureOf(at);
      if (part.picture.getAttribute("src") !== src) part.picture.setAttribute("src", src);
      part.picture.hidden = at < 0;
      part.caption.textContent = (entry[0] === "now" ? "いま: " : "次: ") +
        (at >= 0 ? (at + 1) + " " + P.cards[at].title : "（なし）");
    });
    var text = "経過 " + clockText((Date.now() - began) / 1000);
    if (slide) text += slide.paused ? "　スライド一時停止中" :
      "　次のスライドまで " + Math.max(0, Math.ceil((slide.due - Date.now()) / 1000)) + " 秒";
    viewParts.clock.textContent = text;
  }
  function clockText(seconds) {
    var m = Math.floor(seconds / 60), s = Math.floor(seconds % 60);
    return m + ":" + (s < 10 ? "0" : "") + s;
  }
  P.listen(updateView);
  setInterval(updateView, 500);
  window.addEventListener("pagehide", function () { if (view && !view.closed) view.close(); });
  P.barButton("presenter-button", "発表者ビュー", "発表者ビューを開く (S)", openView);
})();
