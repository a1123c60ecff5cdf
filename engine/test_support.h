#pragma once
// Helpers shared by the engine tests: UTF-8 views of engine text, so that assertions print
// readably and expected values can be written as plain literals.

#include <string>
#include <vector>

#include "engine/token.h"
#include "text/text.h"

namespace orvex::engine::testing {

inline std::string s8(TextView text) {
    return text::toUtf8(text);
}

inline Text t16(std::string_view utf8) {
    return text::fromUtf8(utf8);
}

inline std::vector<std::string> s8(const std::vector<Text>& list) {
    std::vector<std::string> out;
    for (const Text& t : list) out.push_back(s8(t));
    return out;
}

inline std::vector<Text> t16(const std::vector<std::string>& list) {
    std::vector<Text> out;
    for (const std::string& s : list) out.push_back(t16(s));
    return out;
}

}  // namespace orvex::engine::testing
