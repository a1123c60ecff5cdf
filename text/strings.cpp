#include "text/strings.h"

#include <algorithm>
#include <limits>

namespace orvex::text {

int find(TextView hay, TextView needle, int start) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > hay.size() + 1) return 0;
    size_t at = hay.find(needle, static_cast<size_t>(start - 1));
    return at == TextView::npos ? 0 : static_cast<int>(at) + 1;
}

int findLast(TextView hay, TextView needle) {
    size_t at = hay.rfind(needle);
    return at == TextView::npos ? 0 : static_cast<int>(at) + 1;
}

Text mid(TextView s, int start, int count) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > s.size() || count == 0) return {};
    size_t from = static_cast<size_t>(start - 1);
    size_t n = count < 0 ? TextView::npos : static_cast<size_t>(count);
    return Text(s.substr(from, n));
}

Text left(TextView s, int count) {
    if (count <= 0) return {};
    return Text(s.substr(0, static_cast<size_t>(count)));
}

Text right(TextView s, int count) {
    if (count <= 0) return {};
    size_t n = std::min(s.size(), static_cast<size_t>(count));
    return Text(s.substr(s.size() - n));
}

Text replaceAll(TextView s, TextView from, TextView to) {
    if (from.empty()) return Text(s);
    Text out;
    out.reserve(s.size());
    size_t pos = 0;
    for (size_t at; (at = s.find(from, pos)) != TextView::npos; pos = at + from.size()) {
        out.append(s.substr(pos, at - pos));
        out.append(to);
    }
    out.append(s.substr(pos));
    return out;
}

Text removeBlanks(TextView s) {
    return removeIf(s, isBlank);
}

Text trim(TextView s) {
    size_t b = s.find_first_not_of(u' ');
    if (b == TextView::npos) return {};
    size_t e = s.find_last_not_of(u' ');
    return Text(s.substr(b, e - b + 1));
}

std::vector<Text> split(TextView s, TextView sep) {
    std::vector<Text> out;
    if (sep.empty()) {
        out.emplace_back(s);
        return out;
    }
    size_t pos = 0;
    for (size_t at; (at = s.find(sep, pos)) != TextView::npos; pos = at + sep.size())
        out.emplace_back(s.substr(pos, at - pos));
    out.emplace_back(s.substr(pos));
    return out;
}

bool startsWith(TextView s, TextView prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool endsWith(TextView s, TextView suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool isDigits(TextView s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

namespace {

// Reads [sign]digits from `s` at `i`; false when no digit follows. Saturates on overflow and
// reports it through `overflow`.
bool readNumber(TextView s, size_t& i, long long& out, bool& overflow) {
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    size_t first = i;
    long long value = 0;
    overflow = false;
    constexpr long long kMax = std::numeric_limits<long long>::max();
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        int digit = s[i] - u'0';
        if (value > (kMax - digit) / 10) {
            overflow = true;
            value = kMax;
        } else if (!overflow) {
            value = value * 10 + digit;
        }
    }
    out = negative ? -value : value;
    return i > first;
}

}  // namespace

long long leadingNumber(TextView s) {
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    long long value = 0;
    bool overflow = false;
    return readNumber(s, i, value, overflow) ? value : 0;
}

bool parseInt(TextView s, long long& out) {
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    long long value = 0;
    bool overflow = false;
    if (!readNumber(s, i, value, overflow) || overflow) return false;
    while (i < s.size() && isBlank(s[i])) ++i;
    if (i != s.size()) return false;
    out = value;
    return true;
}

Text number(long long n) {
    std::string digits = std::to_string(n);
    return Text(digits.begin(), digits.end());
}

}  // namespace orvex::text
