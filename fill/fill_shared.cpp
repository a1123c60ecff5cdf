#include "fill/fill_shared.h"

#include <array>
#include <limits>

#include "engine/tag_reader.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using text::Text;
using text::TextView;

// How many parents above each member are searched for the element that holds a whole group.
constexpr int kGroupAncestorLevels = 5;

// Inline tags that are taken out of a group's markup before its labels are read, so that a
// label written as <FONT>..</FONT> or <SPAN>..</SPAN> reads as plain text after its input.
constexpr std::array<TextView, 4> kInlineLabelTags = {u"FONT", u"SPAN", u"TT", u"STRONG"};

// True when `html` at `at` holds "<NAME" or "</NAME" for one of the inline tags, followed by a
// blank or ">" (so that "<TTX" is not taken for "<TT"); `end` is set past the tag's ">".
bool matchInlineTag(TextView html, std::size_t at, std::size_t& end) {
    std::size_t p = at + 1;
    if (p < html.size() && html[p] == u'/') ++p;
    for (TextView tag : kInlineLabelTags) {
        if (html.compare(p, tag.size(), tag) != 0) continue;
        const std::size_t after = p + tag.size();
        if (after < html.size() && html[after] != u' ' && html[after] != u'>') continue;
        const std::size_t close = html.find(u'>', after);
        end = close == TextView::npos ? html.size() : close + 1;
        return true;
    }
    return false;
}

// The parents of `element`, nearest first, at most kGroupAncestorLevels of them.
std::vector<page::Element> parentsOf(const page::Element& element) {
    std::vector<page::Element> parents;
    page::Element node = element.parentElement();
    while (node && static_cast<int>(parents.size()) < kGroupAncestorLevels) {
        parents.push_back(node);
        node = node.parentElement();
    }
    return parents;
}

}  // namespace

Text RemoveSpacesOutsideTags(TextView text) {
    Text out;
    out.reserve(text.size());
    bool inTag = false;
    for (char16_t c : text) {
        if (c == u'<') inTag = true;
        if (c == u'>') inTag = false;
        if (!inTag && text::isBlank(c)) continue;
        out.push_back(c);
    }
    return out;
}

long long NextNumber(TextView text) {
    std::size_t i = 0;
    while (i < text.size() && !(text[i] >= u'0' && text[i] <= u'9')) ++i;
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 9;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value > kLimit) return std::numeric_limits<long long>::max();
        value = value * 10 + (text[i] - u'0');
    }
    return value;
}

bool IsHiddenPair(const page::ElementCollection& collection) {
    if (collection.length() != 2) return false;
    const std::string first = collection.item(0).type();
    const std::string second = collection.item(1).type();
    return first != second && (first == "hidden" || second == "hidden");
}

page::Element VisibleOfHiddenPair(const page::ElementCollection& collection) {
    if (!IsHiddenPair(collection)) return {};
    return collection.item(0).type() == "hidden" ? collection.item(1) : collection.item(0);
}

bool SharesParentWithLikeInputs(const page::Element& element) {
    const page::Element parent = element.parentElement();
    if (!parent) return false;
    const std::string type = element.type();
    const page::ElementCollection children = parent.children();
    int like = 0;
    for (int i = 0; i < children.length(); ++i)
        if (children.item(i).type() == type) ++like;
    return like >= 2;
}

bool GroupLabelList::add(TextView key, TextView label) {
    if (m_keys.find(key) != m_keys.end()) return false;
    m_keys.emplace(Text(key), m_labels.size());
    m_labels.emplace_back(label);
    return true;
}

std::optional<Text> GroupLabelList::at(int position) const {
    if (position < 1 || position > count()) return std::nullopt;
    return m_labels[static_cast<std::size_t>(position - 1)];
}

std::optional<Text> GroupLabelList::byKey(TextView key) const {
    const auto it = m_keys.find(key);
    if (it == m_keys.end()) return std::nullopt;
    return m_labels[it->second];
}

Text RemoveInlineTags(TextView html) {
    Text out;
    out.reserve(html.size());
    std::size_t i = 0;
    while (i < html.size()) {
        std::size_t end = 0;
        if (html[i] == u'<' && matchInlineTag(html, i, end)) {
            i = end;
            continue;
        }
        out.push_back(html[i]);
        ++i;
    }
    return out;
}

std::optional<GroupLabelList> GroupLabels(const page::Element& first, const page::Element& last,
                                          bool removeSpaces) {
    if (!first || !last) return std::nullopt;
    const Text name = text::fromUtf8(first.name());

    const std::vector<page::Element> firstParents = parentsOf(first);
    const std::vector<page::Element> lastParents = parentsOf(last);
    page::Element common;
    for (const page::Element& candidate : firstParents) {
        for (const page::Element& other : lastParents) {
            if (candidate.sourceIndex() == other.sourceIndex()) {
                common = candidate;
                break;
            }
        }
        if (common) break;
    }
    if (!common) return std::nullopt;

    const Text html = RemoveInlineTags(innerHtmlOf(common));
    GroupLabelList labels;
    for (const Text& piece : text::split(html, u"<")) {
        if (engine::GetAttribute(piece, u"name") != name) continue;
        const Text value = engine::GetAttribute(piece, u"value");
        if (value.empty()) continue;
        const std::size_t close = piece.find(u'>');
        if (close == Text::npos) continue;
        Text label = text::trim(TextView(piece).substr(close + 1));
        if (removeSpaces) label = text::removeBlanks(label);
        if (!label.empty()) labels.add(value, label);
    }
    return labels;
}

bool typeNameContains(const page::NamedItem& item, std::string_view part) {
    return item.typeName().find(part) != std::string::npos;
}

bool isHiddenInput(const page::Element& element) {
    return element.type() == "hidden";
}

bool isRadioOrCheckbox(const page::Element& element) {
    const std::string type = element.type();
    return element.tagName() == "INPUT" && (type == "radio" || type == "checkbox");
}

bool assignValue(page::Element element, TextView value) {
    if (!element) return false;
    const std::string utf8 = text::toUtf8(value);
    if (element.tagName() == "SELECT") {
        const page::ElementCollection options = element.options();
        bool offered = false;
        for (int i = 0; i < options.length() && !offered; ++i) offered = options.item(i).value() == utf8;
        if (!offered) return false;
    }
    return element.setValue(utf8);
}

Text valueOf(const page::Element& element) {
    return text::fromUtf8(element.value());
}

Text innerHtmlOf(const page::Element& element) {
    return text::fromUtf8(element.innerHTML());
}

}  // namespace orvex::fill
