#pragma once
// The page's own icon that "リンク追加" offers to keep: the page names it in its element
// "kv0ExtIcon"; the file goes into the "icons" folder of the data directory.

#include <filesystem>
#include <functional>
#include <string>

#include "browser/browser_document.h"
#include "text/text.h"

namespace orvex::bar {

// The element a page names its icon in.
inline constexpr std::string_view kPageIconElement = "kv0ExtIcon";
// The data directory's folder of button icons, and the stored form of a path into it.
inline constexpr std::string_view kIconsFolder = "icons";
inline constexpr text::TextView kStoredIconsPrefix = u".\\icons\\";
// Largest icon file taken, in bytes.
inline constexpr std::size_t kMaxIconBytes = 1024 * 1024;

/// The icon address a page names: the value of its INPUT or the source of its IMG element whose
/// id (or name) is "kv0ExtIcon", in the document or, when it has none, in its frames' documents;
/// joined to that document's address. Empty when no document names one.
text::Text pageIconAddress(const browser::DocumentRef& document);

/// `value` as an address: as it is when it has a scheme ("http:", "https:", "file:"), else joined
/// to `documentUrl` (from its origin for a value beginning with "/", else from its folder).
text::Text joinIconAddress(text::TextView value, text::TextView documentUrl);

/// The file name an icon address gives in the "icons" folder: the part after its last "/" when the
/// address ends in ".ico" or ".bmp" (in any case); empty when it does not or that part is unusable.
text::Text iconTargetName(text::TextView address);

/// What fetching an icon gave.
struct FetchResult {
    bool ok = false;
    std::string bytes;
    std::string error;  ///< shown to the user when not ok
};

/// Downloads icons; the program gives a network one, tests a fake.
class IconFetcher {
  public:
    virtual ~IconFetcher() = default;
    /// Fetches `url` and calls `done` once with the outcome (later, or before returning).
    virtual void fetch(const std::string& url, std::function<void(FetchResult)> done) = 0;
};

/// The bytes of the file a "file:" address names (percent escapes decoded, "localhost" allowed);
/// not ok with a reason when it is not such an address, is missing, unreadable or too large.
FetchResult readFileAddress(text::TextView address);

/// Stores icon bytes as `name` in the "icons" folder of `dataDir` (created when missing), replacing
/// the file in one step; the stored form of its path (".\icons\name") or empty when not written.
text::Text storeIcon(const std::filesystem::path& dataDir, text::TextView name, const std::string& bytes,
                     std::string* error);

}  // namespace orvex::bar
