#include "browser/extractor_js.h"

#include <nlohmann/json.hpp>

namespace orvex::browser {
namespace {

// Whether an element can be seen: it has a layout box, is visible, has a size, and does not lie
// wholly above or left of the page (where no scrolling reaches it). One style and layout check
// (checkVisibility) and one box read per element; browsers without checkVisibility get the same
// test from the client rects and the computed style.
constexpr const char* kRenderedFunction = R"JS(
  const orvexRendered = (el) => {
    if (typeof el.checkVisibility === 'function') {
      if (!el.checkVisibility({checkVisibilityCSS: true, visibilityProperty: true})) return false;
    } else {
      if (el.getClientRects().length === 0) return false;
      if (getComputedStyle(el).visibility !== 'visible') return false;
    }
    const r = el.getBoundingClientRect();
    if (r.width <= 0 || r.height <= 0) return false;
    if (r.right + window.scrollX <= 0 || r.bottom + window.scrollY <= 0) return false;
    return true;
  };
)JS";

// The input types that take typed text; the same list the page model refuses to write when the
// field is not rendered.
constexpr const char* kTextEntryTypes = R"JS(
  const orvexTextEntry = new Set(['date', 'datetime-local', 'email', 'month', 'number', 'password',
    'search', 'tel', 'text', 'time', 'url', 'week', 'color']);
)JS";

// Reads the whole document in one pass (first child / next sibling, no per-node allocations but
// the records) and gives it as one JSON text, which crosses the protocol far cheaper than a tree
// of values. Only form controls are measured for rendering; every other element counts as
// rendered.
constexpr const char* kExtractFunction = R"JS(
  const orvexControls = new Set(['INPUT', 'TEXTAREA', 'SELECT', 'BUTTON']);
  const extract = () => {
    let indexInParent = -1;
    try {
      if (window.parent !== window) {
        for (let i = 0; i < window.parent.length; ++i) {
          if (window.parent[i] === window) { indexInParent = i; break; }
        }
      }
    } catch (e) {}
    const frameWindows = [];
    for (let i = 0; i < window.frames.length; ++i) frameWindows.push(window.frames[i]);
    // All controls are measured before any state is read: reading option states can make the
    // browser check its style again, and every measurement after that would lay the page out anew.
    const hidden = new Set();
    const measured = new Set();
    for (const el of document.querySelectorAll('input, textarea, select, button')) {
      measured.add(el);
      if (!orvexRendered(el)) hidden.add(el);
    }
    const nodes = [];
    const parents = [];  // the parent positions of the open elements above the current one
    let p = -1;
    let n = document.firstChild;
    while (n !== null) {
      const t = n.nodeType;
      if (t === 1) {
        const index = nodes.length;
        const attrs = [];
        const list = n.attributes;
        for (let i = 0; i < list.length; ++i) attrs.push(list[i].name, list[i].value);
        const tag = n.tagName.toUpperCase();
        const rec = [1, p, n.tagName, attrs];
        let state = null;
        if (tag === 'INPUT') {
          state = (n.type === 'checkbox' || n.type === 'radio') ? {c: n.checked} : {v: n.value};
        } else if (tag === 'TEXTAREA') {
          state = {v: n.value};
        } else if (tag === 'OPTION') {
          state = {s: n.selected};
        } else if (tag === 'FRAME' || tag === 'IFRAME') {
          state = {f: frameWindows.indexOf(n.contentWindow)};
        }
        if (orvexControls.has(tag) && (measured.has(n) ? hidden.has(n) : !orvexRendered(n))) {
          if (state === null) state = {};
          state.h = 1;
        }
        if (state !== null) rec.push(state);
        nodes.push(rec);
        if (n.firstChild !== null) {
          parents.push(p);
          p = index;
          n = n.firstChild;
          continue;
        }
      } else if (t === 3 || t === 4) {
        nodes.push([3, p, n.data]);
      } else if (t === 8) {
        nodes.push([8, p, n.data]);
      }
      while (n !== null && n.nextSibling === null) {
        n = n.parentNode;
        if (n === null || n === document) { n = null; break; }
        p = parents.pop();
      }
      if (n !== null) n = n.nextSibling;
    }
    return JSON.stringify({url: document.URL, title: document.title, name: window.name,
      charset: document.characterSet, indexInParent, framesLength: window.frames.length, nodes});
  };
)JS";

