#include "fill/fill_birth.h"

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"
#include "fill/form_filler.h"

namespace orvex::fill {
namespace {

using testing::loadPage;
using testing::named;
using testing::selectedText;
using testing::single;

// Options "--", then `from`..`to` in decimal (with `suffix`), values as written by `valued`.
std::string yearOptions(int from, int to, const std::string& suffix = "", bool valued = true) {
    std::string out = "<option value=''>--";
    for (int y = from; y <= to; ++y) {
        const std::string t =
            (y < 10 && to >= 10 && to < 100 && from == 0) ? "0" + std::to_string(y) : std::to_string(y);
        out += valued ? "<option value=" + t + ">" + t + suffix : "<option>" + t + suffix;
    }
    return out;
}

// A filler over the entries `tags` whose generated names stand for the page names given.
class BirthFillTest : public ::testing::Test {
  protected:
    void load(const std::string& form) { doc = loadPage("<form>" + form + "</form>"); }
    void name(const std::u16string& generated, const std::u16string& page) {
        engine.GeneratedNames[generated] = {page, 1};
    }
    bool fill(std::vector<std::u16string> tags) {
        engine.FillingTags = std::move(tags);
        return Fill(engine, *doc, person);
    }
    std::unique_ptr<page::Document> doc;
    engine::clsHTMLItems engine;
    clsUserInfo person = testing::samplePerson();
};

// Tests the split-year words read from a word's length and digits.
TEST(YearRulesTest, SplitWordsAndWidths) {
    EXPECT_EQ(parseYearSplit(u"BIRTHYEARCNT").parts, 1);
    EXPECT_EQ(parseYearSplit(u"BIRTHYEARCNT42").position, 2);
    EXPECT_EQ(parseYearSplit(u"BIRTHYEARCNT4").parts, 0);
    EXPECT_EQ(splitYearWord({2, 1}, 1), u"BIRTHYEAR3");
    EXPECT_EQ(splitYearWord({2, 2}, 2), u"BIRTHYEAR34");
    EXPECT_EQ(splitYearWord({2, 2}, 4), u"");
    EXPECT_EQ(splitYearWord({3, 1}, 1), u"");
    EXPECT_EQ(splitYearWord({3, 2}, 1), u"BIRTHYEAR3");
    EXPECT_EQ(splitYearWord({4, 3}, 1), u"BIRTHYEAR3");
    EXPECT_EQ(splitYearWord({5, 1}, 1), u"");
    EXPECT_EQ(eraYearPart(u"7", {2, 1}), u"0");
    EXPECT_EQ(eraYearPart(u"60", {2, 1}), u"6");
    EXPECT_EQ(eraYearPart(u"60", {2, 2}), u"0");
    EXPECT_FALSE(eraYearPart(u"60", {3, 1}));
}

// Tests the year list probe: a third option 70 selects the two-digit year.
TEST_F(BirthFillTest, TwoDigitYearList) {
    load("<select name=y>" + yearOptions(60, 99) + "</select>");
    name(u"kvnt1", u"y");
    fill({u"kvnt1=BIRTHYEAR"});
    EXPECT_EQ(single(*doc, "y").value(), "85");
}

// Tests that a third option 1970年 makes the probe measure its value and select the full year.
TEST_F(BirthFillTest, LongOptionTextMeasuresTheValue) {
    load("<select name=y>" + yearOptions(1969, 1999, "年") + "</select>");
    name(u"kvnt1", u"y");
    fill({u"kvnt1=BIRTHYEAR"});
    EXPECT_EQ(single(*doc, "y").value(), "1985");
    // Near miss: a birth date entry on a list writes the year the same way.
    load("<select name=y>" + yearOptions(1969, 1999, "年") + "</select>");
    fill({u"kvnt1=BIRTHDATE"});
    EXPECT_EQ(single(*doc, "y").value(), "1985");
}

// Tests a year split over two lists of single digits and over two lists of two characters.
TEST_F(BirthFillTest, YearSplitOverTwoLists) {
    load("<select name=a>" + yearOptions(0, 9) + "</select><select name=b>" + yearOptions(0, 9) +
         "</select>");
    name(u"kvnt1", u"a");
    name(u"kvnt2", u"b");
    fill({u"kvnt1=BIRTHYEARCNT21", u"kvnt2=BIRTHYEARCNT22"});
    EXPECT_EQ(single(*doc, "a").value(), "8");
    EXPECT_EQ(single(*doc, "b").value(), "5");

    load("<select name=a><option>--<option value=19>19<option value=20>20</select><select name=b>" +
         yearOptions(0, 99) + "</select>");
    fill({u"kvnt1=BIRTHYEARCNT21", u"kvnt2=BIRTHYEARCNT22"});
    EXPECT_EQ(single(*doc, "a").value(), "19");
    EXPECT_EQ(single(*doc, "b").value(), "85");
}

// Tests that a year split over two text boxes writes the empty text into both.
TEST_F(BirthFillTest, YearSplitOverTextBoxesWritesNothingOfItsOwn) {
    load("<input name=a value=x><input name=b value=y>");
    name(u"kvnt1", u"a");
    name(u"kvnt2", u"b");
    fill({u"kvnt1=BIRTHYEARCNT21", u"kvnt2=BIRTHYEARCNT22"});
    EXPECT_EQ(single(*doc, "a").value(), "");
    EXPECT_EQ(single(*doc, "b").value(), "");
}

// Tests that an era list offering 西暦 selects it and the year list gets the Western year.
TEST_F(BirthFillTest, WesternCalendarOffered) {
    load("<select name=t><option>--<option>西暦<option>昭和<option>平成</select><select name=y>" +
         yearOptions(1960, 2000) + "</select>");
    name(u"kvnt1", u"t");
    name(u"kvnt2", u"y");
    fill({u"kvnt1=BIRTHYEARTYPE", u"kvnt2=BIRTHYEAR"});
    EXPECT_EQ(selectedText(single(*doc, "t")), "西暦");
    EXPECT_EQ(single(*doc, "y").value(), "1985");
    EXPECT_FALSE(engine.UseEraYear);
}

// Tests that the era chosen by an era list governs the year lists that follow it.
TEST_F(BirthFillTest, EraListGovernsTheYearsThatFollow) {
    person.BirthYear = u"1975";
    load("<select name=y0>" + yearOptions(1960, 2000) +
         "</select><select name=t><option>--<option>昭和<option>平成"
         "</select><select name=y>" +
         yearOptions(1, 64) + "</select>");
    name(u"kvnt1", u"y0");
    name(u"kvnt2", u"t");
    name(u"kvnt3", u"y");
    fill({u"kvnt1=BIRTHYEAR", u"kvnt2=BIRTHYEARTYPE", u"kvnt3=BIRTHYEAR"});
    // The list before the era list still gets the Western year.
    EXPECT_EQ(single(*doc, "y0").value(), "1975");
    EXPECT_EQ(selectedText(single(*doc, "t")), "昭和");
    EXPECT_EQ(single(*doc, "y").value(), "50");
    EXPECT_TRUE(engine.UseEraYear);
    // Filling again starts without the era: the first list again gets the Western year.
    fill({u"kvnt1=BIRTHYEAR"});
    EXPECT_FALSE(engine.UseEraYear);
}

// Tests era years split over two lists: the tens digit and the last digit.
TEST_F(BirthFillTest, EraYearSplitOverTwoLists) {
    person.BirthYear = u"1975";
    load("<select name=t><option>昭和<option>平成</select><select name=a>" + yearOptions(0, 9) +
         "</select><select name=b>" + yearOptions(0, 9) + "</select>");
    name(u"kvnt1", u"t");
    name(u"kvnt2", u"a");
    name(u"kvnt3", u"b");
    fill({u"kvnt1=BIRTHYEARTYPE", u"kvnt2=BIRTHYEARCNT21", u"kvnt3=BIRTHYEARCNT22"});
    EXPECT_EQ(single(*doc, "a").value(), "5");
    EXPECT_EQ(single(*doc, "b").value(), "0");
}

// Tests that a radio button of a birth date gets the value replaced and a collection nothing.
TEST_F(BirthFillTest, RadioValueReplacedAndCollectionsLeftAlone) {
    load("<input type=radio name=r value=x><input name=c value=a><input name=c value=b>");
    name(u"kvnt1", u"r");
    engine.GeneratedNames[u"kvnt2"] = {u"c", 1};
    fill({u"kvnt1=BIRTHDATE", u"c=BIRTHYEAR"});
    EXPECT_EQ(single(*doc, "r").value(), "1985/4/12");
    EXPECT_EQ(named(*doc, "c").collection().item(0).value(), "a");
    EXPECT_EQ(named(*doc, "c").collection().item(1).value(), "b");
}

}  // namespace
}  // namespace orvex::fill
