// The corpus check of both rule sets over the real entry forms beside the repository: what each
// rule set writes on every page is kept as a checked-in baseline (a change fails the test;
// ORVEX_UPDATE_BASELINES=1 rewrites them), and on the pages with a person's expectations every
// labelled control is scored. The known failures of Orvex's rules are kept in a file and asserted
// both ways, so that fixing one shows and breaking one fails.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "fill/page_fill.h"
#include "fill/user_data_file.h"
#include "page/html_loader.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

namespace fs = std::filesystem;
using engine::RuleSet;

const fs::path kCorpus = fs::path(ORVEX_SOURCE_DIR) / ".." / "shared" / "forms";
const fs::path kBaselines = fs::path(ORVEX_SOURCE_DIR) / "fill" / "testdata" / "corpus_fill";
const fs::path kKnownFailures = kBaselines / "known_failures.txt";
// The day ages are taken on, so that the scores do not move with the calendar.
constexpr CalendarDate kScoringDay{2026, 12, 7};
// Share of the labelled personal-data controls Orvex's rules must fill as a person expects.
constexpr double kRequiredShare = 0.95;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool updating() {
    const char* flag = std::getenv("ORVEX_UPDATE_BASELINES");
    return flag != nullptr && std::string(flag) == "1";
}

// The first sample person, as orvex-read --person resources/sample/userdata.ini loads it.
clsUserInfo samplePerson() {
    clsUserInfo person(fs::path(ORVEX_SOURCE_DIR) / "resources" / "sample", [] { return kScoringDay; });
    person.tag = GetPersonTag(0);
    person.GetFromProfile();
    return person;
}

// ---- Baselines ------------------------------------------------------------------------------

std::string elementLine(const WrittenElement& e) {
    return e.tag + ' ' + e.type + " name=" + e.name + " #" + std::to_string(e.occurrence) + " [" +
           std::to_string(e.index) + "]";
}

// What a rule set made of a page, one line per entry, write and write not made.
std::string baselineOf(const PageFillReport& report) {
    std::ostringstream out;
    for (const FormFillReport& form : report.forms) {
        out << "# form " << form.index << (form.ok ? "" : " (nothing to fill)") << '\n';
        for (const std::string& entry : form.entries) out << "entry " << entry << '\n';
        for (const FillWrite& w : form.writes) {
            out << "write " << w.entry << " -> " << elementLine(w.element) << ':';
            if (w.value) out << " value=\"" << *w.value << '"';
            if (w.checked) out << (*w.checked ? " checked" : " unchecked");
            if (w.selected) out << " selected=\"" << *w.selected << "\" (" << w.selectedValue.value_or("") << ')';
            out << '\n';
        }
        for (const FillMiss& m : form.misses) {
            out << "miss " << m.entry << " -> " << (m.element ? elementLine(*m.element) : "(no element)") << ": "
                << missReasonName(m.reason).text;
            if (!m.detail.empty()) out << " (" << m.detail << ')';
            out << '\n';
        }
    }
    return out.str();
}

// ---- Scoring --------------------------------------------------------------------------------

enum class Score { Correct, Wrong, Missed, Over, Under, ShouldBeEmpty };
constexpr std::array<const char*, 6> kScoreNames = {"correct", "wrong", "missed", "over", "under",
                                                    "should-be-empty"};

// Scores of the labelled controls: personal-data controls by their score, and the controls to
// leave empty (correct when left so, ShouldBeEmpty when written).
struct Totals {
    std::array<int, 6> personal{};
    int keptEmpty = 0;
    int shouldBeEmpty = 0;
    void add(Score s, bool isPersonal) {
        if (isPersonal) {
            ++personal[static_cast<std::size_t>(s)];
        } else if (s == Score::ShouldBeEmpty) {
            ++shouldBeEmpty;
        } else {
            ++keptEmpty;
        }
    }
    int operator[](Score s) const { return personal[static_cast<std::size_t>(s)]; }
    int personalCount() const {
        int n = 0;
        for (int c : personal) n += c;
        return n;
    }
};