// Applies the writes; `writes` is an array of {i, t, n, k, v, f, x}. Every element is checked
// against its write (index, tag, name, still in the document) right before it is written. Text
// fields are measured for rendering in one pass before the first write, so the writes do not
// force a layout each; once a page's event handler changed the document (seen by a mutation
// observer), the later text fields are measured again right before their write.
constexpr const char* kReplayFunction = R"JS(
  const orvexSetter = (proto, prop) => Object.getOwnPropertyDescriptor(proto, prop).set;
  const inputValue = orvexSetter(HTMLInputElement.prototype, 'value');
  const areaValue = orvexSetter(HTMLTextAreaElement.prototype, 'value');
  const selectValue = orvexSetter(HTMLSelectElement.prototype, 'value');
  const inputChecked = orvexSetter(HTMLInputElement.prototype, 'checked');
  const selectIndex = orvexSetter(HTMLSelectElement.prototype, 'selectedIndex');
  const optionSelected = orvexSetter(HTMLOptionElement.prototype, 'selected');
  const fire = (el, change) => {
    el.dispatchEvent(new FocusEvent('focus'));
    el.dispatchEvent(new FocusEvent('focusin', {bubbles: true}));
    change();
    el.dispatchEvent(new Event('input', {bubbles: true}));
    el.dispatchEvent(new Event('change', {bubbles: true}));
    el.dispatchEvent(new FocusEvent('blur'));
    el.dispatchEvent(new FocusEvent('focusout', {bubbles: true}));
  };
  const needsRendering = (el) =>
    (el instanceof HTMLInputElement && orvexTextEntry.has(el.type)) || el instanceof HTMLTextAreaElement;
  const replay = (writes) => {
    const all = document.getElementsByTagName('*');
    const out = {written: 0, skipped: [], refused: []};
    const matches = (el, w) => !!el && el.isConnected && el.tagName.toUpperCase() === w.t &&
      (el.getAttribute('name') || '') === w.n;
    // Rendering of the text fields as the page stands before the first write.
    const rendered = new Map();
    for (const w of writes) {
      const el = all[w.i];
      if (w.k === 'value' && matches(el, w) && needsRendering(el) && !rendered.has(el))
        rendered.set(el, orvexRendered(el));
    }
    const observer = new MutationObserver(() => {});
    observer.observe(document, {subtree: true, childList: true, attributes: true, characterData: true});
    let changed = false;
    const shown = (el) => {
      if (!changed && observer.takeRecords().length > 0) changed = true;
      if (changed || !rendered.has(el)) return orvexRendered(el);
      return rendered.get(el);
    };
    try {
      writes.forEach((w, k) => {
        const el = all[w.i];
        if (!matches(el, w)) {
          out.skipped.push(k);
          return;
        }
        try {
          if (w.k === 'value') {
            if (el instanceof HTMLInputElement) {
              if (orvexTextEntry.has(el.type) && !shown(el)) { out.refused.push(k); return; }
              fire(el, () => inputValue.call(el, w.v));
            } else if (el instanceof HTMLTextAreaElement) {
              if (!shown(el)) { out.refused.push(k); return; }
              fire(el, () => areaValue.call(el, w.v));
            } else if (el instanceof HTMLSelectElement) {
              fire(el, () => selectValue.call(el, w.v));
            } else {
              out.skipped.push(k);
              return;
            }
          } else if (w.k === 'checked') {
            if (!(el instanceof HTMLInputElement)) { out.skipped.push(k); return; }
            fire(el, () => inputChecked.call(el, w.f));
          } else if (w.k === 'selectedIndex') {
            if (!(el instanceof HTMLSelectElement)) { out.skipped.push(k); return; }
            fire(el, () => selectIndex.call(el, w.x));
          } else if (w.k === 'optionSelected') {
            const option = el instanceof HTMLSelectElement ? el.options[w.x] : undefined;
            if (!option) { out.skipped.push(k); return; }
            fire(el, () => optionSelected.call(option, w.f));
          } else if (w.k === 'scroll') {
            // Scrolling needs a layout of everything just written; it runs as the page's next task
            // (before its next frame is drawn), so the written values do not wait for it.
            const top = w.f;
            setTimeout(() => el.scrollIntoView(top), 0);
          } else {
            out.skipped.push(k);
            return;
          }
          out.written += 1;
        } catch (e) {
          out.skipped.push(k);
        }
      });
    } finally {
      observer.disconnect();
    }
    return out;
  };
)JS";

