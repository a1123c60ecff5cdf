#pragma once
// The ordered collection of link buttons the bar shows: the built-in links, the distributor's
// link when "OEM.INI" exists, and the user's links sorted in by their order.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "links/link.h"
#include "settings/globals.h"

namespace orvex::links {

using LinkPtr = std::shared_ptr<clsLink>;
using LinkCollection = std::vector<LinkPtr>;

// Where a built-in link leads.
enum class BuiltInTarget { BrowserHome, SupportPage, HomePage };

struct BuiltInLink {
    text::TextView id;
    text::TextView name;
    BuiltInTarget target;
    text::TextView iconFileName;
    int16_t internalIcon;
    int32_t inputMode;
};

// The links built into the program, in the order they are added; all are shown with icon and
// name, visible and not editable.
inline constexpr std::array<BuiltInLink, 3> kBuiltInLinks = {{
    {u"HDLN0000", u"Internet Explorer", BuiltInTarget::BrowserHome, u".\\icons\\earth.ico", 0,
     kInputOnRequest},
    {u"HDLN0002", u"Orvex2000 Support Page", BuiltInTarget::SupportPage, u".\\icons\\orvex.ico", 1,
     kInputAutomatic},
    {u"HDLN0003", u"すぐ応募", BuiltInTarget::HomePage, u".\\icons\\present.ico", 1, kInputAutomatic},
}};

// The id of the one distributor link.
inline constexpr text::TextView kOemLinkId = u"OEM0001";

/// Puts `link` before the first entry whose Order is greater than its own, or at the end; links
/// with equal Order keep the order of insertion.
void insertByOrder(LinkCollection& links, LinkPtr link);

/// Builds the bar's links from the data directory's "link.ini" and "OEM.INI", with the control
/// panel pages of `g` as FrameURL and HeaderURL; sets the link counter to the highest user link
/// number (at least 1). Missing or unreadable files give no user or no distributor link.
LinkCollection buildLinkCollection(const settings::Globals& g);

}  // namespace orvex::links
