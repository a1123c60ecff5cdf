#include "tools/browser_read.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "browser/live_loader.h"
#include "browser/live_page_read.h"
#include "devtools/browser_host.h"
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

struct Run {
    std::unique_ptr<devtools::BrowserHost> host;
    std::shared_ptr<browser::LivePageAccess> access;
};

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
    run.host->client().waitUntil([&] { return answered; }, kScreenshotMs);
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
    // The watcher's readers take the rule set from the settings, as the program's do.
    if (options.rules)
        settings::globals().Rules = text::fromUtf8(std::string(engine::ruleSetName(*options.rules)));
    browser::LivePageOptions read;
    read.address = addressOf(options.input);
    read.keepWindow = !options.screenshot.empty();
    if (!options.personFile.empty()) {
        std::string error;
        auto person = loadPerson(options.personFile, options.personIndex, options.today, error);
        if (!person) {
            err << "orvex-read: " << error << '\n';
            return kExitUnreadable;
        }
        read.person = std::make_shared<const fill::clsUserInfo>(std::move(*person));
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
    // Without a window nobody could answer a page's dialog: it is accepted, and the report says so.
    if (options.headless) run.host->session().setDialogPolicy(devtools::DialogPolicy::Accept);
    run.access = browser::LivePageAccess::create(run.host->session(), [&client] { client.pump(10); });

    const browser::LivePageResult result = browser::readLivePage(*run.host, run.access, read);
    if (!result.ok) {
        err << "orvex-read: " << result.error << '\n';
        return kExitUnreadable;
    }
    const fill::PageFillReport& report = result.report;
    const fill::clsUserInfo* filler = read.person.get();
    const std::string& address = read.address;
    if (options.json) {
        nlohmann::ordered_json j = reportToJson(report, options.mode == ReadMode::Forms);
        for (std::size_t i = 0; i < result.frames.size() && i < j["forms"].size(); ++i) {
            j["forms"][i]["frame"] = {{"url", result.frames[i].url}, {"name", result.frames[i].name}};
        }
        out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    } else {
        for (const std::string& note : report.notes) out << "# " << note << '\n';
        for (std::size_t i = 0; i < report.forms.size(); ++i) {
            fill::PageFillReport one;
            one.forms.push_back(report.forms[i]);
            out << "# form " << report.forms[i].index << " frame " << result.frames[i].url;
            if (!result.frames[i].name.empty()) out << " (" << result.frames[i].name << ")";
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
    if (!options.screenshot.empty()) {
        if (!saveScreenshot(run, result.windowId, options.screenshot, error)) {
            err << "orvex-read: " << error << '\n';
            status = kExitUnreadable;
        }
        run.host->session().closeWindow(result.windowId);
    }
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
