// Cutting and adjusting single blocks: the block side of block building.

#include "engine/block_scan.h"
#include "engine/dictionaries.h"
#include "engine/html_item_block.h"
#include "engine/tag_reader.h"

namespace orvex::engine {
clsHTMLItemBlock clsHTMLItemBlock::moveTail(int p) {
    clsHTMLItemBlock tail;
    if (p < 1) p = 1;
    const std::size_t from = static_cast<std::size_t>(p - 1);
    if (from >= colToken.size()) return tail;
    for (std::size_t i = from; i < colToken.size(); ++i) tail.AddToken(colToken[i]);
    colToken.resize(from);
    return tail;
}

int clsHTMLItemBlock::GetDifferentRadio() const {
    return scan::differentRadioCut(colToken);
}

int clsHTMLItemBlock::GetDifferentTypeTag() {
    return scan::differentTypeCut(colToken);
}

std::optional<clsHTMLItemBlock> clsHTMLItemBlock::Divide() {
    if (!HasTag) return std::nullopt;
    int p = GetDifferentRadio();
    if (p == 0) p = GetDifferentTypeTag();
    if (p == 0) return std::nullopt;
    // The flags of the remaining block are left as they were.
    return moveTail(p);
}

std::optional<clsHTMLItemBlock> clsHTMLItemBlock::Divide20() {
    if (!IsMultiple()) return std::nullopt;
    const int count = static_cast<int>(colToken.size());
    int t1 = 0;
    for (int i = 1; i <= count; ++i) {
        if (isTagToken(colToken[i - 1])) {
            t1 = i;
            break;
        }
    }
    if (t1 == 0 || t1 >= count) return std::nullopt;  // no tag before the last token
    const int k1 = KindOfTag(colToken[t1 - 1]);

    int t2 = 0;
    for (int i = t1 + 1; i <= count; ++i) {
        if (!isTagToken(colToken[i - 1])) continue;
        const int k = KindOfTag(colToken[i - 1]);
        if (k != k1 && k != -1) {
            t2 = i;
            break;
        }
    }
    if (t2 == 0) return std::nullopt;

    int c = t2;
    for (int i = t1 + 1; i < t2; ++i) {
        const int k = KindOfToken(colToken[i - 1]);
        if (k != -1 && k != k1) {
            c = i;  // the second field's label goes with it
            break;
        }
    }
    clsHTMLItemBlock tail = moveTail(c);
    Check();
    tail.Check();
    return tail;
}

void clsHTMLItemBlock::Adjust(clsHTMLItemBlock& nextBlock) {
    if (&nextBlock == this) return;
    if (AbsoluteSeparater || nextBlock.AbsoluteSeparater) return;
    // A block without tokens has no last or first token: the adjustment ends there.
    if (colToken.empty() || nextBlock.colToken.empty()) return;
    if (isTagToken(colToken.back()) || isTextToken(nextBlock.colToken.front())) return;

    // Working copies passed on from kind to kind; the name dictionary sees the whole tag text.
    ScoringText x{colToken.back()};
    ScoringText y{nextBlock.colToken.front()};
    for (int i = kFirstKind; i <= kLastKind; ++i) {
        const bool label = ScoreKeyword(i, x) > 0;
        const bool name = ScoreName(i, y) > 0;
        if (label && name) {
            // The label moves as the scoring left it; scores, flags and kind lists stay.
            colToken.pop_back();
            nextBlock.colToken.insert(nextBlock.colToken.begin(), std::move(x).take());
            return;
        }
    }
}

bool clsHTMLItemBlock::hasKeyword() const {
    for (int k = kFirstKind; k <= kLastKind; ++k)
        if (KeywordScore[k] >= 1) return true;
    return false;
}

int clsHTMLItemBlock::labelCutPosition() {
    // After Adjust moved a label, tokens and kind lists may no longer pair up; a token without a
    // kind list is skipped and the walk goes on.
    auto listAt = [this](std::size_t k) {
        return k < colDecidedTypes.size() ? &colDecidedTypes[k] : nullptr;
    };
    return scan::labelCut(colToken, 0, colToken.size(), listAt, HasText, HasTag);
}

std::optional<clsHTMLItemBlock> clsHTMLItemBlock::Adjust2() {
    if (!hasKeyword()) return std::nullopt;
    const int cut = labelCutPosition();
    if (cut == 0) return std::nullopt;
    clsHTMLItemBlock tail = moveTail(cut);
    Check();
    tail.Check();
    return tail;
}

bool clsHTMLItemBlock::KindListsMatch(const std::optional<KindList>& list1, const KindList& list2) {
    if (!list1 || list1->empty() || list2.empty()) return false;
    for (int a : *list1)
        for (int b : list2)
            if (SameKind(a, b)) return true;
    return false;
}

bool clsHTMLItemBlock::SameKind(int a, int b) {
    if (a == b) return true;
    return a >= kPref && a <= kApart && b >= kPref && b <= kApart;
}

}  // namespace orvex::engine
