// orvex-read: shows what the page reading engine makes of one form's HTML text.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/debug_view.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kUsage =
    "usage: orvex-read [--help] FILE\n"
    "\n"
    "Reads one form's HTML text (the content of a FORM element, UTF-8) from FILE, or from\n"
    "standard input when FILE is \"-\", and prints the engine's token list and its blocks\n"
    "with their tokens, per-token field kinds and the name, keyword, anti and and-scores.\n"
    "\n"
    "  --help   show this text and exit\n"
    "\n"
    "Exit status: 0 success, 1 input cannot be read, 2 usage error.\n";

struct Options {
    bool help = false;
    std::string input;  // a path, or "-" for standard input
};

// Parses the command line; nothing (and `error` set) on a usage error.
std::optional<Options> parseOptions(const std::vector<std::string_view>& args, std::string& error) {
    Options options;
    bool haveInput = false;
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.help = true;
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
    if (!options.help && !haveInput) {
        error = "no input file given";
        return std::nullopt;
    }
    return options;
}

// Reads the whole input; nothing (and `error` set) when it cannot be read.
std::optional<std::string> readInput(const std::string& input, std::string& error) {
    if (input == "-") {
        std::ostringstream buffer;
        buffer << std::cin.rdbuf();
        if (std::cin.bad()) {
            error = "cannot read standard input";
            return std::nullopt;
        }
        return buffer.str();
    }
    std::error_code ec;
    if (std::filesystem::is_directory(input, ec)) {
        error = "cannot read " + input + ": is a directory";
        return std::nullopt;
    }
    std::ifstream file(input, std::ios::binary);
    if (!file) {
        error = "cannot read " + input + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "cannot read " + input;
        return std::nullopt;
    }
    return content;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<Options> options =
        parseOptions(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc), error);
    if (!options) {
        std::cerr << "orvex-read: " << error << " (see --help)\n";
        return kExitUsage;
    }
    if (options->help) {
        std::cout << kUsage;
        return kExitOk;
    }
    const std::optional<std::string> html = readInput(options->input, error);
    if (!html) {
        std::cerr << "orvex-read: " << error << '\n';
        return kExitUnreadable;
    }
    orvex::engine::writeDebugView(std::cout, *html);
    return kExitOk;
}
