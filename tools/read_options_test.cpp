#include "tools/read_options.h"

#include <gtest/gtest.h>

namespace orvex::tools {
namespace {

std::optional<ReadOptions> parse(std::vector<std::string_view> args, std::string* errorOut = nullptr) {
    std::string error;
    std::optional<ReadOptions> options = parseReadOptions(args, error);
    if (errorOut) *errorOut = error;
    return options;
}

// Tests that a page with a person, an index, a date and an output file is read in full.
TEST(ReadOptionsTest, FullFillCommandLine) {
    const auto options = parse(
        {"--person", "dir/userdata.ini:3", "--today=2024-02-29", "--out", "o.html", "--json", "page.html"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->personFile, "dir/userdata.ini");
    EXPECT_EQ(options->personIndex, 3);
    EXPECT_EQ(options->today->day, 29);
    EXPECT_EQ(options->outFile, "o.html");
    EXPECT_TRUE(options->json);
    EXPECT_EQ(options->input, "page.html");
    EXPECT_EQ(options->mode, ReadMode::Entries);
}

// Tests that a colon not followed by digits belongs to the file name.
TEST(ReadOptionsTest, PersonFileWithoutIndex) {
    const auto options = parse({"--person", "a:b.ini", "-"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->personFile, "a:b.ini");
    EXPECT_FALSE(options->personIndex);
    EXPECT_EQ(options->input, "-");
}

// Tests the usage errors: index out of range, bad date, conflicting or incomplete options.
TEST(ReadOptionsTest, UsageErrors) {
    std::string error;
    EXPECT_FALSE(parse({"--person", "u.ini:10", "p"}, &error));
    EXPECT_NE(error.find("out of range"), std::string::npos);
    EXPECT_FALSE(parse({"--person", "u.ini:", "p"}));
    EXPECT_FALSE(parse({"--person", "u.ini", "--today", "2023-02-29", "p"}));
    EXPECT_FALSE(parse({"--today", "2024-01-01", "p"}));
    EXPECT_FALSE(parse({"--out", "o.html", "p"}));
    EXPECT_FALSE(parse({"--debug", "--json", "p"}));
    EXPECT_FALSE(parse({"--forms", "--debug", "p"}));
    EXPECT_FALSE(parse({"--person", "u.ini", "--forms", "p"}));
    EXPECT_FALSE(parse({"--person"}));
    EXPECT_FALSE(parse({"a", "b"}));
    EXPECT_FALSE(parse({}));
    EXPECT_FALSE(parse({"--frobnicate", "p"}));
    // Near miss: --help and --version need no input.
    EXPECT_TRUE(parse({"--help"}));
    EXPECT_TRUE(parse({"--version"})->version);
    EXPECT_FALSE(parse({"p"})->version);
}

// Tests that --rules names one of the two rule sets and nothing else; near miss: without it the
// settings decide.
TEST(ReadOptionsTest, RuleSets) {
    EXPECT_EQ(parse({"--rules", "documented", "p"})->rules, engine::RuleSet::Documented);
    EXPECT_EQ(parse({"--rules=orvex", "p"})->rules, engine::RuleSet::Orvex);
    std::string error;
    EXPECT_FALSE(parse({"--rules", "Orvex", "p"}, &error));
    EXPECT_NE(error.find("--rules"), std::string::npos);
    EXPECT_FALSE(parse({"--rules"}));
    EXPECT_FALSE(parse({"p"})->rules);
}

// Tests the date reader on leap days and malformed dates.
TEST(ReadOptionsTest, IsoDates) {
    EXPECT_TRUE(parseIsoDate("2000-02-29"));
    EXPECT_FALSE(parseIsoDate("1900-02-29"));
    EXPECT_FALSE(parseIsoDate("2024-13-01"));
    EXPECT_FALSE(parseIsoDate("2024-1-01"));
    EXPECT_FALSE(parseIsoDate("2024/01/01"));
}

}  // namespace
}  // namespace orvex::tools
