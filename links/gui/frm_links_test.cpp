#include "links/gui/frm_links.h"

#include <sys/stat.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "bar/bar_model.h"
#include "bar/bar_test_support.h"
#include "bar/fake_timers.h"
#include "gui/message_box.h"
#include "gui/test_app.h"
#include "gui/window_setup.h"
#include "links/gui/open_links.h"
#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::links::gui {
namespace {

using orvex::gui::DialogAnswer;
using orvex::gui::DialogCall;

class FrmLinksTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(settings::ensureDataDir());
        ASSERT_TRUE(profile::testing::spit(linkIni, "[LINK3]\nName=Prizes\nURL=http://a.example/\nInputMode=1\nOrder=5\n"
                                                    "[LINK7]\nName=Shop\nURL=http://b.example/\nInputMode=2\nOrder=6\n"
                                                    "ButtonType=0\n"));
        barLinks = buildLinkCollection(settings::Globals());
        orvex::gui::setDialogResponderForTesting([this](const DialogCall& call) {
            calls.push_back(call);
            DialogAnswer a;
            if (!answers.empty()) {
                a.accepted = answers.front();
                answers.erase(answers.begin());
            }
            return a;
        });
    }
    void TearDown() override { orvex::gui::setDialogResponderForTesting({}); }

    std::unique_ptr<frmLinks> open(const std::optional<clsLink>& newLink = std::nullopt) {
        auto dialog = std::make_unique<frmLinks>(barLinks, newLink, u"Chromium");
        dialog->setOnStored([this](LinkCollection links) { stored = std::move(links); });
        dialog->show();
        return dialog;
    }
    template <typename W>
    static W* find(QWidget& dialog, const char* name) {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QRadioButton* option(QWidget& dialog, int index) {
        for (QRadioButton* b : dialog.findChildren<QRadioButton*>(QStringLiteral("optButtonType")))
            if (b->property("Index").toInt() == index) return b;
        return nullptr;
    }
    static void press(QWidget& dialog, const char* name) { QTest::mouseClick(find<QPushButton>(dialog, name), Qt::LeftButton); }
    static void choose(QWidget& dialog, int line) { find<QListWidget>(dialog, "lstLinks")->setCurrentRow(line); }
    text::Text read(const char16_t* section, const char16_t* key) { return profile::read(linkIni, section, key, u"<none>"); }

    settings::testing::TempHome home;
    std::filesystem::path linkIni = settings::dataFile("link.ini");
    LinkCollection barLinks;
    std::optional<LinkCollection> stored;
    std::vector<DialogCall> calls;
    std::vector<bool> answers;
};

