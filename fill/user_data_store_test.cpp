#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fill/address_info.h"
#include "fill/store_test_support.h"
#include "fill/user_data_file.h"
#include "fill/user_info.h"
#include "profile/profile.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using testing::copyFixture;
using testing::inodeOf;
using testing::slurp;
using testing::TempDir;

clsUserInfo personOf(const TempDir& dir, int index) {
    clsUserInfo person(dir.path(), testing::fixedToday({2024, 6, 15}));
    person.tag = GetPersonTag(index);
    return person;
}

clsAddressInfo addressOf(const TempDir& dir, int index) {
    clsAddressInfo address(dir.path());
    address.tag = GetAddressTag(index);
    return address;
}

// Tests that the section names are built as the file names them.
TEST(UserDataStoreTest, SectionNames) {
    EXPECT_EQ(GetPersonTag(0), u"USER0");
    EXPECT_EQ(GetPersonTag(9), u"USER9");
    EXPECT_EQ(GetAddressTag(0), u"ADDRESS");
    EXPECT_EQ(GetAddressTag(1), u"ADDRESS1");
    EXPECT_EQ(GetAddressTag(9), u"ADDRESS9");
}

// Tests that a complete person reads every key and the fields of its address record.
TEST(UserDataStoreTest, ReadCompletePerson) {
    TempDir dir;
    copyFixture(dir);
    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_TRUE(person.Visible);
    EXPECT_EQ(person.FullName(), u"山田\u3000花子");
    EXPECT_EQ(person.FullNameKana(), u"やまだ\u3000はなこ");
    EXPECT_EQ(person.FullNameRome(), u"Yamada Hanako");
    EXPECT_EQ(person.HandleName, u"はなちゃん");
    EXPECT_TRUE(person.Female);
    EXPECT_EQ(person.BirthDate(), u"1985/4/12");
    EXPECT_EQ(person.Age(), 39);
    EXPECT_EQ(person.Email(), u"hanako.yamada@example.jp");
    EXPECT_EQ(person.Tel(), u"03-1234-5678");
    EXPECT_EQ(person.Fax(), u"03-1234-5679");
    EXPECT_TRUE(person.Marriage);
    EXPECT_EQ(person.Job1, u"会社員");
    EXPECT_EQ(person.Job2, u"事務職");
    EXPECT_EQ(person.IconFileName, u".\\icons\\hana.ico");
    EXPECT_EQ(person.BuiltInIcon, u"2");
    EXPECT_TRUE(person.IconFileEnabled);
    EXPECT_EQ(person.AddressID, 0);
    EXPECT_EQ(person.DisplayName, u"はな");
    EXPECT_EQ(person.Zip(), u"150-0001");
    EXPECT_EQ(person.Prefecture, u"東京都");
    EXPECT_EQ(person.Address1, u"渋谷区神宮前");
    EXPECT_EQ(person.Address3, u"オルヴェハイツ101");
    EXPECT_EQ(person.CheckVisible(), u"True");
}

// Tests that a section in other case is found, unconvertible Booleans and numbers keep their
// defaults, and an empty display name falls back to Name2.
TEST(UserDataStoreTest, ReadUnconvertibleValues) {
    TempDir dir;
    copyFixture(dir);
    clsUserInfo person = personOf(dir, 1);
    EXPECT_EQ(person.CheckVisible(), u"yes");
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_EQ(person.Name1, u"鈴木");
    EXPECT_FALSE(person.Visible);
    EXPECT_FALSE(person.Female);
    EXPECT_FALSE(person.Marriage);
    EXPECT_EQ(person.AddressID, 0);
    EXPECT_EQ(person.DisplayName, u"一郎");
    EXPECT_EQ(person.Prefecture, u"東京都");
}

// Tests that an unconvertible value on a later read keeps the value read before.
TEST(UserDataStoreTest, RereadKeepsPreviousValueOfUnconvertibleKey) {
    TempDir dir;
    copyFixture(dir);
    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    ASSERT_TRUE(profile::write(dir.file(), u"USER0", u"Female", u"maybe"));
    ASSERT_TRUE(profile::write(dir.file(), u"USER0", u"AddressID", u"3.5"));
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_TRUE(person.Female);
    EXPECT_EQ(person.AddressID, 0);
}

