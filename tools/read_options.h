#pragma once
// The command line of orvex-read: what to read, what to show and with which person to fill.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/rule_outcome.h"
#include "fill/calendar.h"

namespace orvex::tools {

/// What orvex-read shows of each form.
enum class ReadMode {
    Entries,  ///< the filling-tag entries (and, with a person, the writes)
    Forms,    ///< each form's text as the engine receives it
    Debug,    ///< tokens, blocks, scores and decided kinds
};

/// Highest person index of a user data file.
inline constexpr int kMaxPersonIndex = 9;

/// A parsed command line.
struct ReadOptions {
    bool help = false;
    /// Print the version and exit.
    bool version = false;
    ReadMode mode = ReadMode::Entries;
    /// The input is one form's inner HTML, read without page parsing.
    bool formInput = false;
    bool json = false;
    /// The page or form file, or "-" for standard input.
    std::string input;
    /// The user data file to fill with; empty for no fill.
    std::string personFile;
    /// The person index given after "FILE:"; nullopt for the first visible person.
    std::optional<int> personIndex;
    /// The date ages are taken on; nullopt for the local date.
    std::optional<fill::CalendarDate> today;
    /// Where the filled page is saved; empty for nowhere.
    std::string outFile;
    /// The input is an address opened in a browser window for automatic input.
    bool browser = false;
    /// Run that browser without a window.
    bool headless = false;
    /// Where a picture of the browser window is saved (PNG); empty for nowhere.
    std::string screenshot;
    /// The rules forms are read and filled by; nullopt for those the settings name.
    std::optional<engine::RuleSet> rules;
};

/// The usage text printed by --help.
extern const std::string_view kReadUsage;

/// Parses the arguments after the program name. Nullopt, with a one-line `error`, for an unknown
/// option, a missing or second input, a missing option argument, a person index outside 0..9, a
/// date that is not YYYY-MM-DD, or options that do not go together.
std::optional<ReadOptions> parseReadOptions(const std::vector<std::string_view>& args, std::string& error);

/// The date in `text` written as YYYY-MM-DD; nullopt when it is not a valid calendar date.
std::optional<fill::CalendarDate> parseIsoDate(std::string_view text);

}  // namespace orvex::tools
