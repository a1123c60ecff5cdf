#pragma once
// The answers of the load calls: the read each new document's reader makes right after the
// document's load, kept until it is taken once or goes stale.

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "devtools/browser_session.h"

namespace orvex::devtools {

/// The time source of the cache; the steady clock unless a test gives its own.
using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

/// Load-call answers by frame, each for the document (loader id) it was made for.
class LoadCallCache {
  public:
    /// A cache reading the time from `now` (the steady clock when empty).
    explicit LoadCallCache(SteadyNow now = {});

    /// A load call was made for document `loaderId` of a frame: its answer is awaited; an earlier
    /// call's answer is forgotten.
    void made(const std::string& frameId, const std::string& loaderId);
    /// The answer of the call made for `loaderId` (nothing when the call failed); ignored when the
    /// frame's current call is for another document.
    void answered(const std::string& frameId, const std::string& loaderId, std::optional<EvalResult> result);
    /// Forgets the frame's call (its document went away).
    void forget(const std::string& frameId);
    /// Takes the answer for the frame's current document `loaderId`: pending while the call is
    /// awaited and `loadSeen` (the document's load was reported, so the answer is near); the result
    /// once, when it came at most kLoadCallFreshMs ago; nothing otherwise (and the call is then
    /// forgotten).
    LoadCallState take(const std::string& frameId, const std::string& loaderId, bool loadSeen);

  private:
    struct Entry {
        std::string loaderId;
        bool pending = false;
        std::optional<EvalResult> result;
        std::chrono::steady_clock::time_point at;
    };

    SteadyNow m_now;
    std::map<std::string, Entry> m_entries;
};

}  // namespace orvex::devtools