// The person's value for one tag word of the expectations.
text::Text wordValue(const clsUserInfo& p, const std::string& word) {
    const std::map<std::string, text::Text> values = {
        {"NAME", p.Name1 + u"\u3000" + p.Name2},
        {"NAME1", p.Name1},
        {"NAME2", p.Name2},
        {"NAMEHIRAGANA", p.NameKana1 + u"\u3000" + p.NameKana2},
        {"NAMEHIRAGANA1", p.NameKana1},
        {"NAMEHIRAGANA2", p.NameKana2},
        {"NAMEKATAKANA", text::toKatakana(p.NameKana1 + u"\u3000" + p.NameKana2)},
        {"NAMEKATAKANA1", text::toKatakana(p.NameKana1)},
        {"NAMEKATAKANA2", text::toKatakana(p.NameKana2)},
        {"NAMEROME", p.NameRome1 + u" " + p.NameRome2},
        {"NAMEROME1", p.NameRome1},
        {"NAMEROME2", p.NameRome2},
        {"HANDLENAME", p.HandleName},
        {"ZIP", p.Zip1 + u"-" + p.Zip2},
        {"ZIP1", p.Zip1},
        {"ZIP2", p.Zip2},
        {"PREF", p.Prefecture},
        {"ADDRESS1", p.Address1},
        {"ADDRESS2", p.Address2},
        {"ADDRESS3", p.Address3},
        {"CITY", p.Address1 + p.Address2 + p.Address3},
        {"ADDRESS", p.Prefecture + p.Address1 + p.Address2 + p.Address3},
        {"TEL", p.Tel1 + u"-" + p.Tel2 + u"-" + p.Tel3},
        {"TEL1", p.Tel1},
        {"TEL2", p.Tel2},
        {"TEL3", p.Tel3},
        {"FAX", p.Fax1.empty() && p.Fax2.empty() && p.Fax3.empty() ? u"" : p.Fax1 + u"-" + p.Fax2 + u"-" + p.Fax3},
        {"FAX1", p.Fax1},
        {"FAX2", p.Fax2},
        {"FAX3", p.Fax3},
        {"EMAIL", p.Email1 + u"@" + p.Email2},
        {"BIRTHDATE", p.BirthYear + u"/" + p.BirthMonth + u"/" + p.BirthDay},
        {"BIRTHYEAR", p.BirthYear},
        {"BIRTHMONTH", p.BirthMonth},
        {"BIRTHDAY", p.BirthDay},
        {"AGE", text::number(p.Age())},
        {"SEX", p.Sex()},
        {"JOB", p.Job1},
    };
    const auto it = values.find(word);
    return it == values.end() ? text::Text() : it->second;
}

// The value a labelled control should hold: its composition, or its tag's value.
text::Text expectedValue(const clsUserInfo& person, const nlohmann::json& field) {
    const std::string compose = field.value("compose", field.value("expect", "NONE"));
    text::Text out;
    std::size_t start = 0;
    while (start <= compose.size()) {
        const std::size_t plus = compose.find('+', start);
        const std::size_t end = plus == std::string::npos ? compose.size() : plus;
        out += wordValue(person, compose.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

text::Text bare(text::TextView s) {
    return text::removeBlanks(s);
}

// The first number in a text, or -1.
long long firstNumber(text::TextView s) {
    const text::Text half = text::toHalfWidth(s);
    std::size_t i = 0;
    while (i < half.size() && !(half[i] >= u'0' && half[i] <= u'9')) ++i;
    if (i == half.size()) return -1;
    return text::leadingNumber(text::TextView(half).substr(i));
}

// True when an age-band caption ("40歳~49歳", "40代", "60歳以上", "41") holds `age`.
bool bandHolds(text::TextView caption, long long age) {
    const text::Text t = text::toHalfWidth(caption);
    std::vector<long long> numbers;
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] < u'0' || t[i] > u'9') {
            ++i;
            continue;
        }
        long long n = 0;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') n = n * 10 + (t[i++] - u'0');
        numbers.push_back(n);
    }
    if (numbers.empty()) return false;
    const bool range = text::contains(t, u"~") || text::contains(t, u"～") || text::contains(t, u"-");
    if (numbers.size() >= 2) return numbers[0] <= age && age <= numbers[1];
    const long long n = numbers[0];
    if (text::contains(t, u"代")) return n <= age && age <= n + 9;
    if (text::contains(t, u"以上") || (range && t.back() != u'歳' && text::endsWith(t, u"~"))) return age >= n;
    if (text::contains(t, u"未満")) return age < n;
    if (text::contains(t, u"以下") || (range && text::startsWith(t, u"~"))) return age <= n;
    return n == age;
}

