// Timing of the saved form pages: the HTML parser alone against the whole load (charset,
// parse, model) plus the serialisation of every form.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include "page/html_loader.h"

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void parseOnly(benchmark::State& state, const std::string& html) {
    // The loader's own parser options: no parse errors recorded.
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    for (auto _ : state) {
        GumboOutput* output = gumbo_parse_with_options(&options, html.data(), html.size());
        benchmark::DoNotOptimize(output);
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * html.size()));
}

void loadAndSerialize(benchmark::State& state, const std::string& html) {
    for (auto _ : state) {
        auto document = orvex::page::loadHtml(html);
        orvex::page::ElementCollection forms = document->all().tags("FORM");
        std::size_t total = 0;
        for (int i = 0; i < forms.length(); ++i) total += forms.item(i).innerHTML().size();
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * html.size()));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> pages;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(ORVEX_SOURCE_DIR "/../shared/forms", error))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    for (const auto& path : pages) {
        std::string html = readFile(path);
        std::string name = path.stem().string();
        benchmark::RegisterBenchmark(("GumboParse/" + name).c_str(), parseOnly, html)->Repetitions(5);
        benchmark::RegisterBenchmark(("LoadAndSerialize/" + name).c_str(), loadAndSerialize, html)
            ->Repetitions(5);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
