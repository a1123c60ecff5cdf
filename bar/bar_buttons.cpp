// The bar's buttons and layout: person buttons from the persons, link buttons from the visible
// links, and the fixed items and lines that stand around them.

#include <vector>

#include "bar/bar_model.h"
#include "bar/bar_texts.h"
#include "bar/button_rows.h"
#include "fill/user_data_file.h"
#include "settings/paths.h"

namespace orvex::bar {
namespace {

// A link's picture file: its icon (or its bitmap for bitmap buttons) when that file can be read.
std::filesystem::path linkPicture(const links::clsLink& link) {
    const text::Text& stored = link.ButtonType == links::kButtonBitmap ? link.BitmapFileName : link.IconFileName;
    if (stored.empty()) return {};
    const std::filesystem::path file = settings::resolveDataOrResourcePath(stored);
    if (file.empty() || fill::probeFile(file) != fill::FileState::Readable) return {};
    return file;
}

// The caption a link shows: the built-in browser link names the browser that is driven now.
const text::Text& linkCaption(const links::clsLink& link) {
    static const text::Text browserName(kDrivenBrowserName);
    const links::BuiltInLink& browserLink = links::kBuiltInLinks[0];
    if (link.id == browserLink.id && link.Name == browserLink.name) return browserName;
    return link.Name;
}

}  // namespace

void BarModel::loadPersons() {
    m_persons = bar::loadPersons(settings::dataDir());
    rebuildPersonButtons();
}

void BarModel::rebuildPersonButtons() {
    const int width = personButtonWidth(m_barSettings.UserButtonType);
    const bool withName = width == kWidePersonButtonWidth;
    const ButtonRow row = layoutPersonButtons(static_cast<int>(m_persons.size()), width, kStatusBoxWidth);
    m_personButtons.clear();
    for (std::size_t i = 0; i < m_persons.size(); ++i) {
        const fill::clsUserInfo& person = *m_persons[i];
        ButtonView button;
        button.index = static_cast<int>(i);
        button.rect = row.buttons[i];
        button.caption = person.DisplayName;
        button.showCaption = withName;
        button.toolTip = person.DisplayName;
        button.pictureFile = personIconFile(person);
        button.builtInPicture = personBuiltInIcon(person);
        m_personButtons.push_back(std::move(button));
    }
    m_personRowEnd = row.end;
    m_view.setPersonButtons(m_personButtons);
}

void BarModel::rebuildLinkButtons() {
    std::vector<std::size_t> shown;
    std::vector<bool> iconOnly;
    for (std::size_t i = 0; i < m_links.size(); ++i) {
        if (!m_links[i] || !m_links[i]->Visible) continue;
        shown.push_back(i);
        iconOnly.push_back(m_links[i]->ButtonType == links::kButtonIcon);
    }
    const int rowStart = m_personRowEnd + kLinkRowGap;
    const ButtonRow row =
        layoutLinkButtons(iconOnly, rowStart, m_barWidth, m_sizes.statusPictureWidth, m_sizes.autoLabelWidth);
    m_linkButtons.clear();
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const links::clsLink& link = *m_links[shown[k]];
        ButtonView button;
        button.index = static_cast<int>(shown[k]);
        button.rect = row.buttons[k];
        button.caption = linkCaption(link);
        const bool ownTip = !link.ToolTipText.empty() && link.ToolTipText != link.Name;
        button.toolTip = ownTip ? link.ToolTipText : button.caption;
        button.showCaption = link.ButtonType == links::kButtonName || link.ButtonType == links::kButtonIconAndName;
        button.showPicture = link.ButtonType != links::kButtonName;
        button.pictureFile = button.showPicture ? linkPicture(link) : std::filesystem::path();
        m_linkButtons.push_back(std::move(button));
    }
    m_view.setLinkButtons(m_linkButtons);
    pushLayout();
}

void BarModel::pushLayout() {
    BarLayout layout;
    layout.fixed = layoutFixedItems(m_barWidth, kBarThickness, m_sizes);
    layout.separators = separatorPositions(m_personRowEnd + kLinkRowGap, layout.fixed);
    layout.lines = barPaintLines(m_barWidth, kBarThickness, layout.separators);
    m_layout = layout;
    m_view.setLayout(m_layout);
}

void BarModel::setBarWidth(int width) {
    Entry entry(*this);
    m_barWidth = width;
    rebuildLinkButtons();
}

void BarModel::setFixedItemSizes(const FixedItemSizes& sizes) {
    Entry entry(*this);
    m_sizes = sizes;
    rebuildLinkButtons();
}

void BarModel::setBarSettings(const settings::BarSettings& settings) {
    Entry entry(*this);
    const bool buttonsChange = settings.UserButtonType != m_barSettings.UserButtonType;
    m_barSettings = settings;
    if (buttonsChange) RefreshButtons();
}

void BarModel::RefreshButtons() {
    Entry entry(*this);
    rebuildPersonButtons();
    rebuildLinkButtons();
}

void BarModel::UpdateUserData() {
    Entry entry(*this);
    loadPersons();
    rebuildLinkButtons();
}

void BarModel::ReplaceLinkCollection(links::LinkCollection newLinks) {
    Entry entry(*this);
    m_links = std::move(newLinks);
    rebuildLinkButtons();
}

void BarModel::clickPersonButton(int index) {
    Entry entry(*this);
    if (m_persons.empty()) {
        message(kNoPersonMessage);
        return;
    }
    const std::shared_ptr<browser::clsInputForm> current = m_current;
    if (!current || index < 0 || index >= static_cast<int>(m_persons.size())) return;
    setStatus(StatusState::BeforeNavigate);
    const PersonPtr first = m_persons.front();
    const PersonPtr chosen = m_persons[static_cast<std::size_t>(index)];
    current->UserInfo = chosen;
    current->Fill(chosen);
    // Another button fills once: the window stays with the first person.
    if (index > 0) current->UserInfo = first;
}

void BarModel::clickLinkButton(int index) {
    OpenLink(index);
}

}  // namespace orvex::bar
