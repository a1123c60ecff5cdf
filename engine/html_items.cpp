// The pipeline driver, the token filter and the generated input names.

#include "engine/html_items.h"

#include <algorithm>
#include <exception>

#include "engine/form_text.h"
#include "engine/tag_reader.h"
#include "engine/token_verdicts.h"
#include "text/strings.h"

namespace orvex::engine {
namespace {

constexpr TextView kGeneratedPrefix = u"kvnt";
constexpr TextView kKatakanaFurigana = u"フリガナ";
constexpr TextView kConventionMark = u"kv0";
// The attribute that names an input, and the one that keeps the page's name after renaming.
constexpr TextView kNameAttribute = u"name";
constexpr TextView kPageNameAttribute = u"orgnm";

// Input types that never take personal data; such tags are dropped before naming.
bool isDroppedType(TextView type) {
    return type == u"submit" || type == u"hidden" || type == u"reset" || type == u"button";
}

// Element names that end a line outside a table row.
bool isLineEndElement(TextView n) {
    static constexpr TextView kLineEnds[] = {u"/CENTER", u"P",  u"/P",  u"DT", u"H1",         u"H2",
                                             u"H3",      u"H4", u"H5",  u"H6", u"H7",         u"H8",
                                             u"H9",      u"LI", u"/LI", u"TH", u"/BLOCKQUOTE"};
    for (TextView e : kLineEnds)
        if (n == e) return true;
    return false;
}

bool contains(TextView text, TextView word) {
    return text.find(word) != TextView::npos;
}

Text decimal(std::int32_t n) {
    const std::string digits = std::to_string(n);
    return Text(digits.begin(), digits.end());
}

}  // namespace

void clsHTMLItems::Clear() {
    InSelect = false;
    InCell = false;
    InRow = false;
    InTextArea = false;
    boolKatakanaFurigana = false;
    HasAgeSelect = false;
    UseEraYear = false;
    FillingTags.clear();
    Blocks.clear();
    m_tokens.clear();
    m_lastTagIndex = -1;
}

void clsHTMLItems::AddToken(TextView token) {
    Text normal = NormalizeToken(token);
    if (!normal.empty()) appendToken(std::move(normal));
}

void clsHTMLItems::addFilteredToken(Text&& token) {
    const TokenAction action = filterToken(token);
    if (action == TokenAction::Keep) {
        if (!token.empty()) appendToken(std::move(token));
    } else if (action != TokenAction::Drop) {
        appendToken(markerToken(action));
    }
}

void clsHTMLItems::appendToken(Text&& token) {
    if (isTagToken(token)) m_lastTagIndex = static_cast<std::ptrdiff_t>(m_tokens.size());
    m_tokens.push_back(std::move(token));
}

bool clsHTMLItems::markSelectByOption(TextView optionText) {
    // Only the first test that applies is taken: a text with "東" is never tested for an era.
    if (contains(optionText, u"東")) {
        if (!contains(RemoveSpaces(optionText), u"東京")) return false;
        MarkSpecial(u"SELECT", u"pref");
        return true;
    }
    if (contains(optionText, u"昭")) {
        if (!contains(RemoveSpaces(optionText), u"昭和")) return false;
        MarkSpecial(u"SELECT", u"yeartype");
        return true;
    }
    if (IsAgeText(optionText)) {
        MarkSpecial(u"SELECT", u"age");
        HasAgeSelect = true;
    }
    return false;
}

Text clsHTMLItems::NormalizeToken(TextView token) {
    const TokenAction action = filterToken(token);
    return action == TokenAction::Keep ? Text(token) : markerToken(action);
}

Text clsHTMLItems::markerToken(TokenAction action) {
    switch (action) {
        case TokenAction::SoftLineEnd:
            return Text(kCrToken);
        case TokenAction::LineEnd:
            return Text(kBrToken);
        case TokenAction::Separator:
            return Text(kAbsSepToken);
        default:
            return Text();
    }
}

clsHTMLItems::TokenAction clsHTMLItems::filterToken(TextView token) {
    if (isTextToken(token)) {
        TokenAction action = TokenAction::Keep;
        // An option caption is dropped; a prefecture or era list leaves a soft line end.
        if (InSelect) action = markSelectByOption(token) ? TokenAction::SoftLineEnd : TokenAction::Drop;
        if (InTextArea) action = TokenAction::Drop;
        return action;
    }

    // Element name: from the token without its first and last characters, up to the first space.
    const TextView inner = token.size() >= 2 ? token.substr(1, token.size() - 2) : TextView();
    const TextView n = inner.substr(0, inner.find(u' '));

    if (InSelect) {
        if (n == u"/SELECT")
            InSelect = false;
        else
            markSelectByOption(token);
        return TokenAction::Drop;
    }

    if (n == u"BR") return InCell ? TokenAction::SoftLineEnd : TokenAction::LineEnd;
    if (n == u"INPUT") {
        const TextView type = attributeView(token, u"type");
        if (type == u"submit" || type == u"hidden" || type == u"reset") return TokenAction::Drop;
        return TokenAction::Keep;
    }
    if (n == u"SELECT") {
        InSelect = true;
        return TokenAction::Keep;
    }
    if (n == u"TEXTAREA") {
        InTextArea = true;
        return TokenAction::Keep;
    }
    if (n == u"/TEXTAREA") {
        InTextArea = false;
        return TokenAction::Drop;
    }
    if (n == u"HR" || n == u"TABLE") return TokenAction::Separator;
    if (isLineEndElement(n)) return TokenAction::LineEnd;
    if (n == u"TD") {
        InCell = true;
        return InRow ? TokenAction::SoftLineEnd : TokenAction::Drop;
    }
    if (n == u"TR") {
        InRow = true;
        return TokenAction::Drop;
    }
    if (n == u"/TR") {
        InRow = false;
        return TokenAction::LineEnd;
    }
    if (n == u"/TD") {
        InCell = false;
        return TokenAction::SoftLineEnd;
    }
    return TokenAction::Drop;
}

void clsHTMLItems::AssignInputName(Text& tag) {
    const Text nm = GetAttribute(tag, u"name");
    if (nm.empty()) return;

    auto counted = NameCounts.find(nm);
    if (counted == NameCounts.end())
        counted = NameCounts.emplace(nm, PageNameCount{nm, 1}).first;
    else
        ++counted->second.count;

    if (attributeView(tag, u"type") == u"radio") return;  // a radio group shares one name

    ++NameCounter;
    Text newName = Text(kGeneratedPrefix) + decimal(NameCounter);

    // The page name moves to `orgnm`. The rename uses the same "name=" that GetAttribute reads
    // (after a blank, outside a quoted value), so the page name and the generated name are
    // what GetAttribute finds afterwards.
    const int p = findAttribute(tag, kNameAttribute);
    if (p > 0) tag.replace(static_cast<std::size_t>(p - 1), kNameAttribute.size(), kPageNameAttribute);
    // The last character is taken for the closing ">"; an unterminated tag (the last token of
    // the text) loses its last character all the same.
    if (!tag.empty()) tag.pop_back();
    tag += u" name=";
    tag += newName;
    tag += u'>';

    GeneratedNames[newName] = PageNameCount{nm, counted->second.count};
}

void clsHTMLItems::MarkSpecial(TextView tagStart, TextView value) {
    Text prefix = u"<" + Text(tagStart);
    const std::ptrdiff_t last = std::min<std::ptrdiff_t>(m_lastTagIndex, std::ssize(m_tokens) - 1);
    for (std::ptrdiff_t i = last; i >= 0; --i) {
        Text& token = m_tokens[static_cast<std::size_t>(i)];
        if (!token.starts_with(prefix)) continue;
        if (!token.empty() && token.back() == u'>') token.pop_back();
        token += u" special=";
        token += value;
        token += u'>';
        return;
    }
}

void clsHTMLItems::readTokens(TextView html) {
    Clear();
    const Text text = prepareFormText(html);
    if (contains(text, kKatakanaFurigana)) boolKatakanaFurigana = true;
    HasConventionPrefix = contains(text, kConventionMark);

    // Every named tag adds to both name maps: room for one entry per tag spares them rehashing
    // again and again on long forms.
    const auto tags = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'<'));
    NameCounts.reserve(NameCounts.size() + tags);
    GeneratedNames.reserve(GeneratedNames.size() + tags);

    TextView rest = text;
    do {
        const TextView token = nextTokenView(rest);
        if (!isTagToken(token)) {
            AddToken(token);
            continue;
        }
        // Every tag with such a type is dropped here, not only INPUT.
        if (isDroppedType(attributeView(token, u"type"))) continue;
        Text tag(token);
        AssignInputName(tag);
        addFilteredToken(std::move(tag));
    } while (!rest.empty());
}

