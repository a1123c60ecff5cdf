#include "browser/static_page_access.h"

#include <utility>

namespace orvex::browser {

StaticPageAccess::StaticPageAccess(std::shared_ptr<page::Document> root, std::string windowId)
    : m_root(std::move(root)), m_windowId(std::move(windowId)) {}

std::shared_ptr<StaticPageAccess> StaticPageAccess::create(std::unique_ptr<page::Document> page,
                                                           std::string windowId) {
    std::shared_ptr<page::Document> root =
        page ? std::shared_ptr<page::Document>(std::move(page)) : std::make_shared<page::Document>();
    return std::shared_ptr<StaticPageAccess>(new StaticPageAccess(std::move(root), std::move(windowId)));
}

DocumentRef StaticPageAccess::wrap(page::Document* document, const std::string& frameId, int indexInParent) {
    std::vector<int> indexes;
    for (int i = 0; i < document->frameCount(); ++i) indexes.push_back(i);
    // The model shares the root's lifetime.
    std::shared_ptr<page::Document> model(m_root, document);
    return std::make_shared<BrowserDocument>(std::move(model), m_windowId, frameId, weak_from_this(),
                                             std::move(indexes), document->frameCount(), indexInParent);
}

DocumentRef StaticPageAccess::topDocument() {
    return wrap(m_root.get(), "top", -1);
}

DocumentRef StaticPageAccess::document(const std::string& frameId) {
    if (frameId.rfind("top", 0) != 0) return nullptr;
    page::Document* current = m_root.get();
    int index = -1;
    std::size_t at = 3;
    while (at < frameId.size()) {
        if (frameId[at] != '/') return nullptr;
        const std::size_t end = frameId.find('/', at + 1);
        const std::string part =
            frameId.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        if (part.empty() || part.size() > 6 || part.find_first_not_of("0123456789") != std::string::npos)
            return nullptr;
        index = std::stoi(part);
        current = current->frame(index);
        if (current == nullptr) return nullptr;
        at = end == std::string::npos ? frameId.size() : end;
    }
    return wrap(current, frameId, index);
}

std::vector<DocumentRef> StaticPageAccess::childDocuments(const BrowserDocument& parent) {
    std::vector<DocumentRef> children;
    for (int i = 0; i < parent.model().frameCount(); ++i) {
        children.push_back(wrap(parent.model().frame(i), parent.frameId() + "/" + std::to_string(i), i));
    }
    return children;
}

ReplayReport StaticPageAccess::replay(const BrowserDocument& document,
                                      const std::vector<page::WriteRecord>& writes) {
    auto& list = replayed[document.frameId()];
    list.insert(list.end(), writes.begin(), writes.end());
    ReplayReport report;
    report.ok = true;
    report.written = static_cast<int>(writes.size());
    return report;
}

bool StaticPageAccess::setElementText(const BrowserDocument& document, const page::Element& element,
                                      const std::string& text) {
    textsSet.emplace_back(document.frameId(), element.id(), text);
    return true;
}

bool StaticPageAccess::setElementAttribute(const BrowserDocument& document, const page::Element& element,
                                           const std::string& attribute, const std::string& value) {
    attributesSet.emplace_back(document.frameId(), element.sourceIndex(), attribute, value);
    return true;
}

std::optional<std::string> StaticPageAccess::currentWindowName(const BrowserDocument& document) {
    if (const auto it = windowNames.find(document.frameId()); it != windowNames.end()) return it->second;
    return document.model().windowName();
}

bool StaticPageAccess::refresh(const BrowserDocument& document) {
    refreshed.push_back(document.frameId());
    return true;
}

}  // namespace orvex::browser
