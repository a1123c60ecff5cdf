#pragma once
// For tests of the bar: a view that records what it is asked, a browser of fake sessions with
// documents from saved pages, and a private data directory with persons.

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_view.h"
#include "bar/browser_provider.h"
#include "bar/chromium_browser.h"
#include "browser/static_page_access.h"
#include "devtools/fake_browser_session.h"
#include "page/html_loader.h"
#include "settings/test_env.h"

namespace orvex::bar::testing {

/// Records every call; questions and input boxes take scripted answers (OK and Cancel by default).
class RecordingView final : public BarView {
  public:
    struct Message {
        text::Text text;
        text::Text title;
    };
    void setStatusPicture(StatusPicture picture) override { pictures.push_back(picture); }
    void setStatusBoxPicture(int index) override { statusBoxPictures.push_back(index); }
    void setHitCount(const text::Text& text) override { hitCount = text; }
    void setStatusText(const text::Text& text) override { statusText = text; }
    void setAutoLabel(bool on) override { autoLabel = on; }
    void setPersonButtons(const std::vector<ButtonView>& buttons) override { personButtons = buttons; }
    void setLinkButtons(const std::vector<ButtonView>& buttons) override { linkButtons = buttons; }
    void setLayout(const BarLayout& l) override { layout = l; }
    void showMessage(const text::Text& text, const text::Text& title) override { messages.push_back({text, title}); }
    bool askOkCancel(const text::Text& question, const text::Text& title) override {
        questions.push_back({question, title});
        if (okAnswers.empty()) return true;
        const bool answer = okAnswers.front();
        okAnswers.pop_front();
        return answer;
    }
    std::optional<text::Text> askText(const text::Text& prompt, const text::Text& preset,
                                      const text::Text& title) override {
        prompts.push_back({prompt, preset, title});
        if (textAnswers.empty()) return std::nullopt;
        auto answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    void showBusy(const text::Text& note) override { busy.push_back(note); }
    void hideBusy() override { busy.push_back(u"-"); }
    void showMenu(const std::vector<MenuItem>& items) override { menus.push_back(items); }
    void openDialog(BarDialog dialog) override { dialogs.push_back(dialog); }
    void openLinksDialog(const links::clsLink& newLink) override { newLinks.push_back(newLink); }
    void showAbout(const AboutInfo& info) override { about = info; }
    void setFlash(bool on) override { flashes.push_back(on); }
    void setAlwaysOnTop(bool on) override { onTop.push_back(on); }
    void quit() override { ++quits; }

    struct Prompt {
        text::Text prompt;
        text::Text preset;
        text::Text title;
    };
    std::vector<StatusPicture> pictures;
    std::vector<int> statusBoxPictures;
    text::Text hitCount;
    text::Text statusText;
    bool autoLabel = false;
    std::vector<ButtonView> personButtons;
    std::vector<ButtonView> linkButtons;
    BarLayout layout;
    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<bool> okAnswers;
    std::vector<Prompt> prompts;
    std::deque<std::optional<text::Text>> textAnswers;
    std::vector<text::Text> busy;
    std::vector<std::vector<MenuItem>> menus;
    std::vector<BarDialog> dialogs;
    std::vector<links::clsLink> newLinks;
    std::optional<AboutInfo> about;
    std::vector<bool> flashes;
    std::vector<bool> onTop;
    int quits = 0;
};

/// Documents per frame id from HTML given by the test.
class PageSource final : public browser::DocumentSource {
  public:
    browser::DocumentRef load(const std::string&, const std::string& frameId) override {
        const auto it = pages.find(frameId);
        return it == pages.end() ? nullptr : it->second->topDocument();
    }
    void set(const std::string& frameId, const std::string& html, const std::string& url) {
        page::LoadOptions options;
        options.url = url;
        pages[frameId] = browser::StaticPageAccess::create(page::loadHtml(html, options), frameId);
    }
    std::map<std::string, std::shared_ptr<browser::StaticPageAccess>> pages;
};

/// A browser of fake sessions: started at the first request, again after closeBrowser. While
/// holdOpenedNotices is set, the notices of new windows wait for releaseOpenedNotices (so the
/// browser's answer to a new window comes first).
class FakeBrowser final : public BrowserProvider, private devtools::BrowserEvents {
  public:
    void setObserver(devtools::BrowserEvents* observer) override { m_observer = observer; }
    devtools::BrowserSession* ensureSession(text::Text* message) override {
        if (!installed) {
            if (message != nullptr) *message = noBrowserMessage("no such file");
            return nullptr;
        }
        if (!session || !session->isOpen()) {
            if (session) ended.push_back(std::move(session));
            session = std::make_unique<devtools::FakeBrowserSession>();
            session->setObserver(this);
            ++starts;
        }
        return session.get();
    }
    devtools::BrowserSession* currentSession() override {
        return session && session->isOpen() ? session.get() : nullptr;
    }
    std::shared_ptr<browser::DocumentSource> documents() override { return pages; }
    void releaseEnded() override { ended.clear(); }
    void shutdown() override { ++shutdowns; }

