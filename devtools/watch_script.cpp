#include "devtools/watch_script.h"

#include <algorithm>
#include <cctype>

#include <nlohmann/json.hpp>

namespace orvex::devtools {

namespace {

// Runs once per document at its creation, before the page's own scripts. The click listener sits
// on the window in the capture phase, so it sees the click first; a mailto: link is not followed
// (the program decides what to do with it) and is reported once. Focus of the window itself, not
// of elements inside it, is reported as the window being used.
constexpr const char* kWatchScriptSource = R"JS((() => {
  const notify = self['__orvexNotify'];
  if (typeof notify !== 'function' || self.__orvexWatching) return;
  self.__orvexWatching = true;
  const report = (message) => { try { notify(JSON.stringify(message)); } catch (e) {} };
  window.addEventListener('click', (event) => {
    const start = event.target;
    if (!start || typeof start.closest !== 'function') return;
    const link = start.closest('a[href], area[href]');
    if (!link || typeof link.href !== 'string') return;
    if (link.href.slice(0, 7).toLowerCase() !== 'mailto:') return;
    event.preventDefault();
    report({kind: 'mailto', url: link.href});
  }, true);
  window.addEventListener('focus', (event) => {
    if (event.target === window) report({kind: 'focus'});
  }, true);
})();)JS";

// The scheme a mail link begins with.
constexpr std::string_view kMailtoScheme = "mailto:";

bool startsWithMailto(const std::string& url) {
    if (url.size() < kMailtoScheme.size()) return false;
    return std::equal(kMailtoScheme.begin(), kMailtoScheme.end(), url.begin(), [](char a, char b) {
        return a == static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
    });
}

}  // namespace

const std::string& watchScript() {
    static const std::string source = kWatchScriptSource;
    return source;
}

std::optional<WatchMessage> parseWatchMessage(std::string_view payload) {
    const nlohmann::json parsed = nlohmann::json::parse(payload, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) return std::nullopt;
    const auto kind = parsed.find("kind");
    if (kind == parsed.end() || !kind->is_string()) return std::nullopt;
    const auto& name = kind->get_ref<const std::string&>();
    if (name == "focus") return WatchMessage{WatchMessage::Kind::Focus, {}};
    if (name != "mailto") return std::nullopt;
    const auto url = parsed.find("url");
    if (url == parsed.end() || !url->is_string()) return std::nullopt;
    std::string address = url->get<std::string>();
    if (!startsWithMailto(address)) return std::nullopt;
    return WatchMessage{WatchMessage::Kind::Mailto, std::move(address)};
}

}  // namespace orvex::devtools
