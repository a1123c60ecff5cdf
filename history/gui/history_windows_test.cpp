#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/message_box.h"
#include "gui/test_app.h"
#include "gui/window_setup.h"
#include "history/gui/deadline_notice.h"
#include "history/gui/frm_edit_hist.h"
#include "history/gui/frm_hist_list.h"
#include "history/gui/history_windows.h"
#include "profile/profile.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::history::gui {
namespace {

using orvex::gui::DialogAnswer;
using orvex::gui::DialogCall;
using RecPtr = clsRecs::RecPtr;

constexpr Date kToday{2024, 5, 10};

class HistoryWindowsTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(settings::ensureDataDir());
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
    void TearDown() override {
        orvex::gui::setDialogResponderForTesting({});
        clsRec::setEditHandler({});
    }
    RecPtr record(clsRecs& store, const char16_t* site, const char16_t* limit = u"",
                  const char16_t* date = u"2024/05/01") {
        auto r = std::make_shared<clsRec>();
        r->CreatedDate = date;
        r->CreatedTime = u"10:00:00";
        r->SiteName = site;
        r->LimitDate = limit;
        EXPECT_TRUE(store.Record(r));
        return r;
    }
    template <typename W>
    static W* find(QWidget& window, const char* name) {
        W* w = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void press(QWidget& window, const char* name) { QTest::mouseClick(find<QPushButton>(window, name), Qt::LeftButton); }
    text::Text stored(const char16_t* key) const { return profile::read(file, u"data", key, u"<none>"); }

    settings::testing::TempHome home;
    std::filesystem::path file = settings::dataFile("record.ini");
    clsRecs store;
    std::vector<DialogCall> calls;
    std::vector<bool> answers;
};

// Tests the list's caption, sort entries, several-line selection, the day count of the clicked
// line, the resize rules and the Japanese face.
TEST_F(HistoryWindowsTest, ListShowsTheStore) {
    record(store, u"A", u"", u"2024/05/01");
    record(store, u"B", u"", u"2024/05/02");
    record(store, u"C", u"", u"2024/05/02");
    frmHistList list(store, [] { return kToday; });
    list.show();
    EXPECT_EQ(list.windowTitle(), QStringLiteral("応募履歴"));
    QComboBox* sort = find<QComboBox>(list, "cmbSortType");
    ASSERT_EQ(sort->count(), 4);
    EXPECT_EQ(sort->itemText(0), QStringLiteral("応募順\u3000新->古"));
    EXPECT_EQ(sort->itemText(3), QStringLiteral("締切順\u3000遠い->近い"));
    QListWidget* lines = find<QListWidget>(list, "lstHist");
    EXPECT_EQ(lines->selectionMode(), QAbstractItemView::ExtendedSelection);
    ASSERT_EQ(lines->count(), 3);
    EXPECT_TRUE(lines->item(0)->text().endsWith(QStringLiteral("C,")));
    sort->setCurrentIndex(1);
    EXPECT_TRUE(lines->item(0)->text().endsWith(QStringLiteral("A,")));
    lines->item(1)->setSelected(true);
    EXPECT_EQ(find<QLabel>(list, "lblIntheday")->text(), QStringLiteral("2024/05/02  2件応募"));
    EXPECT_EQ(find<QPushButton>(list, "cmdEdit")->text(), QStringLiteral("編集"));
    EXPECT_EQ(find<QPushButton>(list, "cmdDelete")->text(), QStringLiteral("削除"));

    list.resize(700, 500);
    EXPECT_EQ(lines->width(), 673);
    EXPECT_EQ(lines->height(), 400);
    EXPECT_EQ(find<QPushButton>(list, "cmdEdit")->y(), 447);
    EXPECT_EQ(find<QPushButton>(list, "cmdDelete")->y(), 447);
    EXPECT_EQ(lines->font().families().value(0), QString::fromUtf16(orvex::gui::kUiFontName));
}

// Tests that a record recorded while the list is open appears at once, and that the list stops
// listening when it is gone.
TEST_F(HistoryWindowsTest, ListFollowsChanged) {
    record(store, u"A");
    auto list = std::make_unique<frmHistList>(store, [] { return kToday; });
    QListWidget* lines = find<QListWidget>(*list, "lstHist");
    ASSERT_EQ(lines->count(), 1);
    record(store, u"from the browser");
    ASSERT_EQ(lines->count(), 2);
    EXPECT_TRUE(lines->item(0)->text().contains(QStringLiteral("from the browser")));
    list.reset();
    record(store, u"after");
    EXPECT_EQ(store.Count(), 3);
}

// Tests Delete: its question, Cancel keeping everything, OK removing every selected line and
// saving, and no line selected still saving and refreshing.
TEST_F(HistoryWindowsTest, DeleteSelectedLines) {
    record(store, u"A");
    record(store, u"B");
    record(store, u"C");
    frmHistList list(store, [] { return kToday; });
    list.show();
    QListWidget* lines = find<QListWidget>(list, "lstHist");
    lines->item(0)->setSelected(true);
    lines->item(2)->setSelected(true);
    answers = {false};
    press(list, "cmdDelete");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, QStringLiteral("削除してよろしいですか？"));
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(store.Count(), 3);

