// The whole path from a saved page to a filled form: the page model, the page reading engine
// and the writers, over pages of the shapes entry forms take.

#include "fill/page_fill.h"

#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"

namespace orvex::fill {
namespace {

using testing::loadPage;
using testing::named;
using testing::selectedText;
using testing::single;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The names of the elements a report wrote.
std::vector<std::string> writtenNames(const PageFillReport& report) {
    std::vector<std::string> names;
    for (const FormFillReport& form : report.forms)
        for (const FillWrite& w : form.writes) names.push_back(w.element.name);
    return names;
}

bool wrote(const PageFillReport& report, const std::string& name) {
    const std::vector<std::string> names = writtenNames(report);
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The whole path by the documented rules; Orvex's own rules have tests of their own.
class PageFillTest : public ::testing::Test {
  protected:
    PageFillReport fillPage(const std::string& html) {
        doc = loadPage(html);
        return readAndFillPage(*doc, &person, engine::RuleSet::Documented);
    }
    std::unique_ptr<page::Document> doc;
    clsUserInfo person = testing::samplePerson();
};

// A table form: split zip and phone, prefecture list by text, age bands, sex radios, job list,
// and a quiz box and a comment box that must stay empty.
constexpr const char* kTableForm = R"(<form action="/entry"><table>
<tr><td>お名前</td><td><input type="text" name="name"></td></tr>
<tr><td>ふりがな</td><td><input type="text" name="kana"></td></tr>
<tr><td>郵便番号</td><td><input type="text" name="zip" size="3"> - <input type="text" name="zip" size="4"></td></tr>
<tr><td>都道府県</td><td><select name="pref"><option value="">選択</option><option value="北海道">北海道</option>
<option value="東京都">東京都</option><option value="大阪府">大阪府</option></select></td></tr>
<tr><td>ご住所</td><td><input type="text" name="address"></td></tr>
<tr><td>電話番号</td><td><input type="text" name="tel">-<input type="text" name="tel">-<input type="text" name="tel"></td></tr>
<tr><td>メールアドレス</td><td><input type="text" name="mail"></td></tr>
<tr><td>年齢</td><td><select name="age"><option value="">選択</option><option value="1">19歳以下</option>
<option value="2">20～29歳</option><option value="3">30～39歳</option><option value="4">40～49歳</option>
<option value="5">50歳以上</option></select></td></tr>
<tr><td>性別</td><td><input type="radio" name="sex" value="1">男性 <input type="radio" name="sex" value="2">女性</td></tr>
<tr><td>ご職業</td><td><select name="job"><option value="">選択</option><option value="a">学生</option>
<option value="b">会社員</option><option value="c">その他</option></select></td></tr>
<tr><td>クイズの答え</td><td><input type="text" name="quiz"></td></tr>
<tr><td>ご意見・ご感想</td><td><textarea name="comment"></textarea></td></tr>
</table><input type="hidden" name="token" value="abc"><input type="submit" value="送信"></form>)";

// Tests the table form end to end: every personal field written, the others untouched.
TEST_F(PageFillTest, TableFormWithSplitFieldsAndChoices) {
    const PageFillReport report = fillPage(kTableForm);
    ASSERT_EQ(report.forms.size(), 1U);
    EXPECT_TRUE(report.forms[0].ok);
    EXPECT_EQ(report.forms[0].action, "/entry");
    EXPECT_EQ(single(*doc, "name").value(), "山田\u3000花子");
    EXPECT_EQ(single(*doc, "kana").value(), "やまだ\u3000はなこ");
    const page::ElementCollection zip = named(*doc, "zip").collection();
    EXPECT_EQ(zip.item(0).value(), "150");
    EXPECT_EQ(zip.item(1).value(), "0001");
    EXPECT_EQ(single(*doc, "pref").value(), "東京都");
    EXPECT_EQ(single(*doc, "address").value(), "渋谷区神宮前1-2-3ハイツ101");
    const page::ElementCollection tel = named(*doc, "tel").collection();
    EXPECT_EQ(tel.item(0).value() + "-" + tel.item(1).value() + "-" + tel.item(2).value(), "03-1234-5678");
    EXPECT_EQ(single(*doc, "mail").value(), "hanako@example.jp");
    EXPECT_EQ(selectedText(single(*doc, "age")), "30～39歳");
    EXPECT_FALSE(named(*doc, "sex").collection().item(0).status());
    EXPECT_TRUE(named(*doc, "sex").collection().item(1).status());
    EXPECT_EQ(single(*doc, "job").value(), "b");
    // Safety: the quiz answer, the comment and the hidden token are never written.
    EXPECT_EQ(single(*doc, "quiz").value(), "");
    EXPECT_EQ(single(*doc, "comment").value(), "");
    EXPECT_EQ(single(*doc, "token").value(), "abc");
    EXPECT_FALSE(wrote(report, "quiz"));
    EXPECT_FALSE(wrote(report, "comment"));
    EXPECT_FALSE(wrote(report, "token"));
}

// A line form: era and year lists, month and day lists, a prefecture list with value codes and
// without suffixes, one address box, an e-mail box behind a hidden input of the same name and job
// radio buttons.
constexpr const char* kLineForm = R"(<form action="/b">
氏名：<input type="text" name="shimei"><br>
生年月日：<select name="gengo"><option value="">--</option><option value="3">昭和</option><option value="4">平成</option></select>
<select name="nen"><option value="">--</option><option>1</option><option>2</option><option>3</option><option>50</option>
<option>60</option><option>61</option></select>年
<select name="tsuki"><option value="">--</option><option value="01">1</option><option value="04">4</option></select>月
<select name="hi"><option value="">--</option><option value="12">12</option></select>日<br>
都道府県：<select name="ken"><option value="0">選択してください</option><option value="13">東京</option>
<option value="27">大阪</option></select><br>
住所：<input type="text" name="jusho"><br>
電話番号：<input type="text" name="denwa"><br>
E-mail：<input type="hidden" name="email" value="x"><input type="text" name="email"><br>
職業：<input type="radio" name="shokugyo" value="1">学生 <input type="radio" name="shokugyo" value="2">会社員
<input type="radio" name="shokugyo" value="3">主婦<br>
</form>)";

// Tests the line form end to end: the era list governs the year list after it.
TEST_F(PageFillTest, LineFormWithEraYearAndValueCodes) {
    const PageFillReport report = fillPage(kLineForm);
    ASSERT_EQ(report.forms.size(), 1U);
    EXPECT_EQ(single(*doc, "shimei").value(), "山田\u3000花子");
    EXPECT_EQ(selectedText(single(*doc, "gengo")), "昭和");
    EXPECT_EQ(selectedText(single(*doc, "nen")), "60");
    EXPECT_EQ(single(*doc, "tsuki").value(), "04");
    EXPECT_EQ(single(*doc, "hi").value(), "12");
    EXPECT_EQ(single(*doc, "ken").value(), "13");
    EXPECT_EQ(single(*doc, "jusho").value(), "〒150-0001東京都渋谷区神宮前1-2-3ハイツ101");
    EXPECT_EQ(single(*doc, "denwa").value(), "03-1234-5678");
    const page::ElementCollection email = named(*doc, "email").collection();
    EXPECT_EQ(email.item(0).value(), "x");
    EXPECT_EQ(email.item(1).value(), "hanako@example.jp");
    EXPECT_TRUE(named(*doc, "shokugyo").collection().item(1).status());
    // The report counts the e-mail box as the second control of its name, the hidden one first.
    for (const FillWrite& w : report.forms[0].writes) {
        if (w.element.name == "email") {
            EXPECT_EQ(w.element.occurrence, 2);
        }
    }
}

// Tests that boxes a page hides are never written, though the engine gives them entries.
TEST_F(PageFillTest, InvisibleInputsStayEmpty) {
    const PageFillReport report = fillPage(R"(<form action="/c">
<p>お名前：<input type="text" name="name"></p>
<div style="display:none"><p>メールアドレス：<input type="text" name="mail"></p>
<p>住所：<textarea name="addr"></textarea></p></div>
<p>電話番号：<input type="text" name="tel" style="visibility:hidden"></p></form>)");
    ASSERT_EQ(report.forms.size(), 1U);
    EXPECT_GE(report.forms[0].entries.size(), 2U);
    EXPECT_EQ(single(*doc, "name").value(), "山田\u3000花子");
    EXPECT_EQ(single(*doc, "mail").value(), "");
    EXPECT_EQ(single(*doc, "addr").value(), "");
    EXPECT_EQ(single(*doc, "tel").value(), "");
    EXPECT_EQ(writtenNames(report), std::vector<std::string>{"name"});
}

// Tests that every form of a page is read and reported, an empty form among them.
TEST_F(PageFillTest, EveryFormIsReported) {
    const PageFillReport report = fillPage(
        "<form action=a></form><form action=b>お名前：<input type=text name=n></form>"
        "<form action=c><input type=text name=q></form>");
    ASSERT_EQ(report.forms.size(), 3U);
    EXPECT_FALSE(report.forms[0].ok);
    EXPECT_EQ(report.forms[1].index, 1);
    EXPECT_EQ(report.forms[1].action, "b");
    EXPECT_TRUE(report.forms[1].ok);
    EXPECT_EQ(countFilledElements(report.forms[1]), 1);
    EXPECT_FALSE(report.forms[2].ok);
    // Without a person the forms are read and nothing is written.
    auto again = loadPage("<form>お名前：<input type=text name=n></form>");
    const PageFillReport readOnly = readAndFillPage(*again, nullptr, engine::RuleSet::Documented);
    EXPECT_FALSE(readOnly.forms[0].entries.empty());
    EXPECT_TRUE(readOnly.forms[0].writes.empty());
    EXPECT_TRUE(again->writeLog().empty());
}

// Tests the bundled demo page with the first sample person's values.
TEST_F(PageFillTest, DemoPage) {
    const PageFillReport report = fillPage(readFile(ORVEX_SOURCE_DIR "/resources/demo/entry.html"));
    ASSERT_EQ(report.forms.size(), 1U);
    EXPECT_EQ(single(*doc, "sei").value(), "山田");
    EXPECT_EQ(single(*doc, "mei").value(), "花子");
    EXPECT_EQ(single(*doc, "sei_kana").value(), "ヤマダ");
    EXPECT_EQ(single(*doc, "zip1").value(), "150");
    EXPECT_EQ(single(*doc, "zip2").value(), "0001");
    EXPECT_EQ(single(*doc, "pref").value(), "13");
    EXPECT_EQ(single(*doc, "tel3").value(), "5678");
    EXPECT_EQ(single(*doc, "email").value(), "hanako@example.jp");
    EXPECT_EQ(single(*doc, "email_confirm").value(), "hanako@example.jp");
    EXPECT_EQ(selectedText(single(*doc, "era")), "昭和");
    EXPECT_EQ(single(*doc, "birth_year").value(), "60");
    EXPECT_EQ(single(*doc, "birth_month").value(), "4");
    EXPECT_EQ(single(*doc, "birth_day").value(), "12");
    EXPECT_TRUE(named(*doc, "sex").collection().item(1).status());
    EXPECT_EQ(single(*doc, "job").value(), "1");
    EXPECT_EQ(single(*doc, "answer").value(), "");
    EXPECT_EQ(single(*doc, "comment").value(), "");
    EXPECT_EQ(single(*doc, "campaign").value(), "spring");
}

// The reasons of the writes not made, by the name of the element concerned.
std::map<std::string, MissReason> missesByName(const PageFillReport& report) {
    std::map<std::string, MissReason> out;
    for (const FormFillReport& form : report.forms)
        for (const FillMiss& m : form.misses) out[m.element ? m.element->name : ""] = m.reason;
    return out;
}

// Tests that every entry that wrote nothing says why, and that its near misses, the entries that
// wrote, are not reported as misses: a hidden box refused, a list without the day, a list already
// on the prefecture, a sex group without a man's or woman's word.
TEST_F(PageFillTest, WritesNotMadeCarryTheirReason) {
    const PageFillReport report = fillPage(R"(<form><table>
<tr><td>お名前</td><td><input type="text" name="name"></td></tr>
<tr><td>メールアドレス</td><td><input type="text" name="mail" style="display:none"></td></tr>
<tr><td>都道府県</td><td><select name="pref"><option value="東京都" selected>東京都</option><option>大阪府</option></select></td></tr>
<tr><td>生年月日</td><td><select name="year"><option value="">--</option><option value="1985">1985</option></select>年
<select name="month"><option value="">--</option><option value="4">4</option></select>月
<select name="day"><option value="">--</option><option value="1">1</option></select>日</td></tr>
<tr><td>性別</td><td><input type="radio" name="sex" value="1">A <input type="radio" name="sex" value="2">B</td></tr>
</table></form>)");
    ASSERT_EQ(report.forms.size(), 1U);
    const std::map<std::string, MissReason> expected = {{"mail", MissReason::NotRendered},
                                                        {"day", MissReason::NoMatchingOption},
                                                        {"pref", MissReason::AlreadySet},
                                                        {"sex", MissReason::NoMatchingChoice}};
    EXPECT_EQ(missesByName(report), expected);
    EXPECT_TRUE(wrote(report, "name"));
    EXPECT_TRUE(wrote(report, "year"));
    EXPECT_TRUE(wrote(report, "month"));
    EXPECT_FALSE(wrote(report, "mail"));
    EXPECT_EQ(report.forms[0].misses.size(), 4U);
}

// Tests that writes a live page skipped or refused leave the writes and become misses, while a
// write whose records all went through stays.
TEST(FillReportTest, LivePageAnswerMovesWritesNotMade) {
    const page::WriteRecord a{1, "INPUT", "a", page::WriteKind::Value, "x", false, -1};
    const page::WriteRecord b{2, "INPUT", "b", page::WriteKind::Value, "y", false, -1};
    const page::WriteRecord c{3, "SELECT", "c", page::WriteKind::Value, "z", false, -1};
    FormFillReport form;
    for (const page::WriteRecord& r : {a, b, c}) {
        FillWrite w;
        w.entry = r.name + "=NAME";
        w.element.name = r.name;
        w.records = {r};
        form.writes.push_back(w);
    }
    page::WriteRecord nearMissOfC = c;
    nearMissOfC.value = "other";  // another write to the same element is not this one
    applyReplayAnswer(form, {b, nearMissOfC}, {a});
    ASSERT_EQ(form.writes.size(), 1U);
    EXPECT_EQ(form.writes[0].element.name, "c");
    ASSERT_EQ(form.misses.size(), 2U);
    EXPECT_EQ(form.misses[0].reason, MissReason::NotRendered);
    EXPECT_EQ(form.misses[0].element->name, "a");
    EXPECT_EQ(form.misses[1].reason, MissReason::ElementGone);
    EXPECT_EQ(form.misses[1].detail, "y");
}

}  // namespace
}  // namespace orvex::fill
