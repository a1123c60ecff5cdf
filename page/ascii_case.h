#pragma once
// ASCII-only case changes for element, attribute and charset names, which HTML compares
// without regard to ASCII case and which must not be touched outside ASCII.

#include <string>
#include <string_view>

namespace orvex::page {

/// `s` with a-z made upper case; every other byte unchanged.
inline std::string asciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

/// `s` with A-Z made lower case; every other byte unchanged.
inline std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace orvex::page
