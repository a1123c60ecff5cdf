#pragma once
// The favourites: one shortcut file per page in the "Favorites" folder of the data directory.

#include <filesystem>
#include <string>
#include <string_view>

#include "text/text.h"

namespace orvex::bar {

// The folder of the data directory that holds the favourites.
inline constexpr std::string_view kFavoritesFolder = "Favorites";
// Longest file name a favourite gets, in characters, before ".url".
inline constexpr int kMaxFavoriteNameLength = 100;

/// The file name of a favourite: the page's name (its address when the name is empty) with every
/// character a file name cannot hold replaced by "_", blanks and dots cut from both ends, at most
/// 100 characters, followed by ".url"; "Favorite.url" when nothing is left.
text::Text favoriteFileName(text::TextView name, text::TextView url);

/// The outcome of adding a favourite.
struct FavoriteResult {
    bool ok = false;
    std::filesystem::path file;  ///< the shortcut written
    std::string error;           ///< why it was not written
};

/// Writes the shortcut of a page into `folder` (created when missing) as
/// "[InternetShortcut]" with "URL=" the address, replacing the file in one step; an existing
/// favourite of the same name is replaced. Fails (nothing written) for an empty address, an
/// address with a line break, or a folder or file that cannot be written.
FavoriteResult addFavorite(const std::filesystem::path& folder, text::TextView name, text::TextView url);

}  // namespace orvex::bar
