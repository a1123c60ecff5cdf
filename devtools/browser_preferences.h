#pragma once
// What the browser's own settings in its profile say, where the program needs them.

#include <optional>
#include <string>

namespace orvex::devtools {

/// The home page set in the browser profile `profileDir` ("Default/Preferences": `homepage`, unless
/// `homepage_is_newtabpage` is true); nothing when the file is missing or unreadable, or no own
/// home page is set.
std::optional<std::string> profileHomePage(const std::string& profileDir);

}  // namespace orvex::devtools
