#pragma once
// The scripts the program runs in its isolated world of a frame: the reader (extractor that reads
// the document as a flat node list, replay of recorded writes), the calls of it, and two small
// element writes.

#include <string>
#include <vector>

#include "page/write_log.h"

namespace orvex::browser {

/// The value a guarded call gives when the world it runs in has no reader yet.
inline constexpr const char* kNoReader = "orvex:no-reader";

/// The script that defines the program's reader in the world it runs in (installed in the isolated
/// world of every document ahead of time); running it again replaces the reader. It defines
/// extract(), replay(writes) and atLoad(), called by the expressions below.
const std::string& readerScript();

/// The expression that reads the document. Its value is a JSON text of an object: url, title,
/// name (window name), charset, indexInParent (position of the frame among its parent window's
/// frames, -1 for a top window), framesLength (window.frames.length) and nodes, the document's
/// nodes in document order; each node is [1, parent, tag, [name, value, ...], state] for an
/// element (state optional: v value, c checked, s selected, h 1 when not rendered, f the frame's
/// position in window.frames), [3, parent, text] for text and [8, parent, text] for a comment;
/// parent indexes the list (-1 at the top).
const std::string& extractCall();

/// The expression made in every new document ahead of its load: its promise gives the document's
/// extract (as extractCall) right after the load, or null when the world has no reader.
const std::string& loadCall();

/// The expression that replays `writes`: each write is checked against the element at its source
/// index (tag and name) and applied through the element prototypes' setters between focus and
/// input, change and blur events; a scroll write is done as the page's next task. Its value is
/// {written, skipped: [write positions], refused: [write positions]}; text fields that are not
/// rendered are refused.
std::string replayCall(const std::vector<page::WriteRecord>& writes);

/// `call` when the world has a reader, else the text kNoReader.
std::string guardedCall(const std::string& call);

/// The reader script followed by `call`: the expression for a world without a reader.
std::string withReader(const std::string& call);

/// An expression that sets innerText of the element at `sourceIndex` when its tag and id still
/// match; its value is true when it did.
std::string setTextScript(int sourceIndex, const std::string& tagName, const std::string& id,
                          const std::string& text);

/// An expression that sets attribute `attribute` of the element at `sourceIndex` when its tag
/// still matches; its value is true when it did.
std::string setAttributeScript(int sourceIndex, const std::string& tagName, const std::string& attribute,
                               const std::string& value);

}  // namespace orvex::browser
