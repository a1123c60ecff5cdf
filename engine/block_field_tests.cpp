// Block tests of the per-field deciders: how a block's inputs and the short texts between them
// are laid out (zip pair, phone pair, age range, name and reading groups, birth-date labels).

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/decider_tags.h"
#include "engine/html_item_block.h"
#include "engine/tag_reader.h"
#include "engine/text_rules.h"
#include "text/strings.h"

namespace orvex::engine {

using labels::containsAny;

namespace {

/// Width of an input whose `size` is missing, empty, not a number or rounds to zero.
constexpr int kDefaultInputWidth = 20;
/// Widths are clamped to this before rounding; no form asks for a wider box, and the clamp keeps
/// the conversion to int defined for absurd attribute values.
constexpr double kMaxInputWidth = 1e9;
/// A text between two inputs counts as a joining hyphen or bracket only when it is this short.
constexpr std::size_t kMaxJoinTextLength = 3;
/// Zip pair: each input of a 3+4 postal code is at most this wide.
constexpr int kMaxZipPartWidth = 10;
/// Zip pair: the second input is at most this many times as wide as the first.
constexpr double kZipPartRatio = 1.5;
/// Single zip input: wider than this, it takes the address too.
constexpr int kZipOnlyWidth = 20;
/// Zip and other: the first input is at most this fraction (1 / n) of the second.
constexpr int kZipAndOtherRatio = 3;
/// Age range: a text between the two inputs longer than this is a label, not a range mark.
constexpr std::size_t kMaxRangeTextLength = 2;

Text withoutCr(TextView token) {
    return text::replaceAll(token, kCrToken, u"");
}

// A text token as the layout tests compare it: without "$CR$" and without blanks.
Text bareText(TextView token) {
    return RemoveSpaces(withoutCr(token));
}

// The leading decimal number of `value` after leading half-width spaces: optional sign, digits,
// optional fraction; 0 when there is none.
double leadingDecimal(TextView value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == u' ') ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) {
        negative = value[i] == u'-';
        ++i;
    }
    double number = 0;
    while (i < value.size() && value[i] >= u'0' && value[i] <= u'9') {
        number = number * 10 + (value[i] - u'0');
        ++i;
    }
    if (i < value.size() && value[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < value.size() && value[i] >= u'0' && value[i] <= u'9') {
            number += (value[i] - u'0') * scale;
            scale /= 10;
            ++i;
        }
    }
    return negative ? -number : number;
}

// Width of the input `tag`: its size rounded half to even; the default when that gives 0 (the
// zero test is made on the rounded number, so "0.4" counts as the default too).
int inputWidth(TextView tag) {
    double value = leadingDecimal(GetAttribute(tag, u"size"));
    if (value > kMaxInputWidth) value = kMaxInputWidth;
    if (value < -kMaxInputWidth) value = -kMaxInputWidth;
    const int rounded = static_cast<int>(std::nearbyint(value));  // default mode: half to even
    return rounded == 0 ? kDefaultInputWidth : rounded;
}

// A name-label text with the width phrases removed (and "$CR$" too when `dropCr`).
Text readingLabelText(TextView token, bool dropCr) {
    Text t = dropCr ? withoutCr(token) : Text(token);
    for (TextView phrase : labels::kKanaWidthPhrases) deleteAll(t, phrase);
    return t;
}

Text concat(TextView a, TextView b, TextView c = {}) {
    Text out(a);
    out += b;
    out += c;
    return out;
}

Text eq(TextView tag) {
    return concat(u"=", tag);
}

}  // namespace

bool clsHTMLItemBlock::Is2Zip() const {
    // Both widths start at 0: a block with a single input gives size2 = 0 and so passes the
    // width rule whenever the first input is narrow.
    int size1 = 0;
    int size2 = 0;
    bool firstSeen = false;
    bool secondSeen = false;
    for (const Text& token : colToken) {
        if (isTagToken(token)) {
            if (!firstSeen) {
                size1 = inputWidth(token);
                firstSeen = true;
            } else {
                size2 = inputWidth(token);
                secondSeen = true;
            }
            continue;
        }
        const Text t = bareText(token);
        if (firstSeen && !secondSeen && t.size() <= kMaxJoinTextLength && containsAny(t, labels::kZipHyphens))
            return true;
    }
    return size1 * kZipPartRatio >= size2 && size1 <= kMaxZipPartWidth && size2 <= kMaxZipPartWidth;
}

bool clsHTMLItemBlock::IsZipAndCity() const {
    for (const Text& token : colToken) {
        if (!isTagToken(token) || GetAttribute(token, u"") == u"SELECT") continue;
        return inputWidth(token) > kZipOnlyWidth;
    }
    return false;
}

