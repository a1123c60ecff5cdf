#pragma once
// Where Orvex keeps its files: the data directory (the user's INI files, "icons",
// "control02"), the installed resources, and the per-user settings file.

#include <filesystem>
#include <string_view>

#include "text/text.h"

namespace orvex::settings {

/// The data directory: $ORVEX_HOME, else $XDG_DATA_HOME/orvex, else ~/.local/share/orvex
/// (empty or relative variables are ignored). Never fails; it may not exist yet.
std::filesystem::path dataDir();

/// Creates the data directory (mode 0700) when missing; false when it does not exist afterwards.
bool ensureDataDir();

/// The path of the file `name` in the data directory.
std::filesystem::path dataFile(std::string_view name);

/// A path as stored in the user's data: "\" read as "/", and a path beginning with "." taken
/// as the data directory followed by the path without its first character (".\icons\a.ico" is
/// icons/a.ico in the data directory). Other paths are returned as they are; empty stays empty.
std::filesystem::path resolveDataPath(text::TextView stored);

/// As resolveDataPath, except that a path beginning with "." whose file is missing from the data
/// directory names the same file under `resources` when it is there (the built-in icons ship
/// with the program, while the data directory's "icons" starts empty).
std::filesystem::path resolveDataOrResourcePath(text::TextView stored,
                                                const std::filesystem::path& resources);
/// resolveDataOrResourcePath with the program's resource directory.
std::filesystem::path resolveDataOrResourcePath(text::TextView stored);

/// The resource directory: "share/orvex" beside the installed program's "bin" when it exists,
/// else the source tree's resources (a build tree run). Never fails.
std::filesystem::path resourceDir();

/// As resourceDir, for a program whose executable lies in `exeDir`.
std::filesystem::path resourceDirFor(const std::filesystem::path& exeDir);

/// The per-user settings file: $XDG_CONFIG_HOME/orvex/settings.ini, else
/// ~/.config/orvex/settings.ini.
std::filesystem::path settingsFile();

/// The file URL of an absolute path, with every byte outside the URL path characters
/// percent-encoded (blanks become "%20", non-ASCII letters their UTF-8 bytes).
text::Text fileUrl(const std::filesystem::path& absolutePath);

}  // namespace orvex::settings
