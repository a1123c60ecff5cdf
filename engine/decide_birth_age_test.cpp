#include <gtest/gtest.h>

#include "engine/decider_test_support.h"

namespace orvex::engine {
namespace {

using namespace decider_testing;

using Entries = std::vector<std::string>;
using Positions = std::vector<int>;

// A select list marked as an era list `marks` times.
std::string eraList(int n, int marks) {
    std::string tag = "<SELECT orgnm=f" + std::to_string(n) + " name=kvnt" + std::to_string(n);
    for (int i = 0; i < marks; ++i) tag += " special=yeartype";
    return tag + ">";
}

clsHTMLItems birthEngine(std::vector<clsHTMLItemBlock> blocks) {
    clsHTMLItems engine = engineWith(std::move(blocks));
    engine.KindBlocks[kBirthDate] = Positions{1};
    return engine;
}

// Tests an age range of two lists with a short mark, and the near misses of an age word
// between them and of two blocks.
TEST(DecideAgeTest, AgeRange) {
    clsHTMLItems range = engineWith({block({"年齢", list(1), "～", list(2)})});
    range.KindBlocks[kAge] = Positions{1};
    EXPECT_TRUE(range.DecideAgeTags());
    EXPECT_EQ(entries(range), Entries({"kvnt1=AGE1", "kvnt2=AGE2"}));

    clsHTMLItems word = engineWith({block({"年齢", list(1), "歳～", list(2)})});
    word.KindBlocks[kAge] = Positions{1};
    EXPECT_TRUE(word.DecideAgeTags());
    EXPECT_EQ(entries(word), Entries({"kvnt1=AGE"}));

    clsHTMLItems twoBlocks = engineWith({block({"年齢", list(1)}), block({"～", list(2)})});
    twoBlocks.KindBlocks[kAge] = Positions{1, 2};
    EXPECT_TRUE(twoBlocks.DecideAgeTags());
    EXPECT_EQ(entries(twoBlocks), Entries({"kvnt1=AGE"}));
}

// Tests that without an age block the marked age lists are used, only when the page flag says
// there are some; an absent list stays absent.
TEST(DecideAgeTest, MarkedAgeList) {
    clsHTMLItems engine = engineWith({block({"ご職業", list(1)}), block({"あなたは", list(2, {"age"})})});
    EXPECT_FALSE(engine.DecideAgeTags());
    engine.HasAgeSelect = true;
    EXPECT_TRUE(engine.DecideAgeTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt2=AGE"}));
    EXPECT_FALSE(engine.KindBlocks[kAge].has_value());

    clsHTMLItems emptyList = engineWith({block({"あなたは", list(1, {"age"})})});
    emptyList.HasAgeSelect = true;
    emptyList.KindBlocks[kAge] = Positions{};
    EXPECT_TRUE(emptyList.DecideAgeTags());
    EXPECT_EQ(*emptyList.KindBlocks[kAge], Positions({1}));
}

// Tests three age inputs: only the first.
TEST(DecideAgeTest, ThreeInputs) {
    clsHTMLItems engine = engineWith({block({"年齢", box(1), box(2), box(3)})});
    engine.KindBlocks[kAge] = Positions{1};
    EXPECT_TRUE(engine.DecideAgeTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=AGE"}));
}

// Tests the layout reader through the decider, and that the birth flags of kinds 4 to 6 are set.
TEST(DecideBirthDateTest, ThreeBoxesWith19) {
    clsHTMLItems engine = birthEngine({block({"生年月日", "19", box(1), "年", box(2), "月", box(3), "日"})});
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=BIRTHYEAR34", "kvnt2=BIRTHMONTH", "kvnt3=BIRTHDAY"}));
    EXPECT_TRUE(engine.KindDecided[kBirthYear] && engine.KindDecided[kBirthMonth] &&
                engine.KindDecided[kBirthDay]);
}

// Tests a year split over two boxes: the layout reader gives the split-year tags.
TEST(DecideBirthDateTest, SplitYear) {
    clsHTMLItems engine =
        birthEngine({block({"生年月日", box(1), box(2), "年", box(3), "月", box(4), "日"})});
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=BIRTHYEARCNT21", "kvnt2=BIRTHYEARCNT22", "kvnt3=BIRTHMONTH",
                                        "kvnt4=BIRTHDAY"}));
}

// Tests an era list in front of the boxes: BIRTHYEARTYPE first, then the position fallback
// because the remaining names no longer line up with the block's inputs.
TEST(DecideBirthDateTest, EraList) {
    clsHTMLItems engine =
        birthEngine({block({"生年月日", eraList(1, 1), box(2), "年", box(3), "月", box(4), "日"})});
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine),
              Entries({"kvnt1=BIRTHYEARTYPE", "kvnt2=BIRTHYEAR", "kvnt3=BIRTHMONTH", "kvnt4=BIRTHDAY"}));

    clsHTMLItems with19 =
        birthEngine({block({"生年月日", eraList(1, 1), "19", box(2), "年", box(3), "月", box(4)})});
    EXPECT_TRUE(with19.DecideBirthDateTags());
    EXPECT_EQ(entries(with19),
              Entries({"kvnt1=BIRTHYEARTYPE", "kvnt2=BIRTHYEAR34", "kvnt3=BIRTHMONTH", "kvnt4=BIRTHDAY"}));
}

