#include "fill/setup/person_setup.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "fill/setup/setup_lists.h"
#include "fill/store_test_support.h"
#include "profile/profile.h"

namespace orvex::fill::setup {
namespace {

using testing::slurp;
using testing::TempDir;

// The position of a text box in PersonControls::text.
std::size_t box(const char* name) {
    for (std::size_t i = 0; i < kPersonTextBoxCount; ++i)
        if (std::string_view(kPersonTextBoxes[i].name) == name) return i;
    ADD_FAILURE() << name;
    return 0;
}

class PersonSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(profile::writeAll(dir.file(), u"USER0",
                                      {{u"Visible", u"True"}, {u"Name1", u"山田"}, {u"Name2", u"花子"}, {u"Tel3", u"5678"}}));
        ASSERT_TRUE(profile::writeAll(dir.file(), u"USER1", {{u"Name1", u"鈴木"}, {u"Job2", u"営業職"}}));
        ASSERT_TRUE(profile::writeAll(dir.file(), u"ADDRESS", {{u"Prefecture", u"東京都"}, {u"Address1", u"港区"}}));
        ASSERT_TRUE(setup.load());
    }
    text::Text read(const char16_t* section, const char16_t* key) {
        return profile::read(dir.file(), section, key, u"<none>");
    }
    TempDir dir;
    PersonSetup setup{dir.path()};
};

// Tests that the lines name each record by position and full name or address, and that the
// controls of an empty Job2 and prefecture show the "none" entries while a stored one shows itself.
TEST_F(PersonSetupTest, LinesAndNoneEntries) {
    EXPECT_EQ(setup.personLine(0), u"0 - 山田\u3000花子");
    EXPECT_EQ(setup.personLine(9), u"9 - \u3000");
    EXPECT_EQ(setup.addressLine(0), u"0 - 東京都 港区  ");
    EXPECT_EQ(controlsOf(setup.person(0)).job2, u"-");
    EXPECT_EQ(controlsOf(setup.person(1)).job2, u"営業職");
    EXPECT_EQ(controlsOf(setup.address(1)).prefecture, u" - ");
    EXPECT_EQ(controlsOf(setup.address(0)).prefecture, u"東京都");
}

// Tests that switching persons keeps the edits of the person left without writing anything, and
// that coming back shows them.
TEST_F(PersonSetupTest, SwitchingKeepsEditsUnwritten) {
    const std::string before = slurp(dir.file());
    PersonControls shown = controlsOf(setup.person(0));
    shown.text[box("txtTel3")] = u"9999";
    const PersonControls second = setup.choosePerson(1, shown);
    EXPECT_EQ(second.text[box("txtName1")], u"鈴木");
    EXPECT_EQ(setup.currentPerson(), 1);
    EXPECT_EQ(setup.person(0).Tel3, u"9999");
    EXPECT_EQ(slurp(dir.file()), before);

    const PersonControls back = setup.choosePerson(0, second);
    EXPECT_EQ(back.text[box("txtTel3")], u"9999");
    // Out of range keeps the current one.
    EXPECT_EQ(setup.choosePerson(10, back).text[box("txtTel3")], u"9999");
    EXPECT_EQ(setup.currentPerson(), 0);
}

// Tests that saving writes the changed keys of every person and address record, the "none"
// entries as empty values, and nothing for records nobody touched.
TEST_F(PersonSetupTest, SaveWritesOnlyChanges) {
    PersonControls p0 = controlsOf(setup.person(0));
    p0.text[box("txtTel3")] = u"0000";
    p0.marriage = 2;  // "その他" is stored as not married
    PersonControls p1 = setup.choosePerson(1, p0);
    p1.job2 = u"-";
    setup.choosePerson(0, p1);
    AddressControls a0 = controlsOf(setup.address(0));
    a0.prefecture = u" - ";
    a0.text[3] = u"1-2-3";  // txtAddress2
    setup.chooseAddress(2, a0);

    ASSERT_TRUE(setup.save().ok);
    EXPECT_EQ(read(u"USER0", u"Tel3"), u"0000");
    EXPECT_EQ(read(u"USER0", u"Marriage"), u"<none>");
    EXPECT_EQ(read(u"USER1", u"Job2"), u"<none>");  // written empty
    EXPECT_NE(slurp(dir.file()).find("Job2=\n"), std::string::npos);
    EXPECT_EQ(read(u"ADDRESS", u"Prefecture"), u"<none>");
    EXPECT_EQ(read(u"ADDRESS", u"Address2"), u"1-2-3");
    // Untouched records gain no section, not even for their icon number.
    EXPECT_EQ(slurp(dir.file()).find("[USER2]"), std::string::npos);
    EXPECT_EQ(slurp(dir.file()).find("[ADDRESS2]"), std::string::npos);
    EXPECT_EQ(read(u"USER0", u"BuiltInIcon"), u"<none>");
}

