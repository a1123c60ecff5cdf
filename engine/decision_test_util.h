#pragma once
// Helpers of the decision-stage tests: blocks made from UTF-8 tokens and scored, and UTF-8
// views of engine lists so that assertions print readably.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html_items.h"
#include "text/text.h"

namespace orvex::engine::decision_testing {

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

/// A block holding `tokens` (text or tags such as "<INPUT type=text orgnm=zip name=kvnt1>"),
/// scored with Check.
inline clsHTMLItemBlock makeBlock(std::initializer_list<std::string_view> tokens) {
    clsHTMLItemBlock block;
    for (const std::string_view token : tokens) block.AddToken(u16(token));
    block.Check();
    return block;
}

/// An engine whose Blocks are `blocks`, in order.
inline clsHTMLItems engineWith(std::vector<clsHTMLItemBlock> blocks) {
    clsHTMLItems engine;
    engine.Blocks = std::move(blocks);
    return engine;
}

/// The kinds decided for the block at 1-based `position`.
inline KindList decidedAt(const clsHTMLItems& engine, int position) {
    const clsHTMLItemBlock* block = engine.blockAt(position);
    return block == nullptr ? KindList{} : block->DecidedTypes;
}

/// A filler line that scores no kind: a remark label and a box named memo.
inline clsHTMLItemBlock fillerBlock(int number) {
    const std::string tag = "<INPUT type=text orgnm=memo name=kvnt" + std::to_string(number) + ">";
    return makeBlock({"備考", tag});
}

}  // namespace orvex::engine::decision_testing
