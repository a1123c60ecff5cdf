#include "links/links_dialog.h"

#include <algorithm>
#include <utility>

#include "links/links_dialog_texts.h"

namespace orvex::links {

int inputModeEntry(int32_t inputMode) {
    for (std::size_t i = 0; i < kInputModeEntries.size(); ++i)
        if (kInputModeEntries[i].inputMode == inputMode) return static_cast<int>(i);
    return -1;
}

int buttonTypeOption(int32_t buttonType) {
    for (std::size_t i = 0; i < kButtonTypeOptions.size(); ++i)
        if (kButtonTypeOptions[i].buttonType == buttonType) return static_cast<int>(i);
    return -1;
}

LinksDialog::LinksDialog(const LinkCollection& barLinks, const std::optional<clsLink>& newLink,
                         text::TextView browserCaption)
    : m_browserCaption(browserCaption) {
    for (const LinkPtr& link : barLinks) {
        if (!link) continue;
        auto copy = std::make_shared<clsLink>();
        link->CopyTo(*copy);
        m_links.push_back(std::move(copy));
    }
    if (newLink) {
        m_links.push_back(std::make_shared<clsLink>(*newLink));
        m_selected = count() - 1;
    } else {
        m_selected = m_links.empty() ? -1 : 0;
    }
}

text::Text LinksDialog::lineText(int line) const {
    if (line < 0 || line >= count()) return {};
    const clsLink& link = *m_links[static_cast<std::size_t>(line)];
    const BuiltInLink& browserLink = kBuiltInLinks[0];
    if (!m_browserCaption.empty() && link.id == browserLink.id && link.Name == browserLink.name)
        return m_browserCaption;
    return link.Name;
}

void LinksDialog::select(int line) {
    m_selected = line >= 0 && line < count() ? line : -1;
}

const clsLink* LinksDialog::selectedLink() const {
    return m_selected < 0 ? nullptr : m_links[static_cast<std::size_t>(m_selected)].get();
}

clsLink* LinksDialog::current() {
    return m_selected < 0 ? nullptr : m_links[static_cast<std::size_t>(m_selected)].get();
}

LinkControlsEnabled LinksDialog::enabled() const {
    LinkControlsEnabled e;
    const clsLink* link = selectedLink();
    if (link == nullptr) return e;
    const bool own = link->Editable;
    e.name = e.url = e.inputMode = e.remove = own;
    e.down = own && m_selected < count() - 1;
    e.up = own && m_selected > 0 && m_links[static_cast<std::size_t>(m_selected - 1)]->Editable;
    return e;
}

void LinksDialog::setName(text::TextView name) {
    if (clsLink* link = current(); link != nullptr && link->Editable) link->Name = text::Text(name);
}

void LinksDialog::setURL(text::TextView url) {
    if (clsLink* link = current(); link != nullptr && link->Editable) link->URL = text::Text(url);
}

void LinksDialog::setInputModeEntry(int entry) {
    clsLink* link = current();
    if (link == nullptr || !link->Editable || entry < 0 || entry >= static_cast<int>(kInputModeEntries.size())) return;
    link->InputMode = kInputModeEntries[static_cast<std::size_t>(entry)].inputMode;
}

void LinksDialog::setButtonTypeOption(int option) {
    clsLink* link = current();
    if (link == nullptr || option < 0 || option >= static_cast<int>(kButtonTypeOptions.size())) return;
    link->ButtonType = kButtonTypeOptions[static_cast<std::size_t>(option)].buttonType;
}

void LinksDialog::setIconFileName(text::TextView name) {
    if (clsLink* link = current()) link->IconFileName = text::Text(name);
}

void LinksDialog::setBitmapFileName(text::TextView name) {
    if (clsLink* link = current()) link->BitmapFileName = text::Text(name);
}

void LinksDialog::setVisible(bool visible) {
    if (clsLink* link = current()) link->Visible = visible;
}

int LinksDialog::add() {
    auto link = std::make_shared<clsLink>();
    link->Name = text::Text(kNewLinkName);
    link->Visible = true;
    link->ButtonType = kButtonName;
    link->Editable = true;
    link->InputMode = kInputNever;
    link->GetNewID();
    m_links.push_back(std::move(link));
    m_selected = count() - 1;
    return m_selected;
}

DeleteStep LinksDialog::deleteStep() const {
    const clsLink* link = selectedLink();
    if (link == nullptr) return DeleteStep::Nothing;
    return link->Editable ? DeleteStep::Ask : DeleteStep::CannotDelete;
}

bool LinksDialog::deleteSelected() {
    clsLink* link = current();
    if (link == nullptr || !link->Editable) return false;
    // A section that stays must keep its number: the counter would otherwise hand it out again.
    const int32_t counterBefore = linkCounter();
    if (!link->DeleteProfile()) {
        setLinkCounter(counterBefore);
        return false;
    }
    m_links.erase(m_links.begin() + m_selected);
    if (m_selected >= count()) m_selected = count() - 1;
    return true;
}

void LinksDialog::swapWithNext(int line) {
    std::swap(m_links[static_cast<std::size_t>(line)], m_links[static_cast<std::size_t>(line + 1)]);
}

bool LinksDialog::moveUp() {
    if (!enabled().up) return false;
    swapWithNext(m_selected - 1);
    --m_selected;
    return true;
}

bool LinksDialog::moveDown() {
    if (!enabled().down) return false;
    swapWithNext(m_selected);
    ++m_selected;
    return true;
}

std::vector<text::Text> LinksDialog::writeAll() {
    std::vector<text::Text> failed;
    for (int i = 0; i < count(); ++i) {
        clsLink& link = *m_links[static_cast<std::size_t>(i)];
        link.Order = static_cast<int16_t>(std::min(i, 32767));
        if (!link.WriteToProfile()) failed.push_back(link.id);
    }
    return failed;
}

}  // namespace orvex::links
