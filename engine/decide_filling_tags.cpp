// DecideFillingTags: runs the per-field deciders in their fixed order. Later deciders read the
// results of earlier ones (the address deciders build on each other) and may take back entries
// that an earlier one appended.

#include <array>

#include "engine/html_items.h"

namespace orvex::engine {
namespace {

struct DeciderStep {
    int kind;
    bool (clsHTMLItems::*decide)();
};

/// The deciders in the order they run, each with the kind whose KindDecided flag takes its
/// result. The building decider is not here: the city decider runs it.
constexpr std::array<DeciderStep, 14> kDeciderOrder = {{
    {kJob, &clsHTMLItems::DecideJobTags},
    {kAge, &clsHTMLItems::DecideAgeTags},
    {kBirthDate, &clsHTMLItems::DecideBirthDateTags},
    {kSex, &clsHTMLItems::DecideSexTags},
    {kMarriage, &clsHTMLItems::DecideMarriageTags},
    {kTel, &clsHTMLItems::DecideTelTags},
    {kFax, &clsHTMLItems::DecideFaxTags},
    {kZip, &clsHTMLItems::DecideZipTags},
    {kPref, &clsHTMLItems::DecidePrefTags},
    {kCity, &clsHTMLItems::DecideCityTags},
    {kEmail, &clsHTMLItems::DecideEmailTags},
    {kHandleName, &clsHTMLItems::DecideHandleNameTags},
    {kNameKana, &clsHTMLItems::DecideNameKanaTags},
    {kFullName, &clsHTMLItems::DecideFullNameTags},
}};

}  // namespace

void clsHTMLItems::DecideFillingTags() {
    KindDecided.fill(false);
    for (auto& list : KindBlocks)
        if (list) SortPositions(*list);
    for (const DeciderStep& step : kDeciderOrder)
        KindDecided[static_cast<std::size_t>(step.kind)] = (this->*step.decide)();
}

}  // namespace orvex::engine