// Tests the caption, the controls and their captions, the list lines, the two mappings shown for
// a link, the Japanese face and the centring.
TEST_F(FrmLinksTest, ControlsShowTheSelectedLink) {
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("URL編集"));
    QListWidget* list = find<QListWidget>(*dialog, "lstLinks");
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Chromium"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("Shop"));
    EXPECT_EQ(list->currentRow(), 0);
    QComboBox* modes = find<QComboBox>(*dialog, "cmbInputMode");
    ASSERT_EQ(modes->count(), 3);
    EXPECT_EQ(modes->itemText(0), QStringLiteral("自動入力"));
    EXPECT_EQ(modes->itemText(1), QStringLiteral("手動入力"));
    EXPECT_EQ(modes->itemText(2), QStringLiteral("入力不可"));
    const QStringList types = {QStringLiteral("アイコン"), QStringLiteral("アイコンと名前"), QStringLiteral("ビットマップ"),
                               QStringLiteral("名前")};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(option(*dialog, i)->text(), types[i]);
    EXPECT_EQ(find<QCheckBox>(*dialog, "chkVisible")->text(), QStringLiteral("バーに表示する"));
    EXPECT_EQ(find<QPushButton>(*dialog, "cmdAdd")->text(), QStringLiteral("追加"));
    EXPECT_EQ(find<QPushButton>(*dialog, "cmdDelete")->text(), QStringLiteral("削除"));
    EXPECT_EQ(find<QPushButton>(*dialog, "cmdOK")->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(find<QPushButton>(*dialog, "cmdCancel")->text(), QStringLiteral("Cancel"));
    for (const char* name : {"txtName", "txtURL", "txtIconFileName", "txtBitMapFileName", "cmdUp", "cmdDown"})
        EXPECT_NE(dialog->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;

    // The browser link: filled on request, icon and name, nothing of its name or address editable.
    EXPECT_EQ(modes->currentIndex(), 1);
    EXPECT_TRUE(option(*dialog, 1)->isChecked());
    EXPECT_FALSE(find<QLineEdit>(*dialog, "txtName")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>(*dialog, "txtURL")->isEnabled());
    EXPECT_FALSE(modes->isEnabled());
    EXPECT_FALSE(find<QPushButton>(*dialog, "cmdDelete")->isEnabled());
    EXPECT_FALSE(find<QPushButton>(*dialog, "cmdUp")->isEnabled());
    EXPECT_FALSE(find<QPushButton>(*dialog, "cmdDown")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>(*dialog, "chkVisible")->isEnabled());

    choose(*dialog, 4);  // Shop: filled on request, icon only, the user's own, last line
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtURL")->text(), QStringLiteral("http://b.example/"));
    EXPECT_TRUE(option(*dialog, 0)->isChecked());
    EXPECT_TRUE(find<QLineEdit>(*dialog, "txtName")->isEnabled());
    EXPECT_TRUE(find<QPushButton>(*dialog, "cmdUp")->isEnabled());
    EXPECT_FALSE(find<QPushButton>(*dialog, "cmdDown")->isEnabled());
    choose(*dialog, 3);  // Prizes, right under the built-in links
    EXPECT_EQ(modes->currentIndex(), 0);
    EXPECT_FALSE(find<QPushButton>(*dialog, "cmdUp")->isEnabled());
    EXPECT_TRUE(find<QPushButton>(*dialog, "cmdDown")->isEnabled());

    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) == nullptr && qobject_cast<QComboBox*>(w) == nullptr &&
            qobject_cast<QListWidget*>(w) == nullptr)
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_EQ(list->font().families().value(0), QString::fromUtf16(orvex::gui::kUiFontName));
    const QRect area = dialog->screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog->frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(dialog->frameGeometry().center().y() - area.center().y()), 1);
}

