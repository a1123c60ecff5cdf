#include "devtools/load_call_cache.h"

#include <utility>

namespace orvex::devtools {

LoadCallCache::LoadCallCache(SteadyNow now)
    : m_now(now ? std::move(now) : SteadyNow([] { return std::chrono::steady_clock::now(); })) {}

void LoadCallCache::made(const std::string& frameId, const std::string& loaderId) {
    Entry& entry = m_entries[frameId];
    entry.loaderId = loaderId;
    entry.pending = true;
    entry.result.reset();
}

void LoadCallCache::answered(const std::string& frameId, const std::string& loaderId,
                             std::optional<EvalResult> result) {
    const auto it = m_entries.find(frameId);
    if (it == m_entries.end() || it->second.loaderId != loaderId) return;
    it->second.pending = false;
    it->second.result = std::move(result);
    it->second.at = m_now();
}

void LoadCallCache::forget(const std::string& frameId) {
    m_entries.erase(frameId);
}

LoadCallState LoadCallCache::take(const std::string& frameId, const std::string& loaderId, bool loadSeen) {
    LoadCallState state;
    const auto it = m_entries.find(frameId);
    if (it == m_entries.end() || it->second.loaderId.empty() || it->second.loaderId != loaderId) return state;
    Entry& entry = it->second;
    if (entry.pending) {
        // Awaited only once the document's load was seen; before that the answer may be far off.
        state.pending = loadSeen;
        return state;
    }
    if (entry.result && m_now() - entry.at <= std::chrono::milliseconds(kLoadCallFreshMs)) {
        state.result = std::move(entry.result);
    }
    m_entries.erase(it);
    return state;
}

}  // namespace orvex::devtools
