// Fuzz target: arbitrary bytes as a saved page (with itself as the content of every frame),
// loaded and every form of every document written out; then a few writes and one more
// serialisation.

#include <cstddef>
#include <cstdint>
#include <string>

#include "page/html_loader.h"

namespace {

void exercise(orvex::page::Document& document) {
    orvex::page::ElementCollection forms = document.all().tags("FORM");
    for (int i = 0; i < forms.length(); ++i) {
        orvex::page::Element form = forms.item(i);
        (void)form.innerHTML();
        (void)form.outerHTML();
    }
    orvex::page::ElementCollection all = document.all();
    for (int i = 0; i < all.length(); ++i) {
        orvex::page::Element e = all.item(i);
        e.setValue("x");
        e.setStatus(true);
        e.setSelectedIndex(e.length() - 1);
        (void)document.all().item(e.name());
    }
    for (int i = 0; i < forms.length(); ++i) (void)forms.item(i).innerHTML();
    for (int i = 0; i < document.frameCount(); ++i) exercise(*document.frame(i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    orvex::page::LoadOptions options;
    options.url = "http://example.jp/a/index.html";
    int frames = 0;
    options.frameSource = [&](const std::string&) -> std::optional<std::string> {
        // Bounded so that a page full of frames stays quick.
        if (++frames > 4) return std::nullopt;
        return bytes;
    };
    auto document = orvex::page::loadHtml(bytes, options);
    if (document) exercise(*document);
    return 0;
}
