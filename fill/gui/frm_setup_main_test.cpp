#include "fill/gui/frm_setup_main.h"

#include <sys/stat.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "bar/bar_model.h"
#include "bar/bar_test_support.h"
#include "bar/fake_timers.h"
#include "fill/gui/open_person_setup.h"
#include "fill/setup/setup_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/test_app.h"
#include "gui/window_setup.h"
#include "profile/profile.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::fill::gui {
namespace {

using orvex::gui::DialogAnswer;
using orvex::gui::DialogCall;
using orvex::gui::toQt;

// Two plain pictures stand in for the bar's built-in icons.
BuiltInIcons twoIcons() {
    return {[](int i) {
                QPixmap p(16, 16);
                p.fill(i == 0 ? Qt::red : Qt::blue);
                return QIcon(p);
            },
            2};
}

class FrmSetupMainTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
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

    std::filesystem::path file() const { return home.data() / "userdata.ini"; }
    void writePersons() {
        std::filesystem::create_directories(home.data());
        ASSERT_TRUE(profile::writeAll(file(), u"USER0", {{u"Visible", u"True"}, {u"Name1", u"山田"}, {u"Name2", u"花子"}}));
        ASSERT_TRUE(profile::writeAll(file(), u"USER1", {{u"Name1", u"鈴木"}}));
        ASSERT_TRUE(profile::writeAll(file(), u"ADDRESS", {{u"Prefecture", u"東京都"}}));
    }
    std::unique_ptr<frmSetupMain> open() {
        auto dialog = std::make_unique<frmSetupMain>(home.data(), twoIcons());
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
        for (QRadioButton* b : dialog.findChildren<QRadioButton*>(QStringLiteral("optIcon")))
            if (b->property("Index").toInt() == index) return b;
        ADD_FAILURE() << "optIcon " << index;
        return nullptr;
    }
    // Types as an input method commits Japanese text.
    static void type(QWidget& dialog, const char* box, const QString& text) {
        QLineEdit* edit = find<QLineEdit>(dialog, box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
    }
    static void press(QWidget& dialog, const char* button) { QTest::mouseClick(find<QPushButton>(dialog, button), Qt::LeftButton); }
    std::string fileText() const { return bar::testing::readFile(file()); }

    settings::testing::TempHome home;
    std::vector<DialogCall> calls;
    std::vector<bool> answers;
};

// Tests the caption, the Japanese face, the centring on the screen, the documented controls and
// the lists with their entries in order.
TEST_F(FrmSetupMainTest, ControlsAndLists) {
    writePersons();
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ユーザ設定"));
    for (const char* name : {"cmdTab", "cmbPerson", "txtName1", "txtName2", "chkVisible", "txtNameKana1", "txtNameKana2",
                             "txtNameRome1", "txtNameRome2", "txtHandleName", "cmbSex", "cmbMarriage", "txtBirthYear",
                             "txtBirthMonth", "txtBirthDay", "txtEmail1", "txtEmail2", "txtTel1", "txtTel2", "txtTel3",
                             "txtFax1", "txtFax2", "txtFax3", "cmbJob1", "cmbJob2", "cmdNextIcon", "txtIconFileName",
                             "cmbAddress", "txtDisplayName", "cmbAddressSel", "txtZip1", "txtZip2", "cmbPref",
                             "txtAddress1", "txtAddress2", "txtAddress3", "cmdOK", "cmdCancel"})
        EXPECT_NE(dialog->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(dialog->findChildren<QRadioButton*>(QStringLiteral("optIcon")).size(), 2);
    EXPECT_EQ(find<QCheckBox>(*dialog, "chkVisible")->text(), QStringLiteral("バーに表示する"));
    EXPECT_EQ(find<QPushButton>(*dialog, "cmdNextIcon")->text(), QStringLiteral("次のアイコン"));
    QTabBar* tabs = find<QTabBar>(*dialog, "cmdTab");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("個人情報"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("住所"));

    QComboBox* job1 = find<QComboBox>(*dialog, "cmbJob1");
    QComboBox* job2 = find<QComboBox>(*dialog, "cmbJob2");
    QComboBox* pref = find<QComboBox>(*dialog, "cmbPref");
    ASSERT_EQ(job1->count(), 19);
    EXPECT_EQ(job1->itemText(0), QStringLiteral("会社員"));
    EXPECT_EQ(job1->itemText(12), QStringLiteral("魚業"));
    EXPECT_EQ(job1->itemText(18), QStringLiteral("無職"));
    ASSERT_EQ(job2->count(), 8);
    EXPECT_EQ(job2->itemText(0), QStringLiteral("-"));
    EXPECT_EQ(job2->itemText(7), QStringLiteral("販売職"));
    ASSERT_EQ(pref->count(), 49);
    EXPECT_EQ(pref->itemText(0), QStringLiteral(" - "));
    EXPECT_EQ(pref->itemText(1), QStringLiteral("北海道"));
    EXPECT_EQ(pref->itemText(14), QStringLiteral("東京都"));
    EXPECT_EQ(pref->itemText(47), QStringLiteral("沖縄県"));
    EXPECT_EQ(pref->itemText(48), QStringLiteral("その他"));
    EXPECT_EQ(find<QComboBox>(*dialog, "cmbSex")->itemText(1), QStringLiteral("女性"));
    EXPECT_EQ(find<QComboBox>(*dialog, "cmbMarriage")->itemText(2), QStringLiteral("その他"));
    QComboBox* persons = find<QComboBox>(*dialog, "cmbPerson");
    ASSERT_EQ(persons->count(), 10);
    EXPECT_EQ(persons->itemText(0), QStringLiteral("0 - 山田\u3000花子"));
    EXPECT_EQ(find<QComboBox>(*dialog, "cmbAddressSel")->itemText(0), QStringLiteral("0 - 東京都   "));

    // Every box and list has a name for screen readers (the lists' own edit lines aside).
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) == nullptr && qobject_cast<QComboBox*>(w) == nullptr) continue;
        if (qobject_cast<QComboBox*>(w->parentWidget()) != nullptr) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_EQ(job1->font().families().value(0), QString::fromUtf16(orvex::gui::kUiFontName));
    const QString family = QFontInfo(find<QLineEdit>(*dialog, "txtName1")->font()).family();
    EXPECT_TRUE(family.contains("CJK") || family.contains("IPA") || family.contains("Gothic")) << family.toStdString();
    const QRect area = dialog->screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog->frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(dialog->frameGeometry().center().y() - area.center().y()), 1);
}

