#include "engine/dictionaries.h"

#include "engine/keyword_tables.h"
#include "engine/text_rules.h"
#include "text/text.h"

namespace orvex::engine {
namespace {

using namespace tables;

// Label scores of the keyword dictionary.
constexpr int kStrongLabel = 2;       // a word that names the field outright ("郵便番号", "性別")
constexpr int kWeakLabel = 1;         // a word that only hints at the field ("市", "男")
constexpr int kMailAddressLabel = 3;  // "メールアドレス": mail word and address word together
// Anti-keyword result for rules that give a flag rather than a word position.
constexpr int kAntiHit = 1;
// Name score of rules that give a flag rather than a word position.
constexpr int kNameHit = 1;

template <std::size_t N>
int findAny(TextView text, const std::array<TextView, N>& words) {
    return FindAnyWord(text, std::span<const TextView>(words));
}

template <std::size_t N>
bool holdsAny(TextView text, const std::array<TextView, N>& words) {
    return findAny(text, words) > 0;
}

bool holds(TextView text, TextView word) {
    return text.find(word) != TextView::npos;
}

template <std::size_t N>
void deleteEach(Text& text, const std::array<TextView, N>& phrases) {
    for (TextView phrase : phrases) deleteAll(text, phrase);
}

// A base label score that an exclusion word brings down to 0.
template <std::size_t N>
int unlessExcluded(int base, TextView text, const std::array<TextView, N>& exclusions) {
    if (base == 0) return 0;
    return holdsAny(text, exclusions) ? 0 : base;
}

// Address rule of the name dictionary shared by city and building names.
int cityNameRule(TextView name) {
    if (holdsAny(name, kNameCity)) return holdsAny(name, kNameCityUnless) ? 0 : kNameHit;
    if (holdsAny(name, kNameCityAddress) && !holdsAny(name, kNameCityAddressUnless)) return kNameHit;
    return 0;
}

// Lower-cases `text` in place, as text::lowerInPlace does. The scoring loops lower-case one
// working text once for every kind, and a text with a letter outside the fast ranges takes the
// full Unicode mapping each time. Lower-casing is a function of the text alone, so a text that
// has been seen to come out of it unchanged is left as it is without being mapped again.
void lowerText(Text& text) {
    thread_local Text unchanged;   // a text whose lower-cased form is itself (empty at first)
    thread_local Text lastResult;  // the result of the last lower-casing done here
    if (text == unchanged) return;
    const bool again = text == lastResult;
    text::lowerInPlace(text);
    if (again && text == lastResult) unchanged = text;
    lastResult = text;
}

bool isDigitChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

}  // namespace

int FindAnyWord(TextView text, std::span<const TextView> keywords) {
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        const TextView word = keywords[i];
        if (word.empty()) {
            if (i == 0) continue;  // an empty first keyword is skipped
            break;                 // any later empty keyword ends the list
        }
        const std::size_t p = text.find(word);
        if (p != TextView::npos) return static_cast<int>(p) + 1;
    }
    return 0;
}

int FindAnyWord(TextView text, std::initializer_list<TextView> keywords) {
    return FindAnyWord(text, std::span<const TextView>(keywords.begin(), keywords.size()));
}

int FindMonthDayWord(TextView text) {
    std::size_t p = text.find(u'月');
    if (p == TextView::npos) p = text.find(u'日');
    if (p == TextView::npos || p == 0) return 0;
    if (isDigitChar(text[p - 1])) return 0;
    return static_cast<int>(p) + 1;
}

int ScoreKeyword(int kind, Text& t) {
    if (!isKind(kind)) return 0;
    lowerText(t);
    switch (kind) {
        case kFullName:
            if (!holdsAny(t, kFullNameWords)) return 0;
            // The deletion stays in the text for the kinds scored after this one.
            deleteEach(t, kFullNameDeletions);
            return unlessExcluded(kWeakLabel, t, kFullNameExclusions);
        case kNameKana: {
            int base = 0;
            if (holdsAny(t, kNameKanaStrong))
                base = kStrongLabel;
            else if (holdsAny(t, kNameKanaWords))
                base = kWeakLabel;
            return unlessExcluded(base, t, kNameKanaExclusions);
        }
        case kBirthDate:
            if (holdsAny(t, kBirthStrong)) return kStrongLabel;
            if (FindMonthDayWord(t) > 0 || holdsAny(t, kBirthEraWords))
                return unlessExcluded(kWeakLabel, t, kBirthExclusions);
            return 0;
        case kBirthYear:
        case kBirthMonth:
        case kBirthDay:
            return 0;  // the birth kinds share the score of kind 3
        case kAge:
            return (holdsAny(t, kAgeWords) || IsAgeText(t)) ? kWeakLabel : 0;
        case kSex:
            if (holdsAny(t, kSexStrong)) return kStrongLabel;
            return holdsAny(t, kSexWords) ? kWeakLabel : 0;
        case kZip:
            return holdsAny(t, kZipStrong) ? kStrongLabel : 0;
        case kPref:
            return holdsAny(t, kPrefWords) ? kWeakLabel : 0;
        case kCity: {
            const bool base = holdsAny(t, kCityWords) || holdsAny(t, kCityMoreWords);
            return unlessExcluded(base ? kWeakLabel : 0, t, kCityExclusions);
        }
        case kApart:
            return holdsAny(t, kApartWords) ? kWeakLabel : 0;
        case kTel: {
            int base = 0;
            if (holdsAny(t, kTelStrong))
                base = kStrongLabel;
            else if (holdsAny(t, kTelWords))
                base = kWeakLabel;
            return unlessExcluded(base, t, kTelExclusions);
        }
        case kFax:
            return holdsAny(t, kFaxWords) ? kWeakLabel : 0;
        case kEmail: {
            int base = 0;
            if (holdsAny(t, kMailWords))
                base = holdsAny(t, kMailAddressWords) ? kMailAddressLabel : kStrongLabel;
            else if (holdsAny(t, kMailWeakWords))
                base = kWeakLabel;
            return unlessExcluded(base, t, kMailExclusions);
        }
        case kHandleName:
            return holdsAny(t, kHandleWords) ? kWeakLabel : 0;
        case kMarriage:
            return holdsAny(t, kMarriageWords) ? kWeakLabel : 0;
        case kJob:
            return holdsAny(t, kJobWords) ? kWeakLabel : 0;
        default:
            return 0;
    }
}

