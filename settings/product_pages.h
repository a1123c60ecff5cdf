#pragma once
// The product's own pages (information, support, home, control panel) are bundled with the
// program and opened by file URL; this is the one place that names them.

#include <array>
#include <filesystem>
#include <string_view>

#include "settings/globals.h"
#include "text/text.h"

namespace orvex::settings {

enum class ProductPage { Information, Support, Home, ControlPanelIndex, ControlPanelHeader };

// Each bundled page's path under the resource directory, by ProductPage.
inline constexpr std::array<std::string_view, 5> kProductPagePaths = {
    "pages/info.htm",        // information page opened at start (FirstPageMode 2)
    "pages/support.htm",     // the support page link
    "pages/home.htm",        // the home page link and the distributor link
    "control02/index.htm",   // control-panel frameset
    "control02/header.htm",  // control-panel header frame
};

// The folder of the local control panel in the data directory (ControlPanelMode 2).
inline constexpr std::string_view kLocalControlPanelDir = "control02";
// The page of the browser's own home page.
inline constexpr text::TextView kBrowserHome = u"HOME";

/// The file URL of a bundled page under the resource directory.
text::Text productPageUrl(ProductPage page);

/// The first page's address: "HOME" for FirstPageMode 1, FirstPageUrl for 3, the information
/// page for any other value (0 included: whether to open it at start is the bar's decision).
text::Text firstPageAddress(const Globals& g);

struct ControlPanelPages {
    text::Text index;   // the frameset page (a link's FrameURL)
    text::Text header;  // the header page (a link's HeaderURL)
};

/// The control-panel pages for ControlPanelMode: 2 the "control02" folder of the data directory,
/// 3 ControlPanelUrl followed by "/" when it lacks one, any other mode the bundled pages.
ControlPanelPages controlPanelPages(const Globals& g);

}  // namespace orvex::settings
