// Stage "unnamed-controls": a tag whose attributes the engine cannot read (a page that wrote
// type="text value=" ...) gets no generated name, and its entry names no input. When the page
// element behind it has a name of its own that no other element shares, the entry takes that
// name, so that the filling finds the element directly.

#include "page/document.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "unnamed-controls";

// True when `control` stands in a block that also holds an entry of `family`.
bool blockHolds(const RuleForm& form, const RuleControl& control, TagFamily family) {
    for (const RuleControl* other : form.controlsOf(control.block))
        if (other != &control && familyOf(form.tagOf(*other)) == family) return true;
    return false;
}

}  // namespace

void unnamedControlsStage(RuleForm& form) {
    std::vector<std::size_t> candidates;  // controls without a token name but with a unique page name
    for (std::size_t i = 0; i < form.controls().size(); ++i) {
        const RuleControl& c = form.controls()[i];
        if (!c.tokenName.empty() || !c.element || c.element.name().empty()) continue;
        const page::NamedItem same = c.element.document()->all().item(c.element.name());
        if (!same.isCollection()) candidates.push_back(i);
    }
    if (candidates.empty()) return;
    for (std::size_t e = 0; e < form.entries().size(); ++e) {
        const RuleEntry& entry = form.entries()[e];
        if (entry.removed || !entry.token.empty()) continue;
        const TagFamily family = familyOf(entry.expression);
        std::vector<std::size_t> fits;
        for (std::size_t i : candidates)
            if (form.controls()[i].tokenName.empty() && blockHolds(form, form.controls()[i], family)) fits.push_back(i);
        if (fits.empty() && candidates.size() == 1 && form.controls()[candidates[0]].tokenName.empty())
            fits = candidates;
        if (fits.size() != 1) continue;
        const std::size_t i = fits.front();
        form.renameControl(i, text::fromUtf8(form.controls()[i].element.name()));
        form.takeEntry(e, form.controls()[i], kStage, "the engine could not read its name; the page's name is unique");
    }
}

}  // namespace orvex::rules
