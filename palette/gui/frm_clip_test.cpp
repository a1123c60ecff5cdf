#include "palette/gui/frm_clip.h"

#include <set>

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui/qt_text.h"
#include "gui/test_app.h"
#include "palette/gui/gui_test_support.h"
#include "palette/phrases.h"
#include "profile/test_support.h"

namespace orvex::palette::gui {
namespace {

using orvex::gui::fromQt;
using orvex::gui::toQt;
using profile::testing::slurp;
using profile::testing::spit;
using testing::DialogRecorder;
using testing::person;

class FrmClipTest : public orvex::gui::testing::QtFixture {
  protected:
    ClipButton* button(int index) { return clip.panel()->button(index); }
    QComboBox* users() { return clip.findChild<QComboBox*>(QStringLiteral("cmbUsers")); }

    profile::testing::TempDir dir;
    std::filesystem::path file = dir / "system.ini";
    frmClip clip{file};
};

// Tests the loaded palette: its caption and names, the persons in list order with the first
// chosen, the data buttons' captions and tool tips from that person, another person's data once
// chosen, and an accessible name on every control.
TEST_F(FrmClipTest, LoadsThePersons) {
    clip.load({person(u"花子さん", u"花子", u"hanako"), person(u"太郎さん", u"太郎", u"taro")});
    EXPECT_EQ(clip.windowTitle(), QStringLiteral("Orvex2000 Clipboard"));
    EXPECT_EQ(clip.objectName(), QStringLiteral("frmClip"));
    ASSERT_EQ(users()->count(), 2);
    EXPECT_EQ(users()->itemText(1), QStringLiteral("太郎さん"));
    EXPECT_EQ(users()->currentIndex(), 0);
    EXPECT_EQ(button(0)->toolTip(), QStringLiteral("山田　花子"));
    EXPECT_EQ(button(0)->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(button(0)->accessibleName(), QStringLiteral("山田　花子"));
    EXPECT_EQ(button(0)->accessibleDescription(), QStringLiteral("氏名"));
    EXPECT_EQ(button(27)->toolTip(), QStringLiteral("hanako@example.jp"));
    users()->setCurrentIndex(1);
    EXPECT_EQ(button(2)->toolTip(), QStringLiteral("太郎"));
    EXPECT_EQ(button(27)->toolTip(), QStringLiteral("taro@example.jp"));
    const auto named = clip.findChildren<QPushButton*>(QStringLiteral("cmdText"));
    std::set<int> indexes;
    for (const QPushButton* b : named) indexes.insert(b->property("Index").toInt());
    EXPECT_EQ(indexes.size(), static_cast<std::size_t>(kButtonCount));
    EXPECT_EQ(*indexes.begin(), 0);
    EXPECT_EQ(*indexes.rbegin(), kButtonCount - 1);
    EXPECT_TRUE(clip.findChild<QWidget*>(QStringLiteral("lblLenTest")));
    EXPECT_EQ(testing::unnamedControls(clip), std::vector<std::string>{});
}

// Tests that with no persons the data buttons keep "-" and copy nothing, while a person with
// every field empty gives empty captions, named by their labels for screen readers.
TEST_F(FrmClipTest, NoPersonsAndEmptyPerson) {
    clip.load({});
    EXPECT_EQ(users()->count(), 0);
    for (int i = 0; i < kDataButtonCount; ++i) {
        EXPECT_EQ(button(i)->text(), QStringLiteral("-")) << i;
        EXPECT_EQ(button(i)->fullText(), QString()) << i;
    }
    EXPECT_EQ(button(0)->dragData(), nullptr);
    auto empty = std::make_shared<fill::clsUserInfo>();
    clip.setPersons({empty});
    for (int i = 0; i < kDataButtonCount; ++i) EXPECT_EQ(button(i)->text(), QString()) << i;
    EXPECT_EQ(button(17)->accessibleName(), QStringLiteral("住所（都道府県から）"));
}

// Tests that a long phrase with "&" in it is shortened to fit its button, shown with its "&",
// and is copied by a click and carried by a drag in full.
TEST_F(FrmClipTest, LongPhraseShortenedButCarriedWhole) {
    const std::string phrase =
        "Q&A: " + std::string(60, 'x') + "いつもお世話になっております。" + std::string(40, 'y');
    ASSERT_TRUE(spit(file, "[CLIP]\nCAPTION1=" + phrase + "\n"));
    clip.load({person(u"花子さん", u"花子")});
    ClipButton* b = button(30);
    const QString full = QString::fromStdString(phrase);
    EXPECT_EQ(b->fullText(), full);
    EXPECT_EQ(b->toolTip(), full);
    const QString caption = b->shownCaption();
    EXPECT_LT(caption.size(), full.size());
    EXPECT_TRUE(full.startsWith(caption));
    EXPECT_TRUE(caption.startsWith(QStringLiteral("Q&A")));
    EXPECT_LE(b->fontMetrics().horizontalAdvance(caption), b->width() - 10);
    EXPECT_GT(b->fontMetrics().horizontalAdvance(full.left(caption.size() + 1)), b->width() - 10);

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), full);
    std::unique_ptr<QMimeData> carried(b->dragData());
    ASSERT_TRUE(carried);
    EXPECT_EQ(carried->text(), full);
    EXPECT_TRUE(carried->hasFormat(QStringLiteral("text/plain")));
}

// Tests the right release on a phrase button: the prompt with the phrase as its preset, the
// answer shown and stored (a line break as one blank), a cancelled prompt storing an empty
// phrase, and nothing asked over a data button.
TEST_F(FrmClipTest, RightReleaseEditsPhrases) {
    ASSERT_TRUE(spit(file, "[CLIP]\nCAPTION3=古い\n"));
    clip.load({person(u"花子さん", u"花子")});
    DialogRecorder dialogs;
    dialogs.answer = {true, QStringLiteral("新しい\r\n言葉")};
    QTest::mouseClick(button(32), Qt::RightButton);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, orvex::gui::DialogKind::Input);
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("ボタンに設定する文字列を入力してください。"));
    EXPECT_EQ(dialogs.calls[0].preset, QStringLiteral("古い"));
    EXPECT_EQ(button(32)->fullText(), QStringLiteral("新しい 言葉"));
    EXPECT_EQ(readPhrases(file)[2], u"新しい 言葉");

    dialogs.answer = {false, {}};
    QTest::mouseClick(button(32), Qt::RightButton);
    EXPECT_EQ(button(32)->text(), QString());
    EXPECT_NE(slurp(file).find("CAPTION3=\n"), std::string::npos);

    QTest::mouseClick(button(5), Qt::RightButton);
    QTest::mouseClick(button(29), Qt::RightButton);
    EXPECT_EQ(dialogs.calls.size(), 2u);
}

