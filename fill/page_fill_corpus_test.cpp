// The whole path over the corpus of real entry forms beside the repository: how many controls of
// each page received a value, and how that compares with what a person would expect. The counts
// are reported, not asserted: the engine follows its own rules where a person's judgement differs.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "fill/fill_test_support.h"
#include "fill/page_fill.h"
#include "page/html_loader.h"

namespace orvex::fill {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ORVEX_SOURCE_DIR) / ".." / "shared" / "forms";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Per element index: whether the last write left it holding a value.
std::map<int, bool> filledByIndex(const PageFillReport& report) {
    std::map<int, bool> filled;
    for (const FormFillReport& form : report.forms) {
        for (const FillWrite& w : form.writes) {
            bool has = false;
            if (w.value) has = !w.value->empty();
            if (w.checked) has = has || *w.checked;
            if (w.selectedValue) has = !w.selectedValue->empty();
            filled[w.element.index] = has;
        }
    }
    return filled;
}

// The source indexes of the control a labelled field names: the occurrence-th INPUT, SELECT or
// TEXTAREA of that name, and for a radio or check box group every member of its type.
std::vector<int> fieldElements(page::Document& document, const std::string& name, int occurrence,
                               const std::string& type) {
    std::vector<int> out;
    const page::ElementCollection all = document.all();
    int count = 0;
    for (int i = 0; i < all.length(); ++i) {
        const page::Element e = all.item(i);
        const std::string tag = e.tagName();
        if ((tag != "INPUT" && tag != "SELECT" && tag != "TEXTAREA") || e.name() != name) continue;
        ++count;
        const bool group = type == "radio" || type == "checkbox";
        if (count == occurrence || (group && count > occurrence && e.type() == type)) out.push_back(i);
    }
    return out;
}

struct PageCounts {
    std::string id;
    int forms = 0;
    int entries = 0;
    int filled = 0;
    int labelled = -1;  // personal fields a person expects; -1 without expectations
    int agreed = 0;     // expected personal fields that received a value
    int extra = 0;      // fields expected to stay empty that received a value
};

// Tests the whole path over every corpus page and reports the counts; asserts only that nothing
// hidden is written and that the pages as a whole get values.
TEST(PageFillCorpusTest, CountsOfFilledFields) {
    if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
    std::vector<fs::path> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    ASSERT_FALSE(pages.empty());

    const clsUserInfo person = testing::samplePerson();
    std::vector<PageCounts> rows;
    for (const fs::path& path : pages) {
        PageCounts row;
        row.id = path.stem().string();
        const std::unique_ptr<page::Document> document = page::loadHtml(readFile(path));
        const PageFillReport report = readAndFillPage(*document, &person);
        row.forms = static_cast<int>(report.forms.size());
        for (const FormFillReport& form : report.forms) {
            row.entries += static_cast<int>(form.entries.size());
            row.filled += countFilledElements(form);
            for (const FillWrite& w : form.writes)
                EXPECT_NE(w.element.type, "hidden") << row.id << " wrote the hidden " << w.element.name;
        }

        const fs::path expectations = kCorpus / (row.id + ".json");
        if (fs::exists(expectations)) {
            const nlohmann::json j = nlohmann::json::parse(readFile(expectations), nullptr, false);
            if (!j.is_discarded() && j.contains("fields")) {
                const std::map<int, bool> filled = filledByIndex(report);
                row.labelled = 0;
                for (const nlohmann::json& field : j["fields"]) {
                    const std::vector<int> elements =
                        fieldElements(*document, field.value("name", ""), field.value("occurrence", 1),
                                      field.value("type", ""));
                    bool got = false;
                    for (int index : elements) {
                        const auto it = filled.find(index);
                        got = got || (it != filled.end() && it->second);
                    }
                    const bool personal = field.value("expect", "NONE") != "NONE";
                    row.labelled += personal ? 1 : 0;
                    row.agreed += (personal && got) ? 1 : 0;
                    row.extra += (!personal && got) ? 1 : 0;
                }
            }
        }
        rows.push_back(row);
    }

    int filled = 0;
    int labelled = 0;
    int agreed = 0;
    int extra = 0;
    std::cout << "page forms entries filled | expected agreed extra\n";
    for (const PageCounts& row : rows) {
        std::cout << row.id << ' ' << row.forms << ' ' << row.entries << ' ' << row.filled;
        if (row.labelled >= 0) {
            std::cout << " | " << row.labelled << ' ' << row.agreed << ' ' << row.extra;
            labelled += row.labelled;
            agreed += row.agreed;
            extra += row.extra;
        }
        std::cout << '\n';
        filled += row.filled;
    }
    std::cout << "total: " << filled << " fields filled on " << rows.size()
              << " pages; on the labelled pages " << agreed << " of " << labelled
              << " expected fields filled, " << extra << " fields filled that a person would leave empty\n";
    ::testing::Test::RecordProperty("filled", filled);
    ::testing::Test::RecordProperty("agreed", agreed);
    ::testing::Test::RecordProperty("expected", labelled);
    ::testing::Test::RecordProperty("extra", extra);
    EXPECT_GT(filled, 0);
}

}  // namespace
}  // namespace orvex::fill
