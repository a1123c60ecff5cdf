// Runs the built orvex-read binary and checks its exit codes, messages and JSON report.

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;

const std::string kDemo = std::string(ORVEX_SOURCE_DIR) + "/resources/demo/entry.html";
const std::string kPersons = std::string(ORVEX_SOURCE_DIR) + "/resources/sample/userdata.ini";

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A scratch directory for one test, removed afterwards.
class OrvexReadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir = fs::temp_directory_path() /
              ("orvex_read_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    fs::path write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
        return dir / name;
    }
    // Runs orvex-read with `args` (already shell-quoted where needed) and `stdinFile` as input.
    ToolRun run(const std::string& args, const std::string& stdinFile = "/dev/null") {
        const std::string command = std::string("'") + ORVEX_READ_BINARY + "' " + args + " <'" + stdinFile +
                                    "' >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        const int raw = std::system(command.c_str());
        ToolRun r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(dir / "out");
        r.err = slurp(dir / "err");
        return r;
    }
    fs::path dir;
};

std::size_t lineCount(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

// Tests that the demo page gives its entries, one per line, and exit status 0.
TEST_F(OrvexReadTest, DemoPageEntries) {
    const ToolRun r = run("'" + kDemo + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_GT(lineCount(r.out), 0U);
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) EXPECT_NE(line.find('='), std::string::npos) << line;
    // The same page on standard input gives the same entries.
    const ToolRun piped = run("-", kDemo);
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, r.out);
}

// Tests the JSON report of a fill: its shape, and that the quiz box and comment stay unwritten.
TEST_F(OrvexReadTest, JsonReportOfAFill) {
    const ToolRun r = run("--json --today 2024-06-01 --person '" + kPersons + "' '" + kDemo + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    ASSERT_TRUE(j["forms"].is_array());
    ASSERT_EQ(j["forms"].size(), 1U);
    const nlohmann::json& form = j["forms"][0];
    EXPECT_EQ(form["index"], 0);
    EXPECT_EQ(form["action"], "thanks.html");
    EXPECT_EQ(form["ok"], true);
    EXPECT_FALSE(form["entries"].empty());
    bool value = false, checked = false, selected = false;
    for (const nlohmann::json& w : form["writes"]) {
        EXPECT_TRUE(w["entry"].is_string());
        const nlohmann::json& e = w["element"];
        for (const char* key : {"tag", "type", "name", "id"}) EXPECT_TRUE(e[key].is_string()) << key;
        EXPECT_GE(e["index"].get<int>(), 0);
        EXPECT_GE(e["occurrence"].get<int>(), 1);
        EXPECT_NE(e["name"], "answer");
        EXPECT_NE(e["name"], "comment");
        EXPECT_NE(e["name"], "campaign");
        value = value || w.contains("value");
        checked = checked || (w.contains("checked") && w["checked"] == true);
        if (w.contains("selected")) {
            EXPECT_TRUE(w.contains("selectedValue"));
            selected = true;
        }
    }
    EXPECT_TRUE(value);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(selected);
}

// Tests that --out saves the filled page and the person's index picks the second person.
TEST_F(OrvexReadTest, OutSavesTheFilledPage) {
    const fs::path out = dir / "filled.html";
    const ToolRun r = run("--person '" + kPersons + ":1' --out '" + out.string() + "' '" + kDemo + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string html = slurp(out);
    EXPECT_TRUE(html.starts_with("\xEF\xBB\xBF"));
    EXPECT_NE(html.find("taro.yamada@example.jp"), std::string::npos);
    EXPECT_NE(r.out.find("taro.yamada@example.jp"), std::string::npos);
}

// Tests the exit codes and one-line messages of inputs that cannot be read.
TEST_F(OrvexReadTest, UnreadableInputs) {
    EXPECT_EQ(run("'" + (dir / "missing.html").string() + "'").status, 1);
    EXPECT_EQ(run("'" + dir.string() + "'").status, 1);
    const ToolRun binary = run("'" + write("b.html", std::string("<form>\0\x01\x02", 9)).string() + "'");
    EXPECT_EQ(binary.status, 1);
    EXPECT_EQ(lineCount(binary.err), 1U);
    EXPECT_NE(binary.err.find("binary"), std::string::npos);
    const ToolRun big =
        run("'" + write("big.html", "<form><input name=a>" + std::string(50 << 20, 'x')).string() + "'");
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.err.find("larger"), std::string::npos);
}

// Tests that a page without forms and a form without entries are not errors.
TEST_F(OrvexReadTest, NothingToFillIsNotAnError) {
    const ToolRun none = run("'" + write("p.html", "<p>no form here</p>").string() + "'");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("no FORM"), std::string::npos);
    const ToolRun json = run("--json '" + (dir / "p.html").string() + "'");
    EXPECT_EQ(nlohmann::json::parse(json.out)["forms"].size(), 0U);
    const ToolRun form = run("--form -", write("f.txt", "<INPUT type=text name=q>").string());
    EXPECT_EQ(form.status, 0);
}

