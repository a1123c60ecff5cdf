#include "browser/frame_manager.h"

#include <utility>

#include "browser/kvsub_page_objects.h"
#include "fill/page_fill.h"
#include "settings/globals.h"
#include "text/strings.h"

namespace orvex::browser {
namespace {

FillOneForm formFiller() {
    return
        [](engine::clsHTMLItems& engine, page::Document& document, const fill::clsUserInfo& person,
           fill::FormFillReport& report) { return fill::fillFormReported(engine, document, person, report); };
}

// The address as the mail action list keeps it: lower-cased and cut before the first "?".
text::Text mailKey(text::TextView url) {
    text::Text key = text::toLower(url);
    const int q = text::find(key, u"?");
    if (q > 0) key = text::left(key, q - 1);
    return key;
}

}  // namespace

clsFrameManager::clsFrameManager() : m_fillOneForm(formFiller()) {
    Clear();
}

void clsFrameManager::setUserInfo(std::shared_ptr<const fill::clsUserInfo> person) {
    m_userInfo = std::move(person);
    for (const auto& frame : m_frames) frame->UserInfo = m_userInfo;
}

void clsFrameManager::AddFrame(const DocumentRef& document) {
    if (!document) return;
    const text::Text url = text::fromUtf8(document->URL());
    // Copy: assigning the document may run events that change the list.
    const auto frames = m_frames;
    for (const auto& frame : frames) {
        if (frame->URL == url) {
            frame->setDocument(document);
            return;
        }
    }
    auto frame = std::make_shared<clsFrameInfo>();
    frame->ParentManager = this;
    frame->InputMode = InputMode;
    frame->UserInfo = m_userInfo;
    frame->InputFormName = InputFormName;
    // The URL is known before the reading, so a document arriving meanwhile finds this reader.
    m_frames.push_back(frame);
    frame->setDocument(document);
}

bool clsFrameManager::Fill(std::shared_ptr<const fill::clsUserInfo> person) {
    if (person) setUserInfo(std::move(person));
    TakeLiveDocuments();
    bool result = false;
    if (InputMode == 2) RefreshFrames();
    if (m_frames.empty() && InputMode == 1) {
        RefreshFrames();
    } else {
        const auto frames = m_frames;
        for (const auto& frame : frames) {
            frame->UserInfo = m_userInfo;
            if ((InputMode == 1 && frame->HasForm) || InputMode == 2 || InputMode == 0) {
                result = frame->Fill(false) || result;
            }
        }
    }
    if (!result) {
        // Second trial: the last reader that still shows its named frame and was filled before.
        const auto frames = m_frames;
        for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
            if ((*it)->IsOpened() && (*it)->Filled) {
                result = (*it)->Fill(true);
                break;
            }
        }
    }
    if (!result && InputMode == 1) {
        // Forced reading, with the auto-input switch on for its duration.
        settings::Globals& g = settings::globals();
        const bool turnedOn = !g.autoInput;
        if (turnedOn) g.autoInput = true;
        const auto frames = m_frames;
        for (const auto& frame : frames) {
            frame->UserInfo = m_userInfo;
            result = frame->FillForce(false) || result;
        }
        if (turnedOn) g.autoInput = false;
    }
    return result;
}

void clsFrameManager::Clear() {
    m_frames = {};
    m_mailActions = {};
}

void clsFrameManager::ActiveClear() {
    for (const auto& frame : m_frames) frame->Active = false;
}

int clsFrameManager::ActiveCount() const {
    int n = 0;
    for (const auto& frame : m_frames)
        if (frame->Active) ++n;
    return n;
}

bool clsFrameManager::HasFilledActiveForm() const {
    for (const auto& frame : m_frames)
        if (frame->Active && frame->Filled) return true;
    return false;
}

void clsFrameManager::SetHeaderTitleColor(text::TextView color) {
    const auto frames = m_frames;
    for (const auto& frame : frames) {
        if (text::contains(frame->URL, Link.HeaderURL())) {
            frame->SetHeaderTitleColor(color);
            return;
        }
    }
}

void clsFrameManager::SetStatusText(const text::Text& text) {
    if (ParentForm != nullptr) ParentForm->SetStatusText(text);
}

void clsFrameManager::PassFillResult(bool result) {
    if (ParentForm != nullptr) ParentForm->PassFillResult(result);
}

void clsFrameManager::AddActionMailto(text::TextView action) {
    m_mailActions.push_back(mailKey(action));
}

bool clsFrameManager::CheckActionMailto(text::TextView url) const {
    const text::Text key = mailKey(url);
    for (const text::Text& action : m_mailActions)
        if (action == key) return true;
    return false;
}

void clsFrameManager::Terminate() {
    ParentForm = nullptr;
    for (const auto& frame : m_frames) frame->Terminate();
    m_frames.clear();
}

void clsFrameManager::TakeLiveDocuments() {
    if (ParentForm == nullptr) return;
    // Copy: reading a document may run events that change the list.
    const auto frames = m_frames;
    for (const auto& frame : frames) {
        const DocumentRef held = frame->document();
        if (!held || ParentForm == nullptr) continue;
        DocumentRef now = ParentForm->frameDocument(held->windowId(), held->frameId());
        if (now && now->URL() == held->URL()) frame->holdDocument(std::move(now));
    }
}

void clsFrameManager::RefreshFrames() {
    if (ParentForm == nullptr) return;
    CollectFrames(ParentForm->browserDocument());
    DebugPrint();
}

void clsFrameManager::CollectFrames(const DocumentRef& document) {
    if (!document) return;
    AddFrame(document);
    if (document->framesLength() <= 0) return;
    kvsub::KvsubLibrary& library = m_library != nullptr ? *m_library : kvsub::KvsubLibrary::forProgram();
    const SubDocuments sub = getSubDocuments(library, document, kCollectBound);
    if (!sub.count) return;  // no library: only this document
    // Slots beyond the array cannot have been filled, whatever the count says.
    for (std::int32_t i = 1; i <= *sub.count && static_cast<std::size_t>(i - 1) < sub.slots.size(); ++i) {
        CollectFrames(sub.slots[static_cast<std::size_t>(i - 1)]);
    }
}

void clsFrameManager::setFillOneForm(FillOneForm fill) {
    m_fillOneForm = fill ? std::move(fill) : formFiller();
}

}  // namespace orvex::browser
