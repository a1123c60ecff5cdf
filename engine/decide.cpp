// Decide: assigns field kinds to blocks in two passes over a fixed order of kinds, placing an
// ambiguous kind in the group of blocks nearest to the fields already found.

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "engine/decision_tables.h"
#include "engine/html_items.h"

namespace orvex::engine {
namespace {

// And-score from which a block is a strong first-pass candidate.
constexpr int kStrongAndScore = 2;
// Keyword scores of the second pass: list A from 3, list B from 2, list C at 1 (or a name hit).
constexpr int kKeywordLevelA = 3;
constexpr int kKeywordLevelB = 2;
constexpr int kKeywordLevelC = 1;

struct Run {
    int first = 0;
    int last = 0;
};

// The runs of consecutive positions of an ascending list.
std::vector<Run> splitRuns(const std::vector<int>& positions) {
    std::vector<Run> runs;
    for (const int p : positions) {
        // A new run starts wherever a position is not its predecessor plus 1.
        if (runs.empty() || static_cast<std::int64_t>(runs.back().last) + 1 != p)
            runs.push_back(Run{p, p});
        else
            runs.back().last = p;
    }
    return runs;
}

// The shared end of both passes: nothing for no candidate, else the candidates (or their run
// nearest to the centre) marked decided.
std::optional<std::vector<int>> applyCandidateRule(clsHTMLItems& engine, const std::vector<int>& candidates,
                                                   int kind) {
    if (candidates.empty()) return std::nullopt;
    if (candidates.size() == 1 || clsHTMLItems::CountRuns(candidates) == 1)
        return engine.MarkDecided(candidates, kind);
    return engine.MarkDecided(engine.SelectNearestRun(candidates, kind), kind);
}

}  // namespace

void clsHTMLItems::Decide() {
    for (auto& list : KindBlocks) list.reset();
    DecidedCount = 0;
    DecidedSum = 0;
    DecidedCenter = 0;

    // Prefecture lists decide the prefecture kind before any pass and make their blocks count as
    // possible city blocks; they do not move the centre.
    KindBlocks[kPref] = CollectPrefBlocks();
    // HasPrefSelect is only ever set here, never cleared: the engine reads one form.
    if (KindBlocks[kPref]) HasPrefSelect = true;

    // First pass: label and input names must agree; one block may receive several kinds.
    for (const int kind : tables::kDecisionOrder)
        if (!KindBlocks[static_cast<std::size_t>(kind)])
            KindBlocks[static_cast<std::size_t>(kind)] = DecideByAnd(kind);
    // Second pass: label or names suffice; only blocks not yet decided are eligible.
    for (const int kind : tables::kDecisionOrder)
        if (!KindBlocks[static_cast<std::size_t>(kind)])
            KindBlocks[static_cast<std::size_t>(kind)] = DecideByKeyword(kind);
}

std::optional<std::vector<int>> clsHTMLItems::CollectPrefBlocks() {
    std::optional<std::vector<int>> found;
    for (int position = 1; position <= std::ssize(Blocks); ++position) {
        clsHTMLItemBlock& block = Blocks[static_cast<std::size_t>(position - 1)];
        if (!block.HasSpecial(u"pref")) continue;
        if (!found) found.emplace();
        found->push_back(position);
        block.SetCheckName(kCity);
        block.SetCheckKeyword(kCity);
    }
    return found;
}

std::optional<std::vector<int>> clsHTMLItems::DecideByAnd(int kind) {
    std::vector<int> strong;
    std::vector<int> weak;
    for (int position = 1; position <= std::ssize(Blocks); ++position) {
        const clsHTMLItemBlock& block = Blocks[static_cast<std::size_t>(position - 1)];
        // The score is looked at first: it rules out most blocks without a walk over their tags.
        const int score = block.GetCheckAnd(kind);
        if (score < 1) continue;
        if (block.HasSpecial(u"")) continue;  // marked lists are placed by their marks
        if (score >= kStrongAndScore) strong.push_back(position);
        weak.push_back(position);
    }
    return applyCandidateRule(*this, strong.empty() ? weak : strong, kind);
}

std::optional<std::vector<int>> clsHTMLItems::DecideByKeyword(int kind) {
    std::vector<int> listA;
    std::vector<int> listB;
    std::vector<int> listC;
    for (int position = 1; position <= std::ssize(Blocks); ++position) {
        const clsHTMLItemBlock& block = Blocks[static_cast<std::size_t>(position - 1)];
        if (!block.HasTag) continue;
        // A block read as a name reading may still turn out to be the full name.
        const bool eligible =
            block.DecidedTypes.empty() ||
            (kind == kFullName && block.DecidedTypes.size() == 1 && block.DecidedTypes[0] == kNameKana);
        if (!eligible) continue;
        const int v = block.GetCheckKeyword(kind);
        if (v >= kKeywordLevelA)
            listA.push_back(position);
        else if (v >= kKeywordLevelB)
            listB.push_back(position);
        else if (v == kKeywordLevelC)
            listC.push_back(position);
        else if (block.GetCheckName(kind) > 0)
            listC.push_back(position);
    }
    const std::vector<int>& candidates = !listA.empty() ? listA : (!listB.empty() ? listB : listC);
    return applyCandidateRule(*this, candidates, kind);
}

std::vector<int> clsHTMLItems::MarkDecided(const std::vector<int>& positions, int kind) {
    // Each step goes on past a failing one: a position outside Blocks still counts toward the
    // centre, and a sum that would overflow its 32 bits is left as it was.
    for (const int p : positions) {
        const std::int64_t sum = static_cast<std::int64_t>(DecidedSum) + p;
        if (sum >= std::numeric_limits<std::int32_t>::min() &&
            sum <= std::numeric_limits<std::int32_t>::max())
            DecidedSum = static_cast<std::int32_t>(sum);
        if (DecidedCount < std::numeric_limits<std::int32_t>::max()) ++DecidedCount;
        if (clsHTMLItemBlock* block = blockAt(p)) block->DecidedTypes.push_back(kind);
    }
    DecidedCenter = DecidedCount == 0 ? 0 : DecidedSum / DecidedCount;  // truncates toward zero
    return positions;
}

int clsHTMLItems::CountRuns(const std::vector<int>& positions) {
    return static_cast<int>(splitRuns(positions).size());
}

std::vector<int> clsHTMLItems::SelectNearestRun(const std::vector<int>& positions, int /*kind*/) const {
    const std::vector<Run> runs = splitRuns(positions);
    if (runs.empty()) return {};
    Run chosen = runs.front();
    if (DecidedCenter != 0) {
        std::int64_t best = std::numeric_limits<std::int64_t>::max();
        for (const Run& run : runs) {
            // Integer division truncating toward zero, as for the centre itself.
            const std::int64_t middle = (static_cast<std::int64_t>(run.first) + run.last) / 2;
            const std::int64_t distance = std::llabs(middle - DecidedCenter);
            if (distance < best) {  // strictly smaller: on a tie the earlier run stays
                best = distance;
                chosen = run;
            }
        }
    }
    std::vector<int> result;
    for (std::int64_t p = chosen.first; p <= chosen.last; ++p) result.push_back(static_cast<int>(p));
    return result;
}

}  // namespace orvex::engine
