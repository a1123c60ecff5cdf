#pragma once
// The frame reader: reads the FORM elements of one document of a browser window with the page
// reading engine and fills them with the person.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "browser/browser_document.h"
#include "engine/html_items.h"
#include "fill/fill_report.h"
#include "fill/user_info.h"
#include "text/text.h"

namespace orvex::browser {

class clsFrameManager;

/// Fills one form of a document from its engine's entries with a person, adding what it wrote and
/// what it could not write to the form's report; true when the engine had entries (whatever was
/// written). The frame manager's default writes with the form filler.
using FillOneForm = std::function<bool(engine::clsHTMLItems& engine, page::Document& document,
                                       const fill::clsUserInfo& person, fill::FormFillReport& report)>;

/// The status text shown while the auto-input switch is off.
inline constexpr text::TextView kStatusAutoInputOff = u"Orvex2000 自動入力停止中";
/// The status text shown while a page is read automatically.
inline constexpr text::TextView kStatusAutoInputStart = u"Orvex2000 自動入力スタート!";

/// One document of a window with the engines of its fillable forms.
class clsFrameInfo : public std::enable_shared_from_this<clsFrameInfo> {
  public:
    clsFrameInfo() = default;
    clsFrameInfo(const clsFrameInfo&) = delete;
    clsFrameInfo& operator=(const clsFrameInfo&) = delete;

    clsFrameManager* ParentManager = nullptr;
    std::int16_t InputMode = 0;
    std::shared_ptr<const fill::clsUserInfo> UserInfo;
    text::Text InputFormName;
    /// The document's address at the last reading.
    text::Text URL;
    /// The frame belongs to the page now shown.
    bool Active = false;
    /// The last reading found at least one fillable form.
    bool HasForm = false;
    /// A fill of this frame wrote something (never cleared).
    bool Filled = false;
    /// Lower-cased `action` of the last form read.
    text::Text Action;

    /// The document held now; null before the first assignment.
    const DocumentRef& document() const { return m_document; }
    /// Assigns a document: reads (and in automatic mode fills) it when the reader had none or the
    /// element count changed; otherwise only keeps the new document. A null document is ignored.
    void setDocument(DocumentRef document);

    /// Holds `document` from now on without reading it (the same page, as it stands now); a null
    /// document is ignored.
    void holdDocument(DocumentRef document) {
        if (document) m_document = std::move(document);
    }
    /// Reads every form of the document; true when at least one form yielded filling-tag entries.
    /// False when the auto-input switch is off, there is no document or no FORM element.
    bool InterpretHTML(bool boolMessage);
    /// Fills the frame with the engines of the last reading (reading first in mode 2); true when a
    /// form had entries. False when there is no document, no person, mode 0, or the frame is not
    /// active and this is not a second trial.
    bool Fill(bool SecondTrial);
    /// As Fill, but reads the page again in mode 1 too, and fills only when an engine list exists.
    bool FillForce(bool SecondTrial);
    /// True when the window name at the last reading is not empty and equals the current one.
    bool IsOpened();
    /// Sets the `color` of the first FONT element of the document; nothing when there is none.
    void SetHeaderTitleColor(text::TextView color);
    /// Clears ParentManager and UserInfo.
    void Terminate();

    /// The engines of the last reading (nothing before the first reading), for reports and tests.
    const std::optional<std::vector<std::unique_ptr<engine::clsHTMLItems>>>& engines() const {
        return m_engines;
    }
    /// The FORM element (source index in the document) each engine was made from, parallel to engines().
    const std::vector<int>& engineForms() const { return m_engineForms; }
    /// The report of the last replay of writes into the live page.
    const ReplayReport& lastReplay() const { return m_lastReplay; }
    /// What the last reading and the fills since found, one report per FORM element of the
    /// document in document order (forms without entries too): the engine's text and entries,
    /// and of the last fill the writes the live page took and the writes it did not, with reasons.
    const std::vector<fill::FormFillReport>& reports() const { return m_reports; }

  private:
    bool fillEngines();

    DocumentRef m_document;
    std::optional<std::vector<std::unique_ptr<engine::clsHTMLItems>>> m_engines;
    std::vector<int> m_engineForms;
    // Parallel to the engines: the position of each engine's form in m_reports.
    std::vector<std::size_t> m_engineReports;
    std::vector<fill::FormFillReport> m_reports;
    int m_elementCount = 0;
    text::Text m_windowName;
    ReplayReport m_lastReplay;
};

}  // namespace orvex::browser
