// Fuzzes the profile-file reader: parsing, look-ups, listing, changing and writing back any
// bytes must neither crash nor lose the lines it did not change.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "profile/ini_document.h"

using orvex::profile::IniDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(bytes);

    // An untouched UTF-8 document writes back byte for byte.
    if (!doc.isLegacyEncoding() && doc.serialize() != bytes) std::abort();

    for (const auto& name : doc.sectionNames()) {
        (void)doc.find(name, u"Name");
        (void)doc.find(name, name);
    }
    (void)doc.find(u"USER0", u"Name1");

    // Changes are read back as written, in new and in existing sections, before and after the
    // document is written out and parsed again.
    std::vector<orvex::text::Text> sections = doc.sectionNames();
    sections.resize(std::min<size_t>(sections.size(), 3));
    sections.push_back(u"Fuzz");
    std::vector<std::pair<orvex::text::Text, orvex::text::Text>> written;
    for (const auto& section : sections) {
        if (doc.set(section, u"Key", u"value")) written.emplace_back(section, u"Key");
        if (doc.set(section, u"Name", u"名前")) written.emplace_back(section, u"Name");
    }
    const IniDocument again = IniDocument::parse(doc.serialize());
    for (const auto& [section, key] : written) {
        const auto* v = doc.find(section, key);
        const auto* w = again.find(section, key);
        const orvex::text::Text expected = key == u"Key" ? u"value" : u"名前";
        if (!v || *v != expected || !w || *w != expected) std::abort();
    }
    doc.removeSection(u"fuzz");
    if (doc.find(u"Fuzz", u"Key")) std::abort();
    return 0;
}
