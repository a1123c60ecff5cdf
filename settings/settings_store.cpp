#include "settings/settings_store.h"

#include <cstdint>
#include <limits>
#include <system_error>

#include "profile/profile.h"
#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::settings {
namespace {

// The section that holds every setting.
constexpr text::TextView kSection = u"data";

}  // namespace

text::Text getSetting(text::TextView key, text::TextView def) {
    return profile::read(settingsFile(), kSection, key, def);
}

bool saveSetting(text::TextView key, text::TextView value) {
    const auto file = settingsFile();
    std::error_code ec;
    if (std::filesystem::create_directories(file.parent_path(), ec))
        std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all, ec);
    return profile::write(file, kSection, key, value);
}

text::Text boolText(bool value) {
    return value ? u"True" : u"False";
}

bool parseBool(text::TextView stored) {
    const text::Text t = text::toLower(text::trim(stored));
    if (t == u"true") return true;
    if (t == u"false") return false;
    long long n = 0;
    return text::parseInt(t, n) && n != 0;
}

int32_t parseInt32(text::TextView stored) {
    long long n = 0;
    if (!text::parseInt(stored, n)) return 0;
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max()) return 0;
    return static_cast<int32_t>(n);
}

}  // namespace orvex::settings
