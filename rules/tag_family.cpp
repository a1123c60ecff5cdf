#include "rules/tag_family.h"

#include <algorithm>
#include <array>

#include "engine/dictionaries.h"
#include "engine/field_kind.h"
#include "text/strings.h"

namespace orvex::rules {

TagFamily familyOf(TextView e) {
    const auto has = [e](TextView word) { return text::contains(e, word); };
    if (e.empty()) return TagFamily::None;
    if (has(u"NAMEHIRAGANA") || has(u"NAMEKATAKANA") || has(u"NAMEROME")) return TagFamily::Reading;
    if (has(u"HANDLENAME")) return TagFamily::Handle;
    if (has(u"NAME")) return TagFamily::Name;
    if (has(u"ADDRESS")) return TagFamily::Address;
    if (has(u"ZIP")) return TagFamily::Zip;
    if (has(u"PREF")) return TagFamily::Pref;
    if (has(u"FAX")) return TagFamily::Fax;
    if (has(u"TEL")) return TagFamily::Tel;
    if (has(u"EMAIL")) return TagFamily::Email;
    if (has(u"BIRTH")) return TagFamily::Birth;
    if (has(u"MARRIAGE")) return TagFamily::Marriage;
    if (has(u"AGE")) return TagFamily::Age;
    if (has(u"SEX")) return TagFamily::Sex;
    if (has(u"JOB")) return TagFamily::Job;
    return TagFamily::None;
}

namespace {

constexpr std::array<int, 1> kNameKinds = {engine::kFullName};
constexpr std::array<int, 1> kReadingKinds = {engine::kNameKana};
constexpr std::array<int, 1> kHandleKinds = {engine::kHandleName};
constexpr std::array<int, 1> kZipKinds = {engine::kZip};
constexpr std::array<int, 2> kPrefKinds = {engine::kPref, engine::kCity};
constexpr std::array<int, 3> kAddressKinds = {engine::kPref, engine::kCity, engine::kApart};
constexpr std::array<int, 1> kTelKinds = {engine::kTel};
constexpr std::array<int, 1> kFaxKinds = {engine::kFax};
constexpr std::array<int, 1> kEmailKinds = {engine::kEmail};
constexpr std::array<int, 1> kBirthKinds = {engine::kBirthDate};
constexpr std::array<int, 1> kAgeKinds = {engine::kAge};
constexpr std::array<int, 1> kSexKinds = {engine::kSex};
constexpr std::array<int, 1> kMarriageKinds = {engine::kMarriage};
constexpr std::array<int, 1> kJobKinds = {engine::kJob};

}  // namespace

std::span<const int> kindsOf(TagFamily family) {
    switch (family) {
        case TagFamily::Name:
            return kNameKinds;
        case TagFamily::Reading:
            return kReadingKinds;
        case TagFamily::Handle:
            return kHandleKinds;
        case TagFamily::Zip:
            return kZipKinds;
        case TagFamily::Pref:
            return kPrefKinds;
        case TagFamily::Address:
            return kAddressKinds;
        case TagFamily::Tel:
            return kTelKinds;
        case TagFamily::Fax:
            return kFaxKinds;
        case TagFamily::Email:
            return kEmailKinds;
        case TagFamily::Birth:
            return kBirthKinds;
        case TagFamily::Age:
            return kAgeKinds;
        case TagFamily::Sex:
            return kSexKinds;
        case TagFamily::Marriage:
            return kMarriageKinds;
        case TagFamily::Job:
            return kJobKinds;
        case TagFamily::None:
            break;
    }
    return {};
}

namespace {

// True when `c` can begin a mark of kLabelMarks.
bool isMarkStart(char16_t c);

// Where an example begins in a label.
constexpr std::array<TextView, 5> kExampleOpeners = {u"（例", u"(例", u"例：", u"例)", u"例:"};
// Marks and words around a label that name no field.
constexpr std::array<TextView, 10> kLabelMarks = {u"※", u"*", u"＊", u"：", u":", u"必須", u"任意",
                                                  u"【", u"】", u"●"};

bool isMarkStart(char16_t c) {
    for (TextView m : kLabelMarks)
        if (m.front() == c) return true;
    return false;
}

}  // namespace

bool labelNamesKind(int kind, TextView label) {
    Text scored(label);
    Text anti(label);
    return engine::ScoreKeyword(kind, scored) > 0 && engine::ScoreAntiKeyword(kind, anti) == 0;
}

bool labelNames(TagFamily family, TextView label) {
    for (int kind : kindsOf(family))
        if (labelNamesKind(kind, label)) return true;
    return false;
}

Text coreLabel(TextView label) {
    // An example in brackets says how to write the value, not what it is.
    std::size_t end = label.size();
    for (TextView open : kExampleOpeners) end = std::min(end, label.find(open));
    Text out;
    out.reserve(end);
    for (std::size_t i = 0; i < end;) {
        const char16_t c = label[i];
        // Pages indent their labels with tabs and no-break spaces as well as blanks.
        if (text::isBlank(c) || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u00A0') {
            ++i;
            continue;
        }
        std::size_t mark = 0;
        if (isMarkStart(c))
            for (TextView m : kLabelMarks)
                if (label.compare(i, m.size(), m) == 0 && i + m.size() <= end) mark = std::max(mark, m.size());
        if (mark > 0) {
            i += mark;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

bool isPersonRowFamily(TagFamily family) {
    return family == TagFamily::Name || family == TagFamily::Reading || family == TagFamily::Zip ||
           family == TagFamily::Pref || family == TagFamily::Address || family == TagFamily::Tel ||
           family == TagFamily::Fax;
}

TextView firstHeld(TextView textIn, std::span<const TextView> words) {
    // Most labels hold no capital letter: they are searched as they are.
    bool capitals = false;
    for (char16_t c : textIn) capitals = capitals || (c >= u'A' && c <= u'Z') || (c >= u'Ａ' && c <= u'Ｚ');
    Text lowered;
    const TextView lower = capitals ? TextView(lowered = text::toLower(textIn)) : textIn;
    for (TextView w : words)
        if (!w.empty() && lower.find(w) != TextView::npos) return w;
    return {};
}

bool holdsAny(TextView text, std::span<const TextView> words) {
    return !firstHeld(text, words).empty();
}

}  // namespace orvex::rules
