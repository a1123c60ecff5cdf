#include "engine/dictionaries.h"

#include <algorithm>

#include "engine/keyword_tables.h"
#include "engine/text_rules.h"
#include "engine/word_search.h"
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

// First-listed word of `words` in `text`, as FindAnyWord; with `chars` (a superset of the
// text's characters) and the words' sets, a word the text cannot hold is passed over unsearched.
int findFirstWord(TextView text, std::span<const TextView> words, const CharBits* chars,
                  std::span<const CharBits> wordBits) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const TextView word = words[i];
        if (word.empty()) {
            if (i == 0) continue;  // an empty first keyword is skipped
            break;                 // any later empty keyword ends the list
        }
        if (chars != nullptr && !chars->covers(wordBits[i])) continue;
        const std::size_t p = findWord(text, word);
        if (p != TextView::npos) return static_cast<int>(p) + 1;
    }
    return 0;
}

// FindAnyWord over one of the dictionaries' lists, whose character sets are worked out at
// compile time. A text holding none of the words' first characters needs no search at all.
template <const auto& Words>
int findAny(const ScoringText& t) {
    static constexpr auto kBits = wordListBits(Words);
    if (!t.chars().meets(kBits.firsts)) return 0;
    return findFirstWord(t.text(), Words, &t.chars(), kBits.words);
}

template <const auto& Words>
bool holdsAny(const ScoringText& t) {
    return findAny<Words>(t) > 0;
}

template <const TextView& Word>
bool holds(const ScoringText& t) {
    static constexpr CharBits kBits(Word);
    return t.chars().covers(kBits) && findWord(t.text(), Word) != TextView::npos;
}

template <const auto& Phrases>
void deleteEach(ScoringText& t) {
    static constexpr auto kBits = wordListBits(Phrases);
    for (std::size_t i = 0; i < Phrases.size(); ++i)
        if (t.chars().covers(kBits.words[i])) t.deleteAll(Phrases[i]);
}

// IsAgeText, passing over texts without any of the age words' characters (most labels).
bool isAgeText(const ScoringText& t) {
    static constexpr CharBits kAgeChars[] = {CharBits(u"才"), CharBits(u"歳"), CharBits(u"代")};
    for (const CharBits& c : kAgeChars)
        if (t.chars().covers(c)) return IsAgeText(t.text());
    return false;
}

// A base label score that an exclusion word brings down to 0.
template <const auto& Exclusions>
int unlessExcluded(int base, const ScoringText& t) {
    if (base == 0) return 0;
    return holdsAny<Exclusions>(t) ? 0 : base;
}

// Address rule of the name dictionary shared by city and building names.
int cityNameRule(const ScoringText& name) {
    if (holdsAny<kNameCity>(name)) return holdsAny<kNameCityUnless>(name) ? 0 : kNameHit;
    if (holdsAny<kNameCityAddress>(name) && !holdsAny<kNameCityAddressUnless>(name)) return kNameHit;
    return 0;
}

// Scores a plain text through a ScoringText and hands the changed text back.
template <typename Score>
int scorePlain(int kind, Text& text, Score score) {
    ScoringText t(std::move(text));
    const int result = score(kind, t);
    text = std::move(t).take();
    return result;
}

bool isDigitChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

}  // namespace

void ScoringText::lower() {
    if (m_lowered) return;
    text::lowerInPlace(m_text);
    m_chars = CharBits(m_text);
    m_lowered = true;
}

void ScoringText::lowerWithoutSpaces() {
    lower();
    if (m_spaceless) return;
    removeSpacesInPlace(m_text);
    m_spaceless = true;
}

void ScoringText::deleteAll(TextView phrase) {
    engine::deleteAll(m_text, phrase);
}

