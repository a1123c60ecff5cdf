#pragma once
// Loads saved HTML pages into the page model: decodes the charset, parses with the HTML5
// parser and builds the document, with the documents of its frames where their content is
// available.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "page/document.h"

namespace orvex::page {

/// Supplies the bytes of a frame's page by its resolved address; nullopt when not available.
using FrameSource = std::function<std::optional<std::string>(const std::string& url)>;

/// How deep frames inside frames are followed; a page that frames itself stops here.
inline constexpr int kMaxFrameDepth = 8;

struct LoadOptions {
    /// The page's address; frame addresses are resolved against it.
    std::string url;
    /// The window name of the top document.
    std::string windowName;
    /// Content of FRAME/IFRAME pages; without it (or when it has nothing) a frame shows an
    /// empty document.
    FrameSource frameSource;
};

/// The document of a page given as raw bytes in any charset (see detectCharset). Every FRAME
/// and IFRAME element gets a child document named after its `name` attribute: the page the
/// frame source gives for its resolved `src`, else an empty document with that address.
/// Every element is rendered. Never fails: unreadable input gives a document with fewer (or
/// no) elements.
std::unique_ptr<Document> loadHtml(std::string_view bytes, const LoadOptions& options = {});

/// The document of the page in file `path` (address "file://" + the path unless options give
/// one); nullptr when the file cannot be read.
std::unique_ptr<Document> loadHtmlFile(const std::string& path, LoadOptions options = {});

/// `reference` resolved against the page address `base`: an address with a scheme stays, one
/// starting with "//" takes the scheme of base, "/" the scheme and host of base, anything else
/// is placed after the last "/" of base (query and fragment of base dropped). An empty base
/// leaves the reference unchanged.
std::string resolveUrl(std::string_view base, std::string_view reference);

}  // namespace orvex::page
