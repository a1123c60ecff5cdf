#include "page/input_value.h"

#include <cctype>

#include "page/ascii_case.h"
#include "page/tag_tables.h"

namespace orvex::page {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

std::string_view trimAsciiBlanks(std::string_view s) {
    while (!s.empty() && isAsciiBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isAsciiBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string withoutLineBreaks(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

// Reads exactly `count` digits at `pos`; -1 when they are not there.
int readDigits(std::string_view s, std::size_t& pos, std::size_t count) {
    if (pos + count > s.size()) return -1;
    int n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!isDigit(s[pos + i])) return -1;
        n = n * 10 + (s[pos + i] - '0');
    }
    pos += count;
    return n;
}

// Reads a year of four or more digits (at most nine, to stay inside int).
int readYear(std::string_view s, std::size_t& pos) {
    std::size_t start = pos;
    int n = 0;
    while (pos < s.size() && isDigit(s[pos]) && pos - start < 9) n = n * 10 + (s[pos++] - '0');
    if (pos - start < 4 || n == 0) return -1;
    return n;
}

bool expect(std::string_view s, std::size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return kDays[month - 1];
}

bool parseMonthAt(std::string_view s, std::size_t& pos, int& year, int& month) {
    year = readYear(s, pos);
    if (year < 0 || !expect(s, pos, '-')) return false;
    month = readDigits(s, pos, 2);
    return month >= 1 && month <= 12;
}

bool parseDateAt(std::string_view s, std::size_t& pos) {
    int year = 0, month = 0;
    if (!parseMonthAt(s, pos, year, month) || !expect(s, pos, '-')) return false;
    int day = readDigits(s, pos, 2);
    return day >= 1 && day <= daysInMonth(year, month);
}

bool parseTimeAt(std::string_view s, std::size_t& pos) {
    int hour = readDigits(s, pos, 2);
    if (hour < 0 || hour > 23 || !expect(s, pos, ':')) return false;
    int minute = readDigits(s, pos, 2);
    if (minute < 0 || minute > 59) return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        int second = readDigits(s, pos, 2);
        if (second < 0 || second > 59) return false;
        if (pos < s.size() && s[pos] == '.') {
            ++pos;
            std::size_t start = pos;
            while (pos < s.size() && isDigit(s[pos]) && pos - start < 3) ++pos;
            if (pos == start) return false;
        }
    }
    return true;
}

bool isValidDate(std::string_view s) {
    std::size_t pos = 0;
    return parseDateAt(s, pos) && pos == s.size();
}

bool isValidMonth(std::string_view s) {
    std::size_t pos = 0;
    int year = 0, month = 0;
    return parseMonthAt(s, pos, year, month) && pos == s.size();
}

bool isValidWeek(std::string_view s) {
    std::size_t pos = 0;
    int year = readYear(s, pos);
    if (year < 0 || !expect(s, pos, '-') || !expect(s, pos, 'W')) return false;
    int week = readDigits(s, pos, 2);
    return week >= 1 && week <= 53 && pos == s.size();
}

bool isValidTime(std::string_view s) {
    std::size_t pos = 0;
    return parseTimeAt(s, pos) && pos == s.size();
}

bool isValidLocalDateTime(std::string_view s) {
    std::size_t pos = 0;
    if (!parseDateAt(s, pos)) return false;
    if (pos >= s.size() || (s[pos] != 'T' && s[pos] != ' ')) return false;
    ++pos;
    return parseTimeAt(s, pos) && pos == s.size();
}

// A valid floating-point number: "-"? digits ("." digits)? (("e"|"E") ("+"|"-")? digits)?,
// or a fraction without leading digits (".5").
bool isValidNumber(std::string_view s) {
    std::size_t pos = 0;
    if (pos < s.size() && s[pos] == '-') ++pos;
    std::size_t intStart = pos;
    while (pos < s.size() && isDigit(s[pos])) ++pos;
    bool hasInt = pos > intStart;
    bool hasFraction = false;
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        std::size_t fracStart = pos;
        while (pos < s.size() && isDigit(s[pos])) ++pos;
        hasFraction = pos > fracStart;
        if (!hasFraction) return false;
    }
    if (!hasInt && !hasFraction) return false;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        ++pos;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
        std::size_t expStart = pos;
        while (pos < s.size() && isDigit(s[pos])) ++pos;
        if (pos == expStart) return false;
    }
    return pos == s.size();
}

bool isValidColor(std::string_view s) {
    if (s.size() != 7 || s[0] != '#') return false;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

}  // namespace

std::string normalizeInputType(std::string_view typeAttribute) {
    std::string type = asciiLower(trimAsciiBlanks(typeAttribute));
    return inTable(kInputTypes, type) ? type : std::string("text");
}

std::string sanitizeInputValue(std::string_view type, std::string_view value) {
    if (type == "text" || type == "search" || type == "tel" || type == "password")
        return withoutLineBreaks(value);
    if (type == "url" || type == "email") return std::string(trimAsciiBlanks(withoutLineBreaks(value)));
    if (type == "number" || type == "range") return isValidNumber(value) ? std::string(value) : std::string();
    if (type == "date") return isValidDate(value) ? std::string(value) : std::string();
    if (type == "month") return isValidMonth(value) ? std::string(value) : std::string();
    if (type == "week") return isValidWeek(value) ? std::string(value) : std::string();
    if (type == "time") return isValidTime(value) ? std::string(value) : std::string();
    if (type == "datetime-local") return isValidLocalDateTime(value) ? std::string(value) : std::string();
    if (type == "color") return isValidColor(value) ? asciiLower(value) : std::string("#000000");
    return std::string(value);
}

std::string normalizeLineBreaks(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else {
            out.push_back(value[i]);
        }
    }
    return out;
}

}  // namespace orvex::page
