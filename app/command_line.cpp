#include "app/command_line.h"

#include <sstream>

#include "bar/bar_texts.h"
#include "devtools/browser_launcher.h"
#include "settings/browser_path.h"
#include "settings/paths.h"
#include "text/text.h"

#ifndef ORVEX_VERSION
#define ORVEX_VERSION "0.0.0"
#endif

namespace orvex::app {
namespace {

constexpr std::string_view kProgramName = "orvex";
constexpr std::string_view kPackageName = "Orvex";
// Ends the options: what follows is left to Qt untouched.
constexpr std::string_view kEndOfOptions = "--";

}  // namespace

CommandLineAction parseCommandLine(const std::vector<std::string_view>& args) {
    for (const std::string_view arg : args) {
        if (arg == kEndOfOptions) break;
        if (arg == "--help" || arg == "-h") return CommandLineAction::ShowHelp;
        if (arg == "--version") return CommandLineAction::ShowVersion;
    }
    return CommandLineAction::RunProgram;
}

std::string versionText() {
    std::string s;
    s += kProgramName;
    s += " (";
    s += kPackageName;
    s += ") " ORVEX_VERSION "\n";
    s += text::toUtf8(bar::kLicenceText);
    s += "\n";
    return s;
}

std::string helpText(const HelpFacts& facts) {
    std::ostringstream s;
    s << "Usage: " << kProgramName << " [OPTION]...\n"
      << "Start the Orvex bar: it docks at the top or bottom edge of the screen, opens web pages in\n"
      << "its own Chromium-family browser and fills their entry forms with the persons you set up.\n"
      << "\n"
      << "  -h, --help     display this help and exit\n"
      << "      --version  output version information and exit\n"
      << "\n"
      << "Other arguments are passed to Qt (for example -platform xcb or -display :1).\n"
      << "\n"
      << "Files:\n"
      << "  data directory  " << facts.dataDir.string() << "\n"
      << "                  persons (userdata.ini), links (link.ini), history (record.ini),\n"
      << "                  system.ini, icons/, the browser's profile; created at the first start\n"
      << "  settings        " << facts.settingsFile.string() << ", section [data]\n"
      << "  bundled pages   " << facts.resourceDir.string() << "\n"
      << "\n"
      << "Browser:\n"
      << "  The key BrowserPath of the settings file names the browser binary; when it is empty,\n"
      << "  $" << devtools::kBrowserEnvVar << " does, else the first installed of";
    for (const char* path : devtools::kDefaultBrowserPaths) s << " " << path;
    s << ".\n"
      << "  BrowserPath     " << (facts.browserSetting.empty() ? "(not set)" : facts.browserSetting) << "\n"
      << "  browser         " << facts.browserPath << "\n"
      << "\n"
      << "Environment:\n"
      << "  ORVEX_HOME       the data directory (default $XDG_DATA_HOME/orvex, ~/.local/share/orvex)\n"
      << "  " << devtools::kBrowserEnvVar << "    the browser binary when BrowserPath is not set\n"
      << "  XDG_CONFIG_HOME  where orvex/settings.ini lies (default ~/.config)\n"
      << "\n"
      << "The bar's menu (right click, or the menu picture at its right end) holds the settings,\n"
      << "the help (ヘルプ) and 終了, which ends the program.\n";
    return s.str();
}

HelpFacts currentHelpFacts() {
    HelpFacts facts;
    facts.dataDir = settings::dataDir();
    facts.settingsFile = settings::settingsFile();
    facts.resourceDir = settings::resourceDir();
    std::error_code ec;
    if (const auto absolute = std::filesystem::absolute(facts.resourceDir, ec); !ec)
        facts.resourceDir = absolute.lexically_normal();
    facts.browserSetting = text::toUtf8(settings::browserPathSetting());
    facts.browserPath = devtools::resolveBrowserPath(facts.browserSetting);
    return facts;
}

std::optional<int> answerInformationOptions(int argc, char** argv, std::ostream& out) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    switch (parseCommandLine(args)) {
        case CommandLineAction::ShowHelp:
            out << helpText(currentHelpFacts());
            break;
        case CommandLineAction::ShowVersion:
            out << versionText();
            break;
        case CommandLineAction::RunProgram:
            return std::nullopt;
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace orvex::app
