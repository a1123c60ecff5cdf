#include "settings/bar_settings.h"

#include <cstdint>

#include "profile/profile.h"
#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::settings {
namespace {

constexpr std::string_view kSystemFile = "system.ini";
constexpr text::TextView kBarSection = u"BAR";

void readInt(const profile::Snapshot& file, text::TextView key, int32_t& field) {
    long long n = 0;
    if (text::parseInt(file.read(kBarSection, key, text::number(field)), n) && n >= INT32_MIN &&
        n <= INT32_MAX)
        field = static_cast<int32_t>(n);
}

bool writeIfChanged(text::TextView key, int32_t saved, int32_t now) {
    if (saved == now) return true;
    return profile::write(dataFile(kSystemFile), kBarSection, key, text::number(now));
}

}  // namespace

BarSettings readBarSettings() {
    BarSettings s;
    const profile::Snapshot file = profile::Snapshot::load(dataFile(kSystemFile));
    readInt(file, u"BarPosition", s.BarPosition);
    readInt(file, u"UserButtonType", s.UserButtonType);
    readInt(file, u"HelloMessage", s.HelloMessage);
    return s;
}

bool writeChangedBarSettings(const BarSettings& saved, const BarSettings& now) {
    bool ok = writeIfChanged(u"BarPosition", saved.BarPosition, now.BarPosition);
    ok = writeIfChanged(u"UserButtonType", saved.UserButtonType, now.UserButtonType) && ok;
    ok = writeIfChanged(u"HelloMessage", saved.HelloMessage, now.HelloMessage) && ok;
    return ok;
}

}  // namespace orvex::settings
