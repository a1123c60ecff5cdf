#include <gtest/gtest.h>

#include "engine/decider_test_support.h"

namespace orvex::engine {
namespace {

using namespace decider_testing;

using Entries = std::vector<std::string>;
using Positions = std::vector<int>;

// Runs the zip, prefecture and city deciders as the filling stage does, recording their flags.
void runAddressDeciders(clsHTMLItems& engine) {
    engine.KindDecided[kZip] = engine.DecideZipTags();
    engine.KindDecided[kPref] = engine.DecidePrefTags();
    engine.KindDecided[kCity] = engine.DecideCityTags();
}

// Tests that a hyphen between a 3 and a 4 box makes the zip pair.
TEST(DecideAddressTest, ZipPair) {
    clsHTMLItems engine = engineWith({block({"郵便番号", box(1, "3"), "-", box(2, "4")})});
    engine.KindBlocks[kZip] = Positions{1};
    EXPECT_TRUE(engine.DecideZipTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ZIP1", "kvnt2=ZIP2"}));
}

// Tests that a 3 and a 5 box without hyphen are no pair: the second becomes a placeholder that
// the city decider turns into the address input.
TEST(DecideAddressTest, ZipNoPairLeftoverBecomesAddress) {
    clsHTMLItems engine = engineWith({block({"郵便番号", box(1, "3"), box(2, "5")})});
    engine.KindBlocks[kZip] = Positions{1};
    EXPECT_TRUE(engine.DecideZipTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ZIP", "kvnt2=ZIPOPT"}));
    engine.KindDecided[kZip] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ZIP", "kvnt2=PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests that two zip boxes in two blocks are never a pair, even with a hyphen.
TEST(DecideAddressTest, ZipTwoBlocksNoPair) {
    clsHTMLItems engine = engineWith({block({"〒", box(1, "3"), "-"}), block({box(2, "4")})});
    engine.KindBlocks[kZip] = Positions{1, 2};
    EXPECT_TRUE(engine.DecideZipTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ZIP", "kvnt2=ZIPOPT"}));
}

// Tests three zip inputs: the pair test decides between ZIP1/ZIP2 and ZIP, the rest ZIPOPT.
TEST(DecideAddressTest, ZipThreeInputs) {
    clsHTMLItems pair = engineWith({block({"〒", box(1, "3"), "-", box(2, "4"), box(3, "40")})});
    pair.KindBlocks[kZip] = Positions{1};
    EXPECT_TRUE(pair.DecideZipTags());
    EXPECT_EQ(entries(pair), Entries({"kvnt1=ZIP1", "kvnt2=ZIP2", "kvnt3=ZIPOPT"}));

    clsHTMLItems single = engineWith({block({"〒", box(1, "8"), box(2, "4"), box(3, "40")})});
    single.KindBlocks[kZip] = Positions{1};
    EXPECT_TRUE(single.DecideZipTags());
    EXPECT_EQ(entries(single), Entries({"kvnt1=ZIP", "kvnt2=ZIPOPT", "kvnt3=ZIPOPT"}));
}

// Tests that a wide single zip input takes the whole address only when there is no city or
// building list (an existing empty city list counts as none).
TEST(DecideAddressTest, ZipSingleWideInput) {
    clsHTMLItems wide = engineWith({block({"住所", box(1, "60")})});
    wide.KindBlocks[kZip] = Positions{1};
    EXPECT_TRUE(wide.DecideZipTags());
    EXPECT_EQ(entries(wide), Entries({"kvnt1=ZIP+PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));

    clsHTMLItems narrow = engineWith({block({"〒", box(1, "7")})});
    narrow.KindBlocks[kZip] = Positions{1};
    EXPECT_TRUE(narrow.DecideZipTags());
    EXPECT_EQ(entries(narrow), Entries({"kvnt1=ZIP"}));

    clsHTMLItems emptyCity = engineWith({block({"住所", box(1, "60")})});
    emptyCity.KindBlocks[kZip] = Positions{1};
    emptyCity.KindBlocks[kCity] = Positions{};
    emptyCity.KindBlocks[kApart] = Positions{1};  // not consulted: the city list exists
    EXPECT_TRUE(emptyCity.DecideZipTags());
    EXPECT_EQ(entries(emptyCity), Entries({"kvnt1=ZIP+PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));

    clsHTMLItems withBuilding = engineWith({block({"住所", box(1, "60")}), block({"建物", box(2)})});
    withBuilding.KindBlocks[kZip] = Positions{1};
    withBuilding.KindBlocks[kApart] = Positions{2};
    EXPECT_TRUE(withBuilding.DecideZipTags());
    EXPECT_EQ(entries(withBuilding), Entries({"kvnt1=ZIP"}));
}

// Tests that a zip block of select lists only, or no zip block, yields nothing.
TEST(DecideAddressTest, ZipWithoutInputs) {
    clsHTMLItems engine = engineWith({block({"〒", list(1)})});
    EXPECT_FALSE(engine.DecideZipTags());
    engine.KindBlocks[kZip] = Positions{};
    EXPECT_FALSE(engine.DecideZipTags());
    engine.KindBlocks[kZip] = Positions{1};
    EXPECT_FALSE(engine.DecideZipTags());
    EXPECT_TRUE(engine.FillingTags.empty());
}

// Tests the prefecture decider with and without a prefecture list on the page.
TEST(DecidePrefTest, ListAndBoxes) {
    clsHTMLItems withList = engineWith({block({"都道府県", list(1, {"pref"}), box(2)})});
    withList.KindBlocks[kPref] = Positions{1};
    withList.HasPrefSelect = true;
    EXPECT_TRUE(withList.DecidePrefTags());
    EXPECT_EQ(entries(withList), Entries({"kvnt1=PREFSEL", "kvnt2=PREFSEL"}));

    clsHTMLItems boxes = engineWith({block({"都道府県", box(1), box(2)})});
    boxes.KindBlocks[kPref] = Positions{1};
    EXPECT_TRUE(boxes.DecidePrefTags());
    EXPECT_EQ(entries(boxes), Entries({"kvnt1=PREF", "kvnt2=ZIPOPT"}));

    clsHTMLItems one = engineWith({block({"都道府県", list(1, {"pref"})})});
    one.KindBlocks[kPref] = Positions{1};
    one.HasPrefSelect = true;
    EXPECT_TRUE(one.DecidePrefTags());
    EXPECT_EQ(entries(one), Entries({"kvnt1=PREF"}));

    clsHTMLItems none = engineWith({block({"都道府県"})});
    none.KindBlocks[kPref] = Positions{1};
    EXPECT_FALSE(none.DecidePrefTags());
}

// Tests one city input after zip and prefecture: the "=+" form of the three lines.
TEST(DecideCityTest, OneInputZipAndPrefDone) {
    clsHTMLItems engine = engineWith({block({"住所", box(5)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindDecided[kZip] = true;
    engine.KindDecided[kPref] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt5=+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests one city input without zip: the postal mark, code and prefecture go in front.
TEST(DecideCityTest, OneInputNothingDone) {
    clsHTMLItems engine = engineWith({block({"住所", box(5)})});
    engine.KindBlocks[kCity] = Positions{1};
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt5=ZIPT+PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests that an input that already took the zip code receives the whole address as well.
TEST(DecideCityTest, ZipInputIsAlsoAddressInput) {
    clsHTMLItems engine = engineWith({block({"〒住所", box(1, "60")})});
    engine.KindBlocks[kZip] = Positions{1};
    engine.KindBlocks[kCity] = Positions{1};
    runAddressDeciders(engine);
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ZIP", "kvnt1=ZIPT+PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests two city inputs of sizes 10 and 40 with zip done: no zip-and-other split.
TEST(DecideCityTest, TwoInputsZipDone) {
    clsHTMLItems engine = engineWith({block({"住所", box(1, "10"), box(2, "40")})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindDecided[kZip] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=+PREF+ADDRESS1", "kvnt2=ADDRESS2+ADDRESS3"}));
}

// Tests two city inputs of sizes 8 and 40 with nothing done: zip in the first, the rest in the
// second; with sizes 20 and 40 the first takes zip, prefecture and the first line.
TEST(DecideCityTest, TwoInputsZipAndOther) {
    clsHTMLItems engine = engineWith({block({"住所", box(1, "8"), box(2, "40")})});
    engine.KindBlocks[kCity] = Positions{1};
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=+ZIPT", "kvnt2=PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));

    clsHTMLItems wider = engineWith({block({"住所", box(1, "20"), box(2, "40")})});
    wider.KindBlocks[kCity] = Positions{1};
    EXPECT_TRUE(wider.DecideCityTags());
    EXPECT_EQ(entries(wider), Entries({"kvnt1=+ZIPT+PREF+ADDRESS1", "kvnt2=ADDRESS2+ADDRESS3"}));
}

// Tests two city inputs with zip and prefecture done, in a building block or not.
TEST(DecideCityTest, TwoInputsBuildingInCity) {
    clsHTMLItems engine = engineWith({block({"住所・建物名", box(1), box(2)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindBlocks[kApart] = Positions{1};
    engine.KindDecided[kZip] = true;
    engine.KindDecided[kPref] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ADDRESS1+ADDRESS2", "kvnt2=ADDRESS3"}));
    EXPECT_TRUE(engine.KindBlocks[kApart]->empty());
    EXPECT_FALSE(engine.KindDecided[kApart]);

    clsHTMLItems plain = engineWith({block({"住所", box(1), box(2)})});
    plain.KindBlocks[kCity] = Positions{1};
    plain.KindDecided[kZip] = true;
    plain.KindDecided[kPref] = true;
    EXPECT_TRUE(plain.DecideCityTags());
    EXPECT_EQ(entries(plain), Entries({"kvnt1=ADDRESS1", "kvnt2=ADDRESS2+ADDRESS3"}));
}

// Tests a separate building block: it is decided first and the city inputs leave out line 3.
TEST(DecideCityTest, SeparateBuildingBlock) {
    clsHTMLItems engine = engineWith({block({"住所", box(1), box(2)}), block({"建物名", box(3), box(4)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindBlocks[kApart] = Positions{2};
    engine.KindDecided[kZip] = true;
    engine.KindDecided[kPref] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_TRUE(engine.KindDecided[kApart]);
    EXPECT_EQ(entries(engine), Entries({"kvnt4=ADDRESS3", "kvnt1=+ADDRESS1", "kvnt2=ADDRESS2"}));
}

// Tests that the building blocks stand in for a city list without inputs.
TEST(DecideCityTest, BuildingStandsInForCity) {
    clsHTMLItems engine = engineWith({block({"市区町村", list(1)}), block({"建物名", box(2)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindBlocks[kApart] = Positions{2};
    engine.KindDecided[kZip] = true;
    engine.KindDecided[kPref] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt2=+ADDRESS1+ADDRESS2+ADDRESS3"}));
    EXPECT_FALSE(engine.KindDecided[kApart]);
}

// Tests three city inputs, and that with everything done the first gets an empty tag.
TEST(DecideCityTest, ThreeInputs) {
    clsHTMLItems engine = engineWith({block({"住所", box(1), box(2), box(3)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindDecided[kZip] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=+PREF+ADDRESS1", "kvnt2=ADDRESS2", "kvnt3=ADDRESS3"}));

    clsHTMLItems allDone = engineWith({block({"住所", box(1), box(2), box(3)})});
    allDone.KindBlocks[kCity] = Positions{1};
    allDone.KindDecided[kZip] = true;
    allDone.KindDecided[kPref] = true;
    allDone.KindDecided[kApart] = true;
    EXPECT_TRUE(allDone.DecideAddressTags(allDone.KindBlocks[kCity], {u"kvnt1", u"kvnt2", u"kvnt3"}, false));
    EXPECT_EQ(entries(allDone), Entries({"kvnt1=", "kvnt2=ADDRESS1", "kvnt3=ADDRESS2"}));
}

// Tests four and five city inputs: the entry order with zip missing, and nothing past the fourth.
TEST(DecideCityTest, FourAndMoreInputs) {
    clsHTMLItems engine = engineWith({block({"住所", box(1), box(2), box(3), box(4)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindDecided[kPref] = true;
    EXPECT_TRUE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine),
              Entries({"kvnt1=+ZIPT", "kvnt4=ADDRESS3", "kvnt2=ADDRESS1", "kvnt3=ADDRESS2"}));

    clsHTMLItems five = engineWith({block({"住所", box(1), box(2), box(3), box(4), box(5)})});
    five.KindBlocks[kCity] = Positions{1};
    five.KindDecided[kZip] = true;
    five.KindDecided[kPref] = true;
    EXPECT_TRUE(five.DecideCityTags());
    EXPECT_EQ(entries(five), Entries({"kvnt1=ADDRESS1", "kvnt2=ADDRESS2", "kvnt3=ADDRESS3"}));
}

// Tests that a prefecture placeholder left after the city inputs is turned into an address input
// in a second round, after the city entries.
TEST(DecideCityTest, LeftoverPlaceholdersAfterCity) {
    clsHTMLItems engine = engineWith({block({"都道府県", box(1), box(2)}), block({"住所", box(3)})});
    engine.KindBlocks[kPref] = Positions{1};
    engine.KindBlocks[kCity] = Positions{2};
    runAddressDeciders(engine);
    EXPECT_EQ(entries(engine), Entries({"kvnt1=PREF", "kvnt3=ZIPT+PREF+ADDRESS1+ADDRESS2+ADDRESS3",
                                        "kvnt2=ZIPT+PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests that with no city, building or placeholder inputs the city decider appends nothing.
TEST(DecideCityTest, NothingToDo) {
    clsHTMLItems engine = engineWith({block({"〒", box(1)})});
    engine.FillingTags.push_back(u"kvnt1=ZIP");
    EXPECT_FALSE(engine.DecideCityTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=ZIP"}));
}

// Tests that the building decider gives the last building input ADDRESS3, without the city
// blocks, and nothing when only city blocks remain.
TEST(DecideApartTest, LastInputOutsideCity) {
    clsHTMLItems engine = engineWith({block({"住所", box(1)}), block({"建物", box(2), box(3)})});
    engine.KindBlocks[kCity] = Positions{1};
    engine.KindBlocks[kApart] = Positions{1, 2};
    EXPECT_TRUE(engine.DecideApartTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt3=ADDRESS3"}));
    EXPECT_EQ(*engine.KindBlocks[kApart], Positions({2}));

    clsHTMLItems inCity = engineWith({block({"住所", box(1)})});
    inCity.KindBlocks[kCity] = Positions{1};
    inCity.KindBlocks[kApart] = Positions{1};
    EXPECT_FALSE(inCity.DecideApartTags());
    EXPECT_TRUE(inCity.FillingTags.empty());
}

// Tests that SubtractPositions removes the last equal entry once per value.
TEST(DecideAddressTest, SubtractPositions) {
    Positions list = {3, 5, 3, 7};
    clsHTMLItems::SubtractPositions(list, {3});
    EXPECT_EQ(list, Positions({3, 5, 7}));
    clsHTMLItems::SubtractPositions(list, {3, 3, 9, 7});
    EXPECT_EQ(list, Positions({5}));
    clsHTMLItems::SubtractPositions(list, list);
    EXPECT_TRUE(list.empty());
}

// Tests that GetFillingTag matches the whole name before "=".
TEST(DecideAddressTest, GetFillingTag) {
    clsHTMLItems engine;
    engine.FillingTags = {u"kvnt10=ZIP", u"kvnt1=+ADDRESS1", u"kvnt1=ZIP"};
    EXPECT_EQ(u8(engine.GetFillingTag(u"kvnt1")), "+ADDRESS1");
    EXPECT_EQ(u8(engine.GetFillingTag(u"kvnt10")), "ZIP");
    EXPECT_EQ(u8(engine.GetFillingTag(u"kvnt2")), "");
}

}  // namespace
}  // namespace orvex::engine
