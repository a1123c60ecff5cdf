#include "fill/fill_choices.h"

#include <algorithm>
#include <array>

#include "engine/dictionaries.h"
#include "fill/fill_select.h"
#include "fill/fill_shared.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using text::Text;
using text::TextView;

// How many parents above a group's first button are searched for the words that tell what the
// first button means.
constexpr int kMeaningSearchLevels = 5;

// Words that label a married choice, in the order they are looked for.
constexpr std::array<TextView, 2> kMarriedWords = {u"結婚している", u"既婚"};
// Words that label an unmarried choice, in the order they are looked for.
constexpr std::array<TextView, 3> kUnmarriedWords = {u"結婚していない", u"独身", u"未婚"};

// Marks of an age band text and the flag each adds.
struct AgeMark {
    TextView word;
    int flag;
};
constexpr int kUnder = 1;   // 未満: below the number
constexpr int kOrLess = 2;  // 以下: the number or less
constexpr int kOrMore = 4;  // 以上: the number or more
constexpr int kDecade = 8;  // 代: the ten years from the number
constexpr int kRange = 16;  // a range "a～b"
// The marks of an age band text, tested on the text in half-width characters.
constexpr std::array<AgeMark, 4> kAgeMarks = {{
    {u"未満", kUnder},
    {u"以下", kOrLess},
    {u"以上", kOrMore},
    {u"代", kDecade},
}};
// The two range signs; either adds kRange once.
constexpr std::array<TextView, 2> kRangeSigns = {u"～", u"~"};
// A band without an upper number and without a mark reaches this far above its number.
constexpr long long kOpenBandWidth = 999;
// The top of an open band ("60歳以上").
constexpr long long kNoUpperAge = 999;
// Numbers above this are no ages; larger upper numbers are cut to it so the sums stay exact.
constexpr long long kAgeNumberLimit = 1'000'000'000'000LL;
// Added to an upper number that ends a decade or follows a mark ("20～30" reaches 39).
constexpr long long kDecadeSpan = 9;

// A word found in a text that choices contain; an empty text matches no choice, so a person
// without the value never checks a choice by it.
bool holdsText(TextView hay, TextView needle) {
    return !needle.empty() && text::contains(hay, needle);
}

// The first non-hidden member from the start, or from the end when `fromEnd`; null when none.
page::Element nonHiddenMember(const page::ElementCollection& group, bool fromEnd) {
    const int n = group.length();
    for (int k = 0; k < n; ++k) {
        const page::Element member = group.item(fromEnd ? n - 1 - k : k);
        if (!isHiddenInput(member)) return member;
    }
    return {};
}

// Checks the first non-hidden member when `pickFirst`, else the last one.
void checkFirstOrLast(const page::ElementCollection& group, bool pickFirst) {
    page::Element member = nonHiddenMember(group, !pickFirst);
    member.setStatus(true);
}

// "True" or "False" as a Boolean; nullopt for any other word.
std::optional<bool> parseMarriageWord(TextView word) {
    if (word == u"True") return true;
    if (word == u"False") return false;
    return std::nullopt;
}

// The age text as an integer; nullopt when it is not a number.
std::optional<long long> parseAge(TextView ageText) {
    long long age = 0;
    if (!text::parseInt(ageText, age)) return std::nullopt;
    return age;
}

// The rest of FillAge for a single element (steps 2 and 3).
void fillAgeElement(const page::Element& element, TextView ageText) {
    const std::string tag = element.tagName();
    if (tag == "TEXTAREA" || (tag == "INPUT" && !isRadioOrCheckbox(element))) {
        SetElementValue(page::NamedItem(element), ageText);
    } else if (tag == "SELECT") {
        if (const std::optional<long long> age = parseAge(ageText))
            MatchAgeBand(page::NamedItem(element), *age);
    }
}

// The rest of FillJob for a single element (steps 3 and 4).
void fillJobElement(const page::Element& element, TextView job, TextView job2) {
    const std::string tag = element.tagName();
    if (tag == "TEXTAREA" || (tag == "INPUT" && !isRadioOrCheckbox(element))) {
        SetElementValue(page::NamedItem(element), job);
    } else if (tag == "SELECT") {
        FillSelectElement(page::NamedItem(element), job, job2);
    }
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// A single sex or marriage element takes the word itself: typed into a text box, or the list
// option whose caption holds it selected.
void fillSingleWithWord(page::Element single, TextView word) {
    const std::string tag = single.tagName();
    if (tag == "INPUT" || tag == "TEXTAREA") {
        assignValue(single, word);
    } else if (tag == "SELECT") {
        SelectOptionByText(single, word);
    }
}

}  // namespace

