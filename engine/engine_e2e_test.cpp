// Whole forms through InterpretHTMLMain: the HTML text of one form in, the exact filling-tag
// entries out. The expected entries follow the rules of every stage by hand, block by block.

#include <gtest/gtest.h>

#include "engine/decision_test_util.h"
#include "engine/html_items.h"

namespace orvex::engine {
namespace {

using namespace decision_testing;
using Entries = std::vector<std::string>;

struct FormRun {
    bool result = false;
    Entries entries;
};

FormRun interpret(std::string_view html) {
    clsHTMLItems engine;
    FormRun run;
    run.result = engine.InterpretHTMLMain(u16(html));
    run.entries = u8(engine.FillingTags);
    return run;
}

// Tests a table form: kanji and katakana name pairs, a 3+4 zip pair, a prefecture list, two
// address lines in one cell, a three-box phone and an address with its re-entry row. Each row
// opens with a soft line end that becomes a block of its own, so the re-entry row is not
// next to the address row and the address row alone is taken.
TEST(EngineEndToEndTest, TableRows) {
    const FormRun run = interpret(
        "<TABLE>\n"
        "<TR><TD>お名前</TD><TD><INPUT type=text name=sei size=10> <INPUT type=text name=mei "
        "size=10></TD></TR>\n"
        "<TR><TD>フリガナ</TD><TD><INPUT type=text name=kana_sei size=10> "
        "<INPUT type=text name=kana_mei size=10></TD></TR>\n"
        "<TR><TD>郵便番号</TD><TD><INPUT type=text name=zip1 size=3>-<INPUT type=text name=zip2 "
        "size=4></TD></TR>\n"
        "<TR><TD>都道府県</TD><TD><SELECT name=pref><OPTION value=\"\">選択</OPTION><OPTION>北海道</OPTION>"
        "<OPTION>東京都</OPTION></SELECT></TD></TR>\n"
        "<TR><TD>住所</TD><TD><INPUT type=text name=addr1 size=40><BR><INPUT type=text name=addr2 "
        "size=40></TD></TR>\n"
        "<TR><TD>電話番号</TD><TD><INPUT type=text name=tel1 size=4>-<INPUT type=text name=tel2 size=4>-"
        "<INPUT type=text name=tel3 size=4></TD></TR>\n"
        "<TR><TD>メールアドレス</TD><TD><INPUT type=text name=email size=30></TD></TR>\n"
        "<TR><TD>メールアドレス（確認）</TD><TD><INPUT type=text name=email2 size=30></TD></TR>\n"
        "</TABLE>\n"
        "<INPUT type=submit value=送信>");
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.entries,
              (Entries{"kvnt10=TEL1", "kvnt11=TEL2", "kvnt12=TEL3", "kvnt5=ZIP1", "kvnt6=ZIP2", "kvnt7=PREF",
                       "kvnt8=ADDRESS1", "kvnt9=ADDRESS2+ADDRESS3", "kvnt13=EMAIL", "kvnt3=NAMEKATAKANA1",
                       "kvnt4=NAMEKATAKANA2", "kvnt1=NAME1", "kvnt2=NAME2"}));
}

// Tests lines ended by <BR>: sex radio buttons, an era list with year, month and day lists
// (cut in two blocks and joined again by Complement), a job list and a phone box.
TEST(EngineEndToEndTest, BrLinesWithEraAndLists) {
    const FormRun run = interpret(
        "お名前 <INPUT type=text name=name size=20><BR>\n"
        "ふりがな <INPUT type=text name=kana size=20><BR>\n"
        "性別 <INPUT type=radio name=sex value=1>男性 <INPUT type=radio name=sex value=2>女性<BR>\n"
        "生年月日 <SELECT name=era><OPTION>昭和</OPTION><OPTION>平成</OPTION></SELECT>\n"
        "<SELECT name=year><OPTION>1</OPTION><OPTION>2</OPTION></SELECT>年\n"
        "<SELECT name=month><OPTION>1</OPTION></SELECT>月\n"
        "<SELECT name=day><OPTION>1</OPTION></SELECT>日<BR>\n"
        "ご職業 <SELECT name=job><OPTION>会社員</OPTION><OPTION>学生</OPTION></SELECT><BR>\n"
        "電話番号 <INPUT type=text name=tel size=15><BR>\n");
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.entries,
              (Entries{"kvnt7=JOB", "kvnt3=BIRTHYEARTYPE", "kvnt4=BIRTHYEAR", "kvnt5=BIRTHMONTH",
                       "kvnt6=BIRTHDAY", "sex=SEX", "kvnt8=TEL", "kvnt2=NAMEHIRAGANA", "kvnt1=NAME"}));
}

