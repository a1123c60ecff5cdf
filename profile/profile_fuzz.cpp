// Fuzzes the profile-file reader: parsing, look-ups, listing, changing and writing back any
// bytes must neither crash nor lose the lines it did not change.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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

    // A change is read back as written, and removing a section makes it unreadable.
    if (doc.set(u"Fuzz", u"Key", u"value")) {
        const auto* v = doc.find(u"fuzz", u"KEY");
        if (!v || *v != u"value") std::abort();
        const IniDocument again = IniDocument::parse(doc.serialize());
        const auto* w = again.find(u"FUZZ", u"key");
        if (!w || *w != u"value") std::abort();
    }
    doc.removeSection(u"fuzz");
    if (doc.find(u"Fuzz", u"Key")) std::abort();
    return 0;
}