// Tests that edits reach the link, the name its list line, and that OK writes every link in its
// order, gives the built-in links their look and hands the collection over.
TEST_F(FrmLinksTest, EditsAndOk) {
    auto dialog = open();
    choose(*dialog, 4);
    press(*dialog, "cmdUp");
    EXPECT_EQ(find<QListWidget>(*dialog, "lstLinks")->currentRow(), 3);
    find<QLineEdit>(*dialog, "txtName")->setText(QStringLiteral("お店"));
    EXPECT_EQ(find<QListWidget>(*dialog, "lstLinks")->item(3)->text(), QStringLiteral("お店"));
    find<QComboBox>(*dialog, "cmbInputMode")->setCurrentIndex(2);
    QTest::mouseClick(option(*dialog, 2), Qt::LeftButton);
    choose(*dialog, 0);
    find<QCheckBox>(*dialog, "chkVisible")->click();

    press(*dialog, "cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ((*stored)[3]->Name, u"お店");
    EXPECT_EQ(read(u"LINK7", u"Name"), u"お店");
    EXPECT_EQ(read(u"LINK7", u"Order"), u"3");
    EXPECT_EQ(read(u"LINK7", u"InputMode"), u"0");
    EXPECT_EQ(read(u"LINK7", u"ButtonType"), u"3");
    EXPECT_EQ(read(u"LINK3", u"Order"), u"4");
    EXPECT_EQ(read(u"HDLN0000", u"Visible"), u"False");
    EXPECT_EQ(read(u"HDLN0003", u"ButtonType"), u"2");
    EXPECT_EQ(barLinks[0]->Visible, true);
}

// Tests that a built-in link cannot be deleted (its message, nothing asked), and that a user link
// deleted and then cancelled is gone from "link.ini" while the bar's own links are untouched.
TEST_F(FrmLinksTest, DeleteThenCancel) {
    auto dialog = open();
    choose(*dialog, 2);
    EXPECT_FALSE(find<QPushButton>(*dialog, "cmdDelete")->isEnabled());
    QListWidget* list = find<QListWidget>(*dialog, "lstLinks");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, orvex::gui::DialogKind::Message);
    EXPECT_EQ(calls[0].text, QStringLiteral("このリンクは削除できません"));
    calls.clear();

    choose(*dialog, 3);
    answers = {false};
    press(*dialog, "cmdDelete");
    EXPECT_EQ(calls.at(0).text, QStringLiteral("このリンクを削除しますか"));
    EXPECT_EQ(read(u"LINK3", u"Name"), u"Prizes");
    answers = {true};
    press(*dialog, "cmdDelete");
    EXPECT_EQ(read(u"LINK3", u"Name"), u"<none>");
    EXPECT_EQ(find<QListWidget>(*dialog, "lstLinks")->count(), 4);
    EXPECT_EQ(find<QListWidget>(*dialog, "lstLinks")->currentRow(), 3);
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtName")->text(), QStringLiteral("Shop"));

    press(*dialog, "cmdCancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(stored.has_value());
    EXPECT_EQ(read(u"LINK3", u"Name"), u"<none>");
    EXPECT_EQ(read(u"LINK7", u"Order"), u"6");
    EXPECT_EQ(barLinks.size(), 5u);
}

// Tests that a save that fails says so and leaves the dialog open with the edits, and that a new
// link and hostile text in every box are stored harmlessly once the file can be written.
TEST_F(FrmLinksTest, FailedSaveAndBadInput) {
    auto dialog = open();
    press(*dialog, "cmdAdd");
    EXPECT_EQ(find<QListWidget>(*dialog, "lstLinks")->currentRow(), 5);
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtName")->text(), QStringLiteral("新しいリンク"));
    const QString hostile = QString(600, QChar(u'名')) + QStringLiteral("\r\n[x]\r\nURL=evil");
    for (const char* box : {"txtName", "txtURL", "txtIconFileName", "txtBitMapFileName"})
        find<QLineEdit>(*dialog, box)->setText(hostile);
    ::chmod(linkIni.c_str(), 0444);
    press(*dialog, "cmdOK");
    ::chmod(linkIni.c_str(), 0644);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].text.startsWith(QStringLiteral("リンクを保存できませんでした")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(stored.has_value());
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtURL")->text(), hostile);

    press(*dialog, "cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(read(u"LINK8", u"Name").size(), profile::kMaxValueLength);
    EXPECT_EQ(read(u"LINK3", u"URL"), u"http://a.example/");
    EXPECT_EQ(read(u"x", u"URL"), u"<none>");
}

// Tests the bar's way in: the new link for the current page is added, and after OK the bar shows
// a button for it at once.
TEST_F(FrmLinksTest, OpenedByTheBarReplacesItsLinks) {
    bar::testing::RecordingView view;
    bar::FakeTimerSource timers;
    bar::testing::FakeBrowser browser;
    browser.installed = false;
    bar::BarModel model(view, timers, browser);
    model.setBarWidth(1200);
    model.load();
    const std::size_t before = view.linkButtons.size();
    clsLink page;
    page.Name = u"Campaign";
    page.URL = u"http://c.example/";
    page.Visible = true;
    page.Editable = true;
    page.ButtonType = kButtonName;
    page.GetNewID();
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<frmLinks*>(w); d != nullptr && d->isVisible())
                QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    EXPECT_TRUE(openLinks(model, nullptr, page));
    ASSERT_EQ(view.linkButtons.size(), before + 1);
    EXPECT_EQ(view.linkButtons.back().caption, u"Campaign");
    EXPECT_EQ(read(u"LINK8", u"URL"), u"http://c.example/");
}

}  // namespace
}  // namespace orvex::links::gui
