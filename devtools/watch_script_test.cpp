#include "devtools/watch_script.h"

#include <gtest/gtest.h>

namespace orvex::devtools {
namespace {

// Tests that the script reports through the binding the session installs.
TEST(WatchScriptTest, UsesTheBinding) {
    EXPECT_NE(watchScript().find(std::string("'") + kBindingName + "'"), std::string::npos);
}

// Tests that mailto reports are decoded, whatever the case of the scheme.
TEST(WatchScriptTest, ParsesMailto) {
    const auto message = parseWatchMessage(R"({"kind":"mailto","url":"MailTo:a@b.jp?subject=x"})");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, WatchMessage::Kind::Mailto);
    EXPECT_EQ(message->url, "MailTo:a@b.jp?subject=x");
}

// Tests that a "mailto" report of another scheme, or without address, is dropped.
TEST(WatchScriptTest, RejectsMailtoOfOtherSchemes) {
    EXPECT_FALSE(parseWatchMessage(R"({"kind":"mailto","url":"https://x/"})"));
    EXPECT_FALSE(parseWatchMessage(R"({"kind":"mailto","url":"mail"})"));
    EXPECT_FALSE(parseWatchMessage(R"({"kind":"mailto"})"));
}

// Tests that focus reports decode and unknown or broken payloads give nothing.
TEST(WatchScriptTest, FocusAndGarbage) {
    const auto focus = parseWatchMessage(R"({"kind":"focus"})");
    ASSERT_TRUE(focus);
    EXPECT_EQ(focus->kind, WatchMessage::Kind::Focus);
    EXPECT_FALSE(parseWatchMessage(R"({"kind":"blur"})"));
    EXPECT_FALSE(parseWatchMessage("not json"));
    EXPECT_FALSE(parseWatchMessage("[]"));
    EXPECT_FALSE(parseWatchMessage(R"({"kind":7})"));
}

}  // namespace
}  // namespace orvex::devtools
