#include "browser/extractor_js.h"

#include <nlohmann/json.hpp>

namespace orvex::browser {
namespace {

// Whether an element can be seen: it has a layout box, is visible, has a size, and does not lie
// wholly above or left of the page (where no scrolling reaches it). Shared by both scripts, so the
// replay checks a text field again just before writing it.
constexpr const char* kRenderedFunction = R"JS(
  const orvexRendered = (el) => {
    if (el.getClientRects().length === 0) return false;
    const style = getComputedStyle(el);
    if (style.visibility !== 'visible') return false;
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

// Reads the whole document in one pass. Only form controls are measured for rendering; every
// other element counts as rendered.
constexpr const char* kExtractorBody = R"JS(
  const controls = new Set(['INPUT', 'TEXTAREA', 'SELECT', 'BUTTON']);
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
  const nodes = [];
  const stack = [];
  const top = document.childNodes;
  for (let i = top.length - 1; i >= 0; --i) stack.push([top[i], -1]);
  while (stack.length > 0) {
    const [n, p] = stack.pop();
    const t = n.nodeType;
    if (t === 1) {
      const index = nodes.length;
      const attrs = [];
      for (const a of n.attributes) attrs.push(a.name, a.value);
      const tag = n.tagName.toUpperCase();
      const rec = [1, p, n.tagName, attrs];
      const state = {};
      let hasState = false;
      if (tag === 'INPUT') {
        if (n.type === 'checkbox' || n.type === 'radio') state.c = n.checked; else state.v = n.value;
        hasState = true;
      } else if (tag === 'TEXTAREA') {
        state.v = n.value; hasState = true;
      } else if (tag === 'OPTION') {
        state.s = n.selected; hasState = true;
      } else if (tag === 'FRAME' || tag === 'IFRAME') {
        state.f = frameWindows.indexOf(n.contentWindow); hasState = true;
      }
      if (controls.has(tag) && !orvexRendered(n)) { state.h = 1; hasState = true; }
      if (hasState) rec.push(state);
      nodes.push(rec);
      const kids = n.childNodes;
      for (let i = kids.length - 1; i >= 0; --i) stack.push([kids[i], index]);
    } else if (t === 3 || t === 4) {
      nodes.push([3, p, n.data]);
    } else if (t === 8) {
      nodes.push([8, p, n.data]);
    }
  }
  return {url: document.URL, title: document.title, name: window.name, charset: document.characterSet,
          indexInParent, framesLength: window.frames.length, nodes};
)JS";

// Applies the writes; `writes` is an array of {i, t, n, k, v, f, x}.
constexpr const char* kReplayBody = R"JS(
  const setter = (proto, prop) => Object.getOwnPropertyDescriptor(proto, prop).set;
  const inputValue = setter(HTMLInputElement.prototype, 'value');
  const areaValue = setter(HTMLTextAreaElement.prototype, 'value');
  const selectValue = setter(HTMLSelectElement.prototype, 'value');
  const inputChecked = setter(HTMLInputElement.prototype, 'checked');
  const selectIndex = setter(HTMLSelectElement.prototype, 'selectedIndex');
  const optionSelected = setter(HTMLOptionElement.prototype, 'selected');
  const fire = (el, change) => {
    el.dispatchEvent(new FocusEvent('focus'));
    el.dispatchEvent(new FocusEvent('focusin', {bubbles: true}));
    change();
    el.dispatchEvent(new Event('input', {bubbles: true}));
    el.dispatchEvent(new Event('change', {bubbles: true}));
    el.dispatchEvent(new FocusEvent('blur'));
    el.dispatchEvent(new FocusEvent('focusout', {bubbles: true}));
  };
  const all = document.getElementsByTagName('*');
  const out = {written: 0, skipped: [], refused: []};
  writes.forEach((w, k) => {
    const el = all[w.i];
    if (!el || !el.isConnected || el.tagName.toUpperCase() !== w.t || (el.getAttribute('name') || '') !== w.n) {
      out.skipped.push(k);
      return;
    }
    try {
      if (w.k === 'value') {
        if (el instanceof HTMLInputElement) {
          if (orvexTextEntry.has(el.type) && !orvexRendered(el)) { out.refused.push(k); return; }
          fire(el, () => inputValue.call(el, w.v));
        } else if (el instanceof HTMLTextAreaElement) {
          if (!orvexRendered(el)) { out.refused.push(k); return; }
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
        el.scrollIntoView(w.f);
      } else {
        out.skipped.push(k);
        return;
      }
      out.written += 1;
    } catch (e) {
      out.skipped.push(k);
    }
  });
  return out;
)JS";

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

const std::string& extractorScript() {
    static const std::string script = std::string("(() => {") + kRenderedFunction + kExtractorBody + "})()";
    return script;
}

std::string replayScript(const std::vector<page::WriteRecord>& writes) {
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
    return std::string("((writes) => {") + kRenderedFunction + kTextEntryTypes + kReplayBody + "})(" +
           list.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + ")";
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
