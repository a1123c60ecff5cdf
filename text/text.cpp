#include "text/text.h"

#include <map>
#include <memory>

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace orvex::text {
namespace {

// Transliterators are costly to build and not safe to share between threads, so each thread
// keeps one instance per rule set, built on first use. nullptr when ICU lacks the rule set.
const icu::Transliterator* transliterator(const char16_t* id) {
    thread_local std::map<std::u16string_view, std::unique_ptr<icu::Transliterator>> cache;
    auto [it, inserted] = cache.try_emplace(id);
    if (inserted) {
        UErrorCode status = U_ZERO_ERROR;
        it->second.reset(icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status));
        if (U_FAILURE(status)) it->second.reset();
    }
    return it->second.get();
}

Text transliterate(TextView text, const char16_t* id) {
    const icu::Transliterator* t = transliterator(id);
    if (!t || text.empty()) return Text(text);
    icu::UnicodeString s(false, text.data(), static_cast<int32_t>(text.size()));
    s.getTerminatedBuffer();  // detach from the read-only alias before changing it
    t->transliterate(s);
    return Text(s.getBuffer(), static_cast<size_t>(s.length()));
}

// Maps each code point with `map`, keeping the original when the mapped one would take a
// different number of code units (positions must not move).
template <typename Map>
Text mapCodePoints(TextView text, Map map) {
    Text out(text);
    size_t i = 0;
    while (i < out.size()) {
        UChar32 c;
        size_t start = i;
        U16_NEXT(out.data(), i, out.size(), c);
        UChar32 m = map(c);
        if (m == c || U16_LENGTH(m) != static_cast<int>(i - start)) continue;
        size_t j = start;
        U16_APPEND_UNSAFE(out.data(), j, m);
    }
    return out;
}

}  // namespace

Text fromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    Text out(utf8.size(), u'\0');  // UTF-16 never needs more units than UTF-8 has bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

std::string toUtf8(TextView text) {
    if (text.empty()) return {};
    std::string out(text.size() * 3, '\0');  // a code unit never takes more than 3 bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

namespace {

// True for characters that have no lower-case form and need no look-up: ASCII other than
// A-Z, kana, CJK ideographs and punctuation, and the half-width and full-width forms other than
// the full-width capitals. Form labels are almost entirely made of these.
constexpr bool isCaseless(char16_t c) {
    if (c < 0x80) return c < u'A' || c > u'Z';
    if (c >= 0x3000 && c <= 0x30FF) return true;  // CJK punctuation, hiragana, katakana
    if (c >= 0x4E00 && c <= 0x9FFF) return true;  // CJK ideographs
    if (c >= 0xFF00 && c <= 0xFFEF) return c < u'Ａ' || c > u'Ｚ';
    return false;
}

}  // namespace

void lowerInPlace(Text& text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + (u'a' - u'A'));
        } else if (c >= u'Ａ' && c <= u'Ｚ') {
            c = static_cast<char16_t>(c + (u'ａ' - u'Ａ'));
        } else if (!isCaseless(c)) {
            text = mapCodePoints(text, [](UChar32 cp) { return u_tolower(cp); });
            return;
        }
    }
}

Text toLower(TextView text) {
    Text out(text);
    lowerInPlace(out);
    return out;
}

Text toUpper(TextView text) {
    return mapCodePoints(text, [](UChar32 c) { return u_toupper(c); });
}

Text toHalfWidth(TextView text) {
    return transliterate(text, u"Fullwidth-Halfwidth");
}

Text toFullWidth(TextView text) {
    Text out = transliterate(text, u"Halfwidth-Fullwidth");
    // A mark that found no letter to join becomes ICU's combining form; a person typing it
    // full-width gets the spacing form, so use that.
    for (char16_t& c : out) {
        if (c == u'\u3099') c = u'\u309B';
        if (c == u'\u309A') c = u'\u309C';
    }
    return out;
}

// Kana conversion is a fixed shift between the hiragana and katakana blocks rather than ICU's
// transliterator, which also widens half-width katakana and folds small ヵ/ヶ into か/け:
// stored readings must keep every other character as typed.
constexpr char16_t kHiraganaFirst = u'\u3041';      // ぁ
constexpr char16_t kHiraganaLast = u'\u3096';       // ゖ
constexpr char16_t kIterationHiragana = u'\u309D';  // ゝ (and ゞ after it)
constexpr char16_t kKanaShift = 0x60;               // ァ − ぁ

Text toKatakana(TextView text) {
    Text out(text);
    for (char16_t& c : out)
        if ((c >= kHiraganaFirst && c <= kHiraganaLast) || c == kIterationHiragana ||
            c == kIterationHiragana + 1)
            c = static_cast<char16_t>(c + kKanaShift);
    return out;
}

Text toHiragana(TextView text) {
    // Half-width katakana are widened first (only they), so that ｶﾞ becomes が, not か plus a mark.
    Text out = transliterate(text, u"[\\uFF61-\\uFF9F]; Halfwidth-Fullwidth");
    for (char16_t& c : out)
        if ((c >= kHiraganaFirst + kKanaShift && c <= kHiraganaLast + kKanaShift) ||
            c == kIterationHiragana + kKanaShift || c == kIterationHiragana + 1 + kKanaShift)
            c = static_cast<char16_t>(c - kKanaShift);
    return out;
}

}  // namespace orvex::text
