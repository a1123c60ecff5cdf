#pragma once
// PageAccess over page models that are not shown in a browser (saved pages, tests): documents
// come from a loaded page tree, and writes meant for the live page are recorded instead.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "browser/browser_document.h"
#include "page/document.h"

namespace orvex::browser {

/// Serves the documents of one page tree; the frame ids are "top" and, for frames, the parent's
/// id followed by "/" and the frame's position.
class StaticPageAccess final : public PageAccess, public std::enable_shared_from_this<StaticPageAccess> {
  public:
    /// Made shared, because documents keep a weak reference to it. A null page gives an empty one.
    static std::shared_ptr<StaticPageAccess> create(std::unique_ptr<page::Document> page,
                                                    std::string windowId = "W1");

    /// The top document.
    DocumentRef topDocument();
    /// The document of a frame id; null when there is none.
    DocumentRef document(const std::string& frameId);

    std::vector<DocumentRef> childDocuments(const BrowserDocument& parent) override;
    ReplayReport replay(const BrowserDocument& document,
                        const std::vector<page::WriteRecord>& writes) override;
    bool setElementText(const BrowserDocument& document, const page::Element& element,
                        const std::string& text) override;
    bool setElementAttribute(const BrowserDocument& document, const page::Element& element,
                             const std::string& attribute, const std::string& value) override;
    std::optional<std::string> currentWindowName(const BrowserDocument& document) override;
    bool refresh(const BrowserDocument& document) override;

    /// Writes replayed per frame id, in order.
    std::map<std::string, std::vector<page::WriteRecord>> replayed;
    /// Texts set, as (frame id, element id, text).
    std::vector<std::tuple<std::string, std::string, std::string>> textsSet;
    /// Attributes set, as (frame id, source index, attribute, value).
    std::vector<std::tuple<std::string, int, std::string, std::string>> attributesSet;
    /// Frames told to reload.
    std::vector<std::string> refreshed;
    /// Current window names that differ from the models' (by frame id); nullopt: cannot be read.
    std::map<std::string, std::optional<std::string>> windowNames;

  private:
    StaticPageAccess(std::shared_ptr<page::Document> root, std::string windowId);
    DocumentRef wrap(page::Document* document, const std::string& frameId, int indexInParent);

    std::shared_ptr<page::Document> m_root;
    std::string m_windowId;
};

}  // namespace orvex::browser
