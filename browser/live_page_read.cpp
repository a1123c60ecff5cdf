#include "browser/live_page_read.h"

#include <chrono>
#include <exception>
#include <optional>

#include "fill/page_fill.h"
#include "links/link.h"
#include "settings/globals.h"
#include "text/text.h"

namespace orvex::browser {
namespace {

// How often the page's state is looked at while waiting.
constexpr int kPollMs = 100;
// How long the browser may take to open a window.
constexpr int kOpenWindowMs = 30000;

// The bar's part for the one watcher of a reading: one person, nothing else.
class OnePersonBar final : public InputFormHost, public InputFormEvents {
  public:
    explicit OnePersonBar(std::shared_ptr<const fill::clsUserInfo> person) : m_person(std::move(person)) {}
    int personCount() override { return m_person ? 1 : 0; }
    std::shared_ptr<const fill::clsUserInfo> person(int position) override {
        return position == 1 ? m_person : nullptr;
    }
    void AddBrowser(const links::clsLink&, bool, const std::string&) override {}
    void SelectCurrentForm(clsInputForm&) override {}
    void RecordCurrentPage(clsInputForm&) override {}
    void ShowHelp() override {}
    void ShowMessage(const text::Text&) override {}
    void Hit(clsInputForm&, int&) override { ++events; }
    void NoHit(clsInputForm&) override { ++events; }

    int events = 0;

  private:
    std::shared_ptr<const fill::clsUserInfo> m_person;
};

// The documents of the window in reading order: each document, then its frames' documents.
void collect(const DocumentRef& document, std::vector<DocumentRef>& out) {
    if (!document) return;
    out.push_back(document);
    for (int i = 0; i < static_cast<int>(document->frameWindowIndexes().size()); ++i) {
        collect(document->frameDocument(i), out);
    }
}

// The frame reader of the watcher that read `document`'s frame at its current address; null when
// none did.
const clsFrameInfo* readerOf(clsInputForm& form, const BrowserDocument& document) {
    for (const auto& frame : form.frameManager().frames()) {
        const DocumentRef& held = frame->document();
        if (held && held->frameId() == document.frameId() && held->URL() == document.URL())
            return frame.get();
    }
    return nullptr;
}

// True once the window's documents have all loaded and nothing changed for settleMs.
bool waitSettled(devtools::BrowserHost& host, LiveLoader& loader, const OnePersonBar& bar, clsInputForm& form,
                 const std::string& windowId, const LivePageOptions& options) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(options.loadMs);
    std::string lastState;
    auto stableSince = Clock::now();
    while (Clock::now() < deadline && host.session().isOpen()) {
        host.client().waitUntil([] { return false; }, kPollMs);
        std::string state =
            std::to_string(bar.events) + "/" + std::to_string(form.frameManager().frames().size());
        bool complete = true;
        for (const devtools::FrameInfo& frame : host.session().frames(windowId)) {
            const auto answer = loader.evaluateNow(frame.frameId, "document.readyState");
            complete = complete && answer && answer->ok && answer->value == "complete";
            state += " " + frame.url;
        }
        const auto top = loader.evaluateNow(windowId, "location.href");
        // The window has left its first empty page for the address (or where it led).
        const bool started = top && top->ok && top->value.is_string() && top->value != "about:blank";
        if (state != lastState || !complete || !started) {
            lastState = state;
            stableSince = Clock::now();
            continue;
        }
        if (Clock::now() - stableSince >= std::chrono::milliseconds(options.settleMs)) return true;
    }
    return false;
}

LivePageResult read(devtools::BrowserHost& host, const std::shared_ptr<LivePageAccess>& access,
                    const LivePageOptions& options, SessionRouter& router, OnePersonBar& bar) {
    LivePageResult result;
    std::optional<std::string> windowId;
    bool answered = false;
    host.session().openWindow("about:blank", [&](std::optional<std::string> id) {
        windowId = std::move(id);
        answered = true;
    });
    host.client().waitUntil([&] { return answered; }, kOpenWindowMs);
    if (!windowId) {
        result.error = "the browser opened no window";
        return result;
    }
    result.windowId = *windowId;
    clsInputForm form(host.session(), access, &bar, &bar);
    links::clsLink link;
    link.InputMode = links::kInputAutomatic;
    link.URL = text::fromUtf8(options.address);
    form.setLink(link);
    form.setKey(u"F1");
    form.UserInfo = options.person;
    form.setBrowser(*windowId);
    router.attach(*windowId, &form);
    form.Navigate(text::fromUtf8(options.address));
    const bool settled = waitSettled(host, access->loader(), bar, form, *windowId, options);
    if (!settled) {
        result.error = options.address + " did not load";
    } else {
        // What the watcher's frame readers read and wrote, frame by frame in the order of the
        // window's documents; a document no reader read is read now, without a fill.
        std::vector<DocumentRef> documents;
        collect(access->topDocument(*windowId), documents);
        for (const DocumentRef& document : documents) {
            const clsFrameInfo* reader = readerOf(form, *document);
            std::vector<fill::FormFillReport> forms;
            if (reader != nullptr) {
                forms = reader->reports();
            } else {
                forms = fill::readAndFillPage(document->model(), nullptr).forms;
                result.report.notes.push_back("the watcher did not read " + document->URL());
            }
            for (fill::FormFillReport& one : forms) {
                one.index = static_cast<int>(result.report.forms.size());
                result.report.forms.push_back(std::move(one));
                result.frames.push_back({document->URL(), document->model().windowName()});
            }
        }
        for (const devtools::DialogInfo& dialog : form.dialogs()) {
            result.report.notes.push_back("the page opened a JavaScript " + dialog.type + " (\"" +
                                          dialog.message +
                                          "\"): " + (dialog.accepted ? "accepted" : "left to the user"));
        }
        result.ok = true;
    }
    router.detach(*windowId);
    if (!options.keepWindow) host.session().closeWindow(*windowId);
    return result;
}

}  // namespace

LivePageResult readLivePage(devtools::BrowserHost& host, const std::shared_ptr<LivePageAccess>& access,
                            const LivePageOptions& options) {
    SessionRouter router;
    router.setSession(&host.session());
    OnePersonBar bar(options.person);
    try {
        host.session().setObserver(&router);
        // A reading of its own: automatic input on, no control panel, for its duration.
        settings::Globals& g = settings::globals();
        const bool autoInput = g.autoInput;
        const int32_t panel = g.ControlPanelMode;
        g.autoInput = true;
        g.ControlPanelMode = 0;
        LivePageResult result = read(host, access, options, router, bar);
        g.autoInput = autoInput;
        g.ControlPanelMode = panel;
        host.session().setObserver(nullptr);
        return result;
    } catch (const std::exception& e) {
        host.session().setObserver(nullptr);
        LivePageResult failed;
        failed.error = e.what();
        return failed;
    }
}

}  // namespace orvex::browser
