// Convention names: a form whose inputs are named "kv0..." is mapped straight to filling tags,
// and the field decision stages are skipped.

#include "engine/convention_tags.h"

#include "engine/convention_tags_table.h"
#include "engine/html_items.h"
#include "engine/tag_reader.h"
#include "text/text.h"

namespace orvex::engine {

Text ConventionTag(TextView name) {
    const TextView base = name.substr(0, name.find(tables::kConventionSuffixMark));
    const Text upper = text::toUpper(base);
    for (const TextView kept : tables::kConventionKeptPrefixes)
        if (upper.starts_with(kept)) return upper;
    const std::size_t prefixLength = tables::kConventionPrefix.size();
    return upper.size() > prefixLength ? upper.substr(prefixLength) : Text();
}

void clsHTMLItemBlock::CollectConventionTags(std::vector<Text>& names) const {
    for (const Text& token : colToken) {
        if (!isTagToken(token)) continue;
        Text pageName = GetAttribute(token, u"orgnm");
        if (pageName.starts_with(tables::kConventionPrefix)) names.push_back(std::move(pageName));
    }
}

void clsHTMLItems::DecideConventionTags(bool& found) {
    found = false;
    if (!HasConventionPrefix) return;
    std::vector<Text> names;
    for (const clsHTMLItemBlock& block : Blocks) block.CollectConventionTags(names);
    if (names.empty()) return;
    // The entries carry the page name: the filling stage finds a name that does not begin
    // with "kvnt" under that name directly.
    for (const Text& name : names) {
        const Text tag = ConventionTag(name);
        if (!tag.empty()) FillingTags.push_back(name + u"=" + tag);
    }
    found = true;  // even when no name gave a tag
}

}  // namespace orvex::engine
