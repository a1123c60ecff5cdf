#include "engine/line_passes.h"

#include <array>
#include <deque>
#include <iterator>

#include "engine/block_scan.h"
#include "engine/text_rules.h"
#include "engine/token_scores.h"

namespace orvex::engine {
namespace {

// A piece split off a line gets its tokens through AddToken: text loses its blanks.
Text asStored(Text&& token) {
    return isTextToken(token) ? RemoveSpaces(token) : std::move(token);
}

// Counts of tag and text tokens in the part of a line not yet cut off; a piece's HasTag and
// HasText are those of the whole rest of the line at the moment it is split off.
struct TokenCounts {
    std::size_t tags = 0;
    std::size_t texts = 0;

    void add(TextView token, int delta) {
        std::size_t& n = isTagToken(token) ? tags : texts;
        n = static_cast<std::size_t>(static_cast<long long>(n) + delta);
    }
};

// Where each piece of a line starts and the flags it gets.
struct Piece {
    std::size_t start = 0;
    bool hasText = false;
    bool hasTag = false;
};

// Builds the final blocks of a line cut at `pieces` (the first piece is `block` itself, which
// keeps its own flags) and scores every block that was cut or split off.
void emitPieces(clsHTMLItemBlock& block, const std::vector<Piece>& pieces,
                std::vector<clsHTMLItemBlock>& out) {
    std::vector<Text> all = std::move(block.colToken);
    const std::size_t firstEnd = pieces.size() > 1 ? pieces[1].start : all.size();
    block.colToken.assign(std::make_move_iterator(all.begin()),
                          std::make_move_iterator(all.begin() + static_cast<std::ptrdiff_t>(firstEnd)));
    block.Check();
    out.push_back(std::move(block));
    for (std::size_t j = 1; j < pieces.size(); ++j) {
        const std::size_t end = j + 1 < pieces.size() ? pieces[j + 1].start : all.size();
        clsHTMLItemBlock piece;
        piece.HasText = pieces[j].hasText;
        piece.HasTag = pieces[j].hasTag;
        piece.colToken.reserve(end - pieces[j].start);
        for (std::size_t k = pieces[j].start; k < end; ++k)
            piece.colToken.push_back(asStored(std::move(all[k])));
        piece.Check();
        out.push_back(std::move(piece));
    }
}

}  // namespace

void divideEveryInput(clsHTMLItemBlock block, std::vector<clsHTMLItemBlock>& out) {
    if (!block.HasTag) {
        out.push_back(std::move(block));
        return;
    }
    // The rest of the line is a deque: cut-off tokens leave at the front, and the label
    // "住所" is inserted close to the front, both without moving the whole rest.
    std::deque<Text> rest(std::make_move_iterator(block.colToken.begin()),
                          std::make_move_iterator(block.colToken.end()));
    block.colToken.clear();
    TokenCounts counts;
    for (const Text& token : rest) counts.add(token, +1);

    scan::RadioMemo memo;
    clsHTMLItemBlock current = std::move(block);
    bool first = true;
    for (;;) {
        int p = 0;
        if (current.HasTag) {
            p = scan::differentRadioCut(rest, &memo);
            if (p == 0) {
                const std::size_t before = rest.size();
                p = scan::differentTypeCut(rest);
                if (rest.size() > before) counts.add(scan::kAddressLabel, +1);
            }
        }
        if (p == 0) break;
        for (int i = 1; i < p; ++i) {
            counts.add(rest.front(), -1);
            current.colToken.push_back(first ? std::move(rest.front()) : asStored(std::move(rest.front())));
            rest.pop_front();
        }
        out.push_back(std::move(current));
        current = clsHTMLItemBlock();
        current.HasTag = counts.tags > 0;
        current.HasText = counts.texts > 0;
        first = false;
    }
    for (Text& token : rest)
        current.colToken.push_back(first ? std::move(token) : asStored(std::move(token)));
    out.push_back(std::move(current));
}

void divideEveryField(clsHTMLItemBlock block, std::vector<clsHTMLItemBlock>& out) {
    if (!block.IsMultiple()) {
        out.push_back(std::move(block));
        return;
    }
    const std::vector<Text>& tokens = block.colToken;
    const std::size_t n = tokens.size();
    std::vector<TokenScore> scores;
    scores.reserve(n);
    for (const Text& token : tokens) scores.push_back(scoreToken(token));

    // Per kind, how many tokens of the rest of the line give a name or a keyword hit.
    std::array<int, kKindCount + 1> nameCount{}, keywordCount{};
    TokenCounts counts;
    auto account = [&](std::size_t k, int delta) {
        counts.add(tokens[k], delta);
        for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
            if (scores[k].nameHits & kindBit(kind)) nameCount[static_cast<std::size_t>(kind)] += delta;
            if (scores[k].keywordHits & kindBit(kind)) keywordCount[static_cast<std::size_t>(kind)] += delta;
        }
    };
    for (std::size_t k = 0; k < n; ++k) account(k, +1);
    auto restIsMultiple = [&] {
        int kinds = 0;
        for (std::size_t kind = kFirstKind; kind <= kLastKind; ++kind)
            if (nameCount[kind] > 0 && keywordCount[kind] > 0) ++kinds;
        return kinds > 1;
    };