    answers = {true};
    press(list, "cmdDelete");
    ASSERT_EQ(store.Count(), 1);
    EXPECT_EQ(store.Item(1)->SiteName, u"B");
    EXPECT_EQ(lines->count(), 1);
    EXPECT_EQ(stored(u"Count"), u"1");

    ASSERT_TRUE(profile::write(file, u"data", u"Count", u"9"));
    answers = {true};
    press(list, "cmdDelete");
    EXPECT_EQ(stored(u"Count"), u"1");
    EXPECT_EQ(lines->count(), 1);
    EXPECT_TRUE(list.isVisible());
}

// Tests that Edit with no line selected only hides and shows the list, and with lines selected
// edits the first of them.
TEST_F(HistoryWindowsTest, EditTakesTheFirstSelectedLine) {
    record(store, u"A");
    record(store, u"B");
    record(store, u"C");
    std::vector<text::Text> edited;
    clsRec::setEditHandler([&edited](clsRec& rec) {
        edited.push_back(rec.SiteName);
        return false;
    });
    frmHistList list(store, [] { return kToday; });
    list.show();
    press(list, "cmdEdit");
    EXPECT_TRUE(edited.empty());
    EXPECT_TRUE(list.isVisible());
    QListWidget* lines = find<QListWidget>(list, "lstHist");
    lines->item(2)->setSelected(true);
    lines->item(1)->setSelected(true);
    press(list, "cmdEdit");
    EXPECT_EQ(edited, std::vector<text::Text>{u"B"});
}

// Tests that entries closing today or within three days stand out, past ones are greyed, and
// later or undated ones look as usual.
TEST_F(HistoryWindowsTest, DeadlinesStandOut) {
    record(store, u"later", u"2024/05/20");
    record(store, u"past", u"2024/05/09");
    record(store, u"soon", u"2024/05/13");
    record(store, u"today", u"2024/05/10");
    record(store, u"none");
    frmHistList list(store, [] { return kToday; });
    QListWidget* lines = find<QListWidget>(list, "lstHist");
    ASSERT_EQ(lines->count(), 5);
    auto look = [&](int line) { return lines->item(line)->data(Qt::UserRole).toString(); };
    EXPECT_EQ(look(0), QString());
    EXPECT_EQ(look(1), QStringLiteral("soon"));
    EXPECT_EQ(lines->item(1)->toolTip(), QStringLiteral("今日が締切です"));
    EXPECT_TRUE(lines->item(1)->font().bold());
    EXPECT_EQ(look(2), QStringLiteral("soon"));
    EXPECT_EQ(lines->item(2)->toolTip(), QStringLiteral("締切まであと3日です"));
    EXPECT_EQ(look(3), QStringLiteral("past"));
    EXPECT_EQ(lines->item(3)->foreground().color(), QColor(150, 150, 150));
    EXPECT_EQ(look(4), QString());
    EXPECT_FALSE(lines->item(4)->font().bold());
}