// Tests that a year list written with the era (more than ten marks) is no era list.
TEST(DecideBirthDateTest, YearListWithEraNames) {
    clsHTMLItems engine =
        birthEngine({block({"生年月日", eraList(1, 11), "年", box(2), "月", box(3), "日"})});
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=BIRTHYEAR", "kvnt2=BIRTHMONTH", "kvnt3=BIRTHDAY"}));

    clsHTMLItems ten = birthEngine({block({"生年月日", eraList(1, 10), "年", box(2), "月", box(3), "日"})});
    EXPECT_TRUE(ten.DecideBirthDateTags());
    // Ten marks still make an era list; the two boxes left are read as year and month because
    // the label holds 年.
    EXPECT_EQ(entries(ten), Entries({"kvnt1=BIRTHYEARTYPE", "kvnt2=BIRTHYEAR", "kvnt3=BIRTHMONTH"}));
}

// Tests two birth inputs: year and month when the text names the year, else month and day.
TEST(DecideBirthDateTest, TwoInputs) {
    clsHTMLItems monthDay = birthEngine({block({"誕生日", box(1), "/", box(2)})});
    EXPECT_TRUE(monthDay.DecideBirthDateTags());
    EXPECT_EQ(entries(monthDay), Entries({"kvnt1=BIRTHMONTH", "kvnt2=BIRTHDAY"}));

    clsHTMLItems yearMonth = birthEngine({block({"生まれ", "昭和", box(1), "年", box(2), "月"})});
    EXPECT_TRUE(yearMonth.DecideBirthDateTags());
    EXPECT_EQ(entries(yearMonth), Entries({"kvnt1=BIRTHYEAR", "kvnt2=BIRTHMONTH"}));

    clsHTMLItems with19 = birthEngine({block({"19", box(1), "年", box(2), "月"})});
    EXPECT_TRUE(with19.DecideBirthDateTags());
    EXPECT_EQ(entries(with19), Entries({"kvnt1=BIRTHYEAR34", "kvnt2=BIRTHMONTH"}));
}

// Tests a single birth box: BIRTHDATE, or BIRTHYEAR34 between a printed 19 and 年.
TEST(DecideBirthDateTest, OneInput) {
    clsHTMLItems whole = birthEngine({block({"生年月日", box(1), "（例：1970/01/01）"})});
    EXPECT_TRUE(whole.DecideBirthDateTags());
    EXPECT_EQ(entries(whole), Entries({"kvnt1=BIRTHDATE"}));

    clsHTMLItems year = birthEngine({block({"生まれ年 19", box(1), "年"})});
    EXPECT_TRUE(year.DecideBirthDateTags());
    EXPECT_EQ(entries(year), Entries({"kvnt1=BIRTHYEAR34"}));
}

// Tests a date without the 月 label: the layout reader fails and the position fallback applies.
TEST(DecideBirthDateTest, MissingMonthLabel) {
    clsHTMLItems engine = birthEngine({block({"生年月日", box(1), "年", box(2), box(3), "日"})});
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=BIRTHYEAR", "kvnt2=BIRTHMONTH", "kvnt3=BIRTHDAY"}));
}

// Tests the birth blocks of kinds 3 to 6 taken together in position order, with the fallback for
// several blocks and more than three inputs: the last four inputs.
TEST(DecideBirthDateTest, SeveralBlocksFallback) {
    clsHTMLItems engine = engineWith({block({"生年月日", box(1), box(2), box(3)}), block({box(4), box(5)})});
    engine.KindBlocks[kBirthDay] = Positions{2};
    engine.KindBlocks[kBirthDate] = Positions{1};
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt2=BIRTHYEARCNT21", "kvnt3=BIRTHYEARCNT22", "kvnt4=BIRTHMONTH",
                                        "kvnt5=BIRTHDAY"}));
}

// Tests that an era list alone gives its entry but the decider reports no tags and leaves the
// birth flags alone.
TEST(DecideBirthDateTest, EraListOnly) {
    clsHTMLItems engine = birthEngine({block({"生年月日", eraList(1, 1)})});
    EXPECT_FALSE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=BIRTHYEARTYPE"}));
    EXPECT_FALSE(engine.KindDecided[kBirthYear]);

    clsHTMLItems none = engineWith({block({"生年月日", box(1)})});
    EXPECT_FALSE(none.DecideBirthDateTags());
    EXPECT_TRUE(none.FillingTags.empty());
}

// Tests that the layout reader's age tags land on the inputs after the day label.
TEST(DecideBirthDateTest, LayoutWithAge) {
    clsHTMLItems engine =
        birthEngine({block({"生年月日", box(1), "年", box(2), "月", box(3), "日", box(4), "歳"})});
    EXPECT_TRUE(engine.DecideBirthDateTags());
    EXPECT_EQ(entries(engine),
              Entries({"kvnt1=BIRTHYEAR", "kvnt2=BIRTHMONTH", "kvnt3=BIRTHDAY", "kvnt4=AGE"}));
}

}  // namespace
}  // namespace orvex::engine
