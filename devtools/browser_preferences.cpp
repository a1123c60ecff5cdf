#include "devtools/browser_preferences.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

namespace orvex::devtools {

std::optional<std::string> profileHomePage(const std::string& profileDir) {
    if (profileDir.empty()) return std::nullopt;
    std::ifstream in(std::filesystem::path(profileDir) / "Default" / "Preferences", std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    const nlohmann::json prefs = nlohmann::json::parse(text.str(), nullptr, false);
    if (!prefs.is_object()) return std::nullopt;
    const auto newTab = prefs.find("homepage_is_newtabpage");
    if (newTab != prefs.end() && newTab->is_boolean() && newTab->get<bool>()) return std::nullopt;
    const auto home = prefs.find("homepage");
    if (home == prefs.end() || !home->is_string() || home->get_ref<const std::string&>().empty())
        return std::nullopt;
    return home->get<std::string>();
}

}  // namespace orvex::devtools
