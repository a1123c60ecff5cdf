#pragma once
// Shortening a button's caption so that it fits the button; the full text stays the tool tip.

#include <functional>

#include "text/text.h"

namespace orvex::palette {

// Room kept free inside a button, in pixels: a caption may be at most this much narrower than
// the button.
inline constexpr int kCaptionMargin = 10;

/// The caption for `full` on a button `buttonWidth` pixels wide: the full text, losing its last
/// character (a surrogate pair counts as one) while `measure` says it is wider than the button
/// less kCaptionMargin; empty when not even one character fits, and empty for an empty text.
text::Text fitCaption(text::TextView full, int buttonWidth,
                      const std::function<int(text::TextView)>& measure);

}  // namespace orvex::palette