// Tests that switching persons keeps the edits of the person left and rewrites its line, and that
// typing a first name ticks the visibility while clearing it does not untick it.
TEST_F(FrmSetupMainTest, SwitchingPersonsKeepsEdits) {
    writePersons();
    auto dialog = open();
    QComboBox* persons = find<QComboBox>(*dialog, "cmbPerson");
    QCheckBox* visible = find<QCheckBox>(*dialog, "chkVisible");
    type(*dialog, "txtName2", QStringLiteral("桜子"));
    persons->setCurrentIndex(1);
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtName1")->text(), QStringLiteral("鈴木"));
    EXPECT_EQ(persons->itemText(0), QStringLiteral("0 - 山田\u3000桜子"));
    EXPECT_FALSE(visible->isChecked());
    type(*dialog, "txtName1", QString());
    EXPECT_FALSE(visible->isChecked());
    type(*dialog, "txtName1", QStringLiteral("佐藤"));
    EXPECT_TRUE(visible->isChecked());

    persons->setCurrentIndex(0);
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtName2")->text(), QStringLiteral("桜子"));
    persons->setCurrentIndex(1);
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtName1")->text(), QStringLiteral("佐藤"));
    EXPECT_TRUE(visible->isChecked());
    EXPECT_EQ(fileText().find("桜子"), std::string::npos);
}

