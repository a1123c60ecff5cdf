// Scoring of a block against the three dictionaries.

#include <algorithm>
#include <limits>

#include "engine/dictionaries.h"
#include "engine/html_item_block.h"
#include "engine/tag_reader.h"
#include "engine/token_scores.h"
#include "engine/token_verdicts.h"

namespace orvex::engine {
namespace {

constexpr int kScoreMax = std::numeric_limits<std::int16_t>::max();

// Scores are 16-bit. A name score adds word positions, which a very long page name could push
// past the range; it saturates instead, which keeps every comparison with 0 and 1 right.
std::int16_t saturate(long long value) {
    return static_cast<std::int16_t>(std::clamp<long long>(value, 0, kScoreMax));
}

}  // namespace

void clsHTMLItemBlock::Check() {
    KeywordScore.fill(0);
    NameScore.fill(0);
    // The kind lists are refilled in place, reusing what the last check allocated.
    colDecidedTypes.resize(colToken.size());

    for (std::size_t t = 0; t < colToken.size(); ++t) {
        const Text& token = colToken[t];
        KindList& kinds = colDecidedTypes[t];
        kinds.clear();
        const TokenVerdict verdict = verdictOf(token);
        if (isTextToken(token)) {
            for (int d = kFirstKind; d <= kLastKind; ++d) {
                const int f = verdict.score[static_cast<std::size_t>(d)];
                if (isBirthKind(d)) {
                    for (int b = kBirthDate; b <= kBirthDay; ++b)
                        KeywordScore[b] = std::max<std::int16_t>(KeywordScore[b], saturate(f));
                } else {
                    KeywordScore[d] = std::max<std::int16_t>(KeywordScore[d], saturate(f));
                }
                if (f > 0 && (verdict.ruledOut & kindBit(d)) == 0) kinds.push_back(d);
            }
        } else {
            for (int i = kFirstKind; i <= kLastKind; ++i) {
                if (verdict.choice && !ChoiceKinds[i]) continue;
                const int f = verdict.score[static_cast<std::size_t>(i)];
                if (isBirthKind(i)) {
                    for (int b = kBirthDate; b <= kBirthDay; ++b)
                        NameScore[b] = saturate(static_cast<long long>(NameScore[b]) + f);
                } else {
                    NameScore[i] = saturate(static_cast<long long>(NameScore[i]) + f);
                }
                if (f > 0) kinds.push_back(i);
            }
        }
    }

    const KindScores anti = antiScoresOf(GetAllText());
    for (int k = kFirstKind; k <= kLastKind; ++k) AntiScore[k] = saturate(anti[static_cast<std::size_t>(k)]);

    for (int k = kFirstKind; k <= kLastKind; ++k) {
        const bool agree = AntiScore[k] == 0 && KeywordScore[k] >= 1 && NameScore[k] >= 1;
        AndScore[k] = agree ? KeywordScore[k] : 0;
    }
}

TokenScore scoreToken(TextView token) {
    // The same loops as Check, recording which kinds score above 0 instead of the scores.
    TokenScore score;
    const TokenVerdict verdict = verdictOf(token);
    if (isTextToken(token)) {
        for (int d = kFirstKind; d <= kLastKind; ++d) {
            if (verdict.score[static_cast<std::size_t>(d)] <= 0) continue;
            if (score.kind == -1) score.kind = d;
            if (isBirthKind(d)) {
                for (int b = kBirthDate; b <= kBirthDay; ++b) score.keywordHits |= kindBit(b);
            } else {
                score.keywordHits |= kindBit(d);
            }
            if ((verdict.ruledOut & kindBit(d)) == 0) score.kinds.push_back(d);
        }
        return score;
    }
    for (int i = kFirstKind; i <= kLastKind; ++i) {
        if (verdict.score[static_cast<std::size_t>(i)] <= 0) continue;
        // KindOfTag tries every kind, choice inputs included.
        if (score.kind == -1) score.kind = i;
        if (verdict.choice && !ChoiceKinds[i]) continue;
        if (isBirthKind(i)) {
            for (int b = kBirthDate; b <= kBirthDay; ++b) score.nameHits |= kindBit(b);
        } else {
            score.nameHits |= kindBit(i);
        }
        score.kinds.push_back(i);
    }
    return score;
}

int clsHTMLItemBlock::GetCheckName(int kind) const {
    if (!isKind(kind) || AntiScore[kind] != 0) return 0;
    return NameScore[kind];
}

int clsHTMLItemBlock::GetCheckKeyword(int kind) const {
    if (!isKind(kind) || AntiScore[kind] != 0) return 0;
    return KeywordScore[kind];
}

int clsHTMLItemBlock::GetCheckAnd(int kind) const {
    return isKind(kind) ? AndScore[kind] : 0;
}

void clsHTMLItemBlock::SetCheckName(int kind) {
    if (isKind(kind)) NameScore[kind] = 1;
}

void clsHTMLItemBlock::SetCheckKeyword(int kind) {
    if (isKind(kind)) KeywordScore[kind] = 1;
}

int clsHTMLItemBlock::KindOfToken(TextView token) {
    return isTagToken(token) ? KindOfTag(token) : KindOfText(token);
}

int clsHTMLItemBlock::KindOfTag(TextView tag) {
    // Every kind is tried here, choice inputs included.
    const TokenVerdict verdict = tagVerdictOf(tag);
    for (int i = kFirstKind; i <= kLastKind; ++i)
        if (verdict.score[static_cast<std::size_t>(i)] > 0) return i;
    return -1;
}

int clsHTMLItemBlock::KindOfText(TextView text) {
    // The first kind hit by one working text passed on from kind to kind, as in Check.
    const TokenVerdict verdict = textVerdictOf(text);
    for (int d = kFirstKind; d <= kLastKind; ++d)
        if (verdict.score[static_cast<std::size_t>(d)] > 0) return d;
    return -1;
}

bool clsHTMLItemBlock::IsMultiple() const {
    int count = 0;
    for (int k = kFirstKind; k <= kLastKind; ++k)
        if (NameScore[k] > 0 && KeywordScore[k] > 0) ++count;
    return count > 1;
}

}  // namespace orvex::engine
