#include "settings/product_pages.h"

#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::settings {
namespace {

// Index of the control-panel pages in kProductPagePaths, for the local folder's file names.
std::string_view fileNameOf(ProductPage page) {
    std::string_view p = kProductPagePaths[static_cast<size_t>(page)];
    return p.substr(p.rfind('/') + 1);
}

text::Text absoluteUrl(const std::filesystem::path& p) {
    std::error_code ec;
    const std::filesystem::path abs = std::filesystem::absolute(p, ec);
    return fileUrl(ec ? p : abs.lexically_normal());
}

}  // namespace

text::Text productPageUrl(ProductPage page) {
    return absoluteUrl(resourceDir() / kProductPagePaths[static_cast<size_t>(page)]);
}

text::Text firstPageAddress(const Globals& g) {
    // Mode 0 opens nothing at start, but the address still serves "open the first page"
    // requests (the position dialog), so it falls to the information page like any other value.
    switch (g.FirstPageMode) {
        case 1:
            return text::Text(kBrowserHome);
        case 3:
            return g.FirstPageUrl;
        default:
            return productPageUrl(ProductPage::Information);
    }
}

ControlPanelPages controlPanelPages(const Globals& g) {
    switch (g.ControlPanelMode) {
        case 2: {
            const std::filesystem::path dir = dataDir() / kLocalControlPanelDir;
            return {absoluteUrl(dir / fileNameOf(ProductPage::ControlPanelIndex)),
                    absoluteUrl(dir / fileNameOf(ProductPage::ControlPanelHeader))};
        }
        case 3: {
            text::Text base = g.ControlPanelUrl;
            if (!text::endsWith(base, u"/")) base += u"/";
            return {base + u"index.htm", base + u"header.htm"};
        }
        default:
            // Mode 0 has no panel in use; links still carry the bundled addresses, as with mode 1.
            return {productPageUrl(ProductPage::ControlPanelIndex),
                    productPageUrl(ProductPage::ControlPanelHeader)};
    }
}

}  // namespace orvex::settings
