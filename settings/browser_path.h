#pragma once
// The setting that names the browser binary the program starts.

#include "settings/settings_store.h"
#include "text/text.h"

namespace orvex::settings {

// Key of the per-user settings store naming the browser binary; empty or missing leaves the
// choice to $ORVEX_BROWSER and the usual install paths.
inline constexpr text::TextView kBrowserPathKey = u"BrowserPath";

/// The stored browser path; empty when it is not set or cannot be read.
inline text::Text browserPathSetting() {
    return getSetting(kBrowserPathKey, u"");
}

}  // namespace orvex::settings
