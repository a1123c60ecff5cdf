#include "engine/html_item_block.h"

#include "engine/dictionaries.h"
#include "engine/tag_reader.h"
#include "engine/text_rules.h"

namespace orvex::engine {
namespace {

// The text of a token without every "$CR$".
Text withoutCr(TextView token) {
    Text out;
    out.reserve(token.size());
    std::size_t i = 0;
    while (i < token.size()) {
        const std::size_t p = token.find(kCrToken, i);
        if (p == TextView::npos) {
            out.append(token.substr(i));
            break;
        }
        out.append(token.substr(i, p - i));
        i = p + kCrToken.size();
    }
    return out;
}

}  // namespace

void clsHTMLItemBlock::AddToken(TextView token) {
    if (isTagToken(token)) {
        HasTag = true;
        colToken.emplace_back(token);
    } else {
        HasText = true;
        colToken.push_back(RemoveSpaces(token));
    }
}

void clsHTMLItemBlock::AddToken(Text&& token) {
    if (isTagToken(token)) {
        HasTag = true;
    } else {
        HasText = true;
        removeSpacesInPlace(token);
    }
    colToken.push_back(std::move(token));
}

void clsHTMLItemBlock::CatBlock(const clsHTMLItemBlock& other) {
    if (&other == this) {
        const std::vector<Text> copy = other.colToken;
        for (const Text& token : copy) AddToken(token);
        return;
    }
    for (const Text& token : other.colToken) AddToken(token);
}

Text clsHTMLItemBlock::GetAllText() const {
    // RemoveSpaces of each text token, appended straight into the result.
    std::size_t size = 0;
    for (const Text& token : colToken)
        if (isTextToken(token)) size += token.size();
    Text all;
    all.reserve(size);
    for (const Text& token : colToken)
        if (isTextToken(token)) appendWithoutSpaces(all, token);
    return all;
}

bool clsHTMLItemBlock::GetFirstTagType(Text& tagName, Text& typeName) const {
    for (const Text& token : colToken) {
        if (!isTagToken(token)) continue;
        tagName = GetAttribute(token, u"");
        typeName = GetAttribute(token, u"type");
        return true;
    }
    return false;
}

Text clsHTMLItemBlock::GetSpecial(TextView value) const {
    for (const Text& token : colToken) {
        if (!isTagToken(token)) continue;
        const Text special = GetAttribute(token, u"special");
        if (value.empty() ? !special.empty() : special == value) return token;
    }
    return Text();
}

bool clsHTMLItemBlock::HasSpecial(TextView value) const {
    for (const Text& token : colToken) {
        if (!isTagToken(token)) continue;
        const Text special = GetAttribute(token, u"special");
        if (value.empty() ? !special.empty() : special == value) return true;
    }
    return false;
}

void clsHTMLItemBlock::CollectTags(std::vector<Text>& names, bool selectable) const {
    for (const Text& token : colToken) {
        if (!isTagToken(token)) continue;
        if (!selectable && IsChoiceTag(token)) continue;
        names.push_back(GetAttribute(token, u"name"));
    }
}

bool clsHTMLItemBlock::SearchString(TextView s1, TextView s2, TextView s3, TextView s4, TextView s5,
                                    TextView s6) const {
    for (const Text& token : colToken) {
        if (!isTextToken(token)) continue;
        if (FindAnyWord(withoutCr(token), {s1, s2, s3, s4, s5, s6}) > 0) return true;
    }
    return false;
}

bool clsHTMLItemBlock::IsMeaningless() const {
    for (const Text& token : colToken) {
        for (char16_t c : withoutCr(token))
            if (c != u' ') return false;
    }
    return true;
}

}  // namespace orvex::engine
