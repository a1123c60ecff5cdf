#include "palette/clip_layout.h"

namespace orvex::palette {
namespace {

constexpr int kMargin = 4;
constexpr int kTop = 10;
constexpr int kButtonHeight = 30;
constexpr int kRowGap = 4;
constexpr int kColumnGap = 5;
// Between the data buttons and the phrases, so the free phrases read as a group of their own.
constexpr int kSectionGap = 8;
constexpr int kDataWidth = (kWindowWidth - 2 * kMargin - (kDataColumns - 1) * kColumnGap) / kDataColumns;
constexpr int kPitch = kButtonHeight + kRowGap;
constexpr int kPhraseTop = kTop + kDataRows * kPitch + kSectionGap;
static_assert(kPhraseTop + kPhraseButtonCount * kPitch - kRowGap <= kClipPartHeight - kMargin,
              "the phrase buttons must fit in the clipboard part");

}  // namespace

Rect clipButtonRect(int index) {
    if (index < 0 || index >= kButtonCount) return {};
    if (isPhraseButton(index))
        return {kMargin, kPhraseTop + (index - kFirstPhraseButton) * kPitch, kWindowWidth - 2 * kMargin,
                kButtonHeight};
    const int row = index / kDataColumns;
    const int column = index % kDataColumns;
    return {kMargin + column * (kDataWidth + kColumnGap), kTop + row * kPitch, kDataWidth, kButtonHeight};
}

}  // namespace orvex::palette
