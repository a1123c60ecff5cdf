// orvex-read: shows what the page reading engine makes of a saved page or of one form's HTML
// text, and what a fill with a person writes where.

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/browser_read.h"
#include "tools/read_command.h"
#include "tools/read_options.h"

int main(int argc, char** argv) {
    using namespace orvex::tools;
    std::string error;
    const std::optional<ReadOptions> options =
        parseReadOptions(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc), error);
    if (!options) {
        std::cerr << "orvex-read: " << error << " (see --help)\n";
        return kExitUsage;
    }
    if (options->help) {
        std::cout << kReadUsage;
        return kExitOk;
    }
    if (options->version) {
        std::cout << "orvex-read (Orvex) " ORVEX_VERSION "\nCopyright (C) Orvex. All rights reserved.\n";
        return kExitOk;
    }
    if (options->browser) return runBrowserRead(*options, std::cout, std::cerr);
    return runRead(*options, std::cin, std::cout, std::cerr);
}
