#include "engine/form_text.h"

#include <algorithm>
#include <cstddef>

#include "engine/text_rules.h"

namespace orvex::engine {
namespace {

constexpr TextView kCommentOpen = u"<!--";
constexpr TextView kCommentClose = u"-->";
// The "<!--" or "-->" that a cut makes by joining text can start at most this many characters
// before the join.
constexpr std::size_t kJoinCarry = 3;

// A text seen as `head` followed by `tail`, so a cut can be simulated without rebuilding the
// whole string each time.
struct JoinedView {
    TextView head;
    TextView tail;

    std::size_t size() const { return head.size() + tail.size(); }
    char16_t at(std::size_t i) const { return i < head.size() ? head[i] : tail[i - head.size()]; }

    // 0-based offset of the first `needle`; npos when absent. Needles are a few characters long.
    std::size_t find(TextView needle) const {
        const std::size_t n = size();
        if (needle.size() > n) return TextView::npos;
        // Matches that start in `head` (it is at most kJoinCarry long).
        for (std::size_t i = 0; i < head.size() && i + needle.size() <= n; ++i) {
            std::size_t k = 0;
            while (k < needle.size() && at(i + k) == needle[k]) ++k;
            if (k == needle.size()) return i;
        }
        const std::size_t p = tail.find(needle);
        return p == TextView::npos ? TextView::npos : p + head.size();
    }
};

}  // namespace

Text removeComments(TextView html) {
    // The text under work is always `out` followed by html[pos..]. `out` never holds a whole
    // "<!--" or "-->" (each cut keeps only what stands before the first "<!--", and no "-->"
    // stands before it), so the next pair can only start in the last few characters of `out`
    // or later. Each round scans forward from there, which keeps the whole loop linear.
    Text out;
    out.reserve(html.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t carry = std::min(kJoinCarry, out.size());
        const Text head = out.substr(out.size() - carry);
        out.resize(out.size() - carry);
        const JoinedView view{head, html.substr(pos)};
        const std::size_t a = view.find(kCommentOpen);
        const std::size_t b = (a == TextView::npos) ? TextView::npos : view.find(kCommentClose);
        if (a == TextView::npos || b == TextView::npos || b < a) {
            out += head;
            out.append(html.substr(pos));
            return out;
        }
        for (std::size_t i = 0; i < a; ++i) out.push_back(view.at(i));
        // The "-->" lies past `head`: `head` comes from `out`, which holds no whole "-->".
        const std::size_t cutEnd = b + kCommentClose.size();
        pos += cutEnd - head.size();
    }
}

Text prepareFormText(TextView html) {
    Text text = removeComments(html);
    std::erase_if(text, [](char16_t c) { return c == u'\n' || c == u'\r'; });
    deleteAll(text, u"&nbsp;");
    return text;
}

}  // namespace orvex::engine
