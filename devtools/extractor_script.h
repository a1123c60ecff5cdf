#pragma once
// The script that reads one frame's document as a flat node list (see extractor.js).

#include <string>

namespace orvex::devtools {

/// The extractor's source, an expression whose value is {url, title, charset, nodes}.
const std::string& extractorScript();

}  // namespace orvex::devtools
