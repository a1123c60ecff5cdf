#include "bar/page_icon.h"

#include <system_error>

#include "page/document.h"
#include "profile/atomic_file.h"
#include "text/strings.h"

namespace orvex::bar {
namespace {

constexpr text::TextView kFileScheme = u"file:";
constexpr text::TextView kAbsoluteSchemes[] = {u"http:", u"https:", u"file:"};
constexpr text::TextView kIconExtensions[] = {u".ico", u".bmp"};

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The address named by the element in one document; empty when it names none.
text::Text iconOfDocument(page::Document& document) {
    const page::ElementCollection all = document.all();
    for (int i = 0; i < all.length(); ++i) {
        const page::Element element = all.item(i);
        if (element.id() != kPageIconElement && element.name() != kPageIconElement) continue;
        const std::string tag = lowerAscii(element.tagName());
        std::string value;
        if (tag == "input") {
            value = element.value();
        } else if (tag == "img") {
            value = element.attribute("src").value_or("");
        } else {
            continue;
        }
        if (value.empty()) return {};
        return joinIconAddress(text::fromUtf8(value), text::fromUtf8(document.url()));
    }
    return {};
}

text::Text searchDocuments(const browser::DocumentRef& document, int depth) {
    // Frames nest as deep as a page likes; a few levels hold every real control-panel page.
    constexpr int kMaxDepth = 8;
    if (!document || depth > kMaxDepth) return {};
    text::Text found = iconOfDocument(document->model());
    if (!found.empty()) return found;
    for (int i = 0; i < static_cast<int>(document->frameWindowIndexes().size()); ++i) {
        found = searchDocuments(document->frameDocument(i), depth + 1);
        if (!found.empty()) return found;
    }
    return {};
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// The bytes of `s` with "%XY" escapes decoded, as UTF-8.
std::string percentDecoded(text::TextView s) {
    const std::string utf8 = text::toUtf8(s);
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '%' && i + 2 < utf8.size()) {
            const int hi = hexValue(static_cast<unsigned char>(utf8[i + 1]));
            const int lo = hexValue(static_cast<unsigned char>(utf8[i + 2]));
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(utf8[i]);
    }
    return out;
}

}  // namespace

text::Text pageIconAddress(const browser::DocumentRef& document) {
    return searchDocuments(document, 0);
}

text::Text joinIconAddress(text::TextView value, text::TextView documentUrl) {
    const text::Text lower = text::toLower(value);
    for (text::TextView scheme : kAbsoluteSchemes)
        if (text::startsWith(lower, scheme)) return text::Text(value);
    const text::Text base(documentUrl);
    if (text::startsWith(value, u"/")) {
        // From the origin: the part before the first "/" after "scheme://".
        const int schemeEnd = text::find(base, u"://");
        if (schemeEnd > 0) {
            const int pathStart = text::find(base, u"/", schemeEnd + 3);
            const text::Text origin = pathStart > 0 ? text::left(base, pathStart - 1) : base;
            return origin + text::Text(value);
        }
    }
    const int slash = text::findLast(base, u"/");
    return (slash > 0 ? text::left(base, slash) : base) + text::Text(value);
}

text::Text iconTargetName(text::TextView address) {
    const text::Text lower = text::toLower(address);
    bool icon = false;
    for (text::TextView ext : kIconExtensions) icon = icon || text::endsWith(lower, ext);
    if (!icon) return {};
    const int slash = text::findLast(address, u"/");
    const text::Text name = text::mid(address, slash + 1);
    // A name that would leave the folder or hide itself is not used.
    if (name.empty() || text::contains(name, u"\\") || text::startsWith(name, u".")) return {};
    for (char16_t c : name)
        if (c < 0x20) return {};
    return name;
}

FetchResult readFileAddress(text::TextView address) {
    FetchResult result;
    if (!text::startsWith(text::toLower(address), kFileScheme)) {
        result.error = "not a file address";
        return result;
    }
    text::Text rest = text::mid(address, static_cast<int>(kFileScheme.size()) + 1);
    if (text::startsWith(rest, u"//")) {
        rest = text::mid(rest, 3);
        if (text::startsWith(text::toLower(rest), u"localhost/")) rest = text::mid(rest, 10);
        if (!text::startsWith(rest, u"/")) {
            result.error = "the file is on another host";
            return result;
        }
    }
    const std::filesystem::path file(percentDecoded(rest));
    const profile::FileBytes read = profile::readFileBytes(file, kMaxIconBytes);
    if (read.status == profile::ReadStatus::Missing) {
        result.error = "no such file: " + file.string();
    } else if (read.status != profile::ReadStatus::Ok) {
        result.error = "cannot read " + file.string();
    } else {
        result.ok = true;
        result.bytes = read.bytes;
    }
    return result;
}

text::Text storeIcon(const std::filesystem::path& dataDir, text::TextView name, const std::string& bytes,
                     std::string* error) {
    const std::filesystem::path folder = dataDir / kIconsFolder;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path file = folder / text::toUtf8(name);
    if (name.empty() || !profile::replaceFile(file, bytes)) {
        if (error != nullptr) *error = "cannot write " + file.string();
        return {};
    }
    return text::Text(kStoredIconsPrefix) + text::Text(name);
}

}  // namespace orvex::bar