bool clsHTMLItemBlock::IsZipAndOther() const {
    // A missing input counts as width 0, the first as well as the second.
    int sizes[2] = {0, 0};
    int seen = 0;
    for (const Text& token : colToken) {
        if (!isTagToken(token)) continue;
        sizes[seen++] = inputWidth(token);
        if (seen == 2) break;
    }
    return sizes[0] <= sizes[1] / kZipAndOtherRatio;
}

void clsHTMLItemBlock::CheckNameKanaStruct(std::int32_t& type1, std::int32_t& count1, std::int32_t& type2,
                                           std::int32_t& count2) const {
    std::int32_t j = 0;
    std::int32_t k = 0;
    bool split = false;
    for (const Text& token : colToken) {
        if (isTagToken(token)) {
            if (split)
                ++k;
            else
                ++j;
            continue;
        }
        const Text t = readingLabelText(token, false);
        if (containsAny(t, labels::kReadingLabelWords) && j > 0 && !split) {
            split = true;
            type1 = 0;
            type2 = 1;
        }
        if (text::contains(t, labels::kKanjiLabel) && j > 0 && !split) {
            split = true;
            type1 = 1;
            type2 = 0;
        }
    }
    count1 = j;
    count2 = k;
}

namespace {

// Walks the name inputs of a block against the names collected for it: every input whose name
// is the collected name at its place is passed to onInput with its place j (from 1) and whether
// a reading label stood before it. False when the block has more inputs than collected names.
template <typename OnInput>
bool walkNameInputs(const std::vector<Text>& tokens, const std::vector<Text>& names, OnInput onInput) {
    bool reading = false;
    std::size_t j = 0;
    for (const Text& token : tokens) {
        if (!isTagToken(token)) {
            if (containsAny(readingLabelText(token, true), labels::kReadingLabelWords)) reading = true;
            continue;
        }
        ++j;
        if (j > names.size()) return false;
        if (attributeView(token, u"name") == names[j - 1]) onInput(j, reading);
    }
    return true;
}

}  // namespace

std::optional<std::vector<Text>> clsHTMLItemBlock::DecideNameKana2(const std::vector<Text>& names,
                                                                   TextView kanaWord) const {
    int i = 0;
    int l = 0;
    std::vector<Text> result;
    const bool fits = walkNameInputs(colToken, names, [&](std::size_t j, bool reading) {
        if (!reading) {
            ++i;
            if (i <= 2) result.push_back(concat(u"=", tags::kName, text::number(i)));
            return;
        }
        ++l;
        if (j == 1) {
            result.push_back(concat(u"=", kanaWord, u"1"));
        } else if (j == 2 && l == 1) {
            // The reading label stood between the two inputs: kanji name, then its reading.
            result = {eq(tags::kName), eq(kanaWord)};
        } else if (j == 2 && l == 2) {
            result.push_back(concat(u"=", kanaWord, u"2"));
        }
    });
    if (!fits) return std::nullopt;  // more inputs than collected names
    return result;
}

std::optional<std::vector<Text>> clsHTMLItemBlock::DecideNameKana4(const std::vector<Text>& names,
                                                                   TextView kanaWord) const {
    int i = 0;
    int l = 0;
    std::vector<Text> result;
    const bool fits = walkNameInputs(colToken, names, [&](std::size_t, bool reading) {
        if (!reading) {
            ++i;
            if (i == 1 || i == 2)
                result.push_back(concat(u"=", tags::kName, text::number(i)));
            else if (i == 3 || i == 4)
                result.push_back(concat(u"=", kanaWord, text::number(i - 2)));
        } else {
            ++l;
            if (l == 1 || l == 2)
                result.push_back(concat(u"=", kanaWord, text::number(l)));
            else if (l == 3 || l == 4)
                result.push_back(concat(u"=", tags::kName, text::number(l - 2)));
        }
    });
    if (!fits) return std::nullopt;  // more inputs than collected names
    return result;
}

bool clsHTMLItemBlock::Is2Tel() const {
    bool firstSeen = false;
    for (const Text& token : colToken) {
        if (isTagToken(token)) {
            if (firstSeen) return false;  // the second input: nothing joined the first two
            firstSeen = true;
            continue;
        }
        const Text t = bareText(token);
        if (firstSeen && t.size() <= kMaxJoinTextLength && containsAny(t, labels::kTelSeparators))
            return true;
    }
    return false;
}

