#pragma once
// Helpers of the decision-stage tests: blocks made from UTF-8 tokens and scored, and UTF-8
// views of engine lists so that assertions print readably.

#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/decider_test_support.h"

namespace orvex::engine::decision_testing {

// The decider helpers (UTF-8 views, engineWith, blocks and tags) serve here too.
using namespace decider_testing;

/// A block holding `tokens` (text or tags such as "<INPUT type=text orgnm=zip name=kvnt1>"),
/// scored with Check.
inline clsHTMLItemBlock makeBlock(std::initializer_list<std::string_view> tokens) {
    clsHTMLItemBlock block;
    for (const std::string_view token : tokens) block.AddToken(u16(token));
    block.Check();
    return block;
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
