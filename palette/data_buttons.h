#pragma once
// The palette's 35 buttons: 30 that carry pieces of the chosen person's data and 5 free
// phrases, and what text each data button carries.

#include <array>
#include <memory>
#include <vector>

#include "fill/user_info.h"
#include "text/text.h"

namespace orvex::palette {

/// The persons the palette lists, in the order of the program's person collection.
using Persons = std::vector<std::shared_ptr<const fill::clsUserInfo>>;

inline constexpr int kDataButtonCount = 30;
inline constexpr int kPhraseButtonCount = 5;
inline constexpr int kButtonCount = kDataButtonCount + kPhraseButtonCount;
// Index of the first phrase button (cmdText(30)).
inline constexpr int kFirstPhraseButton = kDataButtonCount;

/// True for the indexes of the phrase buttons (30 to 34).
constexpr bool isPhraseButton(int index) {
    return index >= kFirstPhraseButton && index < kButtonCount;
}

/// One data button: the person's field it carries (its name in the person store) and a short
/// Japanese label that screen readers announce beside the text.
struct DataButton {
    const char* field;
    text::TextView label;
    text::Text (*text)(const fill::clsUserInfo& person);
};

/// The data buttons by index.
extern const std::array<DataButton, kDataButtonCount> kDataButtons;

/// The texts of the 30 data buttons for `person`, by index. A text made of blanks only (the full
/// name of a person without a name) is empty, so a person with every field empty gives 30 empty
/// texts.
std::array<text::Text, kDataButtonCount> dataButtonTexts(const fill::clsUserInfo& person);

/// The label of button `index` for screen readers: the data button's label, "自由欄" and the
/// phrase's number for a phrase button; empty for an index out of range.
text::Text buttonLabel(int index);

}  // namespace orvex::palette
