#include "engine/tag_reader.h"

#include <cstddef>

namespace orvex::engine {
namespace {

constexpr std::size_t npos = TextView::npos;

// Characters that separate the attributes of a tag. Line ends are removed before tokenising,
// but a tag handed in directly may still hold them.
constexpr bool isAttributeSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// 0-based offset of the first `attribute=` that starts right after a separator and outside a
// double-quoted value; npos when none. A double quote toggles the quoted state wherever it
// stands, as the serialisation only writes them around values. The name is searched for and
// each occurrence checked, counting the quotes passed on the way to know whether it is quoted.
std::size_t locateAttribute(TextView tag, TextView attribute) {
    if (attribute.empty()) return npos;
    bool quoted = false;
    std::size_t counted = 0;  // quotes of tag[0, counted) are in `quoted`
    for (std::size_t p = tag.find(attribute, 1); p != npos; p = tag.find(attribute, p + 1)) {
        const std::size_t end = p + attribute.size();
        if (end >= tag.size()) return npos;
        if (tag[end] != u'=' || !isAttributeSeparator(tag[p - 1])) continue;
        for (; counted < p; ++counted)
            if (tag[counted] == u'"') quoted = !quoted;
        if (!quoted) return p;
    }
    return npos;
}

}  // namespace

TextView nextTokenView(TextView& rest) {
    std::size_t i = 0;
    while (i < rest.size() && rest[i] == u' ') ++i;
    while (i < rest.size() && (rest[i] == u'\r' || rest[i] == u'\n')) ++i;
    rest.remove_prefix(i);
    if (rest.empty()) return {};

    std::size_t end;  // one past the last character of the token
    if (rest.front() != u'<') {
        const std::size_t p = rest.find(u'<');
        end = (p == npos) ? rest.size() : p;
    } else {
        const std::size_t p = rest.find(u'>');
        end = (p == npos) ? rest.size() : p + 1;
    }
    const TextView token = rest.substr(0, end);
    rest.remove_prefix(end);
    return token;
}

Text NextToken(TextView& rest) {
    return Text(nextTokenView(rest));
}

int findAttribute(TextView tag, TextView attribute) {
    const std::size_t p = locateAttribute(tag, attribute);
    return p == npos ? 0 : static_cast<int>(p) + 1;
}

TextView attributeView(TextView tag, TextView attribute) {
    if (attribute.empty()) {
        // Element name: after the leading "<", up to the first space, or without a space up
        // to the closing ">" (the rest of the tag when there is none).
        TextView body = tag.empty() ? tag : tag.substr(1);
        std::size_t end = body.find(u' ');
        if (end == npos) end = body.find(u'>');
        return body.substr(0, end);
    }

    const std::size_t p = locateAttribute(tag, attribute);
    if (p == npos) return {};
    const std::size_t v = p + attribute.size() + 1;  // just after the "="
    if (v < tag.size() && tag[v] == u'"') {
        const std::size_t q = tag.find(u'"', v + 1);
        if (q == npos) return {};
        return tag.substr(v + 1, q - v - 1);
    }
    // Unquoted: ends at the first space or ">" at or after the attribute, whichever comes first.
    const std::size_t s = tag.find(u' ', p);
    const std::size_t g = tag.find(u'>', p);
    std::size_t end;
    if (s == npos && g == npos)
        end = tag.size();
    else if (g == npos || (s != npos && s < g))
        end = s;
    else
        end = g;
    if (end <= v) return {};
    return tag.substr(v, end - v);
}

Text GetAttribute(TextView tag, TextView attribute) {
    return Text(attributeView(tag, attribute));
}

bool IsChoiceTag(TextView tag) {
    if (tag.starts_with(u"<SELECT")) return true;
    const TextView type = attributeView(tag, u"type");
    return type == u"checkbox" || type == u"radio";
}

}  // namespace orvex::engine
