#include "engine/token_verdicts.h"

#include <gtest/gtest.h>

#include "engine/dictionaries.h"
#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::t16;

void expectSameVerdict(const TokenVerdict& a, const TokenVerdict& b, std::string_view what) {
    EXPECT_EQ(a.score, b.score) << what;
    EXPECT_EQ(a.ruledOut, b.ruledOut) << what;
    EXPECT_EQ(a.choice, b.choice) << what;
}

// Tests that remembered verdicts equal fresh ones, for texts, tags and block texts asked for
// again and again, also after a text that differs only by case and inside nested memos.
TEST(VerdictMemoTest, RememberedVerdictsEqualFreshOnes) {
    const char* tokens[] = {"お名前（半角カタカナ）",
                            "<INPUT type=text orgnm=NAME name=kvnt1>",
                            "ＴＥＬ",
                            "tel",
                            "<SELECT orgnm=pref name=kvnt2>",
                            "<INPUT type=radio orgnm=sex name=sex>",
                            "クイズの答え",
                            "<INPUT type=text orgnm=\"e mail\" name=kvnt3>",
                            ""};
    std::vector<TokenVerdict> fresh;
    std::vector<KindScores> freshAnti;
    for (const char* token : tokens) {
        fresh.push_back(verdictOf(t16(token)));
        freshAnti.push_back(antiScoresOf(t16(token)));
    }
    const VerdictMemo outer;
    for (int round = 0; round < 3; ++round) {
        const VerdictMemo inner;
        for (std::size_t i = 0; i < std::size(tokens); ++i) {
            expectSameVerdict(verdictOf(t16(tokens[i])), fresh[i], tokens[i]);
            EXPECT_EQ(antiScoresOf(t16(tokens[i])), freshAnti[i]) << tokens[i];
        }
    }
    for (std::size_t i = 0; i < std::size(tokens); ++i)
        expectSameVerdict(verdictOf(t16(tokens[i])), fresh[i], tokens[i]);
}

// Tests that a verdict is what the dictionaries say: keyword scores with the anti-keyword rule
// for text, name scores and the choice flag for tags, and a text read as a tag by its caller.
TEST(VerdictMemoTest, VerdictsFollowTheDictionaries) {
    const TokenVerdict label = textVerdictOf(t16("クイズの答え（電話番号）"));
    EXPECT_GT(label.score[kTel], 0);
    EXPECT_NE(label.ruledOut & (1u << kTel), 0u);  // a quiz answer rules every kind out
    const TokenVerdict phone = textVerdictOf(t16("電話番号"));
    EXPECT_GT(phone.score[kTel], 0);
    EXPECT_EQ(phone.ruledOut, 0u);

    const TokenVerdict radio = tagVerdictOf(t16("<INPUT type=radio orgnm=sex name=sex>"));
    EXPECT_TRUE(radio.choice);
    EXPECT_GT(radio.score[kSex], 0);
    const TokenVerdict text = tagVerdictOf(t16("<INPUT type=text orgnm=sex name=kvnt1>"));
    EXPECT_FALSE(text.choice);
    // The same characters read as a tag and as text give different verdicts.
    EXPECT_EQ(tagVerdictOf(t16("電話番号")).score[kTel], 0);
}

}  // namespace
}  // namespace orvex::engine
