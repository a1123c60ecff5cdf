#include "gui/string_table.h"

#include <limits>

namespace orvex::gui {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Digits beyond this many cannot name an entry; stopping there keeps the value from overflowing.
constexpr int kMaxDigits = 9;

}  // namespace

std::optional<text::TextView> stringEntry(long id) {
    if (id < kFirstStringId || id > kLastStringId) return std::nullopt;
    return kStringTable[static_cast<std::size_t>(id - kFirstStringId)].text;
}

std::optional<long> wholeNumber(text::TextView tag) {
    std::size_t i = 0;
    while (i < tag.size() && isBlank(tag[i])) ++i;
    bool negative = false;
    if (i < tag.size() && (tag[i] == u'+' || tag[i] == u'-')) negative = tag[i++] == u'-';
    long value = 0;
    int digits = 0;
    for (; i < tag.size() && isDigit(tag[i]); ++i, ++digits)
        if (digits < kMaxDigits) value = value * 10 + (tag[i] - u'0');
    if (digits == 0) return std::nullopt;
    if (digits > kMaxDigits) value = std::numeric_limits<long>::max();
    while (i < tag.size() && isBlank(tag[i])) ++i;
    if (i != tag.size()) return std::nullopt;
    return negative ? -value : value;
}

long leadingNumber(text::TextView tag) {
    std::size_t i = 0;
    while (i < tag.size() && isBlank(tag[i])) ++i;
    bool negative = false;
    if (i < tag.size() && (tag[i] == u'+' || tag[i] == u'-')) negative = tag[i++] == u'-';
    long value = 0;
    for (int digits = 0; i < tag.size() && isDigit(tag[i]); ++i, ++digits)
        if (digits < kMaxDigits) value = value * 10 + (tag[i] - u'0');
    return negative ? -value : value;
}

std::optional<text::TextView> entryForNumericTag(text::TextView tag) {
    const std::optional<long> n = wholeNumber(tag);
    if (!n) return std::nullopt;
    return stringEntry(*n);
}

std::optional<text::TextView> entryForPositiveTag(text::TextView tag) {
    const long n = leadingNumber(tag);
    if (n <= 0) return std::nullopt;
    return stringEntry(n);
}

}  // namespace orvex::gui
