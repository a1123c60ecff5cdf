// Timing of the page reading engine (read and decide, InterpretHTMLMain) on the text of each form
// of the corpus pages and of the demo page, and on generated forms of growing size; beside each,
// the HTML parser's own time on the same text as the yardstick.

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
#include "page/html_loader.h"
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

// The text of every form of a saved page, as the engine receives it.
std::vector<std::string> formTexts(const fs::path& page) {
    std::vector<std::string> texts;
    const std::unique_ptr<orvex::page::Document> document = orvex::page::loadHtml(readFile(page));
    const orvex::page::ElementCollection forms = document->all().tags("FORM");
    for (int i = 0; i < forms.length(); ++i) texts.push_back(forms.item(i).innerHTML());
    return texts;
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

// Registers the engine and the parser on the form texts `utf8` under `name`.
void registerPair(const std::string& name, const std::vector<std::string>& utf8) {
    std::vector<orvex::text::Text> forms;
    std::size_t bytes = 0;
    for (const std::string& form : utf8) {
        forms.push_back(orvex::text::fromUtf8(form));
        bytes += form.size();
    }
    benchmark::RegisterBenchmark(("Engine/" + name).c_str(), engineRun, forms, bytes)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Gumbo/" + name).c_str(), gumboRun, utf8, bytes)
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path source(ORVEX_SOURCE_DIR);
    registerPair("demo", formTexts(source / "resources" / "demo" / "entry.html"));

    const fs::path corpus = source / ".." / "shared" / "forms";
    std::vector<fs::path> pages;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus, ec))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    for (const fs::path& page : pages) registerPair("corpus/" + page.stem().string(), formTexts(page));

    for (std::size_t size : kGeneratedSizes)
        registerPair("generated/" + std::to_string(size / 1024) + "KB", {generatedForm(size)});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
