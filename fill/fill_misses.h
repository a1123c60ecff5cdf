#pragma once
// Why an entry wrote nothing: read off what the entry found in the page and the writer it chose.

#include "fill/fill_report.h"
#include "fill/form_filler.h"

namespace orvex::fill {

/// The reason an entry that made no write (and had no refusal) made none: no element, no writer,
/// a failed write, a list without a matching option (or already showing the value), a button
/// group without a matching choice, or an element that takes no typed value.
MissReason reasonForUnwritten(const EntryWrites& span);

}  // namespace orvex::fill