// Tests that --rules chooses the rule set: Orvex's leave a delivery block empty and say so in the
// debug view and the report, the documented ones fill it and show no stages.
TEST_F(OrvexReadTest, RuleSetsOnTheCommandLine) {
    const auto rows = [](const std::string& p) {
        return "<tr><th>お名前</th><td>姓<input name=" + p + "sei> 名<input name=" + p +
               "mei></td></tr><tr><th>郵便番号</th><td><input name=" + p + "z1 size=3>-<input name=" + p +
               "z2 size=4></td></tr>";
    };
    const std::string page =
        write("two.html", "<form><table><tr><th colspan=2>お届け先</th></tr>" + rows("d_") +
                              "<tr><th colspan=2>ご注文者情報</th></tr>" + rows("o_") + "</table></form>")
            .string();
    const ToolRun orvex = run("--rules orvex --person '" + kPersons + "' '" + page + "'");
    EXPECT_EQ(orvex.status, 0);
    EXPECT_NE(orvex.out.find("name=d_sei"), std::string::npos);
    EXPECT_NE(orvex.out.find("left empty: second block"), std::string::npos);
    const ToolRun debug = run("--rules orvex --debug '" + page + "'");
    EXPECT_NE(debug.out.find("== rule stages (orvex)"), std::string::npos);
    EXPECT_NE(debug.out.find("second-party: left empty d_sei"), std::string::npos);

    const ToolRun documented = run("--rules documented --person '" + kPersons + "' '" + page + "'");
    EXPECT_EQ(documented.out.find("left empty"), std::string::npos);
    EXPECT_NE(documented.out.find("name=d_sei #1 ["), std::string::npos);
    EXPECT_EQ(run("--rules documented --debug '" + page + "'").out.find("rule stages"), std::string::npos);
}

// Tests the person file errors: no visible person, an invisible index, an index out of range.
TEST_F(OrvexReadTest, PersonFileErrors) {
    const fs::path hidden = write("people.ini", "[USER0]\nVisible=False\nName1=x\n");
    const ToolRun none = run("--person '" + hidden.string() + "' '" + kDemo + "'");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no visible person"), std::string::npos);
    EXPECT_EQ(run("--person '" + kPersons + ":5' '" + kDemo + "'").status, 1);
    EXPECT_EQ(run("--person '" + kPersons + ":12' '" + kDemo + "'").status, 2);
    EXPECT_EQ(run("--person '" + (dir / "nobody.ini").string() + "' '" + kDemo + "'").status, 1);
}

// Tests the usage errors and --help.
TEST_F(OrvexReadTest, UsageErrors) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("--nonsense '" + kDemo + "'").status, 2);
    EXPECT_EQ(run("--debug --json '" + kDemo + "'").status, 2);
    const ToolRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--person"), std::string::npos);
}

// Tests that --forms prints the form's text as the engine receives it and --debug its view.
TEST_F(OrvexReadTest, FormsAndDebugViews) {
    const ToolRun forms = run("--forms '" + kDemo + "'");
    EXPECT_EQ(forms.status, 0);
    EXPECT_TRUE(forms.out.starts_with("# form 0 action=\"thanks.html\"\n"));
    EXPECT_NE(forms.out.find("<INPUT type=text name=sei size=12>"), std::string::npos);
    const ToolRun debug = run("--debug '" + kDemo + "'");
    EXPECT_EQ(debug.status, 0);
    EXPECT_GT(lineCount(debug.out), lineCount(forms.out));
}

}  // namespace
