#include "fill/form_filler.h"

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"

namespace orvex::fill {
namespace {

using testing::loadPage;
using testing::named;
using testing::selectedText;
using testing::single;

// A form read by the engine's tokenizer (so its inputs carry generated names) and filled with
// entries given by the test.
class FormFillerTest : public ::testing::Test {
  protected:
    void load(const std::string& form) {
        doc = loadPage("<form>" + form + "</form>");
        engine = engine::clsHTMLItems();
        engine.readTokens(text::fromUtf8(doc->all().tags("FORM").item(0).innerHTML()));
    }
    bool fill(std::vector<std::u16string> tags) {
        engine.FillingTags = std::move(tags);
        return Fill(engine, *doc, person);
    }
    std::vector<page::WriteRecord> scrolls() const {
        std::vector<page::WriteRecord> out;
        for (const page::WriteRecord& r : doc->writeLog())
            if (r.kind == page::WriteKind::ScrollIntoView) out.push_back(r);
        return out;
    }
    std::unique_ptr<page::Document> doc;
    engine::clsHTMLItems engine;
    clsUserInfo person = testing::samplePerson();
};

// Tests that a form without entries returns false and does not scroll.
TEST_F(FormFillerTest, NoEntriesReturnsFalse) {
    load("<input name=a>");
    EXPECT_FALSE(fill({}));
    EXPECT_TRUE(scrolls().empty());
}

// Tests that the second of two inputs named tel receives Tel2, and the page scrolls to the last.
TEST_F(FormFillerTest, SecondInputOfANameGetsItsEntry) {
    load("<input type=hidden name=tel value=h><input name=tel><input name=tel><input name=tel>");
    EXPECT_TRUE(fill({u"kvnt1=TEL1", u"kvnt2=TEL2", u"kvnt3=TEL3"}));
    const page::ElementCollection tel = named(*doc, "tel").collection();
    EXPECT_EQ(tel.item(0).value(), "h");
    EXPECT_EQ(tel.item(1).value(), "03");
    EXPECT_EQ(tel.item(2).value(), "1234");
    EXPECT_EQ(tel.item(3).value(), "5678");
    ASSERT_EQ(scrolls().size(), 1U);
    EXPECT_EQ(scrolls()[0].sourceIndex, tel.item(3).sourceIndex());
}

// Tests that an entry with an empty token name or an unknown expression is skipped.
TEST_F(FormFillerTest, EmptyTokenNameAndUnknownWordsAreSkipped) {
    load("<input name=a><input name=b>");
    EXPECT_TRUE(fill({u"=NAME1", u"kvnt1=HOBBY", u"kvnt2=+ADDRESS1+ADDRESS2+ADDRESS3"}));
    EXPECT_EQ(single(*doc, "a").value(), "");
    EXPECT_EQ(single(*doc, "b").value(), "渋谷区神宮前1-2-3ハイツ101");
}

// Tests row 1 on a list: it takes an exact option value, and else stays unchanged.
TEST_F(FormFillerTest, TextEntryOnAListNeedsAnExactValue) {
    load(
        "<select name=z><option value=''>--<option value=150>150</select>"
        "<select name=p><option value=''>--<option value=13>東京都</select>");
    fill({u"kvnt1=ZIP1", u"kvnt2=ADDRESS"});
    EXPECT_EQ(single(*doc, "z").value(), "150");
    EXPECT_EQ(single(*doc, "p").selectedIndex(), 0);
}

// Tests PREFSEL on a list without suffixes and PREF on a text box.
TEST_F(FormFillerTest, PrefectureListAndBox) {
    load("<select name=p><option value=''>--<option value=1>大阪<option value=2>東京</select><input name=q>");
    fill({u"kvnt1=PREFSEL", u"kvnt2=PREF"});
    EXPECT_EQ(single(*doc, "p").value(), "2");
    EXPECT_EQ(single(*doc, "q").value(), "東京都");
}

// Tests that MARRIAGE goes to the marriage writer, not to the age writer it contains.
TEST_F(FormFillerTest, MarriageIsTestedBeforeAge) {
    load("<input type=radio name=m value=1>既婚<input type=radio name=m value=2>未婚");
    fill({u"m=MARRIAGE"});
    EXPECT_TRUE(named(*doc, "m").collection().item(0).status());
}

// Tests sex, age band and job entries on their groups and lists.
TEST_F(FormFillerTest, ChoiceEntries) {
    load(
        "<input type=radio name=sex value=1>男<input type=radio name=sex value=2>女"
        "<select name=age><option>～19歳<option>20～29歳<option>30～39歳<option>40歳以上</select>"
        "<select name=job><option value=''>--<option value=a>学生<option value=b>会社員</select>");
    fill({u"sex=SEX", u"kvnt1=AGE", u"kvnt2=JOB"});
    EXPECT_TRUE(named(*doc, "sex").collection().item(1).status());
    EXPECT_EQ(selectedText(single(*doc, "age")), "30～39歳");
    EXPECT_EQ(single(*doc, "job").value(), "b");
}

// Tests that invisible text boxes and text areas keep their content whatever the entries say.
TEST_F(FormFillerTest, InvisibleBoxesAreNeverWritten) {
    load(
        "<input name=n><input name=h style='display:none'><textarea name=t style='visibility:hidden'>"
        "</textarea>");
    fill({u"kvnt1=NAME", u"kvnt2=EMAIL", u"kvnt3=ADDRESS"});
    EXPECT_EQ(single(*doc, "n").value(), "山田\u3000花子");
    EXPECT_EQ(single(*doc, "h").value(), "");
    EXPECT_EQ(single(*doc, "t").value(), "");
    for (const page::WriteRecord& r : doc->writeLog()) EXPECT_NE(r.name, "h");
}

// Tests that the observer hears each named entry with the range of the writes it made.
TEST_F(FormFillerTest, ObserverSeesTheWritesOfEachEntry) {
    load("<input name=a><input name=b>");
    std::vector<EntryWrites> seen;
    engine.FillingTags = {u"kvnt1=NAME1", u"=NAME2", u"kvnt2=HOBBY"};
    Fill(engine, *doc, person, [&](const EntryWrites& w) { seen.push_back(w); });
    ASSERT_EQ(seen.size(), 2U);
    EXPECT_EQ(seen[0].endWrite - seen[0].firstWrite, 1U);
    EXPECT_EQ(seen[1].entry, u"kvnt2=HOBBY");
    EXPECT_EQ(seen[1].endWrite, seen[1].firstWrite);
}

}  // namespace
}  // namespace orvex::fill