// True when a choice whose caption is `caption` and value `value` is the one a person would pick
// for the expectation `expect`.
bool choiceFits(const clsUserInfo& p, const std::string& expect, text::TextView caption, text::TextView value) {
    const text::Text t = bare(caption);
    if (expect == "PREF") {
        const text::Text stem = p.Prefecture.substr(0, p.Prefecture.size() - 1);
        return text::contains(t, stem) || text::contains(bare(value), p.Prefecture);
    }
    if (expect == "SEX") {
        const bool female = text::contains(t, u"女"), male = text::contains(t, u"男");
        return p.Female ? female && !male : male && !female;
    }
    if (expect == "MARRIAGE") {
        const bool married = text::contains(t, u"既婚") || (text::contains(t, u"結婚") && !text::contains(t, u"未") &&
                                                            !text::contains(t, u"ない"));
        return p.Marriage == married;
    }
    if (expect == "AGE") return bandHolds(t, p.Age());
    if (expect == "BIRTHYEAR")
        return text::contains(t, p.BirthYear) || text::contains(bare(value), p.BirthYear) ||
               firstNumber(t) == text::leadingNumber(p.BirthYear) % 100;
    if (expect == "BIRTHMONTH") return firstNumber(t) == text::leadingNumber(p.BirthMonth);
    if (expect == "BIRTHDAY") return firstNumber(t) == text::leadingNumber(p.BirthDay);
    if (expect == "JOB") {
        const text::Text job2Stem = text::endsWith(p.Job2, u"職") ? p.Job2.substr(0, p.Job2.size() - 1) : p.Job2;
        return (!p.Job1.empty() && text::contains(t, p.Job1)) || (!p.Job2.empty() && text::contains(t, p.Job2)) ||
               (!job2Stem.empty() && text::contains(t, job2Stem));
    }
    return false;
}

// The caption of a radio button or check box: the LABEL it stands in or that names it, else the
// text after it up to the next control.
text::Text choiceCaption(page::Document& document, const page::Element& choice) {
    for (page::Element up = choice.parentElement(); up; up = up.parentElement())
        if (up.tagName() == "LABEL") return text::fromUtf8(up.text());
    const page::ElementCollection labels = document.all().tags("LABEL");
    for (int i = 0; i < labels.length(); ++i)
        if (!choice.id().empty() && labels.item(i).attribute("for") == choice.id())
            return text::fromUtf8(labels.item(i).text());
    const std::vector<page::Node>& nodes = document.nodes();
    std::string after;
    for (std::size_t i = static_cast<std::size_t>(choice.node()) + 1; i < nodes.size() && after.size() < 60; ++i) {
        const page::Node& n = nodes[i];
        if (n.kind == page::NodeKind::Element && (n.tag == "INPUT" || n.tag == "SELECT" || n.tag == "TEXTAREA"))
            break;
        if (n.kind == page::NodeKind::Text) after += n.text;
    }
    return text::fromUtf8(after);
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
    // A button whose name the page broke still stands in its group for the person who sees it:
    // the unnamed buttons beside the group's first button count as members.
    if (type == "radio" && !out.empty()) {
        const page::Element parent = document.elementAt(out.front()).parentElement();
        for (int i = 0; i < all.length(); ++i) {
            const page::Element e = all.item(i);
            if (e.tagName() == "INPUT" && e.type() == "radio" && e.name().empty() && e.parentElement() == parent)
                out.push_back(i);
        }
    }
    return out;
}

