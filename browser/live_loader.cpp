#include "browser/live_loader.h"

#include <chrono>
#include <utility>

#include "browser/extractor_js.h"
#include "page/document_builder.h"
#include "settings/wait.h"

namespace orvex::browser {
namespace {

using nlohmann::json;

// Node kinds of the extractor's list (the DOM's node type numbers).
constexpr int kElementNode = 1;
constexpr int kTextNode = 3;
constexpr int kCommentNode = 8;

std::string stringOf(const json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

int intOf(const json& object, const char* key, int fallback) {
    const auto it = object.find(key);
    return it != object.end() && it->is_number_integer() ? it->get<int>() : fallback;
}

void setError(std::string* error, std::string message) {
    if (error != nullptr) *error = std::move(message);
}

// The attributes of an element record: [name, value, name, value, ...].
std::vector<page::Attribute> attributesOf(const json& list) {
    std::vector<page::Attribute> attributes;
    if (!list.is_array()) return attributes;
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
        if (!list[i].is_string() || !list[i + 1].is_string()) continue;
        attributes.push_back(page::Attribute{list[i].get<std::string>(), list[i + 1].get<std::string>()});
    }
    return attributes;
}

// The write positions listed under `key` of a replay answer, as the writes themselves.
bool collectWrites(const json& value, const char* key, const std::vector<page::WriteRecord>& writes,
                   std::vector<page::WriteRecord>& out) {
    const auto it = value.find(key);
    if (it == value.end() || !it->is_array()) return false;
    for (const json& position : *it) {
        if (!position.is_number_integer()) continue;
        const long long k = position.get<long long>();
        if (k >= 0 && static_cast<std::size_t>(k) < writes.size())
            out.push_back(writes[static_cast<std::size_t>(k)]);
    }
    return true;
}

// The time a wait for a frame may take: `timeoutMs` from its start, counted afresh while a dialog of
// the page is open, since the page's scripts (and so the answer) wait for the user meanwhile.
class Deadline {
  public:
    Deadline(const devtools::BrowserSession& session, const std::string& frameId, int timeoutMs,
             const devtools::SteadyNow& now)
        : m_session(session),
          m_frameId(frameId),
          m_timeout(timeoutMs),
          m_now(now),
          m_end(now() + m_timeout) {}
    bool passed() {
        if (m_session.dialogOpenFor(m_frameId)) m_end = m_now() + m_timeout;
        return m_now() >= m_end;
    }

