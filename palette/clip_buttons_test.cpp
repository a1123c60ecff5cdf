#include "palette/clip_buttons.h"

#include <gtest/gtest.h>

#include "palette/phrases.h"
#include "profile/test_support.h"

namespace orvex::palette {
namespace {

using profile::testing::spit;
using profile::testing::TempDir;

std::shared_ptr<const fill::clsUserInfo> person(const char16_t* display, const char16_t* name2) {
    auto p = std::make_shared<fill::clsUserInfo>();
    p->Name1 = u"山田";
    p->Name2 = name2;
    p->DisplayName = display;
    return p;
}

class ClipButtonsTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::filesystem::path file = dir / "system.ini";
    ClipButtons buttons{file};
};

// Tests that every button shows "-" with no text until set, that the phrases load from the file,
// and that with no persons the data buttons keep "-".
TEST_F(ClipButtonsTest, StartsWithDashes) {
    ASSERT_TRUE(spit(file, "[CLIP]\nCAPTION2=よろしく\n"));
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_EQ(buttons.captionSource(i), u"-");
        EXPECT_EQ(buttons.fullText(i), u"");
    }
    buttons.loadPhrases();
    buttons.setPersons({});
    EXPECT_EQ(buttons.selected(), -1);
    EXPECT_EQ(buttons.captionSource(0), u"-");
    EXPECT_EQ(buttons.captionSource(30), u"");
    EXPECT_EQ(buttons.captionSource(31), u"よろしく");
    EXPECT_EQ(buttons.fullText(31), u"よろしく");
}

// Tests that the first person is chosen and fills the data buttons, another can be chosen, a
// position outside the list changes nothing, and an emptied list leaves no one's data behind.
TEST_F(ClipButtonsTest, ChoosingPersons) {
    buttons.setPersons({person(u"花子さん", u"花子"), person(u"太郎さん", u"太郎")});
    EXPECT_EQ(buttons.personNames(), (std::vector<text::Text>{u"花子さん", u"太郎さん"}));
    EXPECT_EQ(buttons.selected(), 0);
    EXPECT_EQ(buttons.fullText(0), u"山田　花子");
    buttons.selectPerson(1);
    EXPECT_EQ(buttons.fullText(2), u"太郎");
    buttons.selectPerson(2);
    EXPECT_EQ(buttons.selected(), 1);
    EXPECT_EQ(buttons.fullText(2), u"太郎");
    buttons.setPersons({});
    EXPECT_EQ(buttons.captionSource(2), u"-");
    EXPECT_EQ(buttons.fullText(2), u"");
}

// Tests that a phrase set from an answer with a line break carries and stores its storable form,
// an empty answer clears it, and data buttons take no phrase.
TEST_F(ClipButtonsTest, SettingPhrases) {
    const auto change = buttons.setPhrase(32, u"いつも\r\nありがとう");
    ASSERT_TRUE(change);
    EXPECT_TRUE(change->stored);
    EXPECT_EQ(buttons.fullText(32), u"いつも ありがとう");
    EXPECT_EQ(readPhrases(file)[2], u"いつも ありがとう");
    ASSERT_TRUE(buttons.setPhrase(32, u""));
    EXPECT_EQ(buttons.captionSource(32), u"");
    EXPECT_EQ(readPhrases(file)[2], u"");
    EXPECT_FALSE(buttons.setPhrase(29, u"x"));
    EXPECT_FALSE(buttons.setPhrase(35, u"x"));
    EXPECT_EQ(buttons.captionSource(29), u"-");
}

// Tests the usage text byte for byte: the heading, the lines with the browser named, empty lines
// where they stand, every line ended by CR LF.
TEST(HelpTextTest, Exact) {
    EXPECT_EQ(helpText(),
              u"Clipboardの使い方\r\n"
              u"\r\n"
              u"名前などのボタンを押したまま、ブラウザ上の入力したい欄の上まで移動してボタンを離すと入力され"
              u"ます。(Drag&Drop)\r\n"
              u"または名前などのボタンを押してから、ブラウザ上の入力したい欄の上でマウスの右ボタンをクリック"
              u"します。\r\n"
              u"出てくるメニューで'貼り付け'を選ぶと入力されます。\r\n"
              u"\r\n"
              u"一番下の5つのボタンは自由欄です。よくコメントに使うフレーズなどを入れてください。\r\n"
              u"ボタンの上でマウスの右ボタンをクリックすると設定できます。\r\n");
}

}  // namespace
}  // namespace orvex::palette
