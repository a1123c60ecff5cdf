#include "tools/browser_read.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "browser/input_form.h"
#include "browser/live_loader.h"
#include "browser/session_router.h"
#include "devtools/browser_host.h"
#include "fill/page_fill.h"
#include "links/link.h"
#include "settings/globals.h"
#include "settings/paths.h"
#include "settings/wait.h"
#include "text/text.h"
#include "tools/page_report.h"
#include "tools/read_command.h"

namespace orvex::tools {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// How often the page's state is looked at while waiting.
constexpr int kPollMs = 200;

// The bar's part for the one watcher of the tool: one person, nothing else.
class ToolBar final : public browser::InputFormHost, public browser::InputFormEvents {
  public:
    int personCount() override { return m_person ? 1 : 0; }
    std::shared_ptr<const fill::clsUserInfo> person(int position) override {
        return position == 1 ? m_person : nullptr;
    }
    void AddBrowser(const links::clsLink&, bool, const std::string&) override {}
    void SelectCurrentForm(browser::clsInputForm&) override {}
    void RecordCurrentPage(browser::clsInputForm&) override {}
    void ShowHelp() override {}
    void ShowMessage(const text::Text&) override {}
    void Hit(browser::clsInputForm&, int&) override { ++events; }
    void NoHit(browser::clsInputForm&) override { ++events; }

    void setPerson(std::shared_ptr<const fill::clsUserInfo> p) { m_person = std::move(p); }
    const std::shared_ptr<const fill::clsUserInfo>& thePerson() const { return m_person; }
    int events = 0;

  private:
    std::shared_ptr<const fill::clsUserInfo> m_person;
};

// A private temporary directory, removed with everything in it.
class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "orvex-read-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!m_path.empty()) fs::remove_all(m_path, ec);
    }
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// An address as given, or a file path as its file address.
std::string addressOf(const std::string& input) {
    if (input.find("://") != std::string::npos || input.rfind("about:", 0) == 0) return input;
    std::error_code ec;
    const fs::path absolute = fs::weakly_canonical(fs::absolute(input, ec), ec);
    return text::toUtf8(settings::fileUrl(absolute));
}

// The bytes of standard base64 text; nothing when it is malformed.
std::optional<std::string> decodeBase64(const std::string& data) {
    std::string out;
    int buffer = 0;
    int bits = 0;
    for (char c : data) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=')
            break;
        else
            return std::nullopt;
        buffer = (buffer << 6) | v;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    return out;
}

// The documents of the window in reading order: each document, then its frames' documents.
void collect(const browser::DocumentRef& document, std::vector<browser::DocumentRef>& out) {
    if (!document) return;
    out.push_back(document);
    for (int i = 0; i < static_cast<int>(document->frameWindowIndexes().size()); ++i) {
        collect(document->frameDocument(i), out);
    }
}

// The frame reader of the watcher that read `document`'s frame at its current address; null when
// none did.
const browser::clsFrameInfo* readerOf(browser::clsInputForm& form, const browser::BrowserDocument& document) {
    for (const auto& frame : form.frameManager().frames()) {
        const browser::DocumentRef& held = frame->document();
        if (held && held->frameId() == document.frameId() && held->URL() == document.URL())
            return frame.get();
    }
    return nullptr;
}

struct Run {
    std::unique_ptr<devtools::BrowserHost> host;
    std::shared_ptr<browser::LivePageAccess> access;
    browser::SessionRouter router;
    ToolBar bar;
    std::unique_ptr<browser::clsInputForm> form;
};

