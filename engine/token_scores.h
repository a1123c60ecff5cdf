#pragma once
// What one token contributes to a block's scores, so passes that cut long lines can derive the
// scores of any run of tokens without scoring the same token again for every cut.

#include <cstdint>

#include "engine/field_kind.h"
#include "engine/token.h"

namespace orvex::engine {

/// One token's share of a block's scores.
struct TokenScore {
    /// The kinds the token matched (its entry in colDecidedTypes).
    KindList kinds;
    /// Bit k set when the token makes the block's name score of kind k above 0.
    std::uint32_t nameHits = 0;
    /// Bit k set when the token makes the block's keyword score of kind k above 0.
    std::uint32_t keywordHits = 0;
    /// KindOfToken of the token.
    int kind = -1;
};

/// Scores one token exactly as a block's Check does; never fails.
TokenScore scoreToken(TextView token);

/// Bit of kind k in a hits mask.
constexpr std::uint32_t kindBit(int kind) {
    return std::uint32_t{1} << kind;
}

}  // namespace orvex::engine