// Tests that a "system.ini" that cannot be read or written leaves the phrases empty and says that
// an edited phrase was not stored, while the button carries it.
TEST_F(FrmClipTest, UnwritableSystemFile) {
    std::filesystem::create_directory(file);
    clip.load({person(u"花子さん", u"花子")});
    EXPECT_EQ(button(30)->text(), QString());
    DialogRecorder dialogs;
    dialogs.answer = {true, QStringLiteral("言葉")};
    QTest::mouseClick(button(30), Qt::RightButton);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("設定を保存できませんでした。"));
    EXPECT_EQ(button(30)->fullText(), QStringLiteral("言葉"));
}

// Tests that the help button shows the usage text under the product name.
TEST_F(FrmClipTest, HelpShowsTheUsageText) {
    clip.load({});
    DialogRecorder dialogs;
    QTest::mouseClick(clip.findChild<QPushButton*>(QStringLiteral("cmdHelp")), Qt::LeftButton);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, orvex::gui::DialogKind::Message);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("Orvex2000"));
    EXPECT_EQ(fromQt(dialogs.calls[0].text), helpText());
}

// Tests that the bar's entry opens the palette at the right edge 500 twips from the top, and
// closes it when it is open without ending the program (the bar, a tool window, does not count as
// a window that keeps it); the program's event loop runs meanwhile, as it decides about that.
TEST_F(FrmClipTest, ToggleOpensAndCloses) {
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    bool opened = false, closed = false;
    QRect frame;
    QTimer::singleShot(0, &clip, [&] {
        clip.toggle({person(u"花子さん", u"花子")});
        opened = clip.isVisible();
        frame = clip.frameGeometry();
        clip.toggle({});
        closed = !clip.isVisible();
        QTimer::singleShot(100, qApp, &QCoreApplication::quit);
    });
    QApplication::exec();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(closed);
    EXPECT_EQ(frame.right(), clip.screen()->geometry().right());
    EXPECT_EQ(frame.top(), 33);
    EXPECT_EQ(lastClosed.count(), 0);
}

}  // namespace
}  // namespace orvex::palette::gui