// Tests that Cancel asks, that answering Cancel there keeps the dialog with its edits, and that
// OK there closes it and loses every edit, those of persons switched away from included.
TEST_F(FrmSetupMainTest, CancelLosesAllEdits) {
    writePersons();
    const std::string before = fileText();
    auto dialog = open();
    type(*dialog, "txtName2", QStringLiteral("桜子"));
    find<QComboBox>(*dialog, "cmbPerson")->setCurrentIndex(1);
    type(*dialog, "txtTel1", QStringLiteral("03"));

    answers = {false};
    press(*dialog, "cmdCancel");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, orvex::gui::DialogKind::OkCancel);
    EXPECT_EQ(calls[0].text, QStringLiteral("保存せずに設定を終了してよろしいですか"));
    EXPECT_EQ(calls[0].title, QStringLiteral("Orvex2000"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtTel1")->text(), QStringLiteral("03"));

    answers = {true};
    press(*dialog, "cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(fileText(), before);
}

// Tests that OK with every person hidden asks; OK to the question keeps the dialog open and writes
// nothing, Cancel to it stores the data all the same.
TEST_F(FrmSetupMainTest, OkWithEveryPersonHiddenAsks) {
    writePersons();
    auto dialog = open();
    int saves = 0;
    dialog->setAfterSave([&saves] { ++saves; });
    QTest::mouseClick(find<QCheckBox>(*dialog, "chkVisible"), Qt::LeftButton);
    ASSERT_FALSE(find<QCheckBox>(*dialog, "chkVisible")->isChecked());
    type(*dialog, "txtHandleName", QStringLiteral("はな"));

    answers = {true};
    press(*dialog, "cmdOK");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, toQt(setup::kNoVisiblePersonQuestion));
    EXPECT_TRUE(calls[0].text.contains(QStringLiteral("（バーに表示するには[バーに表示する]チェックボックスをオンにして下さい）\n\n設定しなおしますか？")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(profile::read(file(), u"USER0", u"HandleName"), u"");
    EXPECT_EQ(saves, 0);

    answers = {false};
    press(*dialog, "cmdOK");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(profile::read(file(), u"USER0", u"Visible"), u"False");
    EXPECT_EQ(profile::read(file(), u"USER0", u"HandleName"), u"はな");
    EXPECT_EQ(saves, 1);
}

// Tests that a visible person saves without a question, and that edits made on the address tab
// are kept when leaving it and show in the person's address list.
TEST_F(FrmSetupMainTest, AddressTabAndSave) {
    writePersons();
    auto dialog = open();
    QTabBar* tabs = find<QTabBar>(*dialog, "cmdTab");
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(find<QWidget>(*dialog, "fraAddress")->isVisible());
    EXPECT_FALSE(find<QWidget>(*dialog, "fraPerson")->isVisible());
    find<QComboBox>(*dialog, "cmbAddressSel")->setCurrentIndex(3);
    type(*dialog, "txtAddress1", QStringLiteral("札幌市"));
    find<QComboBox>(*dialog, "cmbPref")->setCurrentIndex(1);
    tabs->setCurrentIndex(0);
    QComboBox* address = find<QComboBox>(*dialog, "cmbAddress");
    EXPECT_EQ(address->itemText(3), QStringLiteral("3 - 北海道 札幌市  "));
    address->setCurrentIndex(3);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(find<QComboBox>(*dialog, "cmbAddressSel")->currentIndex(), 3);

    press(*dialog, "cmdOK");
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(profile::read(file(), u"ADDRESS3", u"Address1"), u"札幌市");
    EXPECT_EQ(profile::read(file(), u"USER0", u"AddressID"), u"3");
}

// Tests the icon choice: the built-in option enables "次のアイコン", which steps and wraps; the
// file option disables it and previews a picture file, and a file that is no picture shows nothing.
TEST_F(FrmSetupMainTest, IconChoice) {
    writePersons();
    QImage png(8, 8, QImage::Format_ARGB32);
    png.fill(Qt::green);
    ASSERT_TRUE(png.save(QString::fromStdString((home.data() / "me.png").string())));
    bar::testing::writeFile(home.data() / "not.ico", "this is text, not a picture");
    auto dialog = open();
    QPushButton* next = find<QPushButton>(*dialog, "cmdNextIcon");
    QLabel* preview = find<QLabel>(*dialog, "imgIcon");
    EXPECT_TRUE(option(*dialog, 0)->isChecked());
    EXPECT_TRUE(next->isEnabled());
    EXPECT_FALSE(preview->pixmap().isNull());
    const QRgb first = preview->pixmap().toImage().pixel(4, 4);
    press(*dialog, "cmdNextIcon");
    EXPECT_NE(preview->pixmap().toImage().pixel(4, 4), first);
    press(*dialog, "cmdNextIcon");
    EXPECT_EQ(preview->pixmap().toImage().pixel(4, 4), first);

    QTest::mouseClick(option(*dialog, 1), Qt::LeftButton);
    EXPECT_FALSE(next->isEnabled());
    type(*dialog, "txtIconFileName", QStringLiteral("not.ico"));
    EXPECT_TRUE(preview->pixmap().isNull());
    type(*dialog, "txtIconFileName", QStringLiteral(".\\me.png"));
    EXPECT_FALSE(preview->pixmap().isNull());

    press(*dialog, "cmdOK");
    EXPECT_EQ(profile::read(file(), u"USER0", u"IconFileEnabled"), u"True");
    EXPECT_EQ(profile::read(file(), u"USER0", u"IconFileName"), u".\\me.png");
}

// Tests that a save that fails says so and leaves the dialog open with what was typed, and that
// OK succeeds once the file can be written again.
TEST_F(FrmSetupMainTest, FailedSaveKeepsTheDialog) {
    writePersons();
    auto dialog = open();
    type(*dialog, "txtName2", QStringLiteral("桜子"));
    ::chmod(file().c_str(), 0444);
    press(*dialog, "cmdOK");
    ::chmod(file().c_str(), 0644);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, orvex::gui::DialogKind::Message);
    EXPECT_EQ(calls[0].text, toQt(setup::kSaveFailedMessage));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(find<QLineEdit>(*dialog, "txtName2")->text(), QStringLiteral("桜子"));
    press(*dialog, "cmdOK");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(profile::read(file(), u"USER0", u"Name2"), u"桜子");
}

// Tests that hostile text in every text box (600 characters, line breaks, "=", a section header)
// and a non-numeric birth year are stored in their own keys without making sections or widening
// the dialog.
TEST_F(FrmSetupMainTest, BadInputStaysHarmless) {
    writePersons();
    auto dialog = open();
    const QSize size = dialog->size();
    const QString hostile = QString(600, QChar(u'長')) + QStringLiteral("\r\n[x]\r\nVisible=True=");
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        if (edit->objectName().startsWith(QStringLiteral("txt"))) edit->setText(hostile);
    }
    find<QLineEdit>(*dialog, "txtBirthYear")->setText(QStringLiteral("せんきゅうひゃく"));
    find<QComboBox>(*dialog, "cmbPerson")->setCurrentIndex(2);
    find<QComboBox>(*dialog, "cmbPerson")->setCurrentIndex(0);
    EXPECT_EQ(dialog->size(), size);
    press(*dialog, "cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const std::vector<text::Text> sections = profile::sectionNames(file());
    EXPECT_EQ(sections, (std::vector<text::Text>{u"USER0", u"USER1", u"ADDRESS"}));
    EXPECT_EQ(profile::read(file(), u"USER0", u"Name1").size(), profile::kMaxValueLength);
    EXPECT_EQ(profile::read(file(), u"USER0", u"BirthYear"), u"せんきゅうひゃく");
    EXPECT_EQ(profile::read(file(), u"USER0", u"Visible"), u"True");
}

// Tests the bar's way in: the first start without "userdata.ini" opens the dialog, and a person
// entered there has a button on the bar as soon as OK is pressed.
TEST_F(FrmSetupMainTest, OpenedByTheBarUpdatesItsButtons) {
    bar::testing::RecordingView view;
    bar::FakeTimerSource timers;
    bar::testing::FakeBrowser browser;
    browser.installed = false;
    bar::BarModel model(view, timers, browser);
    model.setBarWidth(1000);
    ASSERT_FALSE(std::filesystem::exists(file()));
    model.load();
    ASSERT_EQ(view.dialogs, std::vector<bar::BarDialog>{bar::BarDialog::PersonSetup});
    ASSERT_TRUE(view.personButtons.empty());

    int refreshed = 0;
    QTimer::singleShot(0, [this] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<frmSetupMain*>(w);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            type(*dialog, "txtName1", QStringLiteral("山田"));
            type(*dialog, "txtName2", QStringLiteral("太郎"));
            type(*dialog, "txtDisplayName", QStringLiteral("太郎"));
            press(*dialog, "cmdOK");
        }
    });
    EXPECT_TRUE(openPersonSetup(model, nullptr, twoIcons(), [&refreshed] { ++refreshed; }));
    ASSERT_EQ(view.personButtons.size(), 1u);
    EXPECT_EQ(view.personButtons[0].caption, u"太郎");
    EXPECT_EQ(refreshed, 1);
}

}  // namespace
}  // namespace orvex::fill::gui