// The year, month and day a date text names ("1985/4/12", "1985-04-12"); nullopt without three numbers.
std::optional<std::array<long long, 3>> dateOf(text::TextView s) {
    std::array<long long, 3> parts{};
    std::size_t k = 0;
    for (std::size_t i = 0; i < s.size() && k < parts.size();) {
        if (s[i] < u'0' || s[i] > u'9') {
            ++i;
            continue;
        }
        long long n = 0;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) n = n * 10 + (s[i] - u'0');
        parts[k++] = n;
    }
    if (k < parts.size()) return std::nullopt;
    return parts;
}

Score scoreField(page::Document& document, const PageFillReport& report, const clsUserInfo& person,
                 const nlohmann::json& field) {
    const std::string type = field.value("type", "text");
    const std::string expect = field.value("expect", "NONE");
    const std::vector<int> elements =
        fieldElements(document, field.value("name", ""), field.value("occurrence", 1), type);
    std::set<int> written;
    for (const FormFillReport& form : report.forms)
        for (const FillWrite& w : form.writes) written.insert(w.element.index);
    bool wrote = false;
    for (int index : elements) wrote = wrote || written.count(index) > 0;

    // What the control holds now: a value, or the captions and values of its chosen choices.
    std::vector<std::pair<text::Text, text::Text>> chosen;
    text::Text value;
    for (int index : elements) {
        const page::Element e = document.elementAt(index);
        if (e.tagName() == "SELECT") {
            const page::Element option = e.item(e.selectedIndex());
            if (option && !option.value().empty())
                chosen.emplace_back(text::fromUtf8(option.text()), text::fromUtf8(option.value()));
        } else if (type == "radio" || type == "checkbox") {
            if (e.status()) chosen.emplace_back(choiceCaption(document, e), text::fromUtf8(e.value()));
        } else {
            value = text::fromUtf8(e.value());
        }
    }
    const bool holds = !bare(value).empty() || !chosen.empty();
    if (expect == "NONE") return wrote && holds ? Score::ShouldBeEmpty : Score::Correct;

    const text::Text expected = expectedValue(person, field);
    if (type == "select" || type == "radio" || type == "checkbox") {
        if (chosen.empty()) return expected.empty() ? Score::Correct : Score::Missed;
        for (const auto& [caption, v] : chosen)
            if (choiceFits(person, expect, caption, v)) return Score::Correct;
        return wrote ? Score::Wrong : Score::Missed;
    }
    const text::Text got = bare(value);
    const text::Text want = bare(expected);
    if (got == want) return Score::Correct;
    // A date input holds the date as year-month-day.
    if (expect == "BIRTHDATE" && dateOf(got) && dateOf(got) == dateOf(want)) return Score::Correct;
    if (got.empty()) return Score::Missed;
    if (!wrote) return want.empty() ? Score::Correct : Score::Missed;
    if (want.empty()) return Score::Wrong;
    if (text::contains(got, want)) return Score::Over;
    if (text::contains(want, got)) return Score::Under;
    return Score::Wrong;
}

// ---- The check ------------------------------------------------------------------------------

struct PageRun {
    std::unique_ptr<page::Document> document;
    PageFillReport report;
};

PageRun runPage(const std::string& html, RuleSet rules, const clsUserInfo& person) {
    PageRun run;
    run.document = page::loadHtml(html);
    run.report = readAndFillPage(*run.document, &person, rules);
    return run;
}

// The known failures of Orvex's rules: "page control status reason", keyed by page, control and
// status.
std::map<std::string, std::string> readKnownFailures() {
    std::map<std::string, std::string> out;
    std::istringstream in(readFile(kKnownFailures));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string page, control, status, reason;
        words >> page >> control >> status;
        std::getline(words, reason);
        out[page + ' ' + control + ' ' + status] = reason;
    }
    return out;
}

