#include "palette/caption_fit.h"

namespace orvex::palette {
namespace {

constexpr bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

text::Text fitCaption(text::TextView full, int buttonWidth,
                      const std::function<int(text::TextView)>& measure) {
    const int room = buttonWidth - kCaptionMargin;
    text::TextView caption = full;
    // A long phrase would need hundreds of measurements one character at a time; halving first
    // finds the longest fitting start in a few, and the one-at-a-time rule then ends on the same
    // caption, because a longer start is never narrower than a shorter one.
    std::size_t fits = 0, tooLong = caption.size() + 1;
    if (!caption.empty() && measure(caption) > room) {
        tooLong = caption.size();
        while (tooLong - fits > 1) {
            const std::size_t mid = (fits + tooLong) / 2;
            if (measure(caption.substr(0, mid)) > room)
                tooLong = mid;
            else
                fits = mid;
        }
        caption = caption.substr(0, fits);
    }
    // Never end on the first half of a pair: the character is dropped whole.
    if (!caption.empty() && caption.size() < full.size() && isLowSurrogate(full[caption.size()]))
        caption.remove_suffix(1);
    return text::Text(caption);
}

}  // namespace orvex::palette
