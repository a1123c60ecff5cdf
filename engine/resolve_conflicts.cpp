// Withdraws double assignments: a block that is both full name and name reading, or both zip
// code and city, keeps one of the two kinds.

#include "engine/html_items.h"
#include "engine/run_error.h"

namespace orvex::engine {

void clsHTMLItems::ResolveNameConfliction() {
    const auto& names = KindBlocks[kFullName];
    const auto& readings = KindBlocks[kNameKana];
    if (!names || !readings) return;
    const std::vector<int> common = GetCollectionAnd(names, readings);
    if (common.empty()) return;
    const auto c1 = std::ssize(*names);
    const auto c2 = std::ssize(*readings);
    const auto u = c1 + c2 - std::ssize(common);
    if (u == 1) {
        // A single block carries both: it stays a full-name block.
        RemoveDecidedKind(common, kNameKana);
    } else if (u == 2 || u == 4) {
        // The kind with more blocks gives up the shared ones; on equal counts both stay.
        if (c2 < c1)
            RemoveDecidedKind(common, kFullName);
        else if (c1 < c2)
            RemoveDecidedKind(common, kNameKana);
    }
}

void clsHTMLItems::ResolveZipCityConfliction() {
    const auto& zips = KindBlocks[kZip];
    const auto& cities = KindBlocks[kCity];
    if (!zips || !cities) return;
    const std::vector<int> common = GetCollectionAnd(zips, cities);
    // A single block that is both stays a zip block; the zip decider handles an address beside
    // the zip code.
    if (!common.empty() && std::ssize(*zips) + std::ssize(*cities) - std::ssize(common) == 1)
        RemoveDecidedKind(common, kCity);
}

void clsHTMLItems::RemoveDecidedKind(std::vector<int> positions, int kind) {
    std::optional<std::vector<int>>* list =
        isKind(kind) ? &KindBlocks[static_cast<std::size_t>(kind)] : nullptr;
    for (const int p : positions) {
        clsHTMLItemBlock* block = blockAt(p);
        if (block == nullptr) throw RunError("RemoveDecidedKind: position outside the blocks");
        KindList& types = block->DecidedTypes;
        for (auto i = std::ssize(types) - 1; i >= 0; --i)
            if (types[static_cast<std::size_t>(i)] == kind) types.erase(types.begin() + i);
        if (list == nullptr || !*list) throw RunError("RemoveDecidedKind: kind without block list");
        std::vector<int>& kindPositions = **list;
        for (auto i = std::ssize(kindPositions) - 1; i >= 0; --i)
            if (kindPositions[static_cast<std::size_t>(i)] == p)
                kindPositions.erase(kindPositions.begin() + i);
    }
}

std::vector<int> clsHTMLItems::GetCollectionAnd(const std::optional<std::vector<int>>& list1,
                                                const std::optional<std::vector<int>>& list2) {
    std::vector<int> result;
    if (!list1 || !list2) return result;
    // The double loop is kept: duplicates in either list give duplicates in the result.
    for (const int a : *list1)
        for (const int b : *list2)
            if (a == b) result.push_back(a);
    return result;
}

}  // namespace orvex::engine
