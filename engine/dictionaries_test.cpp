#include "engine/dictionaries.h"

#include <gtest/gtest.h>

#include "engine/test_support.h"
#include "engine/text_rules.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

int keyword(int kind, std::string_view label) {
    Text t = t16(label);
    return ScoreKeyword(kind, t);
}
int anti(int kind, std::string_view label) {
    Text t = t16(label);
    return ScoreAntiKeyword(kind, t);
}
int name(int kind, std::string_view pageName) {
    Text n = t16(pageName);
    return ScoreName(kind, n);
}

// Tests that the first listed keyword wins, not the leftmost occurrence.
TEST(FindAnyWordTest, ListOrderWins) {
    EXPECT_EQ(FindAnyWord(t16("お電話番号"), {u"tel", u"電話"}), 2);
    EXPECT_EQ(FindAnyWord(t16("電話tel"), {u"tel", u"電話"}), 3);
    EXPECT_EQ(FindAnyWord(t16("fax"), {u"tel", u"電話"}), 0);
}

// Tests that an empty first keyword is skipped and a later empty keyword ends the list.
TEST(FindAnyWordTest, EmptyKeywords) {
    EXPECT_EQ(FindAnyWord(u"abc", {u"", u"b"}), 2);
    EXPECT_EQ(FindAnyWord(u"abc", {u"x", u"", u"c"}), 0);
    EXPECT_EQ(FindAnyWord(u"abc", {}), 0);
}

// Tests that a character set never rules out a word that occurs in the text: every substring
// of texts mixing ASCII, kana, kanji and full-width letters is covered, and a word with a
// character the text lacks is seen to be absent at least most of the time.
TEST(CharBitsTest, NeverRulesOutAWordThatOccurs) {
    const Text texts[] = {t16("お名前（フリガナ）name_kana"), t16("〒郵便番号-ＴＥＬ：03"),
                          t16("e-mail@例.jp 確認用"), t16("")};
    for (const Text& text : texts) {
        const CharBits chars(text);
        for (std::size_t at = 0; at < text.size(); ++at)
            for (std::size_t length = 1; at + length <= text.size(); ++length)
                EXPECT_TRUE(chars.covers(CharBits(TextView(text).substr(at, length)))) << s8(text);
        EXPECT_TRUE(chars.covers(CharBits()));
    }
    int ruledOut = 0;
    const CharBits label(t16("お名前（フリガナ）"));
    for (TextView absent : {u"電話", u"住所", u"mail", u"性別", u"郵便", u"職業", u"生年月日", u"年齢"})
        ruledOut += label.covers(CharBits(absent)) ? 0 : 1;
    EXPECT_GE(ruledOut, 7);
}

// Tests that one working text scored kind after kind (character set gathered once, then phrases
// deleted) gives the scores and the final text that a fresh scoring of each step gives.
TEST(ScoringTextTest, ReusedTextScoresAsFreshTexts) {
    for (const char* sample : {"お名前（半角カタカナ）", "氏名（カタカナは全角）ふりがな", "クイズの答え",
                               "生年月日（西暦）", "携帯電話のメールアドレス", "E-Mail（確認用）",
                               "年齢 20代", "ご住所 市区町村 マンション名", "ＴＥＬ／ＦＡＸ", ""}) {
        ScoringText reused{t16(sample)};
        Text fresh = t16(sample);
        for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
            EXPECT_EQ(ScoreKeyword(kind, reused), ScoreKeyword(kind, fresh)) << sample << " kind " << kind;
            EXPECT_EQ(ScoreAntiKeyword(kind, reused), ScoreAntiKeyword(kind, fresh))
                << sample << " kind " << kind;
            EXPECT_EQ(s8(reused.text()), s8(fresh)) << sample << " kind " << kind;
        }
        ScoringText reusedName{t16(sample)};
        Text freshName = t16(sample);
        for (int kind = kFirstKind; kind <= kLastKind; ++kind)
            EXPECT_EQ(ScoreName(kind, reusedName), ScoreName(kind, freshName)) << sample << " kind " << kind;
    }
}

// Tests the month/day word and its digit rule.
TEST(FindMonthDayWordTest, NonDigitBeforeMonthOrDay) {
    EXPECT_EQ(FindMonthDayWord(u"生月"), 2);
    EXPECT_EQ(FindMonthDayWord(u"5月"), 0);
    EXPECT_EQ(FindMonthDayWord(u"５月"), 0);  // full-width digit
    EXPECT_EQ(FindMonthDayWord(u"月"), 0);    // first character
    EXPECT_EQ(FindMonthDayWord(u"誕生日"), 3);
    EXPECT_EQ(FindMonthDayWord(u"5日の月"), 4);  // "月" is tried before "日"
    EXPECT_EQ(FindMonthDayWord(u"なし"), 0);
}

