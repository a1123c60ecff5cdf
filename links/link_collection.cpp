#include "links/link_collection.h"

#include <system_error>

#include "settings/product_pages.h"
#include "text/strings.h"

namespace orvex::links {
namespace {

text::Text targetUrl(BuiltInTarget target) {
    switch (target) {
        case BuiltInTarget::BrowserHome:
            return text::Text(settings::kBrowserHome);
        case BuiltInTarget::SupportPage:
            return settings::productPageUrl(settings::ProductPage::Support);
        case BuiltInTarget::HomePage:
            return settings::productPageUrl(settings::ProductPage::Home);
    }
    return {};
}

// True unless asking for the file's attributes says it does not exist (an error of another
// kind counts as present).
bool fileExists(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::status(file, ec).type() != std::filesystem::file_type::not_found;
}

}  // namespace

void insertByOrder(LinkCollection& links, LinkPtr link) {
    if (!link) return;
    for (auto it = links.begin(); it != links.end(); ++it) {
        if ((*it)->Order > link->Order) {
            links.insert(it, std::move(link));
            return;
        }
    }
    links.push_back(std::move(link));
}

LinkCollection buildLinkCollection(const settings::Globals& g) {
    LinkCollection links;
    const settings::ControlPanelPages panel = settings::controlPanelPages(g);
    auto withPanel = [&panel](clsLink& link) {
        link.FrameURL = panel.index;
        link.setHeaderURL(panel.header);
    };

    for (const BuiltInLink& b : kBuiltInLinks) {
        auto link = std::make_shared<clsLink>();
        link->Name = text::Text(b.name);
        link->URL = targetUrl(b.target);
        link->ButtonType = kButtonIconAndName;
        link->IconFileName = text::Text(b.iconFileName);
        link->InternalIcon = b.internalIcon;
        link->InputMode = b.inputMode;
        link->Visible = true;
        link->Editable = false;
        link->ToolTipText = link->Name;
        withPanel(*link);
        links.push_back(link);
        link->GetFromProfile(b.id);
    }

    auto oem = std::make_shared<clsLink>();
    if (fileExists(oem->oemFile())) {
        oem->ButtonType = kButtonIconAndName;
        oem->InputMode = kInputAutomatic;
        oem->URL = targetUrl(BuiltInTarget::HomePage);
        withPanel(*oem);
        oem->Editable = false;
        oem->Visible = true;
        oem->Order = 0;
        oem->OEM = true;
        oem->GetFromOEMProfile(kOemLinkId);
        oem->GetFromProfile(kOemLinkId);
        links.push_back(oem);
    }

    setLinkCounter(1);
    const text::Text all = clsLink().GetAllLinks();
    for (const text::Text& name : text::split(all, text::TextView(u"\0", 1))) {
        if (!text::contains(name, kUserPrefix)) continue;
        long long n = 0;
        if (text::parseInt(text::mid(name, 5), n) && n > linkCounter() && n <= INT32_MAX)
            setLinkCounter(static_cast<int32_t>(n));
        auto link = std::make_shared<clsLink>();
        link->Editable = true;
        link->GetFromProfile(name);
        withPanel(*link);
        insertByOrder(links, link);
    }
    return links;
}

}  // namespace orvex::links
