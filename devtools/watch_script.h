#pragma once
// The script the program injects into every document, in a private world, to learn of clicks on
// mailto: links and of window focus; it reports through a binding.

#include <optional>
#include <string>
#include <string_view>

namespace orvex::devtools {

/// Name of the private world the watch script runs in (pages cannot reach it).
inline constexpr const char* kWatchWorld = "orvex_watch";
/// Name of the isolated world in which the program evaluates expressions.
inline constexpr const char* kReaderWorld = "orvex_reader";
/// Name of the binding the watch script reports through (exposed in the private world only).
inline constexpr const char* kBindingName = "__orvexNotify";

/// The watch script's source.
const std::string& watchScript();

/// One report of the watch script.
struct WatchMessage {
    enum class Kind { Mailto, Focus };
    Kind kind = Kind::Focus;
    std::string url;  ///< the link address for Mailto
};

/// Decodes a binding payload; nothing for malformed payloads, unknown kinds, and mailto reports
/// whose address does not begin with "mailto:" (in any case).
std::optional<WatchMessage> parseWatchMessage(std::string_view payload);

}  // namespace orvex::devtools
