#include "engine/word_search.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvex::engine {
namespace {

constexpr std::size_t npos = TextView::npos;

// Offset of the first `c` in text[from, last]; npos when none.
std::size_t findChar(const char16_t* text, std::size_t from, std::size_t last, char16_t c) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(c));
    for (; i + 8 <= last + 1; i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(chunk, wanted));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#endif
    for (; i <= last; ++i)
        if (text[i] == c) return i;
    return npos;
}

}  // namespace

std::size_t findWord(TextView text, TextView word) {
    if (word.empty()) return 0;
    if (word.size() > text.size()) return npos;
    const std::size_t last = text.size() - word.size();  // last offset where the word fits
    const char16_t* data = text.data();
    for (std::size_t at = 0; at <= last;) {
        const std::size_t p = findChar(data, at, last, word.front());
        if (p == npos) return npos;
        if (text.compare(p + 1, word.size() - 1, word.substr(1)) == 0) return p;
        at = p + 1;
    }
    return npos;
}

}  // namespace orvex::engine
