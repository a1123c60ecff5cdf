#pragma once
// What runs before the bar appears, after the single-instance check: the globals, the history
// store, the "icons" folder and the splash decision, the keyword dictionaries.

#include <filesystem>
#include <vector>

#include "settings/globals.h"

namespace orvex::bar {

enum class StartupStep {
    Globals,              // wait rounds and second parameter, the settings store keys, Hist,
                          // the auto-input switch and the name-check table
    HistoryStore,         // the shared history store exists
    IconsFolder,          // "icons" looked for (and created when missing)
    Splash,               // a splash picture is to be shown
    KeywordDictionaries,  // the keyword dictionaries are ready
};

struct StartupOutcome {
    std::vector<StartupStep> steps;  ///< the steps taken, in order
    bool iconsFolderExisted = false;
    /// The splash picture to show (".bmp" only); empty when none is shown, always on a start that
    /// had to create "icons".
    std::filesystem::path splash;
};

/// Runs the start-up steps in their order into `g`. Never fails: whatever cannot be read takes
/// its default, and nothing stored is written.
StartupOutcome runStartup(settings::Globals& g);

}  // namespace orvex::bar
