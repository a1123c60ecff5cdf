#include "engine/word_search.h"

#include <gtest/gtest.h>

namespace orvex::engine {
namespace {

// Tests on generated texts of every length around the eight-character steps, with the word at
// the start, inside, across a step, at the very end, cut off by the end, and absent, that the
// search finds what the standard search finds.
TEST(FindWordTest, AgreesWithStandardSearch) {
    constexpr char16_t kAlphabet[] = {u'a', u'名', u'前', u'\uFFFF', u'\u0000', u'ー'};
    constexpr TextView kWords[] = {u"名前", u"a", u"前ー", u"aaa", u"\uFFFF\u0000", u"ーー名", u"x", u""};
    std::uint32_t seed = 7;
    for (int round = 0; round < 4000; ++round) {
        Text text;
        const std::size_t length = static_cast<std::size_t>(round % 40);
        for (std::size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.push_back(kAlphabet[(seed >> 16) % std::size(kAlphabet)]);
        }
        for (TextView word : kWords) ASSERT_EQ(findWord(text, word), TextView(text).find(word)) << round;
    }
}

// Tests a word that stands only at the last place it fits, behind many near misses.
TEST(FindWordTest, FindsTheLastFittingPlace) {
    const Text text = Text(37, u'名') + u"前";
    EXPECT_EQ(findWord(text, u"名前"), 36u);
    EXPECT_EQ(findWord(text, u"前名"), TextView::npos);
    EXPECT_EQ(findWord(u"名", u"名前"), TextView::npos);
}

}  // namespace
}  // namespace orvex::engine
