#include "engine/line_passes.h"

#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

// Tokens a random line is made of: inputs of every sort and labels of several kinds.
const std::vector<std::string> kPieces = {
    "<INPUT type=radio name=a>",
    "<INPUT type=radio name=b>",
    "<INPUT type=text orgnm=zip name=kvnt1>",
    "<INPUT orgnm=tel name=kvnt2>",
    "<INPUT orgnm=address name=kvnt3>",
    "<SELECT orgnm=pref name=kvnt4 special=pref>",
    "<SELECT orgnm=birth_y name=kvnt5>",
    "<INPUT type=checkbox name=c>",
    "<TEXTAREA orgnm=job name=kvnt6>",
    "<INPUT type=text orgnm=mail name=kvnt7>",
    "郵便番号",
    "電話",
    "$CR$",
    "x$CR$",
    "住所",
    "メールアドレス",
    "性別",
    "氏名$CR$",
    "備考",
    "生年月日",
    "市区町村",
};

clsHTMLItemBlock randomLine(std::mt19937& random) {
    clsHTMLItemBlock block;
    const int length = static_cast<int>(random() % 14);
    for (int i = 0; i < length; ++i) block.AddToken(t16(kPieces[random() % kPieces.size()]));
    return block;
}

// The plain form of a pass: cut the block, then the piece split off, and so on.
std::vector<clsHTMLItemBlock> cutRepeatedly(
    clsHTMLItemBlock block, const std::function<std::optional<clsHTMLItemBlock>(clsHTMLItemBlock&)>& cut) {
    std::vector<clsHTMLItemBlock> out{std::move(block)};
    for (;;) {
        std::optional<clsHTMLItemBlock> tail = cut(out.back());
        if (!tail) return out;
        out.push_back(std::move(*tail));
    }
}

std::string describe(const std::vector<clsHTMLItemBlock>& blocks) {
    std::string d;
    for (const clsHTMLItemBlock& b : blocks) {
        d += "[" + std::to_string(b.HasText) + std::to_string(b.HasTag) + std::to_string(b.AbsoluteSeparater);
        for (const Text& t : b.colToken) d += " " + s8(t);
        d += " |";
        for (const KindList& kinds : b.colDecidedTypes) {
            d += " (";
            for (int k : kinds) d += std::to_string(k) + ",";
            d += ")";
        }
        d += " |";
        for (int k = kFirstKind; k <= kLastKind; ++k)
            d += " " + std::to_string(b.nameScore(k)) + "/" + std::to_string(b.keywordScore(k)) + "/" +
                 std::to_string(b.antiScore(k)) + "/" + std::to_string(b.andScore(k));
        d += "]\n";
    }
    return d;
}

// Tests that cutting a whole line at once gives exactly the blocks of repeated Divide.
TEST(LinePassesTest, DivideEveryInputMatchesRepeatedDivide) {
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        clsHTMLItemBlock line = randomLine(random);
        line.AbsoluteSeparater = random() % 4 == 0;
        std::vector<clsHTMLItemBlock> fast;
        divideEveryInput(line, fast);
        const auto plain = cutRepeatedly(line, [](clsHTMLItemBlock& b) { return b.Divide(); });
        ASSERT_EQ(describe(fast), describe(plain)) << "round " << round;
    }
}

// Tests that cutting a whole line at once gives exactly the blocks of repeated Divide20.
TEST(LinePassesTest, DivideEveryFieldMatchesRepeatedDivide20) {
    std::mt19937 random(11);
    for (int round = 0; round < 4000; ++round) {
        clsHTMLItemBlock line = randomLine(random);
        line.Check();
        std::vector<clsHTMLItemBlock> fast;
        divideEveryField(line, fast);
        const auto plain = cutRepeatedly(line, [](clsHTMLItemBlock& b) { return b.Divide20(); });
        ASSERT_EQ(describe(fast), describe(plain)) << "round " << round;
    }
}

// Tests that cutting a whole line at once gives exactly the blocks of repeated Adjust2, also
// when a moved label left the kind lists shifted against the tokens.
TEST(LinePassesTest, DivideEveryLabelMatchesRepeatedAdjust2) {
    std::mt19937 random(13);
    for (int round = 0; round < 4000; ++round) {
        clsHTMLItemBlock line = randomLine(random);
        line.Check();
        if (random() % 3 == 0) line.colToken.insert(line.colToken.begin(), t16("電話"));
        if (random() % 3 == 0 && !line.colToken.empty()) line.colToken.pop_back();
        std::vector<clsHTMLItemBlock> fast;
        divideEveryLabel(line, fast);
        const auto plain = cutRepeatedly(line, [](clsHTMLItemBlock& b) { return b.Adjust2(); });
        ASSERT_EQ(describe(fast), describe(plain)) << "round " << round;
    }
}

}  // namespace
}  // namespace orvex::engine
