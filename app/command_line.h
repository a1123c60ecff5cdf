#pragma once
// The program's own command-line options: --help and --version, answered before any window or
// display is touched. Every other argument is left to Qt (-platform, -display, ...).

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::app {

/// What the command line asks the program to do.
enum class CommandLineAction {
    RunProgram,   // no option of the program's own: start the bar
    ShowHelp,     // -h, --help
    ShowVersion,  // --version
};

/// The first of the program's own options among `args` (the arguments after the program name);
/// RunProgram when there is none. Arguments after "--" are not options.
CommandLineAction parseCommandLine(const std::vector<std::string_view>& args);

/// What --help reports about this installation.
struct HelpFacts {
    std::filesystem::path dataDir;       // the data directory (it may not exist yet)
    std::filesystem::path settingsFile;  // the per-user settings file
    std::filesystem::path resourceDir;   // the bundled pages, pictures and help
    std::string browserSetting;          // the BrowserPath setting; empty when not set
    std::string browserPath;             // the browser the program would start
};

/// The --version text: name, version, copyright line.
std::string versionText();

/// The --help text: usage, options, files, the browser setting and the environment.
std::string helpText(const HelpFacts& facts);

/// The facts of this installation and user, read without writing anything.
HelpFacts currentHelpFacts();

/// Answers --help or --version on `out` and returns the exit code; nullopt when the program
/// should start.
std::optional<int> answerInformationOptions(int argc, char** argv, std::ostream& out);

}  // namespace orvex::app
