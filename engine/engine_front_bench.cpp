// Speed of the front end of the page reading engine (tokens, generated names, blocks and their
// scores) on a real entry form and on generated forms of growing size: the time per byte should
// stay about the same as the form grows.

#include <benchmark/benchmark.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/html_items.h"
#include "text/text.h"

namespace {

using orvex::engine::clsHTMLItems;
using orvex::text::Text;

// A real table-layout entry form from the shared corpus.
constexpr const char* kSampleForm = ORVEX_SOURCE_DIR "/../shared/forms/007.html";
// Repetitions of each measurement; the median is reported.
constexpr int kRepetitions = 7;

// The content of the first FORM element with element names in upper case, as the browser
// serialises it for the engine; the whole text when there is no FORM element.
std::string formContent(const std::string& page) {
    std::string lower = page;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t begin = lower.find("<form");
    begin = begin == std::string::npos ? 0 : lower.find('>', begin) + 1;
    std::size_t end = lower.find("</form", begin);
    if (end == std::string::npos) end = page.size();
    std::string form = page.substr(begin, end - begin);
    for (std::size_t i = 0; i + 1 < form.size(); ++i) {
        if (form[i] != '<') continue;
        std::size_t j = i + 1;
        if (j < form.size() && form[j] == '/') ++j;
        while (j < form.size() && std::isalnum(static_cast<unsigned char>(form[j]))) {
            form[j] = static_cast<char>(std::toupper(static_cast<unsigned char>(form[j])));
            ++j;
        }
    }
    return form;
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One table of a typical entry form: labels in cells, text inputs, a radio group, select lists
// with a prefecture and an era list, a comment and a text area.
std::string formChunk(int n) {
    const std::string id = std::to_string(n);
    return "<!-- section " + id + " --><TABLE border=1><TR><TH colspan=2>ご応募フォーム" + id +
           "</TH></TR>"
           "<TR><TD>お名前</TD><TD><INPUT type=text name=name" +
           id +
           " size=20></TD></TR>"
           "<TR><TD>フリガナ</TD><TD><INPUT type=text name=kana" +
           id +
           " size=20></TD></TR>"
           "<TR><TD>性別</TD><TD><INPUT type=radio name=sex" +
           id + " value=1>男 <INPUT type=radio name=sex" + id +
           " value=2>女</TD></TR>"
           "<TR><TD>〒</TD><TD><INPUT name=zip1 size=3>-<INPUT name=zip2 size=4></TD></TR>"
           "<TR><TD>都道府県</TD><TD><SELECT name=pref><OPTION value=1>北海道<OPTION value=13>東京都"
           "<OPTION value=27>大阪府</SELECT></TD></TR>"
           "<TR><TD>ご住所</TD><TD><INPUT name=address size=40><BR>マンション名<INPUT name=apart></TD></TR>"
           "<TR><TD>生年月日</TD><TD><SELECT name=era><OPTION>昭和<OPTION>平成</SELECT>"
           "<INPUT name=birth_y size=2>年<INPUT name=birth_m size=2>月<INPUT name=birth_d size=2>日</TD></TR>"
           "<TR><TD>電話番号</TD><TD><INPUT name=tel1>-<INPUT name=tel2>-<INPUT name=tel3></TD></TR>"
           "<TR><TD>メールアドレス</TD><TD><INPUT type=text name=email size=30></TD></TR>"
           "<TR><TD>ご意見</TD><TD><TEXTAREA name=comment rows=4>ご自由に</TEXTAREA></TD></TR>"
           "</TABLE><HR><INPUT type=hidden name=id value=" +
           id + "><INPUT type=submit value=送信>\n";
}

std::string generatedForm(std::size_t bytes) {
    std::string form;
    for (int n = 0; form.size() < bytes; ++n) form += formChunk(n);
    return form;
}

void runFrontEnd(benchmark::State& state, const Text& form) {
    std::size_t blocks = 0;
    for (auto _ : state) {
        clsHTMLItems engine;
        engine.readTokens(form);
        engine.buildBlocks();
        blocks = engine.Blocks.size();
        benchmark::DoNotOptimize(blocks);
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(form.size() * sizeof(char16_t)));
}

void BM_FrontSampleForm(benchmark::State& state) {
    const std::string form = formContent(readFile(kSampleForm));
    if (form.empty()) {
        state.SkipWithError("sample form not found");
        return;
    }
    runFrontEnd(state, orvex::text::fromUtf8(form));
}
BENCHMARK(BM_FrontSampleForm)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// Generated forms of 256 KB, 1 MB and 4 MB (UTF-8 bytes).
void BM_FrontGeneratedForm(benchmark::State& state) {
    runFrontEnd(state, orvex::text::fromUtf8(generatedForm(static_cast<std::size_t>(state.range(0)))));
}
BENCHMARK(BM_FrontGeneratedForm)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Arg(4 << 20)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// One line (no line ends at all) of text boxes and radio buttons, the worst case for cutting.
void BM_FrontOneLongLine(benchmark::State& state) {
    std::string form;
    while (form.size() < static_cast<std::size_t>(state.range(0)))
        form += "<INPUT type=text name=t><INPUT type=radio name=r>";
    runFrontEnd(state, orvex::text::fromUtf8(form));
}
BENCHMARK(BM_FrontOneLongLine)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
