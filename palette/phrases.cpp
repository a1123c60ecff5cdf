#include "palette/phrases.h"

#include "profile/profile.h"
#include "text/strings.h"

namespace orvex::palette {
namespace {

constexpr bool isLineBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

constexpr bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

text::Text phraseKey(int slot) {
    return text::Text(kPhraseKeyPrefix) + text::number(slot + 1);
}

std::array<text::Text, kPhraseButtonCount> readPhrases(const std::filesystem::path& systemFile) {
    std::array<text::Text, kPhraseButtonCount> phrases;
    const profile::Snapshot file = profile::Snapshot::load(systemFile);
    for (int slot = 0; slot < kPhraseButtonCount; ++slot)
        phrases[slot] = file.read(kClipSection, phraseKey(slot));
    return phrases;
}

text::Text storablePhrase(text::TextView answer) {
    answer = answer.substr(0, answer.find(u'\0'));
    text::Text phrase;
    phrase.reserve(answer.size());
    for (std::size_t i = 0; i < answer.size(); ++i) {
        const char16_t c = answer[i];
        if (c == u'\r' || c == u'\n') {
            // A CR LF pair is one line break, so it becomes one blank.
            if (c == u'\r' && i + 1 < answer.size() && answer[i + 1] == u'\n') ++i;
            phrase += u' ';
        } else {
            phrase += c;
        }
    }
    std::size_t begin = 0;
    while (begin < phrase.size() && isLineBlank(phrase[begin])) ++begin;
    phrase.erase(0, begin);
    if (phrase.size() > profile::kMaxValueLength) {
        phrase.resize(profile::kMaxValueLength);
        if (isHighSurrogate(phrase.back())) phrase.pop_back();
    }
    while (!phrase.empty() && isLineBlank(phrase.back())) phrase.pop_back();
    return phrase;
}

bool writePhrase(const std::filesystem::path& systemFile, int slot, text::TextView phrase) {
    if (slot < 0 || slot >= kPhraseButtonCount) return false;
    return profile::write(systemFile, kClipSection, phraseKey(slot), phrase);
}

}  // namespace orvex::palette