// Tests a definition list: pen name, one zip box, one address box without a prefecture, a
// two-box phone, fax, an age-band list found through its options, marriage radio buttons, and
// a quiz answer box that must get nothing.
TEST(EngineEndToEndTest, DefinitionListWithAgeBandAndQuiz) {
    const FormRun run = interpret(
        "<DL>\n"
        "<DT>ニックネーム</DT><DD><INPUT type=text name=nick size=20></DD>\n"
        "<DT>郵便番号</DT><DD>〒<INPUT type=text name=yubin size=8></DD>\n"
        "<DT>ご住所</DT><DD><INPUT type=text name=jusho size=60></DD>\n"
        "<DT>電話番号</DT><DD><INPUT type=text name=tel_a size=5>-<INPUT type=text name=tel_b size=10></DD>\n"
        "<DT>FAX番号</DT><DD><INPUT type=text name=fax size=15></DD>\n"
        "<DT>年代</DT><DD><SELECT name=nendai><OPTION>10代</OPTION><OPTION>20代</OPTION>"
        "<OPTION>30代</OPTION></SELECT></DD>\n"
        "<DT>結婚</DT><DD><INPUT type=radio name=marriage value=0>未婚 <INPUT type=radio name=marriage "
        "value=1>既婚"
        "</DD>\n"
        "<DT>クイズの答え</DT><DD><INPUT type=text name=answer size=20></DD>\n"
        "</DL>");
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.entries,
              (Entries{"kvnt7=AGE", "marriage=MARRIAGE", "kvnt4=TEL1", "kvnt5=TEL2+SYM_-+TEL3", "kvnt6=FAX",
                       "kvnt2=ZIP", "kvnt3=PREF+ADDRESS1+ADDRESS2+ADDRESS3", "kvnt1=HANDLENAME"}));
}

// Tests paragraphs with zip, prefecture list and one address box (an entry of the "=+" form)
// and an e-mail address split at the at sign.
TEST(EngineEndToEndTest, ParagraphsWithSplitMail) {
    const FormRun run = interpret(
        "<P>郵便番号 <INPUT type=text name=zip size=8></P>\n"
        "<P>都道府県 <SELECT name=pref><OPTION>東京都</OPTION><OPTION>大阪府</OPTION></SELECT></P>\n"
        "<P>市区町村・番地 <INPUT type=text name=address size=50></P>\n"
        "<P>メールアドレス <INPUT type=text name=mail1 size=20>＠<INPUT type=text name=mail2 size=20></P>\n");
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.entries, (Entries{"kvnt1=ZIP", "kvnt2=PREF", "kvnt3=+ADDRESS1+ADDRESS2+ADDRESS3",
                                    "kvnt4=EMAIL1", "kvnt5=EMAIL2"}));
}

// Tests a zip box with a wide second box (taken back from ZIPOPT as the whole address), three
// name boxes (no name entry at all) and a sex list.
TEST(EngineEndToEndTest, ZipWithAddressBoxAndThreeNameBoxes) {
    const FormRun run = interpret(
        "氏名<INPUT type=text name=name1 size=8><INPUT type=text name=name2 size=8>"
        "<INPUT type=text name=name3 size=8><BR>\n"
        "〒<INPUT type=text name=zip size=8> <INPUT type=text name=q2 size=40><BR>\n"
        "性別<SELECT name=seibetsu><OPTION>男</OPTION><OPTION>女</OPTION></SELECT><BR>\n");
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.entries, (Entries{"kvnt6=SEX", "kvnt4=ZIP", "kvnt5=PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests a birth date written after a printed "19" with year, month and day boxes, and an age box.
TEST(EngineEndToEndTest, BirthDateAfterNineteenAndAge) {
    const FormRun run = interpret(
        "生年月日 19<INPUT type=text name=y size=2>年<INPUT type=text name=m size=2>月"
        "<INPUT type=text name=d size=2>日<BR>\n"
        "年齢 <INPUT type=text name=age size=3>歳<BR>\n");
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.entries, (Entries{"kvnt4=AGE", "kvnt1=BIRTHYEAR34", "kvnt2=BIRTHMONTH", "kvnt3=BIRTHDAY"}));
}

// Tests that a quiz answer box gets nothing, while the same box labelled as a zip code does.
TEST(EngineEndToEndTest, QuizAnswerGetsNothing) {
    const FormRun quiz = interpret("<P>クイズ：答えを入力してください <INPUT type=text name=zip size=8></P>");
    EXPECT_FALSE(quiz.result);
    EXPECT_TRUE(quiz.entries.empty());
    const FormRun zip = interpret("<P>郵便番号を入力してください <INPUT type=text name=zip size=8></P>");
    EXPECT_TRUE(zip.result);
    EXPECT_EQ(zip.entries, Entries{"kvnt1=ZIP"});
}

}  // namespace
}  // namespace orvex::engine