// The extract of the document right after its load, as the page's own load handlers left it: read
// at the page's pageshow, which the browser sends right after the load in the same task (so the read
// does not queue behind the page's first drawing after the load); null when reading fails.
constexpr const char* kAtLoadFunction = R"JS(
  const atLoad = () => new Promise((resolve) => {
    const read = () => {
      try { resolve(extract()); } catch (e) { resolve(null); }
    };
    if (document.readyState === 'complete') setTimeout(read, 0);
    else window.addEventListener('pageshow', read, {once: true});
  });
)JS";

// Defines the reader in the world it runs in; running it again replaces it. Installed ahead of
// time, it runs while the document is still empty: one run of each function then compiles them and
// makes the event and observer types of this world, so the first call at the load pays for
// neither.
constexpr const char* kReaderTail = R"JS(
  globalThis.__orvexReader = Object.freeze({extract, replay, atLoad});
  try {
    extract();
    replay([]);
    new FocusEvent('focus');
    new Event('input');
  } catch (e) {}
)JS";

// The expression that names the reader; kept beside the script that defines it.
constexpr const char* kReaderName = "globalThis.__orvexReader";

// The kind names the replay script understands, by WriteKind.
const char* kindName(page::WriteKind kind) {
    switch (kind) {
        case page::WriteKind::Value:
            return "value";
        case page::WriteKind::Checked:
            return "checked";
        case page::WriteKind::SelectedIndex:
            return "selectedIndex";
        case page::WriteKind::OptionSelected:
            return "optionSelected";
        case page::WriteKind::ScrollIntoView:
            return "scroll";
    }
    return "none";
}

// A JSON literal of a string, safe to paste into a script (invalid UTF-8 is replaced).
std::string literal(const std::string& s) {
    return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

const std::string& readerScript() {
    static const std::string script = std::string("(() => {") + kRenderedFunction + kTextEntryTypes +
                                      kExtractFunction + kReplayFunction + kAtLoadFunction + kReaderTail +
                                      "})();";
    return script;
}

const std::string& extractCall() {
    static const std::string call = std::string(kReaderName) + ".extract()";
    return call;
}

const std::string& loadCall() {
    static const std::string call =
        std::string("(") + kReaderName + " ? " + kReaderName + ".atLoad() : null)";
    return call;
}

std::string replayCall(const std::vector<page::WriteRecord>& writes) {
    nlohmann::json list = nlohmann::json::array();
    for (const page::WriteRecord& w : writes) {
        list.push_back({{"i", w.sourceIndex},
                        {"t", w.tagName},
                        {"n", w.name},
                        {"k", kindName(w.kind)},
                        {"v", w.value},
                        {"f", w.flag},
                        {"x", w.index}});
    }
    return std::string(kReaderName) + ".replay(" +
           list.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + ")";
}

std::string guardedCall(const std::string& call) {
    return std::string("(") + kReaderName + " ? " + call + " : " + literal(kNoReader) + ")";
}

std::string withReader(const std::string& call) {
    return readerScript() + "\n" + call;
}

std::string setTextScript(int sourceIndex, const std::string& tagName, const std::string& id,
                          const std::string& text) {
    return "(() => { const el = document.getElementsByTagName('*')[" + std::to_string(sourceIndex) +
           "]; if (!el || el.tagName.toUpperCase() !== " + literal(tagName) + " || el.id !== " + literal(id) +
           ") return false; el.innerText = " + literal(text) + "; return true; })()";
}

std::string setAttributeScript(int sourceIndex, const std::string& tagName, const std::string& attribute,
                               const std::string& value) {
    return "(() => { const el = document.getElementsByTagName('*')[" + std::to_string(sourceIndex) +
           "]; if (!el || el.tagName.toUpperCase() !== " + literal(tagName) +
           ") return false; el.setAttribute(" + literal(attribute) + ", " + literal(value) +
           "); return true; })()";
}

}  // namespace orvex::browser
