// Complement: lets undecided blocks next to decided ones take over their kind when their own
// label or input names point the same way, so a field split over two lines is found whole.

#include "engine/html_items.h"
#include "engine/run_error.h"

namespace orvex::engine {

void clsHTMLItems::Complement() {
    ComplementSub();
    ComplementSub();
}

void clsHTMLItems::ComplementSub() {
    const int count = static_cast<int>(std::ssize(Blocks));
    int first = count + 1;
    int last = 0;
    for (int position = 1; position <= count; ++position) {
        if (Blocks[static_cast<std::size_t>(position - 1)].DecidedTypes.empty()) continue;
        if (first > count) first = position;
        last = position;
    }
    const int start = first == 1 ? 2 : first - 1;
    const int stop = last == count ? count - 1 : last + 1;

    // Takes over the kind of the neighbour at `from` into the block at `to`; true when it did.
    const auto takeOver = [this](int to, int from) {
        clsHTMLItemBlock& block = Blocks[static_cast<std::size_t>(to - 1)];
        const int kind = block.AndBlock(Blocks[static_cast<std::size_t>(from - 1)]);
        if (kind <= 0) return;
        block.DecidedTypes.push_back(kind);
        auto& list = KindBlocks[static_cast<std::size_t>(kind)];
        // MarkDecided fills a kind's list together with DecidedTypes, so the list exists.
        if (!list) throw RunError("ComplementSub: kind without block list");
        list->push_back(to);
    };

    // Blocks decided here take part in the later steps of the same sweep.
    for (int i = start; i <= stop; ++i) {
        if (i < 1 || i > count) throw RunError("ComplementSub: position outside the blocks");
        const clsHTMLItemBlock& block = Blocks[static_cast<std::size_t>(i - 1)];
        if (block.DecidedTypes.empty() && i > 1 && block.HasTag) takeOver(i, i - 1);
        if (block.DecidedTypes.empty() && i < count && block.HasTag) takeOver(i, i + 1);
    }
}

int clsHTMLItemBlock::AndBlock(const clsHTMLItemBlock& other) const {
    for (const int d : other.DecidedTypes) {
        if (antiScore(d) != 0) continue;
        if (keywordScore(d) < 1 && nameScore(d) < 1) continue;
        if (isBirthKind(d)) return d;
        // Outside the birth kinds the first inputs must be of the same sort.
        Text myTag, myType, otherTag, otherType;
        if (GetFirstTagType(myTag, myType) && other.GetFirstTagType(otherTag, otherType) &&
            (myTag != otherTag || myType != otherType))
            return 0;
        return d;
    }
    return -1;
}

}  // namespace orvex::engine
