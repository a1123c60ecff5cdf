#include "app/command_line.h"

#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "settings/test_env.h"

namespace orvex::app {
namespace {

CommandLineAction parse(std::vector<std::string_view> args) { return parseCommandLine(args); }

// Tests that --help, -h and --version are found anywhere before "--", the first one winning, and
// that near misses and Qt's own options start the program.
TEST(CommandLineTest, FindsTheProgramsOwnOptions) {
    EXPECT_EQ(parse({"--help"}), CommandLineAction::ShowHelp);
    EXPECT_EQ(parse({"-h"}), CommandLineAction::ShowHelp);
    EXPECT_EQ(parse({"--version"}), CommandLineAction::ShowVersion);
    EXPECT_EQ(parse({"-platform", "offscreen", "--version", "--help"}), CommandLineAction::ShowVersion);

    EXPECT_EQ(parse({}), CommandLineAction::RunProgram);
    EXPECT_EQ(parse({"-platform", "offscreen"}), CommandLineAction::RunProgram);
    EXPECT_EQ(parse({"--helpx", "-version", "-H"}), CommandLineAction::RunProgram);
    EXPECT_EQ(parse({"--", "--help"}), CommandLineAction::RunProgram);
}

// Tests that the version text is the GNU form: "orvex (Orvex) X.Y.Z", then the copyright line.
TEST(CommandLineTest, VersionTextHasTheGnuForm) {
    const std::string text = versionText();
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(^orvex \(Orvex\) [0-9]+\.[0-9]+\.[0-9]+\nCopyright )")))
        << text;
    EXPECT_EQ(text.back(), '\n');
}

// Tests that the help names the options, the data directory, the settings file, the bundled pages
// and the browser setting with the browser it leads to, and says when the setting is not set.
TEST(CommandLineTest, HelpNamesFilesAndTheBrowserSetting) {
    HelpFacts facts{"/home/u/.local/share/orvex", "/home/u/.config/orvex/settings.ini", "/usr/share/orvex",
                    "/opt/browser/chrome", "/opt/browser/chrome"};
    const std::string text = helpText(facts);
    for (const char* expected :
         {"Usage: orvex [OPTION]...\n", "  -h, --help ", "      --version ", "data directory  /home/u/.local/share/orvex\n",
          "settings        /home/u/.config/orvex/settings.ini, section [data]\n",
          "bundled pages   /usr/share/orvex\n", "BrowserPath     /opt/browser/chrome\n", "ORVEX_BROWSER"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;

    facts.browserSetting.clear();
    facts.browserPath = "/usr/lib/chromium/chromium";
    const std::string unset = helpText(facts);
    EXPECT_NE(unset.find("BrowserPath     (not set)\n"), std::string::npos);
    EXPECT_NE(unset.find("browser         /usr/lib/chromium/chromium\n"), std::string::npos);
}

// Tests that --help reports the user's data directory and stored browser without creating
// either directory, and that without an option of its own nothing is printed.
TEST(CommandLineTest, AnsweringWritesNothing) {
    settings::testing::TempHome home;
    const std::filesystem::path config = home.root() / "config" / "orvex";
    std::filesystem::create_directories(config);
    std::ofstream(config / "settings.ini") << "[data]\nBrowserPath=/opt/b/chrome\n";

    char name[] = "orvex";
    char help[] = "--help";
    char* withHelp[] = {name, help, nullptr};
    std::ostringstream out;
    EXPECT_EQ(answerInformationOptions(2, withHelp, out), 0);
    EXPECT_NE(out.str().find("data directory  " + home.data().string() + "\n"), std::string::npos);
    EXPECT_NE(out.str().find("BrowserPath     /opt/b/chrome\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home.data()));

    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* withoutOwn[] = {name, platform, offscreen, nullptr};
    std::ostringstream none;
    EXPECT_EQ(answerInformationOptions(3, withoutOwn, none), std::nullopt);
    EXPECT_TRUE(none.str().empty());
}

}  // namespace
}  // namespace orvex::app
