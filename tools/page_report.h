#pragma once
// How orvex-read shows what it read and wrote: plain lines or JSON.

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "fill/page_fill.h"

namespace orvex::tools {

/// Writes every form's filling-tag entries, one per line, forms in order; nothing for none.
void writeEntries(std::ostream& out, const fill::PageFillReport& report);

/// Writes each form's text as the engine receives it, after a line "# form N action=...".
void writeFormTexts(std::ostream& out, const fill::PageFillReport& report);

/// Writes the page's notes, then per form where the engine stopped (when it did), every write
/// (entry, element, what it now holds) and every write not made with its reason, one line each.
void writeWrites(std::ostream& out, const fill::PageFillReport& report);

/// One write not made as a line: `entry -> TAG type name=N #occurrence [index]: not written, reason`.
std::string describeMiss(const fill::FillMiss& miss);

/// One write as a line: `entry -> TAG type name=N #occurrence [index]: value="..."`.
std::string describeWrite(const fill::FillWrite& write);

/// The report as {"forms":[{"index","action","ok","entries","writes","misses"}], "notes"}, each
/// write with its entry, element (tag, type, name, id, index, occurrence) and value, checked, or
/// selected and selectedValue; each miss with its entry, element, reason key, text and detail; a
/// form whose engine stopped on an error has "runError"; with `withText` each form also carries its
/// "text"; "notes" only when there are some. Invalid UTF-8 in the page's texts is replaced, never
/// thrown on.
nlohmann::ordered_json reportToJson(const fill::PageFillReport& report, bool withText);

}  // namespace orvex::tools
