#pragma once
// Helpers of the per-field decider tests: blocks made from UTF-8 tokens, engines holding them
// with their kind lists, and UTF-8 views of the filling-tag entries.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html_items.h"
#include "text/text.h"

namespace orvex::engine::decider_testing {

inline Text u16(std::string_view utf8) {
    return text::fromUtf8(utf8);
}

inline std::string u8(TextView text) {
    return text::toUtf8(text);
}

inline std::vector<std::string> u8(const std::vector<Text>& list) {
    std::vector<std::string> out;
    for (const Text& t : list) out.push_back(u8(t));
    return out;
}

/// A text input named kvnt`n`, with ` size=...` when `size` is not empty.
inline std::string box(int n, std::string_view size = {}) {
    std::string tag = "<INPUT type=text orgnm=f" + std::to_string(n);
    if (!size.empty()) tag += " size=" + std::string(size);
    return tag + " name=kvnt" + std::to_string(n) + ">";
}

/// A select list named kvnt`n`, with ` special=...` marks appended.
inline std::string list(int n, std::initializer_list<std::string_view> specials = {}) {
    std::string tag = "<SELECT orgnm=f" + std::to_string(n) + " name=kvnt" + std::to_string(n);
    for (const std::string_view s : specials) tag += " special=" + std::string(s);
    return tag + ">";
}

/// A radio button of the group `group` (radio buttons keep their page name).
inline std::string radio(std::string_view group) {
    return "<INPUT type=radio name=" + std::string(group) + ">";
}

/// A block holding `tokens` (texts and tags) in order; not scored.
inline clsHTMLItemBlock block(std::initializer_list<std::string_view> tokens) {
    clsHTMLItemBlock b;
    for (const std::string_view token : tokens) b.AddToken(u16(token));
    return b;
}

/// An engine whose Blocks are `blocks`, in order, with no kind decided.
inline clsHTMLItems engineWith(std::vector<clsHTMLItemBlock> blocks) {
    clsHTMLItems engine;
    engine.Blocks = std::move(blocks);
    return engine;
}

/// The filling-tag entries of `engine` in UTF-8.
inline std::vector<std::string> entries(const clsHTMLItems& engine) {
    return u8(engine.FillingTags);
}

}  // namespace orvex::engine::decider_testing
