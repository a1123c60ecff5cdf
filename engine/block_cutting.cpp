// Cutting and adjusting single blocks: the block side of block building.

#include "engine/dictionaries.h"
#include "engine/html_item_block.h"
#include "engine/tag_reader.h"

namespace orvex::engine {
namespace {

// Label given to an address input that shares a line with a prefecture list.
constexpr TextView kAddressLabel = u"住所";
constexpr TextView kSpecialPref = u"pref";
constexpr TextView kRadio = u"radio";

// Where to cut before the tag at position i: just after the last soft line end when it lies
// after the first tag (the label before the second input goes with it), else at the tag.
int cutBefore(int i, int lastCr, int firstTag) {
    return lastCr > firstTag ? lastCr + 1 : i;
}

bool isSoftLineEndText(TextView token) {
    return isTextToken(token) && token.find(kCrToken) != TextView::npos;
}

}  // namespace

clsHTMLItemBlock clsHTMLItemBlock::moveTail(int p) {
    clsHTMLItemBlock tail;
    if (p < 1) p = 1;
    const std::size_t from = static_cast<std::size_t>(p - 1);
    if (from >= colToken.size()) return tail;
    for (std::size_t i = from; i < colToken.size(); ++i) tail.AddToken(colToken[i]);
    colToken.resize(from);
    return tail;
}

int clsHTMLItemBlock::GetDifferentRadio() const {
    int lastCr = 0;
    int firstTag = 0;
    Text type0, name0;
    for (std::size_t k = 0; k < colToken.size(); ++k) {
        const int i = static_cast<int>(k) + 1;
        const Text& token = colToken[k];
        if (!isTagToken(token)) {
            if (isSoftLineEndText(token)) lastCr = i;
            continue;
        }
        if (firstTag == 0) {
            firstTag = i;
            type0 = GetAttribute(token, u"type");
            name0 = GetAttribute(token, u"name");
            if (type0 != kRadio) return 0;  // only a line that starts with a radio group is cut here
            continue;
        }
        if (GetAttribute(token, u"type") == kRadio && GetAttribute(token, u"name") != name0)
            return cutBefore(i, lastCr, firstTag);
    }
    return 0;
}

int clsHTMLItemBlock::GetDifferentTypeTag() {
    int lastCr = 0;
    int firstTag = 0;
    Text e0, t0, s0;
    for (std::size_t k = 0; k < colToken.size(); ++k) {
        const int i = static_cast<int>(k) + 1;
        if (!isTagToken(colToken[k])) {
            if (isSoftLineEndText(colToken[k])) lastCr = i;
            continue;
        }
        const Text e = GetAttribute(colToken[k], u"");
        const Text t = GetAttribute(colToken[k], u"type");
        const Text s = GetAttribute(colToken[k], u"special");
        if (firstTag == 0) {
            firstTag = i;
            e0 = e;
            t0 = t;
            s0 = s;
            continue;
        }
        if (!(t == t0 && (e == e0 || !s.empty() || !s0.empty()))) return cutBefore(i, lastCr, firstTag);
        if (s0 == kSpecialPref && s.empty() && e != e0) {
            colToken.insert(colToken.begin() + static_cast<std::ptrdiff_t>(k), Text(kAddressLabel));
            return cutBefore(i, lastCr, firstTag);
        }
    }
    return 0;
}

std::optional<clsHTMLItemBlock> clsHTMLItemBlock::Divide() {
    if (!HasTag) return std::nullopt;
    int p = GetDifferentRadio();
    if (p == 0) p = GetDifferentTypeTag();
    if (p == 0) return std::nullopt;
    // The flags of the remaining block are left as they were.
    return moveTail(p);
}

std::optional<clsHTMLItemBlock> clsHTMLItemBlock::Divide20() {
    if (!IsMultiple()) return std::nullopt;
    const int count = static_cast<int>(colToken.size());
    int t1 = 0;
    for (int i = 1; i <= count; ++i) {
        if (isTagToken(colToken[i - 1])) {
            t1 = i;
            break;
        }
    }
    if (t1 == 0 || t1 >= count) return std::nullopt;  // no tag before the last token
    const int k1 = KindOfTag(colToken[t1 - 1]);

    int t2 = 0;
    for (int i = t1 + 1; i <= count; ++i) {
        if (!isTagToken(colToken[i - 1])) continue;
        const int k = KindOfTag(colToken[i - 1]);
        if (k != k1 && k != -1) {
            t2 = i;
            break;
        }
    }
    if (t2 == 0) return std::nullopt;

    int c = t2;
    for (int i = t1 + 1; i < t2; ++i) {
        const int k = KindOfToken(colToken[i - 1]);
        if (k != -1 && k != k1) {
            c = i;  // the second field's label goes with it
            break;
        }
    }
    clsHTMLItemBlock tail = moveTail(c);
    Check();
    tail.Check();
    return tail;
}

void clsHTMLItemBlock::Adjust(clsHTMLItemBlock& nextBlock) {
    if (&nextBlock == this) return;
    if (AbsoluteSeparater || nextBlock.AbsoluteSeparater) return;
    // A block without tokens has no last or first token: the adjustment ends there.
    if (colToken.empty() || nextBlock.colToken.empty()) return;
    if (isTagToken(colToken.back()) || isTextToken(nextBlock.colToken.front())) return;

    // Working copies passed on from kind to kind; the name dictionary sees the whole tag text.
    Text x = colToken.back();
    Text y = nextBlock.colToken.front();
    for (int i = kFirstKind; i <= kLastKind; ++i) {
        const bool label = ScoreKeyword(i, x) > 0;
        const bool name = ScoreName(i, y) > 0;
        if (label && name) {
            // The label moves as the scoring left it; scores, flags and kind lists stay.
            colToken.pop_back();
            nextBlock.colToken.insert(nextBlock.colToken.begin(), std::move(x));
            return;
        }
    }
}

std::optional<clsHTMLItemBlock> clsHTMLItemBlock::Adjust2() {
    bool anyKeyword = false;
    for (int k = kFirstKind; k <= kLastKind; ++k)
        if (KeywordScore[k] >= 1) anyKeyword = true;
    if (!anyKeyword) return std::nullopt;

    HasText = false;
    HasTag = false;
    // `ref` is none until the first text token; an empty kind list is still a list, so after an
    // unmatched first label any later label with kinds cuts the block.
    std::optional<KindList> ref;
    int cut = 0;
    for (std::size_t k = 0; k < colToken.size(); ++k) {
        const Text& token = colToken[k];
        if (isTagToken(token)) {
            HasTag = true;
            continue;
        }
        // After Adjust moved a label, tokens and kind lists may no longer pair up; a token
        // without a kind list is skipped and the walk goes on.
        if (k >= colDecidedTypes.size()) continue;
        const KindList& list = colDecidedTypes[k];
        if (!ref) {
            ref = list;  // the first label does not set HasText
        } else if (list.empty()) {
            HasText = true;
        } else if (!KindListsMatch(ref, list)) {
            cut = static_cast<int>(k) + 1;
            break;
        } else {
            ref = list;
            HasText = true;
        }
    }
    if (cut == 0) return std::nullopt;
    clsHTMLItemBlock tail = moveTail(cut);
    Check();
    tail.Check();
    return tail;
}

bool clsHTMLItemBlock::KindListsMatch(const std::optional<KindList>& list1, const KindList& list2) {
    if (!list1 || list1->empty() || list2.empty()) return false;
    for (int a : *list1)
        for (int b : list2)
            if (SameKind(a, b)) return true;
    return false;
}

bool clsHTMLItemBlock::SameKind(int a, int b) {
    if (a == b) return true;
    return a >= kPref && a <= kApart && b >= kPref && b <= kApart;
}

}  // namespace orvex::engine
