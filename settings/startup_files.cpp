#include "settings/startup_files.h"

#include <system_error>

#include "profile/profile.h"
#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::settings {
namespace {

constexpr std::string_view kIconsFolder = "icons";
constexpr std::string_view kOemFile = "OEM.INI";
// The only picture type the splash window shows.
constexpr text::TextView kSplashExtension = u".bmp";

}  // namespace

bool iconsFolderExisted() {
    if (!ensureDataDir()) return false;
    const std::filesystem::path icons = dataFile(kIconsFolder);
    std::error_code ec;
    if (std::filesystem::is_directory(icons, ec)) return true;
    std::filesystem::create_directory(icons, ec);
    return false;
}

std::filesystem::path splashPicture() {
    const text::Text name = profile::read(dataFile(kOemFile), u"TITLE", u"FileName", u"");
    if (name.empty() || !text::endsWith(text::toLower(name), kSplashExtension)) return {};
    return resolveDataPath(name);
}

}  // namespace orvex::settings
