// Block building: from the filtered token list to the engine's final list of blocks.

#include <algorithm>

#include "engine/html_items.h"
#include "engine/line_passes.h"
#include "engine/tag_reader.h"

namespace orvex::engine {
namespace {

// "$CR$" is 4 characters, so a join of two texts can make a new one at most 3 characters back.
constexpr std::size_t kCrJoinCarry = 3;

// Runs a line pass over every block; the pieces of a block follow it in place.
void applyToEach(std::vector<clsHTMLItemBlock>& blocks,
                 void (*pass)(clsHTMLItemBlock, std::vector<clsHTMLItemBlock>&)) {
    std::vector<clsHTMLItemBlock> out;
    out.reserve(blocks.size());
    for (clsHTMLItemBlock& block : blocks) pass(std::move(block), out);
    blocks = std::move(out);
}

}  // namespace

void clsHTMLItems::Sweep() {
    if (m_tokens.empty()) return;
    TokenList swept;
    swept.reserve(m_tokens.size() + 1);
    swept.emplace_back(kBrToken);
    // The last item of `swept` is always the previous token; track whether it holds "$CR$"
    // instead of searching a text that keeps growing.
    bool prevHasCr = false;
    for (Text& cur : m_tokens) {
        Text& prev = swept.back();
        if (cur == kBrToken && prev == kBrToken) continue;
        if (isTextToken(prev) && cur == kCrToken) {
            prev += kCrToken;
            prevHasCr = true;
            continue;
        }
        if (isTextToken(prev) && isTextToken(cur)) {
            if (prevHasCr) {
                prevHasCr = cur.find(kCrToken) != Text::npos;
                swept.push_back(std::move(cur));
            } else {
                // The join itself may form "$CR$": look at the seam and the new text.
                const std::size_t seamStart = prev.size() - std::min(prev.size(), kCrJoinCarry);
                prev += cur;
                prevHasCr = TextView(prev).substr(seamStart).find(kCrToken) != TextView::npos;
            }
            continue;
        }
        prevHasCr = isTextToken(cur) && cur.find(kCrToken) != Text::npos;
        swept.push_back(std::move(cur));
    }
    if (swept.back() == kBrToken) swept.pop_back();
    setTokens(std::move(swept));
}

void clsHTMLItems::MakeBlocks() {
    Sweep();
    Blocks.clear();
    m_tokens.emplace_back(kBrToken);

    std::optional<clsHTMLItemBlock> current;
    for (Text& token : m_tokens) {
        if (token == kBrToken) {
            if (current) Blocks.push_back(std::move(*current));
            current.emplace();
        } else if (token == kAbsSepToken) {
            if (current) {
                current->AbsoluteSeparater = true;
                Blocks.push_back(std::move(*current));
            }
            current.emplace();
        } else if (current) {
            current->AddToken(std::move(token));
        }
    }
    // The block opened by the final "<BR>" is dropped; the tokens now live in the blocks.
    setTokens({});

    DivideBlock();
    SweepBlock();
    CleanBlocks();
}

void clsHTMLItems::DivideBlock() {
    applyToEach(Blocks, divideEveryInput);
}

void clsHTMLItems::DivideBlock2() {
    applyToEach(Blocks, divideEveryField);
}

std::optional<Text> clsHTMLItems::FirstInputName(const clsHTMLItemBlock& block) {
    for (const Text& token : block.colToken)
        if (isTagToken(token)) return GetAttribute(token, u"name");
    return std::nullopt;
}

void clsHTMLItems::SweepBlock() {
    if (Blocks.empty()) return;
    std::vector<clsHTMLItemBlock> kept;
    kept.reserve(Blocks.size());
    kept.push_back(std::move(Blocks.front()));
    // The first input of `prev` does not change while blocks are appended to it once it has one.
    std::optional<Text> prevName;
    bool prevNameKnown = false;
    for (std::size_t i = 1; i < Blocks.size(); ++i) {
        clsHTMLItemBlock& cur = Blocks[i];
        clsHTMLItemBlock& prev = kept.back();
        bool merge = false;
        if (!prev.AbsoluteSeparater && !cur.AbsoluteSeparater) {
            if (!prev.HasTag && prev.HasText) {
                merge = cur.HasTag || cur.HasText;  // a label-only line joins the next line
            } else if (prev.HasTag) {
                if (!prevNameKnown) {
                    prevName = FirstInputName(prev);
                    prevNameKnown = true;
                }
                // A missing name (no tag) and an empty name both compare as "".
                merge = prevName.value_or(Text()) == FirstInputName(cur).value_or(Text());
            }
        }
        if (merge) {
            const bool hadTag = prev.HasTag;
            prev.CatBlock(cur);
            if (!hadTag) prevNameKnown = false;
        } else {
            kept.push_back(std::move(cur));
            prevNameKnown = false;
        }
    }
    if (!kept.back().HasTag) kept.pop_back();
    Blocks = std::move(kept);
}

void clsHTMLItems::CleanBlocks() {
    std::erase_if(Blocks, [](const clsHTMLItemBlock& b) { return b.IsMeaningless(); });
}

void clsHTMLItems::AdjustBlock() {
    for (std::size_t i = 0; i + 1 < Blocks.size(); ++i) Blocks[i].Adjust(Blocks[i + 1]);
    applyToEach(Blocks, divideEveryLabel);
}

void clsHTMLItems::CheckNameAndKeyword() {
    for (clsHTMLItemBlock& block : Blocks) block.Check();
}

}  // namespace orvex::engine
