#include "history/short_date.h"

#include <cstdio>

#include "text/strings.h"

namespace orvex::history {
namespace {

// The range of years a date may have.
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
// Digits a year is written with.
constexpr size_t kYearDigits = 4;
// Most digits a month or day may be written with ("05" and "5" both).
constexpr size_t kMaxPartDigits = 2;

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// Reads the run of ASCII digits at `i` (at most `maxDigits`); false when there is none or it
// is longer.
bool readDigits(text::TextView s, size_t& i, size_t maxDigits, int& out) {
    const size_t start = i;
    out = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        out = out * 10 + (s[i] - u'0');
        if (++i - start > maxDigits) return false;
    }
    return i > start;
}

bool isSeparator(char16_t c) {
    return c == u'/' || c == u'-' || c == u'.';
}

}  // namespace

std::optional<Date> parseDate(text::TextView input) {
    const text::Text s = text::trim(text::replaceAll(text::toHalfWidth(input), u"\u3000", u" "));
    const text::TextView v(s);
    Date d;
    size_t i = 0;
    if (!readDigits(v, i, kYearDigits, d.year) || i != kYearDigits || i >= v.size()) return std::nullopt;
    const bool kanji = v[i] == u'年';
    if (!kanji && !isSeparator(v[i])) return std::nullopt;
    const char16_t sep = v[i++];
    if (!readDigits(v, i, kMaxPartDigits, d.month) || i >= v.size()) return std::nullopt;
    if (kanji ? v[i] != u'月' : v[i] != sep) return std::nullopt;
    ++i;
    if (!readDigits(v, i, kMaxPartDigits, d.day)) return std::nullopt;
    if (kanji) {
        if (i >= v.size() || v[i] != u'日') return std::nullopt;
        ++i;
    }
    if (i != v.size()) return std::nullopt;
    if (d.year < kMinYear || d.year > kMaxYear || d.month < 1 || d.month > 12) return std::nullopt;
    if (d.day < 1 || d.day > daysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

text::Text shortDate(const Date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.year, d.month, d.day);
    return text::fromUtf8(buf);
}

text::Text toShortDate(text::TextView s) {
    const auto d = parseDate(s);
    return d ? shortDate(*d) : text::Text();
}

}  // namespace orvex::history