void FillSex(const page::NamedItem& element, TextView word) {
    if (typeNameContains(element, "Collection")) {
        const page::Element visible = VisibleOfHiddenPair(element.collection());
        if (visible) {
            FillSex(page::NamedItem(visible), word);
            return;
        }
        // A collection has no tag name, so a group that names no sex gets nothing else.
        CheckSexRadio(element.collection(), word);
        return;
    }
    fillSingleWithWord(element.element(), word);
}

bool CheckSexRadio(const page::ElementCollection& group, TextView word) {
    if (group.length() < 2) return false;
    const page::Element first = group.item(0);
    const Text s = text::fromUtf8(first.outerHTML());
    int c = 0;
    int d = 0;
    if (text::contains(s, u"男")) {
        c = 1;
        d = 2;
    } else if (text::contains(s, u"女")) {
        c = 2;
        d = 1;
    } else {
        page::Element node = first.parentElement();
        for (int level = 0; level < kMeaningSearchLevels && node; ++level) {
            const Text html = innerHtmlOf(node);
            c = text::find(html, u"男");
            d = text::find(html, u"女");
            if (c > 0 || d > 0) break;
            node = node.parentElement();
        }
    }
    if (c == 0 && d == 0) return false;

    bool pickFirst = false;
    if (c >= 1 && d == 0) {
        pickFirst = word == u"男";
    } else if (c == 0 && d >= 1) {
        pickFirst = word != u"男";
    } else {
        pickFirst = (word == u"女" && d < c) || (word == u"男" && c < d);
    }
    checkFirstOrLast(group, pickFirst);
    return true;
}

void FillMarriage(const page::NamedItem& element, TextView word) {
    if (typeNameContains(element, "Collection")) {
        const page::Element visible = VisibleOfHiddenPair(element.collection());
        if (visible) {
            FillMarriage(page::NamedItem(visible), word);
            return;
        }
        if (const std::optional<bool> married = parseMarriageWord(word))
            CheckMarriageRadio(element.collection(), *married);
        return;
    }
    fillSingleWithWord(element.element(), word);
}

bool CheckMarriageRadio(const page::ElementCollection& group, bool married) {
    if (group.length() < 2) return false;
    const page::Element first = group.item(0);
    const Text s = text::fromUtf8(first.outerHTML());
    bool firstMarried = false;
    if (engine::FindAnyWord(s, kMarriedWords) > 0) {
        firstMarried = true;
    } else if (engine::FindAnyWord(s, kUnmarriedWords) > 0) {
        firstMarried = false;
    } else {
        // The positions of the last level looked at decide, even when only one kind of word
        // (or none) was found there.
        int mpos = 0;
        int upos = 0;
        page::Element node = first.parentElement();
        for (int level = 0; level < kMeaningSearchLevels && node; ++level) {
            const Text html = innerHtmlOf(node);
            mpos = engine::FindAnyWord(html, kMarriedWords);
            upos = engine::FindAnyWord(html, kUnmarriedWords);
            if (mpos > 0 && upos > 0) break;
            node = node.parentElement();
        }
        firstMarried = mpos < upos;
    }
    checkFirstOrLast(group, firstMarried == married);
    return true;
}

void FillAge(const page::NamedItem& element, TextView ageText) {
    if (typeNameContains(element, "ElementCollection")) {
        const page::ElementCollection& members = element.collection();
        const std::optional<long long> age = parseAge(ageText);
        if (age && MatchAgeBand(element, *age)) return;
        const page::Element visible = VisibleOfHiddenPair(members);
        if (visible) {
            fillAgeElement(visible, ageText);
            return;
        }
        for (int i = 0; i < members.length(); ++i)
            if (!isHiddenInput(members.item(i))) FillAge(page::NamedItem(members.item(i)), ageText);
        return;
    }
    fillAgeElement(element.element(), ageText);
}

bool MatchAgeBand(const page::NamedItem& element, long long age) {
    bool found = false;
    if (typeNameContains(element, "ElementCollection")) {
        const page::ElementCollection& members = element.collection();
        const int n = members.length();
        if (n == 0) return false;
        const std::optional<GroupLabelList> labels = GroupLabels(members.item(0), members.item(n - 1), false);
        const bool useLabels = labels && !labels->empty();
        for (int i = 0; i < n; ++i) {
            page::Element member = members.item(i);
            Text t = valueOf(member);
            if (useLabels) {
                // A member whose value has no label is not a band of its own: it is passed over.
                const std::optional<Text> label = labels->byKey(t);
                if (!label) continue;
                t = *label;
            }
            const std::optional<AgeBand> band = ParseAgeBand(t);
            if (band && band->holds(age)) {
                member.setStatus(true);
                found = true;
            }
        }
        return found;
    }
    const page::Element list = element.element();
    const std::string type = list.type();
    if (list.tagName() != "SELECT" || (type != "select-one" && type != "select-multiple")) return false;
    const page::ElementCollection options = list.options();
    for (int i = 0; i < options.length(); ++i) {
        page::Element option = options.item(i);
        const std::optional<AgeBand> band = ParseAgeBand(text::fromUtf8(option.text()));
        const bool holds = band && band->holds(age);
        option.setSelected(holds);
        found = found || holds;
    }
    return found;
}

