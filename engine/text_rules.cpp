#include "engine/text_rules.h"

namespace orvex::engine {

Text RemoveSpaces(TextView text) {
    Text out;
    out.reserve(text.size());
    appendWithoutSpaces(out, text);
    return out;
}

void removeSpacesInPlace(Text& text) {
    std::erase_if(text, [](char16_t c) { return c == u' ' || c == u'\u3000'; });
}

void appendWithoutSpaces(Text& out, TextView text) {
    // Runs between spaces are appended whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u' ' && text[i] != u'\u3000') continue;
        out.append(text.substr(run, i - run));
        run = i + 1;
    }
    out.append(text.substr(run));
}

bool IsAgeText(TextView text) {
    bool hasAgeWord = false;
    bool hasDigit = false;
    for (char16_t c : text) {
        if (c == u'才' || c == u'歳' || c == u'代') hasAgeWord = true;
        if ((c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９')) hasDigit = true;
        if (hasAgeWord && hasDigit) return true;
    }
    return false;
}

void deleteAll(Text& text, TextView phrase) {
    if (phrase.empty() || text.size() < phrase.size()) return;
    std::size_t hit = text.find(phrase);
    if (hit == Text::npos) return;
    // One pass: copy the parts between the hits forward over the removed phrases.
    std::size_t write = hit;
    std::size_t read = hit;
    while (hit != Text::npos) {
        for (std::size_t i = read; i < hit; ++i) text[write++] = text[i];
        read = hit + phrase.size();
        hit = text.find(phrase, read);
    }
    for (std::size_t i = read; i < text.size(); ++i) text[write++] = text[i];
    text.resize(write);
}

}  // namespace orvex::engine