int ScoreAntiKeyword(int kind, Text& t) {
    if (!isKind(kind)) return 0;
    lowerText(t);
    if (holds(t, kQuizWord) && holds(t, kAnswerWord)) return kAntiHit;
    switch (kind) {
        case kFullName:
            deleteEach(t, kAntiFullNameDeletions);
            return findAny(t, kAntiFullName);
        case kNameKana:
            return findAny(t, kAntiNameKana);
        case kBirthDate:
        case kBirthYear:
        case kBirthMonth:
        case kBirthDay:
            if (holdsAny(t, kAntiBirthAgeWords)) return holds(t, kAntiBirthUnless) ? 0 : kAntiHit;
            return findAny(t, kAntiBirth);
        case kAge:
            return findAny(t, kAntiAge);
        case kSex:
            return findAny(t, kAntiSex);
        case kZip:
        case kCity:
        case kApart:
            return findAny(t, kAntiAddress);
        case kPref:
            return findAny(t, kAntiPref);
        case kTel:
            return findAny(t, kAntiTel);
        case kEmail:
            if (holds(t, kAntiMailPhone)) return holds(t, kAntiMailPhoneUnless) ? 0 : kAntiHit;
            return findAny(t, kAntiMail);
        default:
            return 0;  // fax, handle name, marriage, job have no anti-keywords
    }
}

int ScoreName(int kind, Text& n) {
    if (!isKind(kind)) return 0;
    lowerText(n);
    // The same removal as RemoveSpaces, done in place.
    std::erase_if(n, [](char16_t c) { return c == u' ' || c == u'\u3000'; });
    switch (kind) {
        case kFullName:
            if (!holdsAny(n, kNameFullName)) return 0;
            return holdsAny(n, kNameFullNameUnless) ? 0 : kNameHit;
        case kNameKana:
            if (!holdsAny(n, kNameNameKana)) return 0;
            return holdsAny(n, kNameNameKanaUnless) ? 0 : kNameHit;
        case kBirthDate: {
            const int s = findAny(n, kNameBirthWhole) + findAny(n, kNameBirthDayPart) +
                          findAny(n, kNameBirthMonthPart) + findAny(n, kNameBirthYearPart);
            if (s < 1) return 0;
            return holdsAny(n, kNameBirthUnless) ? 0 : kNameHit;
        }
        case kBirthYear:
            if (!holdsAny(n, kNameBirthYear)) return 0;
            return holdsAny(n, kNameBirthUnless) ? 0 : kNameHit;
        case kBirthMonth:
            return findAny(n, kNameBirthMonth);
        case kBirthDay:
            return findAny(n, kNameBirthDay);
        case kAge:
            if (!holdsAny(n, kNameAge)) return 0;
            return holdsAny(n, kNameAgeUnless) ? 0 : kNameHit;
        case kSex:
            return findAny(n, kNameSex);
        case kZip: {
            const int p = findAny(n, kNameZip);
            if (p > 0) return p;
            return (holdsAny(n, kNameZipAddress) && !holds(n, kNameZipUnless)) ? kNameHit : 0;
        }
        case kPref:
            return findAny(n, kNamePref);
        case kCity:
            return cityNameRule(n);
        case kApart: {
            const int r = cityNameRule(n);
            return r > 0 ? r : findAny(n, kNameApart);
        }
        case kTel:
            return findAny(n, kNameTel);
        case kFax:
            return findAny(n, kNameFax);
        case kEmail:
            return findAny(n, kNameMail);
        case kHandleName:
            return findAny(n, kNameHandle);
        case kMarriage:
            return findAny(n, kNameMarriage);
        case kJob:
            return findAny(n, kNameJob);
        default:
            return 0;
    }
}

}  // namespace orvex::engine