std::optional<AgeBand> ParseAgeBand(TextView textIn) {
    const Text t = text::toHalfWidth(textIn);
    int flags = 0;
    for (const AgeMark& mark : kAgeMarks)
        if (text::contains(t, mark.word)) flags += mark.flag;
    for (TextView sign : kRangeSigns) {
        if (text::contains(t, sign)) {
            flags += kRange;
            break;
        }
    }

    std::size_t start = 0;
    while (start < t.size() && !isDigit(t[start])) ++start;
    const TextView rest = TextView(t).substr(start);
    const long long low = NextNumber(rest);
    if (low > kAgeNumberLimit) return std::nullopt;
    const Text lowText = text::number(low);
    const int at = text::find(rest, lowText);
    if (at == 0) return std::nullopt;
    long long high = NextNumber(rest.substr(static_cast<std::size_t>(at - 1) + lowText.size()));

    high = std::min(high, kAgeNumberLimit);
    if (high != 0) {
        long long bandLow = low;
        if (high < bandLow) std::swap(high, bandLow);
        if (flags != 0 || high % 10 == 0) high += kDecadeSpan;
        return AgeBand{bandLow, high};
    }
    const long long decade = low - low % 10;
    switch (flags) {
        case kUnder:
            return AgeBand{0, low - 1};
        case kOrLess:
            return AgeBand{0, low};
        case kOrMore:
            return AgeBand{low, kNoUpperAge};
        case kDecade:
            return AgeBand{decade, decade + kDecadeSpan};
        case kDecade + kOrLess:
            return AgeBand{0, decade + kDecadeSpan};
        case kDecade + kOrMore:
            return AgeBand{decade, kNoUpperAge};
        default:
            return AgeBand{low, low + kOpenBandWidth};
    }
}

void FillJob(const page::NamedItem& element, TextView job, TextView job2) {
    if (element.empty()) return;
    if (typeNameContains(element, "ElementCollection")) {
        const page::ElementCollection& members = element.collection();
        bool found = MatchJobChoice(members, job);
        if (!found && !job2.empty()) found = MatchJobChoice(members, job2);
        if (found) return;
        const page::Element visible = VisibleOfHiddenPair(members);
        if (visible) {
            fillJobElement(visible, job, job2);
            return;
        }
        for (int i = 0; i < members.length(); ++i)
            if (!isHiddenInput(members.item(i))) FillJob(page::NamedItem(members.item(i)), job, job2);
        return;
    }
    fillJobElement(element.element(), job, job2);
}

bool MatchJobChoice(const page::ElementCollection& group, TextView text) {
    const int n = group.length();
    if (n == 0) return false;
    const bool shared = SharesParentWithLikeInputs(group.item(0));
    if (shared && MatchLabelInParent(group, text)) return true;

    for (int i = 0; i < n; ++i) {
        page::Element member = group.item(i);
        if (holdsText(valueOf(member), text)) {
            member.setStatus(true);
            return true;
        }
    }

    if (!shared) {
        const std::optional<GroupLabelList> labels = GroupLabels(group.item(0), group.item(n - 1), true);
        for (int j = 0; j < n; ++j) {
            page::Element member = group.item(j);
            std::optional<Text> label;
            if (labels) {
                // Positions count labelled members only; a member past the last label has none.
                label = labels->at(j + 1);
            } else {
                label = text::fromUtf8(member.parentElement().outerHTML());
            }
            if (label && holdsText(*label, text)) {
                member.setStatus(true);
                return true;
            }
        }
    }

    bool found = false;
    for (int i = 0; i < n; ++i) {
        page::Element member = group.item(i);
        if (text::contains(valueOf(member), u"他")) {
            member.setStatus(true);
            found = true;
        }
    }
    return found;
}

bool MatchLabelInParent(const page::ElementCollection& group, TextView text) {
    if (group.length() == 0 || text.empty()) return false;
    const Text html = innerHtmlOf(group.item(0).parentElement());
    for (const Text& piece : text::split(html, u"<")) {
        if (!text::contains(piece, text)) continue;
        // Only the first piece that holds the text counts; without "value=" it names no member.
        const int at = text::find(piece, u"value=");
        if (at == 0) return false;
        const TextView after = TextView(piece).substr(static_cast<std::size_t>(at - 1) + 6);
        const std::size_t end = after.find_first_of(u" >");
        const Text v(after.substr(0, end));
        if (v.empty()) return false;
        for (int i = 0; i < group.length(); ++i) {
            page::Element member = group.item(i);
            if (valueOf(member) == v) {
                member.setStatus(true);
                break;
            }
        }
        return true;
    }
    return false;
}

}  // namespace orvex::fill
