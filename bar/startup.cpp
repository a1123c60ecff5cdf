#include "bar/startup.h"

#include "history/recs.h"
#include "settings/startup_files.h"

namespace orvex::bar {

StartupOutcome runStartup(settings::Globals& g) {
    StartupOutcome outcome;
    settings::loadGlobals(g);
    outcome.steps.push_back(StartupStep::Globals);
    (void)history::sharedRecs();
    outcome.steps.push_back(StartupStep::HistoryStore);
    outcome.iconsFolderExisted = settings::iconsFolderExisted();
    outcome.steps.push_back(StartupStep::IconsFolder);
    // A start that had to make the folder shows no splash.
    if (outcome.iconsFolderExisted) {
        outcome.splash = settings::splashPicture();
        if (!outcome.splash.empty()) outcome.steps.push_back(StartupStep::Splash);
    }
    // The dictionaries are compile-time tables: nothing is left to build at run time.
    outcome.steps.push_back(StartupStep::KeywordDictionaries);
    return outcome;
}

}  // namespace orvex::bar
