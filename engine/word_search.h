#pragma once
// Substring search over UTF-16 text. The standard search tests one character at a time; the
// dictionaries search long block texts for many words, so the first character of the word is
// looked for eight characters at a time where the processor allows it.

#include <cstddef>

#include "engine/token.h"

namespace orvex::engine {

/// 0-based offset of the first occurrence of `word` in `text`, as TextView::find; npos when
/// there is none. An empty word is found at 0.
std::size_t findWord(TextView text, TextView word);

}  // namespace orvex::engine
