#include "tools/read_options.h"

#include <charconv>

#include "text/text.h"

namespace orvex::tools {
namespace {

// Digits of a YYYY-MM-DD date: positions of the two hyphens and the total length.
constexpr std::size_t kIsoDateLength = 10;
constexpr std::size_t kIsoFirstHyphen = 4;
constexpr std::size_t kIsoSecondHyphen = 7;
// Years a date may name.
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

int toInt(std::string_view s) {
    int value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Splits "FILE[:N]": the part after the last ":" is the index when it is all digits.
bool parsePersonSpec(std::string_view spec, ReadOptions& options, std::string& error) {
    const std::size_t colon = spec.rfind(':');
    if (colon != std::string_view::npos && colon + 1 == spec.size()) {
        error = "--person FILE:N needs a person index after the colon";
        return false;
    }
    if (colon != std::string_view::npos && allDigits(spec.substr(colon + 1))) {
        const std::string_view digits = spec.substr(colon + 1);
        const int index = digits.size() > 2 ? kMaxPersonIndex + 1 : toInt(digits);
        if (index > kMaxPersonIndex) {
            error = "person index " + std::string(digits) + " is out of range (0 to 9)";
            return false;
        }
        options.personIndex = index;
        spec = spec.substr(0, colon);
    }
    if (spec.empty()) {
        error = "--person needs a file name";
        return false;
    }
    options.personFile = std::string(spec);
    return true;
}

// Checks the options that only make sense together.
bool checkCombinations(const ReadOptions& options, std::string& error) {
    const bool filling = !options.personFile.empty();
    if (options.mode == ReadMode::Debug && options.json) {
        error = "--debug and --json cannot be combined";
    } else if (filling && options.mode != ReadMode::Entries) {
        error = "--person cannot be combined with --forms or --debug";
    } else if (!options.outFile.empty() && !filling) {
        error = "--out needs --person";
    } else if (options.today && !filling) {
        error = "--today needs --person";
    } else if ((options.headless || !options.screenshot.empty()) && !options.browser) {
        error = "--headless and --screenshot need --browser";
    } else if (options.browser &&
               (options.formInput || !options.outFile.empty() || options.mode == ReadMode::Debug)) {
        error = "--browser cannot be combined with --form, --out or --debug";
    } else {
        return true;
    }
    return false;
}

}  // namespace

const std::string_view kReadUsage =
    "usage: orvex-read [OPTIONS] PAGE\n"
    "\n"
    "Reads a saved HTML page (or \"-\" for standard input) and prints the filling-tag entries of\n"
    "every FORM of the page and of its frames, one per line, in order.\n"
    "\n"
    "  --form             the input is one form's inner HTML as the engine receives it\n"
    "  --forms            print each form's text as the engine receives it\n"
    "  --debug            print tokens, blocks, scores and decided kinds of each form\n"
    "  --person FILE[:N]  fill with person N (0 to 9; default the first visible) of the user\n"
    "                     data file FILE and list what was written where\n"
    "  --today YYYY-MM-DD the date ages are taken on (with --person)\n"
    "  --out FILE         save the filled page as HTML (UTF-8, with --person)\n"
    "  --json             print the report as JSON\n"
    "  --rules SET        read and fill by the rules SET: \"orvex\" (Orvex's own stages as well)\n"
    "                     or \"documented\"; default the setting Rules\n"
    "  --browser          PAGE is an address: open it in a browser window for automatic input,\n"
    "                     let Orvex read and fill every frame, and report each form with its frame\n"
    "  --headless         run that browser without a window\n"
    "  --screenshot FILE  save a picture of the browser window (PNG)\n"
    "  --help             show this text and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Exit status: 0 success (also when nothing is fillable), 1 input cannot be read,\n"
    "2 usage error.\n";

std::optional<fill::CalendarDate> parseIsoDate(std::string_view text) {
    if (text.size() != kIsoDateLength || text[kIsoFirstHyphen] != '-' || text[kIsoSecondHyphen] != '-')
        return std::nullopt;
    const std::string_view y = text.substr(0, kIsoFirstHyphen);
    const std::string_view m = text.substr(kIsoFirstHyphen + 1, 2);
    const std::string_view d = text.substr(kIsoSecondHyphen + 1, 2);
    if (!allDigits(y) || !allDigits(m) || !allDigits(d)) return std::nullopt;
    const fill::CalendarDate date{toInt(y), toInt(m), toInt(d)};
    if (date.year < kMinYear || date.year > kMaxYear || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

std::optional<ReadOptions> parseReadOptions(const std::vector<std::string_view>& args, std::string& error) {
    ReadOptions options;
    bool haveInput = false;
    bool haveMode = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // Options that take an argument: the next word, or the part after "=".
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (arg.starts_with("--") && arg.find('=') != std::string_view::npos) {
            name = arg.substr(0, arg.find('='));
            value = arg.substr(arg.find('=') + 1);
        }
        const auto takeValue = [&]() -> std::optional<std::string_view> {
            if (value) return value;
            if (i + 1 >= args.size()) {
                error = std::string(name) + " needs an argument";
                return std::nullopt;
            }
            return args[++i];
        };

        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--form") {
            options.formInput = true;
        } else if (name == "--forms" || name == "--debug") {
            const ReadMode mode = name == "--forms" ? ReadMode::Forms : ReadMode::Debug;
            if (haveMode && options.mode != mode) {
                error = "--forms and --debug cannot be combined";
                return std::nullopt;
            }
            options.mode = mode;
            haveMode = true;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--browser") {
            options.browser = true;
        } else if (name == "--headless") {
            options.headless = true;
        } else if (name == "--screenshot") {
            const std::optional<std::string_view> file = takeValue();
            if (!file) return std::nullopt;
            if (file->empty()) {
                error = "--screenshot needs a file name";
                return std::nullopt;
            }
            options.screenshot = std::string(*file);
        } else if (name == "--rules") {
            const std::optional<std::string_view> set = takeValue();
            if (!set) return std::nullopt;
            options.rules = engine::parseRuleSet(text::fromUtf8(*set));
            if (!options.rules) {
                error = "--rules needs \"documented\" or \"orvex\", not " + std::string(*set);
                return std::nullopt;
            }
        } else if (name == "--person") {
            const std::optional<std::string_view> spec = takeValue();
            if (!spec || !parsePersonSpec(*spec, options, error)) return std::nullopt;
        } else if (name == "--today") {
            const std::optional<std::string_view> date = takeValue();
            if (!date) return std::nullopt;
            options.today = parseIsoDate(*date);
            if (!options.today) {
                error = "--today needs a date written YYYY-MM-DD, not " + std::string(*date);
                return std::nullopt;
            }
        } else if (name == "--out") {
            const std::optional<std::string_view> file = takeValue();
            if (!file) return std::nullopt;
            if (file->empty()) {
                error = "--out needs a file name";
                return std::nullopt;
            }
            options.outFile = std::string(*file);
        } else if (arg.size() > 1 && arg.front() == '-') {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        } else if (haveInput) {
            error = "only one input file is read";
            return std::nullopt;
        } else {
            options.input = std::string(arg);
            haveInput = true;
        }
    }
    if (options.help || options.version) return options;
    if (!haveInput) {
        error = "no input file given";
        return std::nullopt;
    }
    if (!checkCombinations(options, error)) return std::nullopt;
    return options;
}

}  // namespace orvex::tools