// Tests label scores of the address and contact kinds.
TEST(ScoreKeywordTest, AddressAndContactLabels) {
    EXPECT_EQ(keyword(kZip, "郵便番号"), 2);
    EXPECT_EQ(keyword(kZip, "〒"), 2);
    EXPECT_EQ(keyword(kZip, "番号"), 0);
    EXPECT_EQ(keyword(kCity, "住所"), 1);
    EXPECT_EQ(keyword(kPref, "住所"), 0);
    EXPECT_EQ(anti(kPref, "住所"), 1);
    EXPECT_EQ(keyword(kCity, "市外局番"), 0);  // exclusion
    EXPECT_EQ(keyword(kEmail, "メールアドレス"), 3);
    EXPECT_EQ(keyword(kEmail, "メール"), 2);
    EXPECT_EQ(keyword(kEmail, "確認のためもう一度"), 1);
    EXPECT_EQ(keyword(kEmail, "携帯電話のメール"), 0);
    EXPECT_EQ(anti(kEmail, "携帯電話のメール"), 0);
    EXPECT_GT(anti(kEmail, "電話"), 0);
    EXPECT_EQ(keyword(kTel, "電話番号"), 2);
    EXPECT_EQ(keyword(kTel, "ＴＥＬ"), 2);  // full-width capitals are lower-cased first
    EXPECT_EQ(keyword(kTel, "連絡先"), 1);
    EXPECT_EQ(keyword(kTel, "電話とメール"), 0);  // exclusion
    EXPECT_EQ(keyword(kFax, "FAX番号"), 1);
}

// Tests name labels: kana exclusions and the half-width kana phrases deleted before them.
TEST(ScoreKeywordTest, NameLabels) {
    // "ふりがな" holds "がな", not the exclusion "かな": the keyword scores, the anti-keyword
    // rules the kind out for the block.
    EXPECT_EQ(keyword(kFullName, "お名前（ふりがな）"), 1);
    EXPECT_GT(anti(kFullName, "お名前（ふりがな）"), 0);
    EXPECT_EQ(keyword(kFullName, "お名前（かな）"), 0);
    EXPECT_EQ(keyword(kNameKana, "お名前（ふりがな）"), 2);
    EXPECT_EQ(keyword(kFullName, "お名前（半角カタカナ）"), 1);
    EXPECT_EQ(keyword(kFullName, "お名前（カタカナ）"), 0);
    EXPECT_EQ(keyword(kNameKana, "漢字のお名前"), 0);
    EXPECT_EQ(keyword(kFullName, "NAME"), 1);
}

// Tests that the dictionaries change the text they are given, as later kinds must see it.
TEST(ScoreKeywordTest, ChangesTextInPlace) {
    Text t = t16("お名前（半角カタカナ）");
    EXPECT_EQ(ScoreKeyword(kFullName, t), 1);
    EXPECT_EQ(s8(t), "お名前（）");
    Text noHit = t16("ＭＡＩＬ 半角カナ");
    EXPECT_EQ(ScoreKeyword(kFullName, noHit), 0);
    EXPECT_EQ(s8(noHit), "ｍａｉｌ 半角カナ");  // lower-cased, but no deletion without a name word
    Text n = t16("Birth Y");
    ScoreName(kBirthYear, n);
    EXPECT_EQ(s8(n), "birthy");
    Text a = t16("お名前（半角カナ）");
    ScoreAntiKeyword(kFullName, a);
    EXPECT_EQ(s8(a), "お名前（）");
}

// Tests that the dictionaries lower-case like text::toLower, for every sort of letter.
TEST(ScoreKeywordTest, LowerCasesLikeTextLibrary) {
    for (const char* sample : {"ABC ＡＢＣ xyz", "ÄÖÜ Straße", "ΩΣ Привет", "ｶﾀｶﾅ カタカナ 漢字 ①②", "𝐀 Ⅻ ǅ",
                               "ＴＥＬ／ＦＡＸ", ""}) {
        Text t = t16(sample);
        ScoreKeyword(kFax, t);
        EXPECT_EQ(s8(t), s8(text::toLower(t16(sample)))) << sample;
        Text n = t16(sample);
        ScoreName(kFax, n);
        EXPECT_EQ(s8(n), s8(RemoveSpaces(text::toLower(t16(sample))))) << sample;
    }
}

// Tests that a working text scored again and again, and other texts between, each end up as a
// fresh lower-casing would leave them, including texts that differ from an earlier one by case.
TEST(ScoreKeywordTest, RepeatedScoringLowerCasesEachText) {
    for (int round = 0; round < 2; ++round) {
        for (const char* sample : {"※E-Mail", "※e-mail", "ΩΣ Привет", "ωσ привет", "ABC", "abc", "※E-MAIL"}) {
            Text t = t16(sample);
            for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
                ScoreKeyword(kind, t);
                ScoreAntiKeyword(kind, t);
                EXPECT_EQ(s8(t), s8(text::toLower(t16(sample)))) << sample << " kind " << kind;
            }
            Text n = t16(sample);
            for (int kind = kFirstKind; kind <= kLastKind; ++kind) ScoreName(kind, n);
            EXPECT_EQ(s8(n), s8(RemoveSpaces(text::toLower(t16(sample))))) << sample;
        }
    }
}

