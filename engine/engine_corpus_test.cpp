// Runs the whole pipeline over every form of the collected entry-form pages. The forms are cut
// out of the page text with a plain case-insensitive search for <form ...> ... </form>; the
// assertion is that no run fails in any way, and the number of forms with entries is printed.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/html_items.h"
#include "text/text.h"

namespace orvex::engine {
namespace {

std::string lowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    });
    return s;
}

// The inner text of every <form ...>...</form> of a page, in page order; an unclosed form runs
// to the end of the page.
std::vector<std::string> formsOf(const std::string& page) {
    const std::string lower = lowerAscii(page);
    std::vector<std::string> forms;
    std::size_t at = 0;
    while ((at = lower.find("<form", at)) != std::string::npos) {
        const std::size_t open = lower.find('>', at);
        if (open == std::string::npos) break;
        std::size_t close = lower.find("</form", open);
        if (close == std::string::npos) close = lower.size();
        forms.push_back(page.substr(open + 1, close - open - 1));
        at = close;
    }
    return forms;
}

// Element names in upper case (as a browser writes them), attributes and text unchanged.
std::string upperElementNames(const std::string& html) {
    std::string out = html;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != '<') continue;
        std::size_t j = i + 1;
        if (j < out.size() && out[j] == '/') ++j;
        for (; j < out.size() && ((out[j] >= 'a' && out[j] <= 'z') || (out[j] >= 'A' && out[j] <= 'Z') ||
                                  (out[j] >= '0' && out[j] <= '9'));
             ++j)
            if (out[j] >= 'a' && out[j] <= 'z') out[j] = static_cast<char>(out[j] - ('a' - 'A'));
    }
    return out;
}

std::vector<std::filesystem::path> corpusPages() {
    const std::filesystem::path dir = std::filesystem::path(ORVEX_SOURCE_DIR) / ".." / "shared" / "forms";
    std::vector<std::filesystem::path> pages;
    if (!std::filesystem::is_directory(dir)) return pages;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    return pages;
}

// Tests that every form of every collected page runs through the pipeline without failing,
// as cut out of the page and with browser-style upper-case element names.
TEST(EngineCorpusTest, EveryFormRuns) {
    const auto pages = corpusPages();
    if (pages.empty()) GTEST_SKIP() << "no collected pages beside the source tree";
    int forms = 0;
    int pagesWithEntries = 0;
    int pagesWithEntriesUpper = 0;
    for (const auto& path : pages) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        bool found = false;
        bool foundUpper = false;
        for (const std::string& form : formsOf(buffer.str())) {
            ++forms;
            clsHTMLItems raw;
            const bool rawResult = raw.InterpretHTMLMain(text::fromUtf8(form));
            EXPECT_EQ(rawResult, !raw.FillingTags.empty()) << path;
            found = found || rawResult;
            clsHTMLItems upper;
            const bool upperResult = upper.InterpretHTMLMain(text::fromUtf8(upperElementNames(form)));
            EXPECT_EQ(upperResult, !upper.FillingTags.empty()) << path;
            foundUpper = foundUpper || upperResult;
        }
        pagesWithEntries += found ? 1 : 0;
        pagesWithEntriesUpper += foundUpper ? 1 : 0;
    }
    std::cout << "[ corpus   ] " << pages.size() << " pages, " << forms
              << " forms; pages with entries: " << pagesWithEntries << " as cut out, "
              << pagesWithEntriesUpper << " with upper-case element names\n";
    EXPECT_GT(forms, 0);
}

}  // namespace
}  // namespace orvex::engine
