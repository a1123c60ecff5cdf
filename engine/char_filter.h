#pragma once
// A quick test of whether a word may occur in a text: the text's characters hashed into 256
// bits. Word searches over long keyword lists consult it first, since most words do not occur.

#include <array>
#include <cstdint>
#include <span>

#include "engine/token.h"

namespace orvex::engine {

/// A set of characters hashed into 256 bits; a clear bit proves a character absent.
class CharBits {
  public:
    constexpr CharBits() = default;
    /// The set of the characters of `text`.
    constexpr explicit CharBits(TextView text) { addAll(text); }

    constexpr void add(char16_t c) {
        const unsigned s = slot(c);
        m_bits[s >> 6] |= std::uint64_t{1} << (s & 63);
    }
    constexpr void addAll(TextView text) {
        for (char16_t c : text) add(c);
    }
    /// True when every character of `other` may be in this set (always for an empty `other`).
    constexpr bool covers(const CharBits& other) const {
        for (std::size_t i = 0; i < m_bits.size(); ++i)
            if ((other.m_bits[i] & ~m_bits[i]) != 0) return false;
        return true;
    }
    /// True when the sets share a slot.
    constexpr bool meets(const CharBits& other) const {
        for (std::size_t i = 0; i < m_bits.size(); ++i)
            if ((other.m_bits[i] & m_bits[i]) != 0) return true;
        return false;
    }

  private:
    // Multiplicative hashing spreads ASCII, kana and kanji alike over the 256 slots.
    static constexpr unsigned slot(char16_t c) { return (static_cast<std::uint32_t>(c) * 2654435761u) >> 24; }
    std::array<std::uint64_t, 4> m_bits{};
};

/// The character sets of a keyword list, worked out once per list (at compile time for the
/// dictionaries' tables): one per word, and the union of the words' first characters.
template <std::size_t N>
struct WordListBits {
    std::array<CharBits, N> words{};
    CharBits firsts;
};

/// The character sets of `words`.
template <std::size_t N>
constexpr WordListBits<N> wordListBits(const std::array<TextView, N>& words) {
    WordListBits<N> bits;
    for (std::size_t i = 0; i < N; ++i) {
        bits.words[i].addAll(words[i]);
        if (!words[i].empty()) bits.firsts.add(words[i].front());
    }
    return bits;
}

}  // namespace orvex::engine
