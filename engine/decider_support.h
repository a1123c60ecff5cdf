#pragma once
// Small helpers shared by the per-field deciders (engine-internal).

#include <optional>
#include <vector>

#include "engine/html_items.h"
#include "engine/run_error.h"

namespace orvex::engine::decider {

/// True when the kind list exists and holds at least one position.
inline bool hasPositions(const std::optional<std::vector<int>>& list) {
    return list.has_value() && !list->empty();
}

/// The block at 1-based `position`; throws RunError (ending the run) when there is none.
inline const clsHTMLItemBlock& blockOf(const clsHTMLItems& engine, int position) {
    const clsHTMLItemBlock* block = engine.blockAt(position);
    if (block == nullptr) throw RunError("decider: position outside the blocks");
    return *block;
}

/// The entry `name` "=" `tag`.
inline Text entry(TextView name, TextView tag) {
    Text e(name);
    e += u'=';
    e += tag;
    return e;
}

/// The entry `name` followed by `tagWithEquals`, a buffer that already begins with "=".
inline Text rawEntry(TextView name, TextView tagWithEquals) {
    Text e(name);
    e += tagWithEquals;
    return e;
}

}  // namespace orvex::engine::decider