    /// Reports the held notices of new windows.
    void releaseOpenedNotices() {
        auto held = std::move(m_held);
        m_held.clear();
        for (const auto& window : held)
            if (m_observer != nullptr) m_observer->windowOpened(window);
    }

    std::unique_ptr<devtools::FakeBrowserSession> session;
    std::vector<std::unique_ptr<devtools::FakeBrowserSession>> ended;
    std::shared_ptr<PageSource> pages = std::make_shared<PageSource>();
    bool installed = true;
    bool holdOpenedNotices = false;
    int starts = 0;
    int shutdowns = 0;

  private:
    void windowOpened(const devtools::WindowInfo& window) override {
        if (holdOpenedNotices) {
            m_held.push_back(window);
        } else if (m_observer != nullptr) {
            m_observer->windowOpened(window);
        }
    }
    void windowClosed(const std::string& id) override {
        if (m_observer != nullptr) m_observer->windowClosed(id);
    }
    devtools::NavigationDecision navigationRequested(const devtools::NavigationRequest& r) override {
        return m_observer != nullptr ? m_observer->navigationRequested(r) : devtools::NavigationDecision::proceed();
    }
    void frameNavigated(const devtools::FrameInfo& f) override {
        if (m_observer != nullptr) m_observer->frameNavigated(f);
    }
    void frameLoaded(const devtools::FrameInfo& f) override {
        if (m_observer != nullptr) m_observer->frameLoaded(f);
    }
    void frameStartedLoading(const devtools::FrameInfo& f) override {
        if (m_observer != nullptr) m_observer->frameStartedLoading(f);
    }
    void frameStoppedLoading(const devtools::FrameInfo& f) override {
        if (m_observer != nullptr) m_observer->frameStoppedLoading(f);
    }
    void windowFocused(const std::string& id) override {
        if (m_observer != nullptr) m_observer->windowFocused(id);
    }
    void dialogOpened(const devtools::DialogInfo& d) override {
        if (m_observer != nullptr) m_observer->dialogOpened(d);
    }
    void browserClosed(const std::string& reason) override {
        if (m_observer != nullptr) m_observer->browserClosed(reason);
    }

    devtools::BrowserEvents* m_observer = nullptr;
    std::vector<devtools::WindowInfo> m_held;
};

/// Writes `text` to `file` (its folder made first).
inline void writeFile(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

/// The bytes of `file`; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// A "userdata.ini" with visible persons shown as `names` (USER0 upward).
inline std::string personsFile(const std::vector<std::string>& names) {
    std::string ini;
    for (std::size_t i = 0; i < names.size(); ++i) {
        ini += "[USER" + std::to_string(i) + "]\nVisible=True\nName1=山田\nName2=" + names[i] +
               "\nDisplayName=" + names[i] + "\n";
    }
    return ini;
}

}  // namespace orvex::bar::testing
