#pragma once
// The files start-up looks at before the bar appears: the "icons" folder and the distributor's
// splash picture.

#include <filesystem>

namespace orvex::settings {

/// Creates the data directory when missing and looks for its "icons" folder: true when the
/// folder was already there; false when it was missing (it is then created, and no splash window
/// is shown on this start) or could not be made.
bool iconsFolderExisted();

/// The splash picture named by "FileName" in section "TITLE" of "OEM.INI" (a path beginning with
/// "." is relative to the data directory); empty when the file or value is missing or the name
/// does not end in ".bmp" in any case.
std::filesystem::path splashPicture();

}  // namespace orvex::settings