// Tests the edit window: caption, lists, the record in the controls, not modal, the raise timer,
// the centring; a "-" month keeps the deadline and OK saves and announces a stored record.
TEST_F(HistoryWindowsTest, EditWindowKeepsDeadlineOnDash) {
    const RecPtr rec = record(store, u"Site", u"2024/07/07");
    int changed = 0;
    store.subscribeChanged([&changed](const RecPtr&) { ++changed; });
    auto* window = new frmEditHist(store, rec, 2024);
    QPointer<frmEditHist> alive(window);
    EXPECT_FALSE(window->Edit());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("応募履歴編集"));
    EXPECT_EQ(find<QLabel>(*window, "lblCreated")->text(), QStringLiteral("2024/05/01  10:00:00"));
    QComboBox* year = find<QComboBox>(*window, "cmbLimitYear");
    QComboBox* month = find<QComboBox>(*window, "cmbLimitMonth");
    QComboBox* day = find<QComboBox>(*window, "cmbLimitDay");
    ASSERT_EQ(year->count(), 4);
    EXPECT_EQ(year->itemText(3), QStringLiteral("2027"));
    ASSERT_EQ(month->count(), 13);
    ASSERT_EQ(day->count(), 32);
    EXPECT_EQ(month->currentText(), QStringLiteral("07"));
    EXPECT_EQ(day->currentText(), QStringLiteral("07"));
    EXPECT_EQ(find<QLineEdit>(*window, "txtSiteName")->text(), QStringLiteral("Site"));
    QTimer* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    const QRect area = window->screen()->availableGeometry();
    EXPECT_LE(std::abs(window->frameGeometry().center().x() - area.center().x()), 1);

    month->setCurrentIndex(0);
    day->setCurrentText(QStringLiteral("20"));
    find<QLineEdit>(*window, "txtContents")->setText(QStringLiteral("3名様"));
    press(*window, "cmdOK");
    QApplication::processEvents();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(rec->LimitDate, u"2024/07/07");
    EXPECT_EQ(rec->Contents, u"3名様");
    EXPECT_EQ(stored(u"data_1"), u"2024/05/01,10:00:00,2024/07/07,Site,,3名様");
    EXPECT_EQ(changed, 1);
}

// Tests that OK with a day that does not exist, or with a file that cannot be written, says
// "Error!" and keeps the window open, that Cancel leaves the record alone, and that hostile text
// stays inside its record line.
TEST_F(HistoryWindowsTest, EditWindowErrorsAndCancel) {
    const RecPtr rec = record(store, u"Site");
    auto* window = new frmEditHist(store, rec, 2024);
    QPointer<frmEditHist> alive(window);
    window->Edit();
    find<QComboBox>(*window, "cmbLimitMonth")->setCurrentText(QStringLiteral("02"));
    find<QComboBox>(*window, "cmbLimitDay")->setCurrentText(QStringLiteral("30"));
    press(*window, "cmdOK");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, QStringLiteral("Error!"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(rec->LimitDate, u"");

    find<QComboBox>(*window, "cmbLimitDay")->setCurrentText(QStringLiteral("28"));
    const QString hostile = QString(600, QChar(u'賞')) + QStringLiteral("\r\n[data]\r\ndata_9=x,y");
    find<QLineEdit>(*window, "txtContents")->setText(hostile);
    ::chmod(file.c_str(), 0444);
    press(*window, "cmdOK");
    ::chmod(file.c_str(), 0644);
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_TRUE(window->isVisible());
    press(*window, "cmdOK");
    QApplication::processEvents();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(rec->LimitDate, u"2024/02/28");
    EXPECT_EQ(stored(u"data_9"), u"<none>");
    EXPECT_EQ(stored(u"Count"), u"1");
    EXPECT_EQ(stored(u"data_1").size(), profile::kMaxValueLength);

    auto* second = new frmEditHist(store, rec, 2024);
    second->Edit();
    find<QLineEdit>(*second, "txtSiteName")->setText(QStringLiteral("changed"));
    press(*second, "cmdCancel");
    EXPECT_EQ(rec->SiteName, u"Site");
}

// Tests the installed windows: ShowList shows one list window, a page recorded through the edit
// window of a record that then goes away is stored from its copy and appears in the open list.
TEST_F(HistoryWindowsTest, InstalledWindowsRecordAPage) {
    installHistoryWindows([] { return kToday; });
    clsRecs& shared = sharedRecs();
    shared.ShowList();
    shared.ShowList();
    int lists = 0;
    frmHistList* list = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* l = qobject_cast<frmHistList*>(w); l != nullptr && l->isVisible()) {
            ++lists;
            list = l;
        }
    ASSERT_EQ(lists, 1);
    const int before = find<QListWidget>(*list, "lstHist")->count();
    {
        auto page = std::make_shared<clsRec>();
        page->CreatedDate = u"2024/05/10";
        page->URL = u"http://campaign.example/";
        page->SiteName = u"Campaign";
        EXPECT_FALSE(page->Edit());
    }
    frmEditHist* edit = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* e = qobject_cast<frmEditHist*>(w); e != nullptr && e->isVisible()) edit = e;
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(find<QLineEdit>(*edit, "txtURL")->text(), QStringLiteral("http://campaign.example/"));
    press(*edit, "cmdOK");
    EXPECT_EQ(find<QListWidget>(*list, "lstHist")->count(), before + 1);
    EXPECT_EQ(shared.Item(shared.Count())->SiteName, u"Campaign");
    uninstallHistoryWindows();
}

