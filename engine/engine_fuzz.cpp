// Fuzz target: arbitrary bytes as one form's HTML text through the whole pipeline (blocks, field
// decision, filling-tag entries), plus the attribute reader on a tag cut from the same bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/html_items.h"
#include "engine/tag_reader.h"
#include "text/text.h"

namespace {

// Longest attribute name tried on the tag part of the input.
constexpr std::size_t kMaxAttributeLength = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvex::text::Text form = orvex::text::fromUtf8(bytes);

    orvex::engine::clsHTMLItems engine;
    const bool filled = engine.InterpretHTMLMain(form);
    // The whole pipeline ran (convention names or the decision stages): a true result means
    // entries, every entry has its "=", and every decided position is a block of the form.
    if (filled && engine.FillingTags.empty()) __builtin_trap();
    for (const auto& entry : engine.FillingTags)
        if (entry.find(u'=') == orvex::text::Text::npos) __builtin_trap();
    for (const auto& list : engine.KindBlocks) {
        if (!list) continue;
        for (const int p : *list)
            if (engine.blockAt(p) == nullptr) __builtin_trap();
    }
    // Every generated name maps back to a page name seen in the form.
    for (const auto& [generated, target] : engine.GeneratedNames) {
        if (!engine.lookupGeneratedName(generated) || target.count < 1) __builtin_trap();
    }
    for (const auto& block : engine.Blocks) {
        if (block.colToken.empty()) continue;
        orvex::text::Text tagName, typeName;
        block.GetFirstTagType(tagName, typeName);
        (void)block.GetAllText();
    }

    const orvex::text::TextView view(form);
    const std::size_t split = view.size() < kMaxAttributeLength ? view.size() : kMaxAttributeLength;
    (void)orvex::engine::GetAttribute(view.substr(split), view.substr(0, split));
    orvex::text::TextView rest = view;
    while (!rest.empty()) (void)orvex::engine::NextToken(rest);
    return 0;
}
