#include "bar/gui/x11_dock.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "bar/gui/qt_timers.h"
#include "gui/test_app.h"

namespace orvex::bar::gui {
namespace {

class DockFallbackTest : public orvex::gui::testing::QtFixture {};

// Tests that off X11 nothing is reserved and the bar is a 30-pixel strip at the chosen edge of the
// free screen.
TEST_F(DockFallbackTest, PlainWindowAtTheEdge) {
    ASSERT_FALSE(X11Dock::onX11());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget top;
    X11Dock topDock(&top, kEdgeTop);
    EXPECT_FALSE(topDock.dock());
    EXPECT_EQ(top.geometry(), QRect(area.x(), area.y(), area.width(), kBarThickness));
    QWidget bottom;
    X11Dock bottomDock(&bottom, kEdgeBottom);
    EXPECT_FALSE(bottomDock.dock());
    EXPECT_EQ(bottom.geometry().bottom(), area.bottom());
    EXPECT_EQ(bottom.height(), kBarThickness);
    EXPECT_TRUE(bottom.windowFlags().testFlag(Qt::FramelessWindowHint));
}

// Tests that the bar's timers are named in order, tick on the event loop and stop.
TEST_F(DockFallbackTest, TimersAreNamedQtTimers) {
    QObject owner;
    QtTimerSource source(&owner, {"timAnimation", "tmrFlash"});
    int ticks = 0;
    auto animation = source.createTimer([&] { ++ticks; });
    auto flash = source.createTimer([] {});
    auto extra = source.createTimer([] {});
    EXPECT_NE(owner.findChild<QTimer*>("timAnimation"), nullptr);
    EXPECT_NE(owner.findChild<QTimer*>("tmrFlash"), nullptr);
    animation->start(1);
    EXPECT_TRUE(animation->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));
    animation->stop();
    EXPECT_FALSE(animation->isActive());
    EXPECT_FALSE(flash->isActive());
}

}  // namespace
}  // namespace orvex::bar::gui