// Tests birth, age and sex labels.
TEST(ScoreKeywordTest, BirthAgeSexLabels) {
    EXPECT_EQ(keyword(kBirthDate, "生年月日"), 2);
    EXPECT_EQ(keyword(kBirthDate, "毎月5日"), 1);
    EXPECT_EQ(keyword(kBirthDate, "5月"), 0);
    EXPECT_EQ(keyword(kBirthDate, "毎日"), 0);
    EXPECT_EQ(keyword(kBirthDate, "今月の誕生日"), 2);  // strong words ignore exclusions
    EXPECT_EQ(keyword(kBirthYear, "生年月日"), 0);
    EXPECT_EQ(keyword(kAge, "20代"), 1);
    EXPECT_EQ(keyword(kAge, "年齢"), 1);
    EXPECT_EQ(keyword(kAge, "代表"), 0);
    EXPECT_EQ(keyword(kSex, "性別"), 2);
    EXPECT_EQ(keyword(kSex, "男"), 1);
    EXPECT_EQ(keyword(0, "性別"), 0);
    EXPECT_EQ(keyword(19, "性別"), 0);
}

// Tests the anti-keywords: quiz answers rule out every kind, birth and age words.
TEST(ScoreAntiKeywordTest, QuizBirthAndAge) {
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) EXPECT_GT(anti(kind, "クイズの答え"), 0) << kind;
    EXPECT_EQ(anti(kFax, "クイズ"), 0);
    EXPECT_EQ(anti(kBirthDate, "年齢"), 1);
    EXPECT_EQ(anti(kBirthDate, "生年月日と年齢"), 0);
    EXPECT_GT(anti(kBirthDay, "年代"), 0);
    EXPECT_GT(anti(kAge, "生年月日"), 0);
    EXPECT_EQ(anti(kAge, "年齢"), 0);
    EXPECT_EQ(anti(kTel, "ＭＡＩＬ"), 1);  // lower-cased, so the full-width "ｍａｉｌ" entry matches
    EXPECT_EQ(anti(kEmail, "Ｔｅｌ"), 0);  // the capital entry never matches; nothing else does
    EXPECT_GT(anti(kEmail, "tel"), 0);
}

// Tests the name dictionary on typical page names.
TEST(ScoreNameTest, PageNames) {
    EXPECT_EQ(name(kZip, "zip1"), 1);
    EXPECT_EQ(name(kZip, "address"), 1);
    EXPECT_EQ(name(kZip, "mailaddress"), 0);
    EXPECT_EQ(name(kCity, "address1"), 1);
    EXPECT_EQ(name(kCity, "homepage_address"), 0);
    EXPECT_EQ(name(kCity, "jusho_kana"), 0);
    EXPECT_EQ(name(kApart, "mansion"), 1);
    EXPECT_EQ(name(kTel, "phone_no"), 1);
    EXPECT_EQ(name(kTel, "q5"), 0);
    EXPECT_EQ(name(kFullName, "name1"), 1);
    EXPECT_EQ(name(kFullName, "name_kana"), 0);
    EXPECT_EQ(name(kNameKana, "name_kana"), 1);
    EXPECT_EQ(name(kNameKana, "nickname"), 0);
    EXPECT_EQ(name(kAge, "age"), 1);
    EXPECT_EQ(name(kAge, "message"), 0);
    EXPECT_EQ(name(kBirthDate, "birth_y"), 1);
    EXPECT_EQ(name(kBirthDate, "nendai"), 1);  // "nen" counts as a year part
    EXPECT_EQ(name(kBirthDate, "年代"), 0);
    EXPECT_EQ(name(kBirthMonth, "b_month"), 3);
    EXPECT_EQ(name(kJob, "job_type"), 1);
    EXPECT_EQ(name(kSex, "SEX"), 1);
    EXPECT_EQ(name(kEmail, "e mail"), 2);  // spaces go before the search
    EXPECT_EQ(name(0, "zip"), 0);
}

// Tests the choice-kind table.
TEST(ChoiceKindsTest, Values) {
    for (int kind : {kBirthDate, kBirthYear, kBirthMonth, kBirthDay, kAge, kSex, kPref, kJob})
        EXPECT_TRUE(ChoiceKinds[static_cast<std::size_t>(kind)]) << kind;
    for (int kind : {kFullName, kNameKana, kZip, kCity, kApart, kTel, kFax, kEmail, kHandleName, kMarriage})
        EXPECT_FALSE(ChoiceKinds[static_cast<std::size_t>(kind)]) << kind;
}

}  // namespace
}  // namespace orvex::engine
