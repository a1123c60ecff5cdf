#include "browser/browser_document.h"

#include <utility>

namespace orvex::browser {

BrowserDocument::BrowserDocument(std::shared_ptr<page::Document> model, std::string windowId,
                                 std::string frameId, std::weak_ptr<PageAccess> access,
                                 std::vector<int> frameWindowIndexes, int framesLength, int indexInParent)
    : m_model(model ? std::move(model) : std::make_shared<page::Document>()),
      m_windowId(std::move(windowId)),
      m_frameId(std::move(frameId)),
      m_access(std::move(access)),
      m_frameWindowIndexes(std::move(frameWindowIndexes)),
      m_framesLength(framesLength),
      m_indexInParent(indexInParent) {}

DocumentRef BrowserDocument::frameDocument(int ordinal) {
    if (ordinal < 0) return nullptr;
    if (!m_childrenFetched) {
        m_childrenFetched = true;
        if (auto access = m_access.lock()) m_children = access->childDocuments(*this);
    }
    if (static_cast<std::size_t>(ordinal) >= m_children.size()) return nullptr;
    return m_children[static_cast<std::size_t>(ordinal)];
}

ReplayReport BrowserDocument::commitWrites() {
    std::vector<page::WriteRecord> writes = m_model->writeLog();
    m_model->clearWriteLog();
    if (writes.empty()) {
        ReplayReport nothing;
        nothing.ok = true;
        return nothing;
    }
    auto access = m_access.lock();
    if (!access) {
        ReplayReport lost;
        lost.error = "the browser is gone";
        lost.skipped = std::move(writes);
        return lost;
    }
    return access->replay(*this, writes);
}

bool BrowserDocument::setElementText(const page::Element& element, const std::string& text) {
    auto access = m_access.lock();
    return access && element.document() == m_model.get() && access->setElementText(*this, element, text);
}

bool BrowserDocument::setElementAttribute(const page::Element& element, const std::string& attribute,
                                          const std::string& value) {
    auto access = m_access.lock();
    return access && element.document() == m_model.get() &&
           access->setElementAttribute(*this, element, attribute, value);
}

std::optional<std::string> BrowserDocument::currentWindowName() {
    auto access = m_access.lock();
    if (!access) return std::nullopt;
    return access->currentWindowName(*this);
}

bool BrowserDocument::refresh() {
    auto access = m_access.lock();
    return access && access->refresh(*this);
}

}  // namespace orvex::browser