int FindAnyWord(TextView text, std::span<const TextView> keywords) {
    return findFirstWord(text, keywords, nullptr, {});
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

int ScoreKeyword(int kind, ScoringText& t) {
    if (!isKind(kind)) return 0;
    t.lower();
    switch (kind) {
        case kFullName:
            if (!holdsAny<kFullNameWords>(t)) return 0;
            // The deletion stays in the text for the kinds scored after this one.
            deleteEach<kFullNameDeletions>(t);
            return unlessExcluded<kFullNameExclusions>(kWeakLabel, t);
        case kNameKana: {
            int base = 0;
            if (holdsAny<kNameKanaStrong>(t))
                base = kStrongLabel;
            else if (holdsAny<kNameKanaWords>(t))
                base = kWeakLabel;
            return unlessExcluded<kNameKanaExclusions>(base, t);
        }
        case kBirthDate:
            if (holdsAny<kBirthStrong>(t)) return kStrongLabel;
            if (FindMonthDayWord(t.text()) > 0 || holdsAny<kBirthEraWords>(t))
                return unlessExcluded<kBirthExclusions>(kWeakLabel, t);
            return 0;
        case kBirthYear:
        case kBirthMonth:
        case kBirthDay:
            return 0;  // the birth kinds share the score of kind 3
        case kAge:
            return (holdsAny<kAgeWords>(t) || isAgeText(t)) ? kWeakLabel : 0;
        case kSex:
            if (holdsAny<kSexStrong>(t)) return kStrongLabel;
            return holdsAny<kSexWords>(t) ? kWeakLabel : 0;
        case kZip:
            return holdsAny<kZipStrong>(t) ? kStrongLabel : 0;
        case kPref:
            return holdsAny<kPrefWords>(t) ? kWeakLabel : 0;
        case kCity: {
            const bool base = holdsAny<kCityWords>(t) || holdsAny<kCityMoreWords>(t);
            return unlessExcluded<kCityExclusions>(base ? kWeakLabel : 0, t);
        }
        case kApart:
            return holdsAny<kApartWords>(t) ? kWeakLabel : 0;
        case kTel: {
            int base = 0;
            if (holdsAny<kTelStrong>(t))
                base = kStrongLabel;
            else if (holdsAny<kTelWords>(t))
                base = kWeakLabel;
            return unlessExcluded<kTelExclusions>(base, t);
        }
        case kFax:
            return holdsAny<kFaxWords>(t) ? kWeakLabel : 0;
        case kEmail: {
            int base = 0;
            if (holdsAny<kMailWords>(t))
                base = holdsAny<kMailAddressWords>(t) ? kMailAddressLabel : kStrongLabel;
            else if (holdsAny<kMailWeakWords>(t))
                base = kWeakLabel;
            return unlessExcluded<kMailExclusions>(base, t);
        }
        case kHandleName:
            return holdsAny<kHandleWords>(t) ? kWeakLabel : 0;
        case kMarriage:
            return holdsAny<kMarriageWords>(t) ? kWeakLabel : 0;
        case kJob:
            return holdsAny<kJobWords>(t) ? kWeakLabel : 0;
        default:
            return 0;
    }
}

int ScoreAntiKeyword(int kind, ScoringText& t) {
    if (!isKind(kind)) return 0;
    t.lower();
    if (holds<kQuizWord>(t) && holds<kAnswerWord>(t)) return kAntiHit;
    switch (kind) {
        case kFullName:
            deleteEach<kAntiFullNameDeletions>(t);
            return findAny<kAntiFullName>(t);
        case kNameKana:
            return findAny<kAntiNameKana>(t);
        case kBirthDate:
        case kBirthYear:
        case kBirthMonth:
        case kBirthDay:
            if (holdsAny<kAntiBirthAgeWords>(t)) return holds<kAntiBirthUnless>(t) ? 0 : kAntiHit;
            return findAny<kAntiBirth>(t);
        case kAge:
            return findAny<kAntiAge>(t);
        case kSex:
            return findAny<kAntiSex>(t);
        case kZip:
        case kCity:
        case kApart:
            return findAny<kAntiAddress>(t);
        case kPref:
            return findAny<kAntiPref>(t);
        case kTel:
            return findAny<kAntiTel>(t);
        case kEmail:
            if (holds<kAntiMailPhone>(t)) return holds<kAntiMailPhoneUnless>(t) ? 0 : kAntiHit;
            return findAny<kAntiMail>(t);
        default:
            return 0;  // fax, handle name, marriage, job have no anti-keywords
    }
}

int ScoreName(int kind, ScoringText& n) {
    if (!isKind(kind)) return 0;
    n.lowerWithoutSpaces();
    switch (kind) {
        case kFullName:
            if (!holdsAny<kNameFullName>(n)) return 0;
            return holdsAny<kNameFullNameUnless>(n) ? 0 : kNameHit;
        case kNameKana:
            if (!holdsAny<kNameNameKana>(n)) return 0;
            return holdsAny<kNameNameKanaUnless>(n) ? 0 : kNameHit;
        case kBirthDate: {
            const int s = findAny<kNameBirthWhole>(n) + findAny<kNameBirthDayPart>(n) +
                          findAny<kNameBirthMonthPart>(n) + findAny<kNameBirthYearPart>(n);
            if (s < 1) return 0;
            return holdsAny<kNameBirthUnless>(n) ? 0 : kNameHit;
        }
        case kBirthYear:
            if (!holdsAny<kNameBirthYear>(n)) return 0;
            return holdsAny<kNameBirthUnless>(n) ? 0 : kNameHit;
        case kBirthMonth:
            return findAny<kNameBirthMonth>(n);
        case kBirthDay:
            return findAny<kNameBirthDay>(n);
        case kAge:
            if (!holdsAny<kNameAge>(n)) return 0;
            return holdsAny<kNameAgeUnless>(n) ? 0 : kNameHit;
        case kSex:
            return findAny<kNameSex>(n);
        case kZip: {
            const int p = findAny<kNameZip>(n);
            if (p > 0) return p;
            return (holdsAny<kNameZipAddress>(n) && !holds<kNameZipUnless>(n)) ? kNameHit : 0;
        }
        case kPref:
            return findAny<kNamePref>(n);
        case kCity:
            return cityNameRule(n);
        case kApart: {
            const int r = cityNameRule(n);
            return r > 0 ? r : findAny<kNameApart>(n);
        }
        case kTel:
            return findAny<kNameTel>(n);
        case kFax:
            return findAny<kNameFax>(n);
        case kEmail:
            return findAny<kNameMail>(n);
        case kHandleName:
            return findAny<kNameHandle>(n);
        case kMarriage:
            return findAny<kNameMarriage>(n);
        case kJob:
            return findAny<kNameJob>(n);
        default:
            return 0;
    }
}

int ScoreKeyword(int kind, Text& text) {
    return scorePlain(kind, text, [](int k, ScoringText& t) { return ScoreKeyword(k, t); });
}

int ScoreAntiKeyword(int kind, Text& text) {
    return scorePlain(kind, text, [](int k, ScoringText& t) { return ScoreAntiKeyword(k, t); });
}

int ScoreName(int kind, Text& name) {
    return scorePlain(kind, name, [](int k, ScoringText& n) { return ScoreName(k, n); });
}

}  // namespace orvex::engine
