#pragma once
// The live loader of the page model: reads a frame of the browser with one call of the reader
// (installed in the frame's isolated world ahead of time; the first read after a load is the one the
// reader made right after it) and builds its page::Document; replays a document's recorded writes
// into the frame with one batch call.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "browser/browser_document.h"
#include "devtools/browser_session.h"
#include "devtools/load_call_cache.h"
#include "page/document.h"
#include "page/write_log.h"

namespace orvex::browser {

// How long one evaluation may take before the loader gives up on it (the browser shares the
// machine with everything else, and a page may be busy).
inline constexpr int kEvaluateTimeoutMs = 15000;
// How many replay reports a LivePageAccess keeps for inspection.
inline constexpr std::size_t kReplayHistory = 64;

/// A frame as the extractor read it.
struct FrameExtract {
    std::unique_ptr<page::Document> document;
    std::vector<int> frameWindowIndexes;  ///< per FRAME/IFRAME element: position among the frames
    int framesLength = 0;
    int indexInParent = -1;
};

/// The document described by the extractor's value; nothing (and *error set) when the value is not
/// an object with a node list. Nodes with a bad parent are dropped with their descendants.
std::optional<FrameExtract> buildFromExtract(const nlohmann::json& value, std::string* error = nullptr);

/// The report of a replay from the replay script's value; ok false when the value is malformed.
ReplayReport parseReplayAnswer(const nlohmann::json& value, const std::vector<page::WriteRecord>& writes);

/// Reads and writes frames of a browser session synchronously, processing events while it waits.
class LiveLoader {
  public:
    /// A loader over `session`, which it gives the reader script; `processEvents` runs pending
    /// events once (it may block briefly); an empty one uses one step of the program's wait.
    /// `timeoutMs` bounds every evaluation.
    /// `now` is the clock that times the waits (the steady clock when empty).
    LiveLoader(devtools::BrowserSession& session, std::function<void()> processEvents = {},
               int timeoutMs = kEvaluateTimeoutMs, devtools::SteadyNow now = {});

    /// The document of a frame (the read made at its load when fresh, else one evaluation); nothing,
    /// with *error set, when the frame cannot be read.
    std::optional<FrameExtract> loadFrame(const std::string& frameId, std::string* error = nullptr);
    /// Replays `writes` into a frame (one evaluation).
    ReplayReport replay(const std::string& frameId, const std::vector<page::WriteRecord>& writes);
    /// The reader's extract of a frame's document taken at its load (see loadCall), waiting for it
    /// when it is due; nothing when there is none to take.
    std::optional<devtools::EvalResult> takeLoadRead(const std::string& frameId);
    /// Evaluates a call of the reader (see extractor_js.h) in a frame and waits for its value;
    /// a world without the reader gets it with the call. Nothing on timeout.
    std::optional<devtools::EvalResult> callReader(const std::string& frameId, const std::string& call);
    /// Evaluates `expression` in a frame and waits for its value; nothing on timeout. The time a
    /// JavaScript dialog of the page stays open does not count: the page's scripts wait for the
    /// user meanwhile, and so does the read (without blocking other events).
    std::optional<devtools::EvalResult> evaluateNow(const std::string& frameId,
                                                    const std::string& expression);

    devtools::BrowserSession& session() const { return m_session; }

  private:
    devtools::BrowserSession& m_session;
    std::function<void()> m_processEvents;
    int m_timeoutMs;
    devtools::SteadyNow m_now;
};

/// PageAccess over a live browser session: documents are read on demand through a LiveLoader.
class LivePageAccess final : public PageAccess,
                             public DocumentSource,
                             public std::enable_shared_from_this<LivePageAccess> {
  public:
    /// Made shared, because documents keep a weak reference to it.
    static std::shared_ptr<LivePageAccess> create(devtools::BrowserSession& session,
                                                  std::function<void()> processEvents = {},
                                                  int timeoutMs = kEvaluateTimeoutMs);

    /// The current document of a frame of a window (one evaluation); null when it cannot be read.
    DocumentRef load(const std::string& windowId, const std::string& frameId) override;
    /// The document of the window's main frame; null when it cannot be read.
    DocumentRef topDocument(const std::string& windowId) { return load(windowId, windowId); }
    LiveLoader& loader() { return m_loader; }

    std::vector<DocumentRef> childDocuments(const BrowserDocument& parent) override;
    ReplayReport replay(const BrowserDocument& document,
                        const std::vector<page::WriteRecord>& writes) override;
    bool setElementText(const BrowserDocument& document, const page::Element& element,
                        const std::string& text) override;
    bool setElementAttribute(const BrowserDocument& document, const page::Element& element,
                             const std::string& attribute, const std::string& value) override;
    std::optional<std::string> currentWindowName(const BrowserDocument& document) override;
    bool refresh(const BrowserDocument& document) override;

    /// The reports of the latest replays (at most kReplayHistory, oldest first), for reports and tests.
    const std::vector<ReplayReport>& replays() const { return m_replays; }

  private:
    LivePageAccess(devtools::BrowserSession& session, std::function<void()> processEvents, int timeoutMs);

    LiveLoader m_loader;
    std::vector<ReplayReport> m_replays;
};

}  // namespace orvex::browser
