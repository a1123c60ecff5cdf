#pragma once
// The bar's persons: read from "userdata.ini" in the data directory, in section order, only those
// the user made visible.

#include <filesystem>
#include <memory>
#include <vector>

#include "fill/user_info.h"

namespace orvex::bar {

using PersonPtr = std::shared_ptr<const fill::clsUserInfo>;
using PersonList = std::vector<PersonPtr>;

/// The persons of "userdata.ini" in `dataDir`: sections "USER0" to "USER9" in that order whose
/// "Visible" is "True", each with its data read; a person whose data cannot be read is skipped.
/// A missing or unreadable file gives none. Reads only.
PersonList loadPersons(const std::filesystem::path& dataDir);

/// True when "userdata.ini" is missing from `dataDir` (the person setup dialog then opens first).
bool userDataMissing(const std::filesystem::path& dataDir);

/// The icon file a person's button shows: the person's icon file when it is enabled, names a file
/// (a path beginning with "." from the data directory, else the bundled icons) and that file can be
/// read; empty otherwise (the button then shows its built-in picture).
std::filesystem::path personIconFile(const fill::clsUserInfo& person);

/// The built-in picture a person's button shows: the number in BuiltInIcon, 0 when it is none.
int personBuiltInIcon(const fill::clsUserInfo& person);

}  // namespace orvex::bar