// Tests that the icon counter wraps past the last icon and is stored only when it was changed.
TEST_F(PersonSetupTest, IconCounter) {
    EXPECT_EQ(nextIcon(0, 6), 1);
    EXPECT_EQ(nextIcon(5, 6), 0);
    EXPECT_EQ(nextIcon(3, 0), 0);
    PersonControls p0 = controlsOf(setup.person(0));
    p0.iconCounter = nextIcon(p0.iconCounter, 6);
    p0.iconOption = kIconFile;
    p0.text[box("txtIconFileName")] = u".\\icons\\me.ico";
    setup.storePerson(p0);
    ASSERT_TRUE(setup.save().ok);
    EXPECT_EQ(read(u"USER0", u"BuiltInIcon"), u"1");
    EXPECT_EQ(read(u"USER0", u"IconFileEnabled"), u"True");
    EXPECT_EQ(read(u"USER0", u"IconFileName"), u".\\icons\\me.ico");
}

// Tests that no visible person is noticed, and that typing a first name ticks the visibility while
// an empty one does not.
TEST_F(PersonSetupTest, Visibility) {
    EXPECT_TRUE(setup.anyVisible());
    PersonControls p0 = controlsOf(setup.person(0));
    p0.visible = false;
    setup.storePerson(p0);
    EXPECT_FALSE(setup.anyVisible());
    EXPECT_TRUE(ticksVisible(u"太郎"));
    EXPECT_FALSE(ticksVisible(u""));
}

// Tests that a save that cannot replace the file reports the records it could not write, keeps
// the edits in memory and leaves the file as it was.
TEST_F(PersonSetupTest, FailedSaveIsReported) {
    PersonControls p0 = controlsOf(setup.person(0));
    p0.text[box("txtName1")] = u"田中";
    setup.storePerson(p0);
    const std::string before = slurp(dir.file());
    ::chmod(dir.file().c_str(), 0444);
    const SaveResult result = setup.save();
    ::chmod(dir.file().c_str(), 0644);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedSections, std::vector<text::Text>{u"USER0"});
    EXPECT_EQ(slurp(dir.file()), before);
    EXPECT_EQ(setup.person(0).Name1, u"田中");
    EXPECT_TRUE(setup.save().ok);
    EXPECT_EQ(read(u"USER0", u"Name1"), u"田中");
}

// Tests that hostile text stays in its own key: line breaks, "=", a section header and 600
// characters neither add sections nor change other keys, and a non-numeric birth year is kept.
TEST_F(PersonSetupTest, BadInputStaysHarmless) {
    PersonControls p0 = controlsOf(setup.person(0));
    p0.text[box("txtName1")] = u"a\r\n[USER5]\r\nVisible=True";
    p0.text[box("txtName2")] = text::Text(600, u'長');
    p0.text[box("txtHandleName")] = u"x=y[x]";
    p0.text[box("txtBirthYear")] = u"昭和五十";
    setup.storePerson(p0);
    ASSERT_TRUE(setup.save().ok);

    PersonSetup again(dir.path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.person(0).Name1, u"a  [USER5]  Visible=True");
    EXPECT_EQ(again.person(0).Name2.size(), profile::kMaxValueLength);
    EXPECT_EQ(again.person(0).HandleName, u"x=y[x]");
    EXPECT_EQ(again.person(0).BirthYear, u"昭和五十");
    EXPECT_EQ(again.person(0).Age(), 0);
    EXPECT_EQ(again.person(0).Tel3, u"5678");
    EXPECT_FALSE(again.person(5).Visible);
}

}  // namespace
}  // namespace orvex::fill::setup