// Tests that AddressID 3 reads the section ADDRESS3, and that a person without a file entry reads
// all defaults.
TEST(UserDataStoreTest, AddressByIdAndMissingPerson) {
    TempDir dir;
    copyFixture(dir);
    clsUserInfo person = personOf(dir, 2);
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_EQ(person.AddressID, 3);
    EXPECT_EQ(person.Prefecture, u"大阪府");
    EXPECT_EQ(person.Address2, u"3-1, 2F");
    EXPECT_EQ(person.Address3, u"");
    EXPECT_EQ(person.DisplayName, u"次郎");

    clsUserInfo missing = personOf(dir, 7);
    EXPECT_EQ(missing.CheckVisible(), u"False");
    ASSERT_TRUE(missing.GetFromProfile());
    EXPECT_FALSE(missing.Visible);
    EXPECT_EQ(missing.Name1, u"");
    EXPECT_EQ(missing.Zip(), u"150-0001");
}

// Tests that a missing file reads as all defaults and an unreadable one changes nothing.
TEST(UserDataStoreTest, MissingAndUnreadableFile) {
    TempDir dir;
    clsUserInfo person = personOf(dir, 0);
    person.Name1 = u"残る";
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_EQ(person.Name1, u"");
    EXPECT_FALSE(person.Visible);

    std::filesystem::create_directory(dir.file());
    person.Name1 = u"残る";
    EXPECT_FALSE(person.GetFromProfile());
    EXPECT_EQ(person.Name1, u"残る");
    EXPECT_EQ(person.CheckVisible(), u"False");
    clsAddressInfo address = addressOf(dir, 0);
    address.Zip1 = u"999";
    EXPECT_FALSE(address.GetFromProfile());
    EXPECT_EQ(address.Zip1, u"999");
}

// Tests that a value longer than the read limit comes back cut to 511 characters.
TEST(UserDataStoreTest, LongValueIsCut) {
    TempDir dir;
    ASSERT_TRUE(profile::write(dir.file(), u"USER0", u"Job1", text::Text(600, u'x')));
    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_EQ(person.Job1, text::Text(511, u'x'));
}

// Tests that saving writes only the changed key, and saving again after a fresh read writes nothing.
TEST(UserDataStoreTest, WriteOnlyChangedKeys) {
    TempDir dir;
    copyFixture(dir);
    const std::string before = slurp(dir.file());
    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    const ino_t untouched = inodeOf(dir.file());
    ASSERT_TRUE(person.WriteToProfile());
    EXPECT_EQ(inodeOf(dir.file()), untouched);

    person.Tel3 = u"9999";
    ASSERT_TRUE(person.WriteToProfile());
    std::string expected = before;
    expected.replace(expected.find("Tel3=5678"), 9, "Tel3=9999");
    EXPECT_EQ(slurp(dir.file()), expected);

    clsUserInfo again = personOf(dir, 0);
    ASSERT_TRUE(again.GetFromProfile());
    EXPECT_EQ(again.Tel3, u"9999");
    const ino_t written = inodeOf(dir.file());
    ASSERT_TRUE(again.WriteToProfile());
    EXPECT_EQ(inodeOf(dir.file()), written);
}

// Tests that kana are stored in hiragana and numbers half-width, while the fields keep what was typed.
TEST(UserDataStoreTest, WriteConvertsStoredForms) {
    TempDir dir;
    clsUserInfo person = personOf(dir, 0);
    person.NameKana1 = u"ヤマダ";
    person.NameKana2 = u"ﾊﾅｺ";
    person.NameRome1 = u"Ｙａｍａｄａ";
    person.Tel1 = u"０３";
    person.BirthYear = u"１９８５";
    person.Email2 = u"ｅｘａｍｐｌｅ．ｊｐ";
    person.Name1 = u"ヤマダ";
    ASSERT_TRUE(person.WriteToProfile());
    EXPECT_EQ(person.NameKana1, u"ヤマダ");
    EXPECT_EQ(person.Tel1, u"０３");

    clsUserInfo read = personOf(dir, 0);
    ASSERT_TRUE(read.GetFromProfile());
    EXPECT_EQ(read.NameKana1, u"やまだ");
    EXPECT_EQ(read.NameKana2, u"はなこ");
    EXPECT_EQ(read.NameRome1, u"Yamada");
    EXPECT_EQ(read.Tel1, u"03");
    EXPECT_EQ(read.BirthYear, u"1985");
    EXPECT_EQ(read.Email2, u"example.jp");
    EXPECT_EQ(read.Name1, u"ヤマダ");
}

// Tests that katakana typed over a stored hiragana reading of the same sound writes nothing.
TEST(UserDataStoreTest, ConvertedEqualValueWritesNothing) {
    TempDir dir;
    copyFixture(dir);
    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    person.NameKana1 = u"ヤマダ";
    person.Tel1 = u"０３";
    const ino_t untouched = inodeOf(dir.file());
    ASSERT_TRUE(person.WriteToProfile());
    EXPECT_EQ(inodeOf(dir.file()), untouched);
}

