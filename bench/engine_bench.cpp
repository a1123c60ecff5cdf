// Timing of the page reading engine (read and decide, InterpretHTMLMain) on the text of each form
// of the corpus pages and of the demo page, and on generated forms of growing size, by the
// documented rules and with Orvex's rules; beside each, the HTML parser's own time on the same text
// as the yardstick.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include "engine/html_items.h"
#include "page/document.h"
#include "page/html_loader.h"
#include "rules/rule_stages.h"
#include "text/text.h"

namespace {

namespace fs = std::filesystem;

// Sizes of the generated forms, in bytes of form text.
constexpr std::size_t kGeneratedSizes[] = {10 * 1024, 100 * 1024, 256 * 1024, 1024 * 1024, 4096 * 1024};

// The rows a generated form is made of, in turn: labelled text boxes, split boxes, lists and
// choices, as entry forms have them. {N} is replaced by the row number so that names differ.
constexpr std::string_view kGeneratedRows[] = {
    "<TR><TH>お名前</TH><TD>姓 <INPUT type=text name=sei{N} size=12> 名 <INPUT type=text name=mei{N} size=12>"
    "</TD></TR>",
    "<TR><TH>フリガナ</TH><TD><INPUT type=text name=kana{N} size=24></TD></TR>",
    "<TR><TH>郵便番号</TH><TD>〒 <INPUT type=text name=zip{N} size=3> - <INPUT type=text name=zip{N} size=4>"
    "</TD></TR>",
    "<TR><TH>都道府県</TH><TD><SELECT name=pref{N}><OPTION value=\"\">選択</OPTION><OPTION value=13>東京都"
    "</OPTION><OPTION value=27>大阪府</OPTION></SELECT></TD></TR>",
    "<TR><TH>ご住所</TH><TD><INPUT type=text name=addr{N} size=40></TD></TR>",
    "<TR><TH>電話番号</TH><TD><INPUT type=text name=tel{N} size=4>-<INPUT type=text name=tel{N} size=4>-"
    "<INPUT type=text name=tel{N} size=4></TD></TR>",
    "<TR><TH>メールアドレス</TH><TD><INPUT type=text name=mail{N} size=30></TD></TR>",
    "<TR><TH>性別</TH><TD><INPUT type=radio name=sex{N} value=1>男性 <INPUT type=radio name=sex{N} "
    "value=2>女性"
    "</TD></TR>",
    "<TR><TH>年齢</TH><TD><SELECT name=age{N}><OPTION>20代</OPTION><OPTION>30代</OPTION><OPTION>40代</OPTION>"
    "</SELECT></TD></TR>",
    "<TR><TH>ご意見</TH><TD><TEXTAREA name=comment{N} rows=4 cols=40></TEXTAREA></TD></TR>",
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A page with its forms, kept alive for the runs that read the forms with Orvex's rules (which
// look at the page around each form).
struct LoadedPage {
    std::shared_ptr<orvex::page::Document> document;
    std::vector<orvex::page::Element> forms;
    std::vector<std::string> texts;  // each form's text, as the engine receives it
};

LoadedPage loadPage(const std::string& html) {
    LoadedPage page;
    page.document = orvex::page::loadHtml(html);
    const orvex::page::ElementCollection forms = page.document->all().tags("FORM");
    for (int i = 0; i < forms.length(); ++i) {
        page.forms.push_back(forms.item(i));
        page.texts.push_back(forms.item(i).innerHTML());
    }
    return page;
}

// A form text of at least `size` bytes made of the generated rows in turn.
std::string generatedForm(std::size_t size) {
    std::string html = "<TABLE><TBODY>";
    for (int n = 0; html.size() < size; ++n) {
        std::string row(kGeneratedRows[static_cast<std::size_t>(n) % std::size(kGeneratedRows)]);
        for (std::size_t at = row.find("{N}"); at != std::string::npos; at = row.find("{N}"))
            row.replace(at, 3, std::to_string(n));
        html += row;
    }
    return html + "</TBODY></TABLE>";
}

// Read and decide: one new engine per run, as the frame reader makes one per form.
void engineRun(benchmark::State& state, const std::vector<orvex::text::Text>& forms, std::size_t bytes) {
    for (auto _ : state) {
        for (const orvex::text::Text& form : forms) {
            orvex::engine::clsHTMLItems engine;
            benchmark::DoNotOptimize(engine.InterpretHTMLMain(form));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

// Read and decide with Orvex's rules: the text stages, the engine and the reading stages, as the
// frame reader runs them for each form of the page.
void orvexRun(benchmark::State& state, const std::shared_ptr<LoadedPage>& page, std::size_t bytes) {
    std::vector<orvex::text::Text> texts;
    for (const std::string& form : page->texts) texts.push_back(orvex::text::fromUtf8(form));
    for (auto _ : state) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            orvex::text::Text read;
            benchmark::DoNotOptimize(orvex::rules::readWithOrvexRules(texts[i], page->forms[i], read));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

// The HTML parser over the same texts.
void gumboRun(benchmark::State& state, const std::vector<std::string>& forms, std::size_t bytes) {
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    for (auto _ : state) {
        for (const std::string& form : forms) {
            GumboOutput* output = gumbo_parse_with_options(&options, form.data(), form.size());
            benchmark::DoNotOptimize(output);
            gumbo_destroy_output(&options, output);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

// Registers, side by side, the engine by the documented rules, the engine with Orvex's rules and
// the parser on the forms of `page` under `name`.
void registerRuns(const std::string& name, LoadedPage loaded) {
    auto page = std::make_shared<LoadedPage>(std::move(loaded));
    std::vector<orvex::text::Text> forms;
    std::size_t bytes = 0;
    for (const std::string& form : page->texts) {
        forms.push_back(orvex::text::fromUtf8(form));
        bytes += form.size();
    }
    benchmark::RegisterBenchmark(("Engine/" + name).c_str(), engineRun, forms, bytes)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Orvex/" + name).c_str(), orvexRun, page, bytes)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Gumbo/" + name).c_str(), gumboRun, page->texts, bytes)
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path source(ORVEX_SOURCE_DIR);
    registerRuns("demo", loadPage(readFile(source / "resources" / "demo" / "entry.html")));

    const fs::path corpus = source / ".." / "shared" / "forms";
    std::vector<fs::path> pages;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus, ec))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    for (const fs::path& page : pages) registerRuns("corpus/" + page.stem().string(), loadPage(readFile(page)));

    // A generated form stands in a page of its own, so that the stages can look at it.
    for (std::size_t size : kGeneratedSizes)
        registerRuns("generated/" + std::to_string(size / 1024) + "KB",
                     loadPage("<html><body><form>" + generatedForm(size) + "</form></body></html>"));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