  private:
    const devtools::BrowserSession& m_session;
    const std::string& m_frameId;
    std::chrono::milliseconds m_timeout;
    const devtools::SteadyNow& m_now;
    std::chrono::steady_clock::time_point m_end;
};

}  // namespace

std::optional<FrameExtract> buildFromExtract(const json& value, std::string* error) {
    if (!value.is_object()) {
        setError(error, "the extractor gave no object");
        return std::nullopt;
    }
    const auto nodes = value.find("nodes");
    if (nodes == value.end() || !nodes->is_array()) {
        setError(error, "the extractor gave no node list");
        return std::nullopt;
    }
    page::DocumentBuilder builder(stringOf(value, "url"));
    builder.setTitle(stringOf(value, "title"));
    builder.setWindowName(stringOf(value, "name"));
    builder.setCharset(stringOf(value, "charset"));

    FrameExtract result;
    result.framesLength = intOf(value, "framesLength", 0);
    result.indexInParent = intOf(value, "indexInParent", -1);
    // Extractor positions to builder node indexes; -1 for dropped nodes.
    std::vector<int> builderIndex;
    builderIndex.reserve(nodes->size());
    struct FrameElement {
        int node;
        int windowIndex;
    };
    std::vector<FrameElement> frameElements;
    for (const json& record : *nodes) {
        builderIndex.push_back(-1);
        if (!record.is_array() || record.size() < 3 || !record[0].is_number_integer() ||
            !record[1].is_number_integer() || !record[2].is_string()) {
            continue;
        }
        const int kind = record[0].get<int>();
        const long long parentPosition = record[1].get<long long>();
        int parent = -1;
        if (parentPosition >= 0) {
            if (static_cast<std::size_t>(parentPosition) + 1 >= builderIndex.size()) continue;
            parent = builderIndex[static_cast<std::size_t>(parentPosition)];
            if (parent < 0) continue;  // under a dropped node
        }
        const std::string& data = record[2].get_ref<const std::string&>();
        if (kind == kElementNode) {
            const int node =
                builder.addElement(parent, data, attributesOf(record.size() > 3 ? record[3] : json()));
            builderIndex.back() = node;
            if (node < 0 || record.size() < 5 || !record[4].is_object()) continue;
            const json& state = record[4];
            if (const auto v = state.find("v"); v != state.end() && v->is_string()) {
                builder.setValue(node, v->get<std::string>());
            }
            if (const auto c = state.find("c"); c != state.end() && c->is_boolean()) {
                builder.setChecked(node, c->get<bool>());
            }
            if (const auto s = state.find("s"); s != state.end() && s->is_boolean()) {
                builder.setSelected(node, s->get<bool>());
            }
            if (const auto h = state.find("h"); h != state.end() && h->is_number() && h->get<double>() != 0) {
                builder.setRendered(node, false);
            }
            if (const auto f = state.find("f"); f != state.end()) {
                frameElements.push_back({node, f->is_number_integer() ? f->get<int>() : -1});
            }
        } else if (parent >= 0 && kind == kTextNode) {
            builderIndex.back() = builder.addText(parent, data);
        } else if (parent >= 0 && kind == kCommentNode) {
            builderIndex.back() = builder.addComment(parent, data);
        }
    }
    result.document = builder.finish();
    // Keep only the frame elements the document holds, in its element order.
    for (const FrameElement& f : frameElements) {
        const page::Element element(result.document.get(), f.node);
        const std::string tag = element.tagName();
        if (tag == "FRAME" || tag == "IFRAME") result.frameWindowIndexes.push_back(f.windowIndex);
    }
    return result;
}

ReplayReport parseReplayAnswer(const json& value, const std::vector<page::WriteRecord>& writes) {
    ReplayReport report;
    if (!value.is_object() || !value.contains("written") || !value["written"].is_number_integer() ||
        !collectWrites(value, "skipped", writes, report.skipped) ||
        !collectWrites(value, "refused", writes, report.refused)) {
        report.error = "the replay gave no report";
        report.skipped = writes;
        report.refused.clear();
        return report;
    }
    report.ok = true;
    report.written = value["written"].get<int>();
    return report;
}

LiveLoader::LiveLoader(devtools::BrowserSession& session, std::function<void()> processEvents, int timeoutMs,
                       devtools::SteadyNow now)
    : m_session(session),
      m_processEvents(std::move(processEvents)),
      m_timeoutMs(timeoutMs),
      m_now(now ? std::move(now) : devtools::SteadyNow([] { return std::chrono::steady_clock::now(); })) {
    if (!m_processEvents)
        m_processEvents = [] { settings::waitFor(static_cast<int>(settings::kWaitStep.count()), 1); };
    // Every document gets the reader ahead of time, and is read by it right after its load: the read
    // was asked for before the load, so the renderer's first free moment after it is not lost to a
    // request's way through the browser.
    m_session.setReaderScript(readerScript());
    m_session.setLoadCall(loadCall());
}

std::optional<devtools::EvalResult> LiveLoader::evaluateNow(const std::string& frameId,
                                                            const std::string& expression) {
    // Shared with the callback, which may arrive after this call gave up.
    auto answer = std::make_shared<std::optional<devtools::EvalResult>>();
    try {
        m_session.evaluate(frameId, expression, [answer](const devtools::EvalResult& r) { *answer = r; });
        Deadline deadline(m_session, frameId, m_timeoutMs, m_now);
        while (!answer->has_value() && !deadline.passed() && m_session.isOpen()) m_processEvents();
    } catch (...) {
        return std::nullopt;
    }
    return *answer;
}

std::optional<devtools::EvalResult> LiveLoader::callReader(const std::string& frameId,
                                                           const std::string& call) {
    auto answer = evaluateNow(frameId, guardedCall(call));
    // A world made before the reader was installed (or on demand) has no reader yet: bring it along.
    if (answer && answer->ok && answer->value.is_string() && answer->value.get<std::string>() == kNoReader)
        answer = evaluateNow(frameId, withReader(call));
    return answer;
}

std::optional<devtools::EvalResult> LiveLoader::takeLoadRead(const std::string& frameId) {
    devtools::LoadCallState state = m_session.takeLoadCall(frameId);
    Deadline deadline(m_session, frameId, m_timeoutMs, m_now);
    while (state.pending && !deadline.passed() && m_session.isOpen()) {
        m_processEvents();
        state = m_session.takeLoadCall(frameId);
    }
    if (state.result && state.result->ok && state.result->value.is_string()) return state.result;
    return std::nullopt;
}

std::optional<FrameExtract> LiveLoader::loadFrame(const std::string& frameId, std::string* error) {
    // The first read of a document right after its load takes what the reader read at the load.
    auto answer = takeLoadRead(frameId);
    if (!answer) answer = callReader(frameId, extractCall());
    if (!answer) {
        setError(error, "no answer from frame " + frameId);
        return std::nullopt;
    }
    if (!answer->ok) {
        setError(error, answer->error);
        return std::nullopt;
    }
    try {
        // The reader answers with a JSON text; an object is taken as it is.
        if (answer->value.is_string()) {
            const json parsed = json::parse(answer->value.get_ref<const std::string&>(), nullptr, false);
            if (parsed.is_discarded()) {
                setError(error, "the extract of frame " + frameId + " is no JSON text");
                return std::nullopt;
            }
            return buildFromExtract(parsed, error);
        }
        return buildFromExtract(answer->value, error);
    } catch (...) {
        setError(error, "the extract of frame " + frameId + " could not be read");
        return std::nullopt;
    }
}

ReplayReport LiveLoader::replay(const std::string& frameId, const std::vector<page::WriteRecord>& writes) {
    ReplayReport report;
    std::optional<devtools::EvalResult> answer;
    try {
        answer = callReader(frameId, replayCall(writes));
    } catch (...) {
        answer.reset();
    }
    if (!answer || !answer->ok) {
        report.error = answer ? answer->error : "no answer from frame " + frameId;
        report.skipped = writes;
        return report;
    }
    return parseReplayAnswer(answer->value, writes);
}

// ----- LivePageAccess ------------------------------------------------------------------------

LivePageAccess::LivePageAccess(devtools::BrowserSession& session, std::function<void()> processEvents,
                               int timeoutMs)
    : m_loader(session, std::move(processEvents), timeoutMs) {}

std::shared_ptr<LivePageAccess> LivePageAccess::create(devtools::BrowserSession& session,
                                                       std::function<void()> processEvents, int timeoutMs) {
    return std::shared_ptr<LivePageAccess>(new LivePageAccess(session, std::move(processEvents), timeoutMs));
}

DocumentRef LivePageAccess::load(const std::string& windowId, const std::string& frameId) {
    auto extract = m_loader.loadFrame(frameId);
    if (!extract || !extract->document) return nullptr;
    return std::make_shared<BrowserDocument>(
        std::shared_ptr<page::Document>(std::move(extract->document)), windowId, frameId, weak_from_this(),
        std::move(extract->frameWindowIndexes), extract->framesLength, extract->indexInParent);
}

std::vector<DocumentRef> LivePageAccess::childDocuments(const BrowserDocument& parent) {
    const std::vector<int>& slots = parent.frameWindowIndexes();
    std::vector<DocumentRef> result(slots.size());
    if (slots.empty()) return result;
    std::vector<DocumentRef> unplaced;
    for (const devtools::FrameInfo& frame : m_loader.session().frames(parent.windowId())) {
        if (frame.parentFrameId != parent.frameId()) continue;
        DocumentRef child = load(parent.windowId(), frame.frameId);
        if (!child) continue;
        bool placed = false;
        for (std::size_t i = 0; i < slots.size() && child->indexInParent() >= 0; ++i) {
            if (slots[i] == child->indexInParent() && !result[i]) {
                result[i] = child;
                placed = true;
                break;
            }
        }
        if (!placed) unplaced.push_back(std::move(child));
    }
    // A frame that could not tell its position takes the first free element whose frame is unknown
    // too, in the order the browser lists frames.
    std::size_t next = 0;
    for (DocumentRef& child : unplaced) {
        while (next < slots.size() && (result[next] || slots[next] >= 0)) ++next;
        if (next >= slots.size()) break;
        result[next++] = std::move(child);
    }
    return result;
}

ReplayReport LivePageAccess::replay(const BrowserDocument& document,
                                    const std::vector<page::WriteRecord>& writes) {
    ReplayReport report = m_loader.replay(document.frameId(), writes);
    m_replays.push_back(report);
    if (m_replays.size() > kReplayHistory) m_replays.erase(m_replays.begin());
    return report;
}

bool LivePageAccess::setElementText(const BrowserDocument& document, const page::Element& element,
                                    const std::string& text) {
    const auto answer = m_loader.evaluateNow(
        document.frameId(), setTextScript(element.sourceIndex(), element.tagName(), element.id(), text));
    return answer && answer->ok && answer->value.is_boolean() && answer->value.get<bool>();
}

bool LivePageAccess::setElementAttribute(const BrowserDocument& document, const page::Element& element,
                                         const std::string& attribute, const std::string& value) {
    const auto answer = m_loader.evaluateNow(
        document.frameId(), setAttributeScript(element.sourceIndex(), element.tagName(), attribute, value));
    return answer && answer->ok && answer->value.is_boolean() && answer->value.get<bool>();
}

std::optional<std::string> LivePageAccess::currentWindowName(const BrowserDocument& document) {
    for (const devtools::FrameInfo& frame : m_loader.session().frames(document.windowId())) {
        if (frame.frameId == document.frameId()) return frame.name;
    }
    return std::nullopt;
}

bool LivePageAccess::refresh(const BrowserDocument& document) {
    const auto answer =
        m_loader.evaluateNow(document.frameId(), "(() => { location.reload(); return true; })()");
    return answer && answer->ok;
}

}  // namespace orvex::browser
