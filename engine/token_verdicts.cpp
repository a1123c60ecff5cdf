#include "engine/token_verdicts.h"

#include <functional>
#include <string_view>
#include <unordered_map>

#include "engine/dictionaries.h"
#include "engine/tag_reader.h"

namespace orvex::engine {
namespace {

// Texts remembered per table before it starts again from empty: enough for the distinct
// labels and names of a large form, small enough to stay a few megabytes.
constexpr std::size_t kMemoLimit = 8192;

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(TextView text) const { return std::hash<TextView>{}(text); }
};

// Verdicts by text, looked up without copying the text.
template <typename Verdict>
class Memo {
  public:
    template <typename Compute>
    Verdict get(TextView text, Compute compute) {
        if (const auto it = m_known.find(text); it != m_known.end()) return it->second;
        if (m_known.size() >= kMemoLimit) m_known.clear();
        const Verdict verdict = compute(text);
        m_known.emplace(Text(text), verdict);
        return verdict;
    }

  private:
    std::unordered_map<Text, Verdict, TextHash, std::equal_to<>> m_known;
};

TokenVerdict scoreText(TextView token) {
    TokenVerdict verdict;
    ScoringText t{Text(token)};
    for (int d = kFirstKind; d <= kLastKind; ++d) {
        const int f = ScoreKeyword(d, t);
        verdict.score[static_cast<std::size_t>(d)] = f;
        // The anti-keyword dictionary runs (and changes t) only after a keyword hit.
        if (f > 0 && ScoreAntiKeyword(d, t) != 0) verdict.ruledOut |= std::uint32_t{1} << d;
    }
    return verdict;
}

TokenVerdict scoreTag(TextView token) {
    // The name dictionary only normalises the name once, so every kind can be scored, in any
    // order; a caller that skips kinds for choice inputs just leaves their scores unread.
    TokenVerdict verdict;
    verdict.choice = IsChoiceTag(token);
    ScoringText n{GetAttribute(token, u"orgnm")};
    for (int i = kFirstKind; i <= kLastKind; ++i)
        verdict.score[static_cast<std::size_t>(i)] = ScoreName(i, n);
    return verdict;
}

KindScores scoreAnti(TextView allText) {
    KindScores scores{};
    ScoringText w{Text(allText)};
    for (int k = kFirstKind; k <= kLastKind; ++k)
        scores[static_cast<std::size_t>(k)] = ScoreAntiKeyword(k, w);
    return scores;
}

}  // namespace

struct VerdictMemo::Tables {
    Memo<TokenVerdict> texts;
    Memo<TokenVerdict> tags;
    Memo<KindScores> blocks;
};

namespace {

// The tables of this thread's innermost living VerdictMemo; null when there is none.
thread_local VerdictMemo::Tables* currentTables = nullptr;

}  // namespace

VerdictMemo::VerdictMemo() : m_tables(std::make_unique<Tables>()), m_outer(currentTables) {
    currentTables = m_tables.get();
}

VerdictMemo::~VerdictMemo() {
    currentTables = m_outer;
}

TokenVerdict textVerdictOf(TextView token) {
    return currentTables != nullptr ? currentTables->texts.get(token, scoreText) : scoreText(token);
}

TokenVerdict tagVerdictOf(TextView token) {
    return currentTables != nullptr ? currentTables->tags.get(token, scoreTag) : scoreTag(token);
}

TokenVerdict verdictOf(TextView token) {
    return isTagToken(token) ? tagVerdictOf(token) : textVerdictOf(token);
}

KindScores antiScoresOf(TextView allText) {
    return currentTables != nullptr ? currentTables->blocks.get(allText, scoreAnti) : scoreAnti(allText);
}

}  // namespace orvex::engine
