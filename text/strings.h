#pragma once
// String helpers with the conventions of the engine: positions count from 1, 0 means
// "not found", comparisons are exact and case-sensitive, substring searches return the
// first occurrence. Out-of-range arguments are clamped, never undefined.

#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace orvex::text {

/// 1-based position of the first `needle` in `hay` at or after `start`; 0 when absent.
/// An empty needle is found at `start` (when start <= length + 1).
int find(TextView hay, TextView needle, int start = 1);
/// 1-based position of the last `needle` in `hay`; 0 when absent.
int findLast(TextView hay, TextView needle);
/// True when `hay` contains `needle`.
inline bool contains(TextView hay, TextView needle) {
    return hay.find(needle) != TextView::npos;
}

/// The `count` characters starting at 1-based `start` (all the rest when count < 0).
Text mid(TextView s, int start, int count = -1);
/// The first `count` characters (clamped).
Text left(TextView s, int count);
/// The last `count` characters (clamped).
Text right(TextView s, int count);
/// Length in code units as an int.
inline int len(TextView s) {
    return static_cast<int>(s.size());
}

/// Every occurrence of `from` replaced by `to`, scanning left to right; `from` empty → unchanged.
Text replaceAll(TextView s, TextView from, TextView to);
/// `s` without every character for which `drop` is true.
template <typename Pred>
Text removeIf(TextView s, Pred drop) {
    Text out;
    out.reserve(s.size());
    for (char16_t c : s)
        if (!drop(c)) out.push_back(c);
    return out;
}
/// `s` without half-width and full-width spaces.
Text removeBlanks(TextView s);
/// `s` without leading and trailing half-width spaces (full-width ones stay).
Text trim(TextView s);

/// Splits on every `sep` (an empty `s` gives one empty field).
std::vector<Text> split(TextView s, TextView sep);

bool startsWith(TextView s, TextView prefix);
bool endsWith(TextView s, TextView suffix);

/// True when every character is an ASCII digit and there is at least one.
bool isDigits(TextView s);
/// The leading decimal number of `s` after leading blanks (an optional sign, ASCII digits);
/// 0 when there is none; saturates instead of overflowing.
long long leadingNumber(TextView s);
/// Parses the whole of `s` (blanks around allowed) as a decimal integer; false when it is not one
/// or does not fit.
bool parseInt(TextView s, long long& out);

/// Decimal text of `n`.
Text number(long long n);

}  // namespace orvex::text
