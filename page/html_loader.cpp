#include "page/html_loader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include <gumbo.h>

#include "page/charset.h"
#include "page/document_builder.h"

namespace orvex::page {
namespace {

// The parser leaves text that stands right before "</form>" unattached until the next node
// and then puts it after the form. A bogus comment placed before every "</form" makes it
// attach the text where it belongs; the marker is removed again while the tree is copied
// (from comments, and from text and attribute values where "</form" stood inside them).
constexpr std::string_view kFlushMarker = "<?orvex-flush?>";
constexpr std::string_view kFlushComment = "?orvex-flush?";

std::string withFlushMarkers(std::string_view html) {
    std::string out;
    out.reserve(html.size() + html.size() / 64);
    std::size_t done = 0;
    for (std::size_t p = html.find("</"); p != std::string_view::npos; p = html.find("</", p + 2)) {
        std::string_view rest = html.substr(p + 2);
        if (rest.size() < 4) break;
        bool isForm = (rest[0] | 0x20) == 'f' && (rest[1] | 0x20) == 'o' && (rest[2] | 0x20) == 'r' &&
                      (rest[3] | 0x20) == 'm';
        if (!isForm) continue;
        out.append(html.substr(done, p - done));
        out.append(kFlushMarker);
        done = p;
    }
    out.append(html.substr(done));
    return out;
}

std::string withoutFlushMarkers(std::string_view text) {
    std::string out;
    std::size_t done = 0;
    for (std::size_t p = text.find(kFlushMarker); p != std::string_view::npos;
         p = text.find(kFlushMarker, done)) {
        out.append(text.substr(done, p - done));
        done = p + kFlushMarker.size();
    }
    out.append(text.substr(done));
    return out;
}

struct GumboOutputCloser {
    void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isAsciiBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isAsciiBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The element name as the page wrote it for tags the parser does not know.
std::string tagNameOf(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
    GumboStringPiece piece = element.original_tag;
    if (piece.data == nullptr || piece.length == 0) return "UNKNOWN";
    gumbo_tag_from_original_text(&piece);
    if (piece.data == nullptr || piece.length == 0) return "UNKNOWN";
    return std::string(piece.data, piece.length);
}

std::vector<Attribute> attributesOf(const GumboElement& element) {
    std::vector<Attribute> attributes;
    attributes.reserve(element.attributes.length);
    for (unsigned int i = 0; i < element.attributes.length; ++i) {
        const auto* a = static_cast<const GumboAttribute*>(element.attributes.data[i]);
        if (a == nullptr || a->name == nullptr) continue;
        attributes.push_back(Attribute{a->name, withoutFlushMarkers(a->value ? a->value : "")});
    }
    return attributes;
}

// A FRAME/IFRAME element met while building: its node and the attributes that load it.
struct FrameElement {
    int node = -1;
    std::string src;
    std::string name;
};

std::string attributeOf(const GumboElement& element, const char* name) {
    const GumboAttribute* a = gumbo_get_attribute(&element.attributes, name);
    return a != nullptr && a->value != nullptr ? std::string(a->value) : std::string();
}

// Copies the parse tree into the builder, depth first without recursion (pages can nest
// deeply). Returns the FRAME/IFRAME elements in document order.
std::vector<FrameElement> buildNodes(const GumboNode* document, DocumentBuilder& builder) {
    std::vector<FrameElement> frames;
    struct Pending {
        const GumboNode* node;
        int parent;
    };
    std::vector<Pending> stack;
    const GumboVector& top = document->v.document.children;
    for (unsigned int i = top.length; i > 0; --i)
        stack.push_back({static_cast<const GumboNode*>(top.data[i - 1]), -1});
    while (!stack.empty()) {
        Pending p = stack.back();
        stack.pop_back();
        const GumboNode* n = p.node;
        if (n == nullptr) continue;
        switch (n->type) {
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE: {
                const GumboElement& e = n->v.element;
                int index = builder.addElement(p.parent, tagNameOf(e), attributesOf(e));
                if (index < 0) break;
                if (e.tag == GUMBO_TAG_FRAME || e.tag == GUMBO_TAG_IFRAME)
                    frames.push_back({index, attributeOf(e, "src"), attributeOf(e, "name")});
                for (unsigned int i = e.children.length; i > 0; --i)
                    stack.push_back({static_cast<const GumboNode*>(e.children.data[i - 1]), index});
                break;
            }
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA: {
                std::string text = withoutFlushMarkers(n->v.text.text ? n->v.text.text : "");
                if (!text.empty()) builder.addText(p.parent, text);
                break;
            }
            case GUMBO_NODE_COMMENT: {
                std::string_view data = n->v.text.text ? n->v.text.text : "";
                if (data != kFlushComment) builder.addComment(p.parent, withoutFlushMarkers(data));
                break;
            }
            case GUMBO_NODE_DOCUMENT:
                break;
        }
    }
    return frames;
}

std::unique_ptr<Document> load(std::string_view bytes, const LoadOptions& options, int depth) {
    DocumentBuilder builder(options.url);
    builder.setWindowName(options.windowName);
    std::string charset = detectCharset(bytes);
    std::optional<std::string> utf8 = decodeToUtf8(bytes, charset);
    if (!utf8) {
        charset = "UTF-8";
        utf8 = decodeToUtf8(bytes, charset);
    }
    builder.setCharset(charset);
    if (!utf8) return builder.finish();

    *utf8 = withFlushMarkers(*utf8);
    GumboOptions gumboOptions = kGumboDefaultOptions;
    // Parse errors are not used; recording none keeps broken pages cheap.
    gumboOptions.max_errors = 0;
    std::unique_ptr<GumboOutput, GumboOutputCloser> output(
        gumbo_parse_with_options(&gumboOptions, utf8->data(), utf8->size()));
    if (!output || output->document == nullptr) return builder.finish();
    // Roughly one element and one text node per tag of the page.
    builder.reserve(
        static_cast<int>(std::min<std::size_t>(std::count(utf8->begin(), utf8->end(), '<') * 2, 1 << 22)));
    std::vector<FrameElement> frames = buildNodes(output->document, builder);
    output.reset();

    for (const FrameElement& f : frames) {
        std::string src(trimBlanks(f.src));
        LoadOptions frameOptions;
        frameOptions.url = src.empty() ? std::string("about:blank") : resolveUrl(options.url, src);
        frameOptions.windowName = f.name;
        frameOptions.frameSource = options.frameSource;
        std::optional<std::string> content;
        if (options.frameSource && depth < kMaxFrameDepth && !src.empty())
            content = options.frameSource(frameOptions.url);
        std::unique_ptr<Document> frame;
        if (content) {
            frame = load(*content, frameOptions, depth + 1);
        } else {
            DocumentBuilder empty(frameOptions.url);
            empty.setWindowName(frameOptions.windowName);
            frame = empty.finish();
        }
        builder.addFrame(f.node, std::move(frame));
    }
    return builder.finish();
}

}  // namespace

std::string resolveUrl(std::string_view base, std::string_view reference) {
    if (base.empty()) return std::string(reference);
    // A scheme is letters, digits, "+", "-", "." before the first ":", starting with a letter.
    auto schemeLength = [](std::string_view s) -> std::size_t {
        if (s.empty() || !((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z'))) return 0;
        for (std::size_t i = 1; i < s.size(); ++i) {
            char c = s[i];
            if (c == ':') return i;
            bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '+' || c == '-' || c == '.';
            if (!ok) return 0;
        }
        return 0;
    };
    if (schemeLength(reference) > 0) return std::string(reference);
    std::size_t scheme = schemeLength(base);
    if (reference.substr(0, 2) == "//")
        return std::string(base.substr(0, scheme + 1)) + std::string(reference);
    if (!reference.empty() && reference[0] == '/') {
        std::size_t hostStart = base.substr(scheme + 1, 2) == "//" ? scheme + 3 : scheme + 1;
        std::size_t hostEnd = base.find('/', hostStart);
        return std::string(base.substr(0, hostEnd)) + std::string(reference);
    }
    std::string_view path = base.substr(0, base.find_first_of("?#"));
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return std::string(reference);
    return std::string(path.substr(0, slash + 1)) + std::string(reference);
}

std::unique_ptr<Document> loadHtml(std::string_view bytes, const LoadOptions& options) {
    try {
        return load(bytes, options, 0);
    } catch (...) {
        // Out of memory or a frame source that threw: the page reads as an empty document.
        try {
            DocumentBuilder empty(options.url);
            empty.setWindowName(options.windowName);
            return empty.finish();
        } catch (...) {
            return nullptr;
        }
    }
}

std::unique_ptr<Document> loadHtmlFile(const std::string& path, LoadOptions options) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return nullptr;
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return nullptr;
        if (options.url.empty()) options.url = "file://" + path;
        return loadHtml(bytes, options);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace orvex::page
