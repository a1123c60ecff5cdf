#include "bar/favorites.h"

#include <system_error>

#include "profile/atomic_file.h"
#include "text/strings.h"

namespace orvex::bar {
namespace {

constexpr text::TextView kShortcutExtension = u".url";
constexpr text::TextView kFallbackName = u"Favorite";
// Characters no file name may hold on the systems a favourite may be copied to.
constexpr text::TextView kForbidden = u"/\\:*?\"<>|";

bool forbidden(char16_t c) {
    return c < 0x20 || c == 0x7F || kForbidden.find(c) != text::TextView::npos;
}

bool cutAtEnds(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'.';
}

}  // namespace

text::Text favoriteFileName(text::TextView name, text::TextView url) {
    text::Text base(name.empty() ? url : name);
    for (char16_t& c : base)
        if (forbidden(c)) c = u'_';
    std::size_t from = 0;
    while (from < base.size() && cutAtEnds(base[from])) ++from;
    std::size_t to = base.size();
    while (to > from && cutAtEnds(base[to - 1])) --to;
    base = base.substr(from, to - from);
    if (static_cast<int>(base.size()) > kMaxFavoriteNameLength) {
        base.resize(kMaxFavoriteNameLength);
        // Never leave half of a surrogate pair at the cut.
        if (!base.empty() && base.back() >= 0xD800 && base.back() <= 0xDBFF) base.pop_back();
    }
    if (base.empty()) base = text::Text(kFallbackName);
    return base + text::Text(kShortcutExtension);
}

FavoriteResult addFavorite(const std::filesystem::path& folder, text::TextView name, text::TextView url) {
    FavoriteResult result;
    if (url.empty()) {
        result.error = "the page has no address";
        return result;
    }
    if (url.find(u'\n') != text::TextView::npos || url.find(u'\r') != text::TextView::npos) {
        result.error = "the address holds a line break";
        return result;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        result.error = "cannot create " + folder.string();
        return result;
    }
    result.file = folder / text::toUtf8(favoriteFileName(name, url));
    const std::string bytes = "[InternetShortcut]\r\nURL=" + text::toUtf8(url) + "\r\n";
    if (!profile::replaceFile(result.file, bytes)) {
        result.error = "cannot write " + result.file.string();
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace orvex::bar