bool clsHTMLItemBlock::EmailConfirm() const {
    if (containsAny(GetAllText(), labels::kEmailConfirmWords)) return true;
    bool firstSeen = false;
    for (const Text& token : colToken) {
        if (isTagToken(token)) {
            if (firstSeen) return false;
            firstSeen = true;
            continue;
        }
        if (firstSeen && text::contains(token, kCrToken)) return true;
    }
    return false;
}

bool clsHTMLItemBlock::Is2Age() const {
    Text firstName;
    Text lastName;
    int tagsSeen = 0;
    for (const Text& token : colToken) {
        if (isTagToken(token)) {
            const Text element = GetAttribute(token, u"");
            if (tagsSeen == 0) firstName = element;
            lastName = element;
            ++tagsSeen;
            continue;
        }
        if (tagsSeen != 1) continue;
        const Text t = bareText(token);
        if (containsAny(t, labels::kAgeWords) || t.size() > kMaxRangeTextLength) return false;
    }
    // A block without inputs has two equal (empty) element names and passes.
    return firstName == lastName;
}

bool clsHTMLItemBlock::Check19() const {
    for (const Text& token : colToken)
        if (isTextToken(token) && containsAny(withoutCr(token), labels::kNineteen)) return true;
    return false;
}

Text clsHTMLItemBlock::CheckOneBirthTag() const {
    bool nineteenBefore = false;
    bool yearAfter = false;
    bool tagSeen = false;
    for (const Text& token : colToken) {
        if (isTagToken(token)) {
            tagSeen = true;
            continue;
        }
        if (!tagSeen && containsAny(token, labels::kNineteen)) nineteenBefore = true;
        if (tagSeen && text::contains(token, labels::kYearLabel)) yearAfter = true;
    }
    return Text(nineteenBefore && yearAfter ? tags::kBirthYear34 : tags::kBirthDate);
}

std::optional<std::vector<Text>> clsHTMLItemBlock::DecideBirthDate(const std::vector<Text>& names) const {
    bool yearDone = false;
    bool monthDone = false;
    bool dayDone = false;
    bool ageLabel = false;
    bool ageMode = false;
    bool pre19 = false;
    int y = 0;
    int m = 0;
    int d = 0;
    int a = 0;
    std::size_t j = 0;
    std::vector<Text> result;

    // Month and day inputs: the first adds `whole`, the second turns it into the two halves.
    auto addPart = [&result](int count, TextView whole, TextView half1, TextView half2) -> bool {
        if (count == 1) {
            result.push_back(eq(whole));
        } else if (count == 2) {
            if (result.empty()) return false;
            result.pop_back();
            result.push_back(eq(half1));
            result.push_back(eq(half2));
        }
        return true;
    };

    for (const Text& token : colToken) {
        if (!isTagToken(token)) {
            const Text t = withoutCr(token);
            if (containsAny(t, labels::kNineteen) && !monthDone) pre19 = true;
            const bool hasYear = text::contains(t, labels::kYearLabel);
            const bool hasMonth = text::contains(t, labels::kMonthLabel);
            const bool hasDay = text::contains(t, labels::kDayLabel);
            if (hasYear && !hasMonth)
                yearDone = true;
            else if (hasMonth && !hasYear && yearDone)
                monthDone = true;
            else if (hasDay && !hasMonth && monthDone)
                dayDone = true;
            else if (dayDone && containsAny(t, labels::kAgeWords))
                ageLabel = true;
            continue;
        }
        ++j;
        if (j > names.size()) return std::nullopt;  // more inputs than names
        if (GetAttribute(token, u"name") != names[j - 1]) continue;
        if (!yearDone) {
            ++y;
            if (y == 1) {
                result.push_back(eq(pre19 ? tags::kBirthYear34 : tags::kBirthYear));
            } else {
                result.clear();
                for (int k = 1; k <= y; ++k)
                    result.push_back(concat(u"=", tags::kBirthYearCnt, text::number(y) + text::number(k)));
            }
        } else if (!monthDone) {
            ++m;
            if (!addPart(m, tags::kBirthMonth, tags::kBirthMonth1, tags::kBirthMonth2)) return std::nullopt;
        } else if (!dayDone) {
            ++d;
            if (!addPart(d, tags::kBirthDay, tags::kBirthDay1, tags::kBirthDay2)) return std::nullopt;
        } else {
            ageMode = true;
            ++a;
        }
    }
    if (ageMode && ageLabel) {
        if (a == 2) {
            result.push_back(eq(tags::kAge1));
            result.push_back(eq(tags::kAge2));
        } else {
            result.push_back(eq(tags::kAge));
        }
    }
    if (y == 0 || m == 0 || d == 0) return std::nullopt;
    return result;
}

}  // namespace orvex::engine
