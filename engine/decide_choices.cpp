// The sex, marriage and job deciders: the first input of the kind's blocks (usually a radio
// group or a list) receives the kind's tag; the option is chosen when the form is filled.

#include "engine/decider_support.h"
#include "engine/decider_tags.h"
#include "engine/html_items.h"

namespace orvex::engine {
namespace {

// The first input of the blocks decided for `kind` receives `tag`; false when there is none.
bool decideFirstChoice(clsHTMLItems& engine, int kind, TextView tag) {
    const std::optional<std::vector<int>>& list = engine.KindBlocks[static_cast<std::size_t>(kind)];
    if (!decider::hasPositions(list)) return false;
    const std::vector<Text> names = engine.CollectInputNames(*list, true);
    if (names.empty()) return false;
    engine.FillingTags.push_back(decider::entry(names[0], tag));
    return true;
}

}  // namespace

bool clsHTMLItems::DecideSexTags() {
    return decideFirstChoice(*this, kSex, tags::kSex);
}

bool clsHTMLItems::DecideMarriageTags() {
    return decideFirstChoice(*this, kMarriage, tags::kMarriage);
}

bool clsHTMLItems::DecideJobTags() {
    return decideFirstChoice(*this, kJob, tags::kJob);
}

}  // namespace orvex::engine
