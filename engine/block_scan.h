#pragma once
// Cut positions of a line of tokens, shared by a block's own Divide and by the block-building
// pass that cuts whole lines at once. Works on any random-access list of tokens.

#include <iterator>
#include <optional>

#include "engine/field_kind.h"
#include "engine/html_item_block.h"

#include "engine/tag_reader.h"
#include "engine/token.h"

namespace orvex::engine::scan {

/// Label given to an address input that shares a line with a prefecture list.
inline constexpr TextView kAddressLabel = u"住所";

/// Remembers that after some point of a line no radio button has a name other than `name`, so
/// a later radio group of that name need not look to the end of the line again.
struct RadioMemo {
    bool valid = false;
    Text name;
};

/// Where to cut before the tag at position i: just after the last soft line end when it lies
/// after the first tag (the label before the second input goes with it), else at the tag.
inline int cutBefore(int i, int lastCr, int firstTag) {
    return lastCr > firstTag ? lastCr + 1 : i;
}

inline bool isSoftLineEndText(TextView token) {
    return isTextToken(token) && token.find(kCrToken) != TextView::npos;
}

/// 1-based cut position before a second radio group of a line that starts with a radio group;
/// 0 when there is none.
template <typename Tokens>
int differentRadioCut(const Tokens& tokens, RadioMemo* memo = nullptr) {
    int lastCr = 0;
    int firstTag = 0;
    Text name0;
    const int count = static_cast<int>(std::size(tokens));
    for (int i = 1; i <= count; ++i) {
        const Text& token = tokens[static_cast<std::size_t>(i - 1)];
        if (!isTagToken(token)) {
            if (isSoftLineEndText(token)) lastCr = i;
            continue;
        }
        if (firstTag == 0) {
            if (GetAttribute(token, u"type") != u"radio") return 0;
            firstTag = i;
            name0 = GetAttribute(token, u"name");
            if (memo && memo->valid && memo->name == name0) return 0;
            continue;
        }
        if (GetAttribute(token, u"type") == u"radio" && GetAttribute(token, u"name") != name0)
            return cutBefore(i, lastCr, firstTag);
    }
    if (memo && firstTag != 0) *memo = RadioMemo{true, name0};
    return 0;
}

/// 1-based cut position before the first input of another sort than the line's first input;
/// 0 when there is none. Inserts the label "住所" before an address input that follows a
/// prefecture list (the cut then falls on or before that label).
template <typename Tokens>
int differentTypeCut(Tokens& tokens) {
    int lastCr = 0;
    int firstTag = 0;
    Text e0, t0, s0;
    const int count = static_cast<int>(std::size(tokens));
    for (int i = 1; i <= count; ++i) {
        const Text& token = tokens[static_cast<std::size_t>(i - 1)];
        if (!isTagToken(token)) {
            if (isSoftLineEndText(token)) lastCr = i;
            continue;
        }
        Text e = GetAttribute(token, u"");
        Text t = GetAttribute(token, u"type");
        Text s = GetAttribute(token, u"special");
        if (firstTag == 0) {
            firstTag = i;
            e0 = std::move(e);
            t0 = std::move(t);
            s0 = std::move(s);
            continue;
        }
        if (!(t == t0 && (e == e0 || !s.empty() || !s0.empty()))) return cutBefore(i, lastCr, firstTag);
        if (s0 == u"pref" && s.empty() && e != e0) {
            tokens.insert(std::begin(tokens) + (i - 1), Text(kAddressLabel));
            return cutBefore(i, lastCr, firstTag);
        }
    }
    return 0;
}

/// The label walk of Adjust2 over tokens [begin, end): returns the 1-based position (counted
/// from `begin`) of the first label whose kinds do not match the labels before it, 0 when
/// there is none; sets `hasText` and `hasTag` as the walk goes. `listAt(k)` gives the kind list
/// of token k, or nullptr when there is none (that token is then skipped).
template <typename Tokens, typename ListAt>
int labelCut(const Tokens& tokens, std::size_t begin, std::size_t end, ListAt listAt, bool& hasText,
             bool& hasTag) {
    hasText = false;
    hasTag = false;
    // `ref` is none until the first text token; an empty kind list is still a list, so after a
    // first label without kinds any later label with kinds cuts the block.
    std::optional<KindList> ref;
    for (std::size_t k = begin; k < end; ++k) {
        if (isTagToken(tokens[k])) {
            hasTag = true;
            continue;
        }
        const KindList* list = listAt(k);
        if (!list) continue;
        if (!ref) {
            ref = *list;  // the first label does not set HasText
        } else if (list->empty()) {
            hasText = true;
        } else if (!clsHTMLItemBlock::KindListsMatch(ref, *list)) {
            return static_cast<int>(k - begin) + 1;
        } else {
            ref = *list;
            hasText = true;
        }
    }
    return 0;
}

}  // namespace orvex::engine::scan