    std::vector<Piece> pieces{Piece{0, block.HasText, block.HasTag}};
    std::size_t s = 0;
    for (bool first = true;; first = false) {
        if (!first && !restIsMultiple()) break;
        std::size_t t1 = s;
        while (t1 < n && !isTagToken(tokens[t1])) ++t1;
        if (t1 + 1 >= n) break;  // no tag before the last token
        const int k1 = scores[t1].kind;
        std::size_t t2 = t1 + 1;
        while (t2 < n && !(isTagToken(tokens[t2]) && scores[t2].kind != k1 && scores[t2].kind != -1)) ++t2;
        if (t2 >= n) break;
        std::size_t c = t2;
        for (std::size_t i = t1 + 1; i < t2; ++i) {
            if (scores[i].kind != -1 && scores[i].kind != k1) {
                c = i;  // the second field's label goes with it
                break;
            }
        }
        for (std::size_t k = s; k < c; ++k) account(k, -1);
        s = c;
        pieces.push_back(Piece{s, counts.texts > 0, counts.tags > 0});
    }
    if (pieces.size() == 1) {
        out.push_back(std::move(block));
        return;
    }
    emitPieces(block, pieces, out);
}

void divideEveryLabel(clsHTMLItemBlock block, std::vector<clsHTMLItemBlock>& out) {
    if (!block.hasKeyword()) {
        out.push_back(std::move(block));
        return;
    }
    // The block itself is walked with its own kind lists (which Adjust may have shifted).
    const int firstCut = block.labelCutPosition();
    if (firstCut == 0) {
        out.push_back(std::move(block));
        return;
    }
    const std::vector<Text>& tokens = block.colToken;
    const std::size_t n = tokens.size();
    const std::size_t from = static_cast<std::size_t>(firstCut - 1);

    // The pieces after the first cut are scored afresh, so their kind lists pair up with tokens.
    std::vector<TokenScore> scores;
    scores.reserve(n - from);
    TokenCounts counts;
    std::size_t keywordTokens = 0;
    for (std::size_t k = from; k < n; ++k) {
        scores.push_back(scoreToken(tokens[k]));
        counts.add(tokens[k], +1);
        if (scores.back().keywordHits != 0) ++keywordTokens;
    }
    auto listAt = [&](std::size_t k) { return &scores[k - from].kinds; };

    std::vector<Piece> pieces{Piece{0, block.HasText, block.HasTag}};
    std::size_t s = from;
    for (;;) {
        Piece piece{s, counts.texts > 0, counts.tags > 0};
        if (keywordTokens == 0) {
            pieces.push_back(piece);  // no label kind at all: the piece is left as split off
            break;
        }
        const int cut = scan::labelCut(tokens, s, n, listAt, piece.hasText, piece.hasTag);
        pieces.push_back(piece);
        if (cut == 0) break;
        const std::size_t next = s + static_cast<std::size_t>(cut - 1);
        for (std::size_t k = s; k < next; ++k) {
            counts.add(tokens[k], -1);
            if (scores[k - from].keywordHits != 0) --keywordTokens;
        }
        s = next;
    }
    emitPieces(block, pieces, out);
}

}  // namespace orvex::engine
