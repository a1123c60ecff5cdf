#include "bar/button/button_layout.h"

#include <algorithm>

namespace orvex::bar::button {

ButtonLayout layoutButton(int width, int height, bool hasPicture, bool hasCaption, int textAlign, bool pressed) {
    ButtonLayout out;
    const int shift = pressed ? 1 : 0;
    const int inside = kFrameDepth + kInnerMargin;
    int captionLeft = inside;
    if (hasPicture) {
        const int size = std::max(0, std::min({kPictureSize, width - 2 * kFrameDepth, height - 2 * kFrameDepth}));
        const int x = hasCaption ? inside : (width - size) / 2;
        out.picture = {x + shift, (height - size) / 2 + shift, size, size};
        captionLeft = x + size + kCaptionGap;
    }
    if (hasCaption) {
        const int w = width - inside - captionLeft;
        const int h = height - 2 * kFrameDepth;
        if (w > 0 && h > 0) out.caption = {captionLeft + shift, kFrameDepth + shift, w, h};
    }
    out.align = textAlign == kTextAlignRight    ? CaptionAlign::Right
                : textAlign == kTextAlignCenter ? CaptionAlign::Center
                                                : CaptionAlign::Left;
    return out;
}

}  // namespace orvex::bar::button
