#include "page/input_value.h"

#include <gtest/gtest.h>

namespace orvex::page {
namespace {

// Tests that unknown and missing types read as text, known ones lower-cased.
TEST(InputValueTest, NormalizesTypes) {
    EXPECT_EQ(normalizeInputType("RADIO"), "radio");
    EXPECT_EQ(normalizeInputType(" tel "), "tel");
    EXPECT_EQ(normalizeInputType(""), "text");
    EXPECT_EQ(normalizeInputType("datetime"), "text");
    EXPECT_EQ(normalizeInputType("text value="), "text");
}

// Tests the sanitising of typed values per input type.
TEST(InputValueTest, SanitizesByType) {
    EXPECT_EQ(sanitizeInputValue("text", "a\nb\rc"), "abc");
    EXPECT_EQ(sanitizeInputValue("email", "  a@b.jp \n"), "a@b.jp");
    EXPECT_EQ(sanitizeInputValue("number", "-1.5e3"), "-1.5e3");
    EXPECT_EQ(sanitizeInputValue("number", "1,000"), "");
    EXPECT_EQ(sanitizeInputValue("number", "1."), "");
    EXPECT_EQ(sanitizeInputValue("date", "1975-04-01"), "1975-04-01");
    EXPECT_EQ(sanitizeInputValue("date", "1975/04/01"), "");
    EXPECT_EQ(sanitizeInputValue("date", "1975-02-29"), "");
    EXPECT_EQ(sanitizeInputValue("date", "2000-02-29"), "2000-02-29");
    EXPECT_EQ(sanitizeInputValue("month", "1975-13"), "");
    EXPECT_EQ(sanitizeInputValue("week", "2024-W05"), "2024-W05");
    EXPECT_EQ(sanitizeInputValue("time", "23:59:01.5"), "23:59:01.5");
    EXPECT_EQ(sanitizeInputValue("time", "24:00"), "");
    EXPECT_EQ(sanitizeInputValue("datetime-local", "1975-04-01T08:30"), "1975-04-01T08:30");
    EXPECT_EQ(sanitizeInputValue("color", "#ABCDEF"), "#abcdef");
    EXPECT_EQ(sanitizeInputValue("color", "red"), "#000000");
    EXPECT_EQ(sanitizeInputValue("hidden", "a\nb"), "a\nb");
}

// Tests line-break normalisation of text areas.
TEST(InputValueTest, NormalizesLineBreaks) {
    EXPECT_EQ(normalizeLineBreaks("a\r\nb\rc\n"), "a\nb\nc\n");
    EXPECT_EQ(normalizeLineBreaks("\r"), "\n");
    EXPECT_EQ(normalizeLineBreaks(""), "");
}

}  // namespace
}  // namespace orvex::page