void clsHTMLItems::buildBlocks() {
    MakeBlocks();
    CheckNameAndKeyword();
    DivideBlock2();
    AdjustBlock();
}

bool clsHTMLItems::InterpretHTMLMain(TextView html) {
    RunErrorAt.clear();
    try {
        // Blocks are scored again and again as they are cut and joined: one memo per reading.
        const VerdictMemo verdicts;
        readTokens(html);
        buildBlocks();
        bool found = false;
        DecideConventionTags(found);
        if (!found) {
            Decide();
            Complement();
            ResolveNameConfliction();
            ResolveZipCityConfliction();
            DecideFillingTags();
        }
        return !FillingTags.empty();
    } catch (const std::exception& e) {
        RunErrorAt = e.what();
        return false;  // the run ends; the form counts as having nothing to fill
    } catch (...) {
        RunErrorAt = "an unknown error";
        return false;
    }
}

void clsHTMLItems::setTokens(TokenList tokens) {
    m_tokens = std::move(tokens);
    m_lastTagIndex = -1;
    for (std::ptrdiff_t i = std::ssize(m_tokens) - 1; i >= 0; --i) {
        if (isTagToken(m_tokens[static_cast<std::size_t>(i)])) {
            m_lastTagIndex = i;
            break;
        }
    }
}

clsHTMLItemBlock* clsHTMLItems::blockAt(int position) {
    if (position < 1 || position > std::ssize(Blocks)) return nullptr;
    return &Blocks[static_cast<std::size_t>(position - 1)];
}

const clsHTMLItemBlock* clsHTMLItems::blockAt(int position) const {
    if (position < 1 || position > std::ssize(Blocks)) return nullptr;
    return &Blocks[static_cast<std::size_t>(position - 1)];
}

std::optional<PageNameCount> clsHTMLItems::lookupGeneratedName(TextView name) const {
    if (!name.starts_with(kGeneratedPrefix)) return std::nullopt;
    const auto it = GeneratedNames.find(Text(name));
    if (it == GeneratedNames.end()) return std::nullopt;
    return it->second;
}

}  // namespace orvex::engine