// Tests that a reading stored in katakana by hand is rewritten in hiragana at the next save.
TEST(UserDataStoreTest, HandEditedKatakanaIsNormalised) {
    TempDir dir;
    ASSERT_TRUE(profile::write(dir.file(), u"USER0", u"NameKana1", u"ヤマダ"));
    ASSERT_TRUE(profile::write(dir.file(), u"USER0", u"Tel1", u"０３"));
    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    EXPECT_EQ(person.NameKana1, u"ヤマダ");
    ASSERT_TRUE(person.WriteToProfile());
    EXPECT_EQ(profile::read(dir.file(), u"USER0", u"NameKana1"), u"やまだ");
    EXPECT_EQ(profile::read(dir.file(), u"USER0", u"Tel1"), u"03");
}

// Tests that clearing an address line writes the key with an empty value.
TEST(UserDataStoreTest, ClearedAddressLineIsWritten) {
    TempDir dir;
    copyFixture(dir);
    clsAddressInfo address = addressOf(dir, 0);
    ASSERT_TRUE(address.GetFromProfile());
    EXPECT_EQ(address.Address(), u"東京都 渋谷区神宮前 1-2-3 オルヴェハイツ101");
    address.Address3.clear();
    ASSERT_TRUE(address.WriteToProfile());
    EXPECT_NE(slurp(dir.file()).find("Address3=\n"), std::string::npos);
    clsAddressInfo read = addressOf(dir, 0);
    ASSERT_TRUE(read.GetFromProfile());
    EXPECT_EQ(read.Address3, u"");
    EXPECT_EQ(read.Address2, u"1-2-3");
}

// Tests that a write that cannot happen reports failure, while nothing to write is success.
TEST(UserDataStoreTest, FailedWriteIsReported) {
    TempDir dir;
    const std::filesystem::path gone = dir.path() / "gone";
    clsUserInfo person(gone, testing::fixedToday({2024, 6, 15}));
    person.tag = GetPersonTag(0);
    EXPECT_TRUE(person.WriteToProfile());
    person.Name1 = u"山田";
    EXPECT_FALSE(person.WriteToProfile());

    clsAddressInfo address(gone);
    address.tag = GetAddressTag(0);
    EXPECT_TRUE(address.WriteToProfile());
    address.Zip1 = u"150";
    EXPECT_FALSE(address.WriteToProfile());

    clsUserInfo noFile;
    noFile.tag = GetPersonTag(0);
    noFile.Name1 = u"山田";
    EXPECT_FALSE(noFile.WriteToProfile());
    EXPECT_FALSE(noFile.GetFromProfile());
    clsUserInfo noTag = personOf(dir, 0);
    noTag.tag.clear();
    noTag.Name1 = u"山田";
    EXPECT_FALSE(noTag.WriteToProfile());
    EXPECT_FALSE(std::filesystem::exists(dir.file()));
}

// Tests that a read that failed leaves the last good values, so a later save writes nothing.
TEST(UserDataStoreTest, FailedReadNeverWipesStoredData) {
    TempDir dir;
    copyFixture(dir);
    const std::string good = slurp(dir.file());
    const std::filesystem::path aside = dir.path() / "aside.ini";

    clsUserInfo person = personOf(dir, 0);
    ASSERT_TRUE(person.GetFromProfile());
    std::filesystem::rename(dir.file(), aside);
    std::filesystem::create_directory(dir.file());
    clsUserInfo fresh = personOf(dir, 0);
    clsAddressInfo address = addressOf(dir, 0);
    EXPECT_FALSE(person.GetFromProfile());
    EXPECT_FALSE(fresh.GetFromProfile());
    EXPECT_FALSE(address.GetFromProfile());
    EXPECT_EQ(person.Name1, u"山田");

    std::filesystem::remove(dir.file());
    std::filesystem::rename(aside, dir.file());
    EXPECT_TRUE(person.WriteToProfile());
    EXPECT_TRUE(fresh.WriteToProfile());
    EXPECT_TRUE(address.WriteToProfile());
    EXPECT_EQ(slurp(dir.file()), good);
}