// A notification service on a private bus, recording what it is sent.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    QStringList bodies;
  public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        bodies << summary + QStringLiteral(": ") + body;
        return 1;
    }
};

// A bus daemon of the test's own, stopped with the fixture.
class PrivateBus {
  public:
    PrivateBus() {
        m_daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                       QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(5000) || !m_daemon.waitForReadyRead(5000)) return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(QStringLiteral("orvex-service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("orvex-client"));
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    QDBusConnection connect(const QString& name) { return QDBusConnection::connectToBus(m_address, name); }
    bool ok() const { return !m_address.isEmpty(); }

  private:
    QProcess m_daemon;
    QString m_address;
};

// Tests the start-up notice: said once on the status line and sent to the notification service
// when one runs, only on the status line when none runs, and not at all without entries closing
// soon.
TEST_F(HistoryWindowsTest, StartupNotice) {
    PrivateBus bus;
    if (!bus.ok()) GTEST_SKIP() << "dbus-daemon is not available";
    QDBusConnection client = bus.connect(QStringLiteral("orvex-client"));
    ASSERT_TRUE(client.isConnected());

    QStringList status;
    auto statusLine = [&status](const QString& t) { status << t; };
    EXPECT_TRUE(announceDeadlines(statusLine, kToday, client).isEmpty());
    record(store, u"later", u"2024/06/30");
    EXPECT_TRUE(announceDeadlines(statusLine, kToday, client).isEmpty());
    EXPECT_TRUE(status.isEmpty());

    record(store, u"soon", u"2024/05/12");
    const QString notice = QStringLiteral("締切が近い応募が1件あります（今日から3日以内）。応募履歴で確かめて下さい。");
    EXPECT_EQ(announceDeadlines(statusLine, kToday, client), notice);
    EXPECT_EQ(status, QStringList{notice});
    EXPECT_FALSE(sendDesktopNotification(notice, client));

    FakeNotifications service;
    QDBusConnection server = bus.connect(QStringLiteral("orvex-service"));
    ASSERT_TRUE(server.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                      QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(server.registerService(QStringLiteral("org.freedesktop.Notifications")));
    EXPECT_EQ(announceDeadlines(statusLine, kToday, client), notice);
    QTRY_COMPARE_WITH_TIMEOUT(service.bodies.size(), 1, 5000);
    EXPECT_EQ(service.bodies[0], QStringLiteral("Orvex2000: ") + notice);
    EXPECT_EQ(status.size(), 2);
}

}  // namespace
}  // namespace orvex::history::gui

#include "history_windows_test.moc"
