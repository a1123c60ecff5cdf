// List operations shared by the decision stages and the per-field deciders.

#include "engine/html_items.h"
#include "engine/run_error.h"

namespace orvex::engine {

std::vector<Text> clsHTMLItems::CollectInputNames(const std::vector<int>& positions, bool selectable) const {
    std::vector<Text> names;
    for (const int p : positions) {
        const clsHTMLItemBlock* block = blockAt(p);
        if (block == nullptr) throw RunError("CollectInputNames: position outside the blocks");
        block->CollectTags(names, selectable);
    }
    return names;
}

std::vector<Text> clsHTMLItems::TakeFillingTags(TextView text) {
    std::vector<Text> names;
    // Walking from the end and inserting at the front keeps the order of FillingTags.
    for (auto i = std::ssize(FillingTags) - 1; i >= 0; --i) {
        const Text& entry = FillingTags[static_cast<std::size_t>(i)];
        if (entry.find(text) == Text::npos) continue;
        const auto equals = entry.find(u'=');
        // Every entry is written as name "=" tag; one without "=" cannot be split.
        if (equals == Text::npos) throw RunError("TakeFillingTags: entry without \"=\"");
        names.insert(names.begin(), entry.substr(0, equals));
        FillingTags.erase(FillingTags.begin() + i);
    }
    return names;
}

void clsHTMLItems::SortPositions(std::vector<int>& list) {
    // Neighbour exchange, ending after a pass without exchange (the lists are nearly sorted).
    bool exchanged = true;
    for (std::size_t end = list.size(); exchanged && end > 1; --end) {
        exchanged = false;
        for (std::size_t i = 0; i + 1 < end; ++i) {
            if (list[i] > list[i + 1]) {
                std::swap(list[i], list[i + 1]);
                exchanged = true;
            }
        }
    }
}

}  // namespace orvex::engine
