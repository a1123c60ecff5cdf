#pragma once
// A readable dump of what the engine makes of one form: its token list and its blocks with
// their tokens, per-token kinds and scores.

#include <ostream>
#include <string>
#include <string_view>

namespace orvex::engine {

/// Reads one form's HTML text (UTF-8; invalid bytes become U+FFFD) up to the scored blocks and
/// writes the filtered token list and every block (flags, tokens with their kind lists, the
/// name, keyword, anti and and-score of each kind) to `out` as UTF-8; then, when there is a
/// block, runs the decision and writes each block's decided kinds, the blocks of each kind and
/// the filling-tag entries. Returns false, after writing what was reached and a line saying
/// so, when reading fails.
bool writeDebugView(std::ostream& out, std::string_view formHtml);

/// The same view as a string.
std::string debugView(std::string_view formHtml);

}  // namespace orvex::engine
