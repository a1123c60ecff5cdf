#include "browser/frame_info.h"

#include <utility>

#include "browser/frame_manager.h"
#include "engine/tag_reader.h"
#include "fill/page_fill.h"
#include "settings/globals.h"
#include "settings/wait.h"
#include "text/strings.h"

namespace orvex::browser {
namespace {

// Lets pending events run once (one step of the program's wait).
void letEventsRun() {
    settings::waitFor(static_cast<int>(settings::kWaitStep.count()), 1);
}

}  // namespace

void clsFrameInfo::setDocument(DocumentRef document) {
    if (!document) return;
    // The reader stays alive even if an event handled below drops it from its manager.
    const auto keep = weak_from_this().lock();
    Active = true;
    // A snapshot never changes, so the element count of the newly read document stands for the
    // count of the document this reader holds now.
    const int count = document->model().elementCount();
    if (m_document && count == m_elementCount) {
        m_document = std::move(document);
        return;
    }
    URL = text::fromUtf8(document->URL());
    m_elementCount = count;
    m_document = std::move(document);
    m_windowName = text::fromUtf8(m_document->model().windowName());
    if (InputMode == 1) {
        if (InterpretHTML(true)) {
            const bool r = Fill(false);
            if (ParentManager != nullptr) ParentManager->PassFillResult(r);
        }
        if (ParentManager != nullptr) ParentManager->InAutoInputing = false;
    }
}

bool clsFrameInfo::InterpretHTML(bool boolMessage) {
    const auto keep = weak_from_this().lock();
    if (!settings::globals().autoInput) {
        if (ParentManager != nullptr) ParentManager->SetStatusText(text::Text(kStatusAutoInputOff));
        return false;
    }
    HasForm = false;
    const DocumentRef document = m_document;  // the one read, even if a new one arrives meanwhile
    m_engines.emplace();
    m_engineForms.clear();
    m_engineReports.clear();
    m_reports.clear();
    if (!document) return false;
    const page::ElementCollection forms = document->model().all().tags("FORM");
    if (forms.length() == 0) return false;
    bool result = false;
    for (int i = 0; i < forms.length(); ++i) {
        const page::Element form = forms.item(i);
        if (boolMessage) {
            if (ParentManager != nullptr) {
                ParentManager->SetStatusText(text::Text(kStatusAutoInputStart));
                ParentManager->InAutoInputing = true;
            }
            letEventsRun();
        }
        fill::FormFillReport report;
        report.index = i;
        report.action = form.attribute("action").value_or(std::string());
        const std::string html = form.innerHTML();
        // An empty form is skipped, but Orvex's rules read the controls a form owns from outside
        // it (its `form` attribute, or a form the parser's table repair emptied).
        if (html.empty() && fill::configuredRules() != engine::RuleSet::Orvex) {
            m_reports.push_back(std::move(report));
            continue;
        }
        Action = text::toLower(engine::GetAttribute(text::fromUtf8(form.outerHTML()), u"action"));
        if (text::startsWith(Action, u"mailto:") && ParentManager != nullptr)
            ParentManager->AddActionMailto(Action);
        std::unique_ptr<engine::clsHTMLItems> reader = fill::readFormReported(html, form, report);
        // An event handled above may have started a new reading with new lists.
        if (!m_engines) m_engines.emplace();
        if (report.ok) {
            m_engines->push_back(std::move(reader));
            m_engineForms.push_back(form.sourceIndex());
            m_engineReports.push_back(m_reports.size());
            HasForm = true;
            result = true;
        }
        m_reports.push_back(std::move(report));
    }
    return result;
}

bool clsFrameInfo::fillEngines() {
    // No list means the page was never read: the fill fails as a whole.
    if (!m_engines || !UserInfo || !m_document || !ParentManager) return false;
    const DocumentRef document = m_document;
    const FillOneForm& fillOne = ParentManager->fillOneForm();
    bool result = false;
    fill::FormFillReport spare;  // for an engine whose report went with a newer reading
    for (std::size_t k = 0; k < m_engines->size(); ++k) {
        const std::size_t at = k < m_engineReports.size() ? m_engineReports[k] : m_reports.size();
        fill::FormFillReport& report = at < m_reports.size() ? m_reports[at] : spare;
        report.writes.clear();
        report.misses.clear();
        bool wrote = false;
        try {
            wrote = fillOne && fillOne(*(*m_engines)[k], document->model(), *UserInfo, report);
        } catch (...) {
            wrote = false;
        }
        result = wrote || result;
    }
    m_lastReplay = document->commitWrites();
    // What the live page did not take is reported as not written; a page that could not be
    // reached took nothing.
    for (fill::FormFillReport& report : m_reports) {
        if (m_lastReplay.ok) {
            fill::applyReplayAnswer(report, m_lastReplay.skipped, m_lastReplay.refused);
        } else {
            std::vector<page::WriteRecord> all;
            for (const fill::FillWrite& write : report.writes)
                all.insert(all.end(), write.records.begin(), write.records.end());
            fill::applyReplayAnswer(report, all, {});
        }
    }
    return result;
}

bool clsFrameInfo::Fill(bool SecondTrial) {
    const auto keep = weak_from_this().lock();
    if (!m_document || InputMode == 0 || (!Active && !SecondTrial)) return false;
    bool result = false;
    if (InputMode == 2) result = InterpretHTML(false);
    result = fillEngines() || result;
    if (result) Filled = true;
    return result;
}

bool clsFrameInfo::FillForce(bool SecondTrial) {
    const auto keep = weak_from_this().lock();
    if (!m_document || InputMode == 0 || (!Active && !SecondTrial)) return false;
    bool result = false;
    if (InputMode == 1 || InputMode == 2) result = InterpretHTML(false);
    if (m_engines) result = fillEngines() || result;
    if (result) Filled = true;
    return result;
}

bool clsFrameInfo::IsOpened() {
    if (m_windowName.empty() || !m_document) return false;
    const auto current = m_document->currentWindowName();
    return current && text::fromUtf8(*current) == m_windowName;
}

void clsFrameInfo::SetHeaderTitleColor(text::TextView color) {
    if (!m_document) return;
    const page::Element font = m_document->model().all().tags("FONT").item(0);
    if (!font) return;
    m_document->setElementAttribute(font, "color", text::toUtf8(color));
}

void clsFrameInfo::Terminate() {
    ParentManager = nullptr;
    UserInfo.reset();
}

}  // namespace orvex::browser
