#pragma once
// What orvex-read does with its parsed command line: read the input, read and fill the forms,
// print the result and save the filled page.

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "fill/user_info.h"
#include "tools/read_options.h"

namespace orvex::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUnreadable = 1;
inline constexpr int kExitUsage = 2;

/// Largest page, form or frame orvex-read reads: far above any real entry form, small enough that
/// a stray huge file is refused at once.
inline constexpr std::size_t kMaxInputBytes = 16 * 1024 * 1024;

/// The bytes of `input` (a path, or "-" for `in`); nullopt with a one-line `error` when it is
/// missing, a directory, unreadable, larger than kMaxInputBytes or binary data (NUL bytes in a
/// page that does not start with a UTF-16 byte-order mark).
std::optional<std::string> readInput(const std::string& input, std::istream& in, std::string& error);

/// The person to fill with: person `index` of the user data file `file` (which must be visible),
/// or the first visible one when `index` is nullopt; ages are taken on `today`. Nullopt with a
/// one-line `error` when the file cannot be read or has no such visible person.
std::optional<fill::clsUserInfo> loadPerson(const std::string& file, std::optional<int> index,
                                            std::optional<fill::CalendarDate> today, std::string& error);

/// Runs orvex-read: reads the input, reads (and with a person fills) its forms, prints what the
/// options ask for to `out` and one line per problem or note to `err` (each prefixed with
/// "orvex-read: "). Returns kExitOk, kExitUnreadable when an input cannot be read or the page
/// cannot be saved. Never throws.
int runRead(const ReadOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace orvex::tools
