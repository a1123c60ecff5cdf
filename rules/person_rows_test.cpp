// Whole-form tests of the stages that place the person's rows: a second block, the address, the
// reading and the name, each with a near miss beside it.

#include <gtest/gtest.h>

#include "rules/rules_test_support.h"

namespace orvex::rules {
namespace {

using testing::readDocumented;
using testing::readWithRules;
using Names = std::vector<std::string>;

// A block of person rows whose inputs' names begin with `prefix`.
std::string personRows(const std::string& prefix) {
    return "<tr><th>お名前</th><td>姓<input type=text name=" + prefix + "sei> 名<input type=text name=" + prefix +
           "mei></td></tr>"
           "<tr><th>郵便番号</th><td><input type=text name=" + prefix + "zip1 size=3>-<input type=text name=" + prefix +
           "zip2 size=4></td></tr>"
           "<tr><th>ご住所</th><td><input type=text name=" + prefix + "addr size=40></td></tr>"
           "<tr><th>電話番号</th><td><input type=text name=" + prefix + "tel size=20></td></tr>";
}

// Tests that a delivery block that repeats the applicant's rows stays empty, whichever of the
// two comes first, and that a form with one block under a delivery heading is filled.
TEST(SecondPartyTest, DeliveryBlockStaysEmptyWhateverTheOrder) {
    const testing::ReadPage after = readWithRules("<form><table>" + personRows("o_") +
                                                  "<tr><th colspan=2>お届け先</th></tr>" + personRows("d_") +
                                                  "</table></form>");
    EXPECT_EQ(after.tagOf("o_sei"), "NAME1");
    EXPECT_EQ(after.tagOf("o_zip2"), "ZIP2");
    EXPECT_EQ(after.tagOf("o_tel"), "TEL");
    for (const char* name : {"d_sei", "d_mei", "d_zip1", "d_zip2", "d_addr", "d_tel"})
        EXPECT_EQ(after.tagOf(name), "") << name;

    const testing::ReadPage before = readWithRules("<form><table><tr><th colspan=2>お届け先</th></tr>" +
                                                   personRows("d_") + "<tr><th colspan=2>ご注文者情報</th></tr>" +
                                                   personRows("o_") + "</table></form>");
    EXPECT_EQ(before.tagOf("o_sei"), "NAME1");
    EXPECT_EQ(before.tagOf("o_addr"), "PREF+ADDRESS1+ADDRESS2+ADDRESS3");
    EXPECT_EQ(before.tagOf("d_sei"), "");
    EXPECT_EQ(before.tagOf("d_tel"), "");

    // Near miss: a prize delivery form asks for the winner's own address under お届け先.
    const testing::ReadPage single =
        readWithRules("<form><table><tr><th colspan=2>お届け先</th></tr>" + personRows("d_") + "</table></form>");
    EXPECT_EQ(single.tagOf("d_sei"), "NAME1");
    EXPECT_EQ(single.tagOf("d_tel"), "TEL");
    EXPECT_TRUE(single.leftEmpty().empty());
}

// Tests that each address box takes its share by its words, its example or its order, and that
// nothing is lost or written twice; near miss: one box beside a prefecture list takes the lines without the prefecture.
TEST(AddressRowsTest, EachBoxTakesItsShare) {
    const testing::ReadPage parts = readWithRules(
        "<form><table><tr><td>郵便番号</td><td><input name=p1 size=20>-<input name=p2 size=20></td></tr>"
        "<tr><td>都道府県</td><td><input name=pref></td></tr>"
        "<tr><td>市区町村</td><td><input name=a1></td></tr><tr><td>番地</td><td><input name=a2></td></tr>"
        "<tr><td>建物名</td><td><input name=a3></td></tr></table></form>");
    EXPECT_EQ(parts.tagOf("p1"), "ZIP1");
    EXPECT_EQ(parts.tagOf("p2"), "ZIP2");
    EXPECT_EQ(parts.tagOf("pref"), "PREF");
    EXPECT_EQ(parts.tagOf("a1"), "ADDRESS1");
    EXPECT_EQ(parts.tagOf("a2"), "ADDRESS2");
    EXPECT_EQ(parts.tagOf("a3"), "ADDRESS3");

    // Labels after the boxes, examples, and a line with no box of its own joined to the one before.
    const testing::ReadPage after = readWithRules(
        "<form><p>ご住所 <input name=zip placeholder=1234567></p><div><input name=s1><p>記入例：港区西麻布</p>"
        "<input name=s2><p>記入例：1丁目14番2号ビル302号</p></div></form>");
    EXPECT_EQ(after.tagOf("s1"), "PREF+ADDRESS1");
    EXPECT_EQ(after.tagOf("s2"), "ADDRESS2+ADDRESS3");

    const testing::ReadPage one = readWithRules(
        "<form><p>都道府県<select name=pref><option>東京都<option>大阪府</select></p>"
        "<p>住所<input name=addr size=40></p><p>電話番号<input name=tel></p></form>");
    // Without a box of its own the postal code stays in front, as the documented stages put it.
    EXPECT_EQ(one.tagOf("addr"), "ZIPT+ADDRESS1+ADDRESS2+ADDRESS3");
}

// Tests that the reading boxes of a name take the script their examples show when a company row
// after them made a run of three boxes the documented stages left alone; near miss: ふりがな with
// a hiragana example asks for hiragana.
TEST(ReadingRowsTest, ScriptAndPartsOfTheReading) {
    const std::string page =
        "<form>●お名前<br>姓（例：渋谷）<br><input name=name01><br>名（例：花子）<br><input name=name02><br>"
        "●お名前(フリガナ)<br>フリガナ/姓（例：シブヤ）<br><input name=kana01><br>フリガナ/名（例：ハナコ）<br>"
        "<input name=kana02><br>●会社名<br><input name=company_name><br></form>";
    EXPECT_EQ(readDocumented(page).tagOf("kana01"), "");
    const testing::ReadPage katakana = readWithRules(page);
    EXPECT_EQ(katakana.tagOf("kana01"), "NAMEKATAKANA1");
    EXPECT_EQ(katakana.tagOf("kana02"), "NAMEKATAKANA2");
    EXPECT_EQ(katakana.tagOf("company_name"), "");
    EXPECT_EQ(katakana.tagOf("name01"), "NAME1");

    const testing::ReadPage hiragana =
        readWithRules("<form><p>お名前<input name=nm></p><p>ふりがな（例：やまだ はなこ）<input name=yomi></p></form>");
    EXPECT_EQ(hiragana.tagOf("yomi"), "NAMEHIRAGANA");
    EXPECT_EQ(hiragana.tagOf("nm"), "NAME");
}

// Tests that a 名字 row and a 名前 row take the two parts of the name, and that a subject box
// beside a name box on one line takes nothing while the name box takes the whole name.
TEST(NameRowsTest, PartsOfTheNameOverRowsAndOwnLabels) {
    const testing::ReadPage rows = readWithRules(
        "<form><table><tr><td>名字:</td><td><input name=family_name></td></tr>"
        "<tr><td>名前:</td><td><input name=given_name></td></tr></table></form>");
    EXPECT_EQ(rows.tagOf("family_name"), "NAME1");
    EXPECT_EQ(rows.tagOf("given_name"), "NAME2");

    const testing::ReadPage line = readWithRules(
        "<form><div><label for=a>氏名</label><input id=a name=your_name></div>"
        "<div><label for=b>件名</label><input id=b name=title></div></form>");
    EXPECT_EQ(readDocumented("<form><div><label for=a>氏名</label><input id=a name=your_name></div>"
                             "<div><label for=b>件名</label><input id=b name=title></div></form>")
                  .tagOf("title"),
              "NAME2");
    EXPECT_EQ(line.tagOf("your_name"), "NAME");
    EXPECT_EQ(line.tagOf("title"), "");
    EXPECT_EQ(line.leftEmpty(), Names{"title: its own label 件名"});
}

}  // namespace
}  // namespace orvex::rules