// Tests that ten persons and ten addresses with Japanese text, commas, "=" and empty fields read
// back exactly as written.
TEST(UserDataStoreTest, RoundTripOfAllRecords) {
    TempDir dir;
    for (int i = 0; i < kUserDataSlots; ++i) {
        const text::Text n = text::number(i);
        clsUserInfo person = personOf(dir, i);
        person.Visible = i % 2 == 0;
        person.Name1 = u"山田" + n;
        person.Name2 = i == 3 ? u"" : u"花子, 二世" + n;
        person.NameKana1 = u"やまだ";
        person.NameKana2 = i == 4 ? u"" : u"はなこ";
        person.NameRome1 = u"Yamada,Jr";
        person.NameRome2 = u"Hanako";
        person.HandleName = u"a=b;c [x]";
        person.Female = i % 3 == 0;
        person.BirthYear = u"19" + text::number(50 + i);
        person.BirthMonth = text::number(i + 1);
        person.BirthDay = i == 5 ? u"" : text::number(i + 20);
        person.Email1 = u"user" + n;
        person.Email2 = u"example.jp";
        person.Tel1 = u"03";
        person.Tel2 = i == 6 ? u"" : u"1234";
        person.Tel3 = u"567" + n;
        person.Fax1 = u"";
        person.Fax2 = u"";
        person.Fax3 = i == 7 ? u"9" : u"";
        person.Marriage = i % 2 == 1;
        person.Job1 = u"会社員";
        person.Job2 = i == 8 ? u"" : u"事務, 経理";
        person.IconFileName = u".\\icons\\p" + n + u".ico";
        person.BuiltInIcon = n;
        person.IconFileEnabled = i == 9;
        person.AddressID = static_cast<std::int16_t>(9 - i);
        person.DisplayName = i == 2 ? u"" : u"表示" + n;
        ASSERT_TRUE(person.WriteToProfile());

        clsAddressInfo address = addressOf(dir, i);
        address.Zip1 = u"1" + n + u"0";
        address.Zip2 = u"000" + n;
        address.Prefecture = u"東京都";
        address.Address1 = u"渋谷区神宮前" + n + u"丁目";
        address.Address2 = i == 1 ? u"" : u"1-2-3, 別館";
        address.Address3 = u"ハイツ=" + n;
        ASSERT_TRUE(address.WriteToProfile());
    }

    for (int i = 0; i < kUserDataSlots; ++i) {
        SCOPED_TRACE(i);
        const text::Text n = text::number(i);
        clsUserInfo person = personOf(dir, i);
        ASSERT_TRUE(person.GetFromProfile());
        EXPECT_EQ(person.Visible, i % 2 == 0);
        EXPECT_EQ(person.Name1, u"山田" + n);
        EXPECT_EQ(person.Name2, i == 3 ? u"" : u"花子, 二世" + n);
        EXPECT_EQ(person.NameKana1, u"やまだ");
        EXPECT_EQ(person.NameKana2, i == 4 ? u"" : u"はなこ");
        EXPECT_EQ(person.NameRome1, u"Yamada,Jr");
        EXPECT_EQ(person.HandleName, u"a=b;c [x]");
        EXPECT_EQ(person.Female, i % 3 == 0);
        EXPECT_EQ(person.BirthYear, u"19" + text::number(50 + i));
        EXPECT_EQ(person.BirthMonth, text::number(i + 1));
        EXPECT_EQ(person.BirthDay, i == 5 ? u"" : text::number(i + 20));
        EXPECT_EQ(person.Email(), u"user" + n + u"@example.jp");
        EXPECT_EQ(person.Tel2, i == 6 ? u"" : u"1234");
        EXPECT_EQ(person.Tel3, u"567" + n);
        EXPECT_EQ(person.Fax(), i == 7 ? u"--9" : u"");
        EXPECT_EQ(person.Marriage, i % 2 == 1);
        EXPECT_EQ(person.Job1, u"会社員");
        EXPECT_EQ(person.Job2, i == 8 ? u"" : u"事務, 経理");
        EXPECT_EQ(person.IconFileName, u".\\icons\\p" + n + u".ico");
        EXPECT_EQ(person.BuiltInIcon, n);
        EXPECT_EQ(person.IconFileEnabled, i == 9);
        EXPECT_EQ(person.AddressID, 9 - i);
        // An empty display name is never stored; the caption is then the second name part.
        EXPECT_EQ(person.DisplayName, i == 2 ? person.Name2 : u"表示" + n);
        const int a = 9 - i;
        const text::Text an = text::number(a);
        EXPECT_EQ(person.Zip(), u"1" + an + u"0-000" + an);
        EXPECT_EQ(person.Address1, u"渋谷区神宮前" + an + u"丁目");
        EXPECT_EQ(person.Address2, a == 1 ? u"" : u"1-2-3, 別館");
        EXPECT_EQ(person.Address3, u"ハイツ=" + an);

        const ino_t before = inodeOf(dir.file());
        if (i != 2) {
            ASSERT_TRUE(person.WriteToProfile());
            EXPECT_EQ(inodeOf(dir.file()), before);
        }
    }
}

}  // namespace
}  // namespace orvex::fill