// True once the window's documents have all loaded and nothing changed for kSettleMs.
bool waitSettled(Run& run, const std::string& windowId) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kPageLoadMs);
    std::string lastState;
    auto stableSince = Clock::now();
    while (Clock::now() < deadline && run.host->session().isOpen()) {
        run.host->client().waitUntil([] { return false; }, kPollMs);
        std::string state =
            std::to_string(run.bar.events) + "/" + std::to_string(run.form->frameManager().frames().size());
        bool complete = true;
        for (const devtools::FrameInfo& frame : run.host->session().frames(windowId)) {
            const auto answer = run.access->loader().evaluateNow(frame.frameId, "document.readyState");
            complete = complete && answer && answer->ok && answer->value == "complete";
            state += " " + frame.url;
        }
        const auto top = run.access->loader().evaluateNow(windowId, "location.href");
        // The window has left its first empty page for the address (or where it led).
        const bool started = top && top->ok && top->value.is_string() && top->value != "about:blank";
        if (state != lastState || !complete || !started) {
            lastState = state;
            stableSince = Clock::now();
            continue;
        }
        if (Clock::now() - stableSince >= std::chrono::milliseconds(kSettleMs)) return true;
    }
    return false;
}

bool saveScreenshot(Run& run, const std::string& windowId, const std::string& file, std::string& error) {
    std::optional<std::string> data;
    bool answered = false;
    run.host->client().send(
        "Page.captureScreenshot", {{"format", "png"}}, run.host->session().sessionOfFrame(windowId),
        [&](const devtools::Reply& reply) {
            answered = true;
            if (reply.ok && reply.result.contains("data") && reply.result["data"].is_string())
                data = decodeBase64(reply.result["data"].get<std::string>());
        });
    run.host->client().waitUntil([&] { return answered; }, kPageLoadMs);
    if (!data) {
        error = "no screenshot could be taken";
        return false;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(data->data(), static_cast<std::streamsize>(data->size()));
    if (!out) {
        error = "cannot write " + file;
        return false;
    }
    return true;
}

int runBrowser(const ReadOptions& options, std::ostream& out, std::ostream& err) {
    Run run;
    if (!options.personFile.empty()) {
        std::string error;
        auto person = loadPerson(options.personFile, options.personIndex, options.today, error);
        if (!person) {
            err << "orvex-read: " << error << '\n';
            return kExitUnreadable;
        }
        run.bar.setPerson(std::make_shared<const fill::clsUserInfo>(std::move(*person)));
    }
    ScratchDir scratch;
    if (scratch.path().empty()) {
        err << "orvex-read: no temporary directory for the browser\n";
        return kExitUnreadable;
    }
    devtools::LaunchOptions launch;
    launch.profileDir = (scratch.path() / "profile").string();
    launch.headless = options.headless;
    launch.logPath = (scratch.path() / "browser.log").string();
    std::string error;
    run.host = devtools::BrowserHost::launch(launch, &error);
    if (!run.host) {
        err << "orvex-read: cannot start the browser: " << error << '\n';
        return kExitUnreadable;
    }
    if (!run.host->waitReady(kBrowserStartMs)) {
        err << "orvex-read: the browser did not answer: " << run.host->session().startError() << '\n';
        return kExitUnreadable;
    }
    devtools::Client& client = run.host->client();
    settings::setProcessEventsHook([&client] { client.pump(0); });
    run.router.setSession(&run.host->session());
    run.host->session().setObserver(&run.router);
    // Without a window nobody could answer a page's dialog: it is accepted, and the report says so.
    if (options.headless) run.host->session().setDialogPolicy(devtools::DialogPolicy::Accept);
    run.access = browser::LivePageAccess::create(run.host->session(), [&client] { client.pump(10); });

    // The tool's own settings: automatic input on, no control panel.
    settings::Globals& g = settings::globals();
    g.autoInput = true;
    g.ControlPanelMode = 0;

    std::optional<std::string> windowId;
    bool answered = false;
    run.host->session().openWindow("about:blank", [&](std::optional<std::string> id) {
        windowId = std::move(id);
        answered = true;
    });
    client.waitUntil([&] { return answered; }, kBrowserStartMs);
    if (!windowId) {
        err << "orvex-read: the browser opened no window\n";
        return kExitUnreadable;
    }
    run.form = std::make_unique<browser::clsInputForm>(run.host->session(), run.access, &run.bar, &run.bar);
    links::clsLink link;
    link.InputMode = 1;
    link.URL = text::fromUtf8(addressOf(options.input));
    run.form->setLink(link);
    run.form->setKey(u"F1");
    run.form->UserInfo = run.bar.thePerson();
    run.form->setBrowser(*windowId);
    run.router.attach(*windowId, run.form.get());
    const std::string address = addressOf(options.input);
    run.form->Navigate(text::fromUtf8(address));
    if (!waitSettled(run, *windowId)) {
        err << "orvex-read: " << address << " did not load\n";
        return kExitUnreadable;
    }

    // The report: what the watcher's frame readers read and wrote, frame by frame in the order of
    // the window's documents; a document no reader read is read now, without a fill.
    std::vector<browser::DocumentRef> documents;
    collect(run.access->topDocument(*windowId), documents);
    fill::PageFillReport report;
    std::vector<std::pair<std::string, std::string>> frameOfForm;  // url, window name
    const fill::clsUserInfo* filler = run.bar.thePerson().get();
    for (const browser::DocumentRef& document : documents) {
        const browser::clsFrameInfo* reader = readerOf(*run.form, *document);
        std::vector<fill::FormFillReport> forms;
        if (reader != nullptr) {
            forms = reader->reports();
        } else {
            forms = fill::readAndFillPage(document->model(), nullptr).forms;
            report.notes.push_back("the watcher did not read " + document->URL());
        }
        for (fill::FormFillReport& form : forms) {
            form.index = static_cast<int>(report.forms.size());
            report.forms.push_back(std::move(form));
            frameOfForm.emplace_back(document->URL(), document->model().windowName());
        }
    }
    for (const devtools::DialogInfo& dialog : run.form->dialogs()) {
        report.notes.push_back("the page opened a JavaScript " + dialog.type + " (\"" + dialog.message +
                               "\"): " + (dialog.accepted ? "accepted" : "left to the user"));
    }
    if (options.json) {
        nlohmann::ordered_json j = reportToJson(report, options.mode == ReadMode::Forms);
        for (std::size_t i = 0; i < frameOfForm.size() && i < j["forms"].size(); ++i) {
            j["forms"][i]["frame"] = {{"url", frameOfForm[i].first}, {"name", frameOfForm[i].second}};
        }
        out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    } else {
        for (const std::string& note : report.notes) out << "# " << note << '\n';
        for (std::size_t i = 0; i < report.forms.size(); ++i) {
            fill::PageFillReport one;
            one.forms.push_back(report.forms[i]);
            out << "# form " << report.forms[i].index << " frame " << frameOfForm[i].first;
            if (!frameOfForm[i].second.empty()) out << " (" << frameOfForm[i].second << ")";
            out << '\n';
            if (options.mode == ReadMode::Forms) {
                writeFormTexts(out, one);
            } else if (filler != nullptr) {
                writeWrites(out, one);
            } else {
                writeEntries(out, one);
            }
        }
    }
    if (report.forms.empty()) err << "orvex-read: no FORM element in " << address << '\n';

    int status = kExitOk;
    if (!options.screenshot.empty() && !saveScreenshot(run, *windowId, options.screenshot, error)) {
        err << "orvex-read: " << error << '\n';
        status = kExitUnreadable;
    }
    run.router.detach(*windowId);
    run.host->session().setObserver(nullptr);
    run.form.reset();
    run.host->stop();
    return status;
}

}  // namespace

int runBrowserRead(const ReadOptions& options, std::ostream& out, std::ostream& err) {
    // Waits inside readings let the browser's messages through.
    settings::setProcessEventsHook({});
    try {
        const int status = runBrowser(options, out, err);
        settings::setProcessEventsHook({});
        return status;
    } catch (const std::exception& e) {
        settings::setProcessEventsHook({});
        err << "orvex-read: " << e.what() << '\n';
        return kExitUnreadable;
    }
}

}  // namespace orvex::tools
