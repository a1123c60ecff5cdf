#include "fill/fill_report.h"

#include <algorithm>

namespace orvex::fill {
namespace {

bool holds(const std::vector<page::WriteRecord>& list, const page::WriteRecord& record) {
    return std::find(list.begin(), list.end(), record) != list.end();
}

}  // namespace

void applyReplayAnswer(FormFillReport& form, const std::vector<page::WriteRecord>& skipped,
                       const std::vector<page::WriteRecord>& refused) {
    if (skipped.empty() && refused.empty()) return;
    std::vector<FillWrite> made;
    for (FillWrite& write : form.writes) {
        const auto notMade =
            std::find_if(write.records.begin(), write.records.end(),
                         [&](const page::WriteRecord& r) { return holds(skipped, r) || holds(refused, r); });
        if (notMade == write.records.end()) {
            made.push_back(std::move(write));
            continue;
        }
        FillMiss miss;
        miss.entry = write.entry;
        miss.element = write.element;
        miss.reason = holds(refused, *notMade) ? MissReason::NotRendered : MissReason::ElementGone;
        miss.detail = notMade->value;
        form.misses.push_back(std::move(miss));
    }
    form.writes = std::move(made);
}

}  // namespace orvex::fill
