#include "profile/encoding.h"

#include <unicode/ucnv.h>

namespace orvex::profile {
namespace {

// Converter names for CP932, tried in order: ICU knows Windows' table under either.
constexpr const char* kCp932Names[] = {"windows-31j", "ibm-943_P15A-2003"};

// Inputs above this size are refused: the output buffer (2 units per byte) must fit ICU's int32.
constexpr size_t kMaxBytes = 0x3FFFFFFF;

// The number of continuation bytes a lead byte announces; -1 for a byte that cannot lead.
int continuationCount(unsigned char b) {
    if (b < 0x80) return 0;
    if (b >= 0xC2 && b <= 0xDF) return 1;
    if (b >= 0xE0 && b <= 0xEF) return 2;
    if (b >= 0xF0 && b <= 0xF4) return 3;
    return -1;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int more = continuationCount(lead);
        if (more < 0) return false;
        if (more == 0) {
            ++i;
            continue;
        }
        if (n - i <= static_cast<size_t>(more)) return false;  // truncated at the end
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        // The second byte's range excludes overlong forms, surrogates and values above U+10FFFF.
        unsigned char lo = 0x80, hi = 0xBF;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
        if (second < lo || second > hi) return false;
        for (int k = 2; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if (c < 0x80 || c > 0xBF) return false;
        }
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

text::Text decodeCp932(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > kMaxBytes) return {};
    for (const char* name : kCp932Names) {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* conv = ucnv_open(name, &status);
        if (U_FAILURE(status) || !conv) continue;
        // A double-byte character never yields more than two code units per byte pair,
        // a single byte at most two (a substitute), so 2 units per byte is always enough.
        text::Text out(bytes.size() * 2 + 1, u'\0');
        const int32_t length = ucnv_toUChars(conv, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                             static_cast<int32_t>(bytes.size()), &status);
        ucnv_close(conv);
        if (U_FAILURE(status)) continue;
        out.resize(static_cast<size_t>(length));
        return out;
    }
    return {};
}

}  // namespace orvex::profile
