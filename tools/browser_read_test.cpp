#include "tools/browser_read.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "tools/read_command.h"

namespace orvex::tools {
namespace {

std::optional<ReadOptions> parse(std::vector<std::string_view> args, std::string& error) {
    return parseReadOptions(args, error);
}

// Tests that the browser options are read, and refused where they do not fit.
TEST(BrowserReadTest, Options) {
    std::string error;
    const auto options = parse({"--browser", "--headless", "--screenshot", "a.png", "http://x/"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->browser);
    EXPECT_TRUE(options->headless);
    EXPECT_EQ(options->screenshot, "a.png");
    EXPECT_FALSE(parse({"--headless", "page.html"}, error));
    EXPECT_FALSE(parse({"--screenshot", "a.png", "page.html"}, error));
    EXPECT_FALSE(parse({"--browser", "--form", "page.html"}, error));
    EXPECT_FALSE(parse({"--browser", "--debug", "page.html"}, error));
    EXPECT_FALSE(parse({"--browser", "--screenshot", "", "page.html"}, error));
}

// Tests that the demo page opened in a headless browser is filled with the sample person and
// reported with its frame; a missing person file stops before any browser starts.
TEST(BrowserReadTest, FillsDemoPage) {
    std::string error;
    auto options = parse(
        {"--browser", "--headless", "--json", "--person", ORVEX_SOURCE_DIR "/resources/sample/userdata.ini",
         ORVEX_SOURCE_DIR "/resources/demo/entry.html"},
        error);
    ASSERT_TRUE(options) << error;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runBrowserRead(*options, out, err), kExitOk) << err.str();
    const auto report = nlohmann::json::parse(out.str());
    ASSERT_EQ(report["forms"].size(), 1u);
    EXPECT_EQ(report["forms"][0]["frame"]["url"].get<std::string>().rfind("file://", 0), 0u);
    bool nameWritten = false;
    for (const auto& write : report["forms"][0]["writes"])
        nameWritten = nameWritten || (write["element"]["name"] == "sei" && write["value"] == "山田");
    EXPECT_TRUE(nameWritten) << out.str();

    options->personFile = "/nonexistent/userdata.ini";
    std::ostringstream none;
    EXPECT_EQ(runBrowserRead(*options, none, err), kExitUnreadable);
    EXPECT_TRUE(none.str().empty());
}

// Tests that a page that opens an alert while it loads is read and filled in a headless run, and
// that the report says the dialog was accepted.
TEST(BrowserReadTest, AcceptsADialogOfThePage) {
    const std::filesystem::path page = std::filesystem::temp_directory_path() / "orvex-read-alert-test.html";
    std::ofstream(page) << "<html><head><meta charset=\"utf-8\"><script>alert('ようこそ');</script></head>"
                           "<body><form><table><tr><td>お名前</td><td><input type=text name=name></td></tr>"
                           "</table></form></body></html>";
    std::string error;
    auto options = parse({"--browser", "--headless", "--json", "--person",
                          ORVEX_SOURCE_DIR "/resources/sample/userdata.ini", page.string()},
                         error);
    ASSERT_TRUE(options) << error;
    std::ostringstream out;
    std::ostringstream err;
    const int status = runBrowserRead(*options, out, err);
    std::filesystem::remove(page);
    ASSERT_EQ(status, kExitOk) << err.str();
    const auto report = nlohmann::json::parse(out.str());
    ASSERT_EQ(report["notes"].size(), 1u) << out.str();
    EXPECT_NE(report["notes"][0].get<std::string>().find("alert (\"ようこそ\"): accepted"),
              std::string::npos);
    ASSERT_EQ(report["forms"].size(), 1u);
    ASSERT_EQ(report["forms"][0]["writes"].size(), 1u) << out.str();
    EXPECT_EQ(report["forms"][0]["writes"][0]["value"], "山田\u3000花子");
}

}  // namespace
}  // namespace orvex::tools
