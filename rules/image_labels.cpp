// Stage "image-labels": pages that draw their labels as pictures give the words in the image's
// alt text, which is what a screen reader says for the row. The engine drops images, so the
// alt text is written after the image's tag as plain text.

#include <string>

#include "engine/tag_reader.h"
#include "rules/stages.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

// True when `c` is the letter `upper` in either case.
bool isLetter(char16_t c, char16_t upper) {
    return c == upper || c == upper + (u'a' - u'A');
}

// True when `html` holds "<img" (any case) followed by a blank or ">" at `at`.
bool isImageTag(TextView html, std::size_t at) {
    if (at + 4 > html.size() || html[at] != u'<') return false;
    if (!isLetter(html[at + 1], u'I') || !isLetter(html[at + 2], u'M') || !isLetter(html[at + 3], u'G')) return false;
    return at + 4 == html.size() || html[at + 4] == u' ' || html[at + 4] == u'>';
}

}  // namespace

void imageLabelsStage(FormText& text) {
    const TextView html = text.html;
    if (html.find(u"<I") == TextView::npos && html.find(u"<i") == TextView::npos) return;
    Text out;
    out.reserve(html.size());
    int images = 0;
    std::size_t copied = 0;
    for (std::size_t at = html.find(u'<'); at != TextView::npos; at = html.find(u'<', at + 1)) {
        if (!isImageTag(html, at)) continue;
        const std::size_t close = html.find(u'>', at);
        if (close == TextView::npos) break;
        const TextView tag = html.substr(at, close + 1 - at);
        const Text alt = text::trim(engine::GetAttribute(tag, u"alt"));
        if (alt.empty() || alt.find(u'<') != Text::npos) continue;
        out.append(html.substr(copied, close + 1 - copied));
        out += alt;
        copied = close + 1;
        ++images;
    }
    if (images == 0) return;
    out.append(html.substr(copied));
    text.html = std::move(out);
    text.notes.push_back({"image-labels", "read the alt text of " + std::to_string(images) + " images as labels"});
}

}  // namespace orvex::rules