// Tests both rule sets over every corpus page: the writes match the baselines, Orvex's rules fill
// at least 95 % of the labelled personal-data controls as a person expects and nothing that
// should stay empty, and the known failures are exactly the controls that still fail.
TEST(RulesCorpusTest, BaselinesScoresAndKnownFailures) {
    if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
    std::vector<fs::path> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    ASSERT_FALSE(pages.empty());

    const clsUserInfo person = samplePerson();
    const bool update = updating();
    std::map<RuleSet, Totals> totals;
    std::map<std::string, std::string> failures;  // Orvex's rules: key -> what it wrote
    for (const fs::path& path : pages) {
        const std::string id = path.stem().string();
        const std::string html = readFile(path);
        const fs::path expectations = kCorpus / (id + ".json");
        const nlohmann::json fields = fs::exists(expectations)
                                          ? nlohmann::json::parse(readFile(expectations), nullptr, false)
                                          : nlohmann::json();
        for (const RuleSet rules : {RuleSet::Documented, RuleSet::Orvex}) {
            const PageRun run = runPage(html, rules, person);
            const fs::path baseline = kBaselines / std::string(engine::ruleSetName(rules)) / (id + ".txt");
            const std::string got = baselineOf(run.report);
            if (update) {
                fs::create_directories(baseline.parent_path());
                std::ofstream(baseline, std::ios::binary) << got;
            } else {
                EXPECT_EQ(readFile(baseline), got) << "the " << engine::ruleSetName(rules) << " writes of page "
                                                   << id << " changed (ORVEX_UPDATE_BASELINES=1 rewrites them)";
            }
            for (const FormFillReport& form : run.report.forms)
                for (const FillWrite& w : form.writes)
                    EXPECT_NE(w.element.type, "hidden") << id << " wrote the hidden " << w.element.name;

            if (!fields.is_object() || !fields.contains("fields")) continue;
            for (const nlohmann::json& field : fields["fields"]) {
                const Score score = scoreField(*run.document, run.report, person, field);
                totals[rules].add(score, field.value("expect", "NONE") != "NONE");
                if (rules == RuleSet::Orvex && score != Score::Correct)
                    failures[id + ' ' + field.value("name", "") + '#' +
                             std::to_string(field.value("occurrence", 1)) + ' ' +
                             kScoreNames[static_cast<std::size_t>(score)]] = field.value("expect", "");
            }
        }
    }

    for (const RuleSet rules : {RuleSet::Documented, RuleSet::Orvex}) {
        const Totals& t = totals[rules];
        std::cout << "[ scores   ] " << engine::ruleSetName(rules) << ": of " << t.personalCount()
                  << " personal-data controls " << t[Score::Correct] << " correct, " << t[Score::Wrong]
                  << " wrong, " << t[Score::Missed] << " missed, " << t[Score::Over] << " over-filled, "
                  << t[Score::Under] << " under-filled; of " << (t.keptEmpty + t.shouldBeEmpty)
                  << " controls to leave empty " << t.shouldBeEmpty << " written\n";
    }
    const Totals& orvex = totals[RuleSet::Orvex];
    EXPECT_GE(orvex[Score::Correct], kRequiredShare * orvex.personalCount())
        << orvex[Score::Correct] << " of " << orvex.personalCount();
    EXPECT_EQ(orvex.shouldBeEmpty, 0);

    const std::map<std::string, std::string> known = readKnownFailures();
    for (const auto& [key, expect] : failures)
        EXPECT_TRUE(known.count(key) > 0) << "new failure of Orvex's rules: " << key << " (expected " << expect
                                          << "); add it to " << kKnownFailures << " with its reason, or fix it";
    for (const auto& [key, reason] : known)
        EXPECT_TRUE(failures.count(key) > 0) << "known failure now passes: " << key
                                             << "; take it out of " << kKnownFailures;
}

}  // namespace
}  // namespace orvex::fill
