#include "palette/caption_fit.h"

#include <gtest/gtest.h>

namespace orvex::palette {
namespace {

// Ten pixels per character: a button 100 wide has room for nine.
int tenEach(text::TextView s) {
    return static_cast<int>(s.size()) * 10;
}

// The documented rule, one character at a time, as the reference.
text::Text oneAtATime(text::TextView full, int width, const std::function<int(text::TextView)>& measure) {
    text::Text caption(full);
    while (!caption.empty() && measure(caption) > width - kCaptionMargin) caption.pop_back();
    return caption;
}

// Tests that a caption as wide as the button less its margin stays whole, and one character
// more loses exactly that character.
TEST(CaptionFitTest, KeepsWhatFits) {
    EXPECT_EQ(fitCaption(u"123456789", 100, tenEach), u"123456789");
    EXPECT_EQ(fitCaption(u"1234567890", 100, tenEach), u"123456789");
    EXPECT_EQ(fitCaption(u"1234567890", 101, tenEach), u"123456789");
    EXPECT_EQ(fitCaption(u"1234567890", 110, tenEach), u"1234567890");
}

// Tests that the result equals the one-character-at-a-time rule for a measure of uneven widths
// over many button widths and lengths, a 600-character phrase among them.
TEST(CaptionFitTest, SameAsTheDocumentedLoop) {
    const auto uneven = [](text::TextView s) {
        int w = 0;
        for (char16_t c : s) w += c == u'i' ? 3 : (c >= 0x3000 ? 13 : 7);
        return w;
    };
    const text::Text samples[] = {u"iiiiあいうえおWWWiii", u"東京都 千代田区 千代田1-1 ビル101",
                                  text::Text(600, u'長')};
    for (const text::Text& s : samples)
        for (int width = 0; width < 200; width += 7)
            EXPECT_EQ(fitCaption(s, width, uneven), oneAtATime(s, width, uneven)) << width;
}

// Tests that nothing fitting and an empty text both give an empty caption, and that a character
// outside the BMP is dropped whole rather than leaving half of it.
TEST(CaptionFitTest, EdgesAndPairs) {
    EXPECT_EQ(fitCaption(u"abc", 5, tenEach), u"");
    EXPECT_EQ(fitCaption(u"", 100, tenEach), u"");
    // Units: 1, 2, 3 and the pair at 4 and 5: five units do not fit in 40, four would split it.
    EXPECT_EQ(fitCaption(u"123😀", 50, tenEach), u"123");
    EXPECT_EQ(fitCaption(u"123😀", 60, tenEach), u"123😀");
}

}  // namespace
}  // namespace orvex::palette
