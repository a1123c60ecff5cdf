#include <QImage>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "app/splash_window.h"
#include "gui/test_app.h"

namespace orvex::app {
namespace {

class AppTest : public orvex::gui::testing::QtFixture {
  protected:
    QTemporaryDir dir;
};

// Tests that a bitmap splash takes the picture's size and closes at a key press, and that a file
// named ".bmp" that is no picture, or a missing one, shows nothing.
TEST_F(AppTest, SplashShowsOnlyBitmaps) {
    const QString bmp = dir.filePath("title.bmp");
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(bmp, "BMP"));
    QPointer<SplashWindow> splash = SplashWindow::showPicture(bmp.toStdString());
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash->size(), QSize(120, 80));
    EXPECT_TRUE(splash->isVisible());
    QTest::keyClick(splash.data(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());

    const QString png = dir.filePath("fake.bmp");
    ASSERT_TRUE(image.save(png, "PNG"));  // a picture, but not a bitmap
    EXPECT_EQ(SplashWindow::showPicture(png.toStdString()), nullptr);
    QFile text(dir.filePath("text.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    EXPECT_EQ(SplashWindow::showPicture(text.fileName().toStdString()), nullptr);
    EXPECT_EQ(SplashWindow::showPicture(dir.filePath("missing.bmp").toStdString()), nullptr);
}

// Tests that a held lock refuses a second holder, that it is free again once released, and that a
// lock file left by a process that has ended is taken over.
TEST_F(AppTest, OneHolderOfTheLock) {
    const QString path = dir.filePath("orvex.lock");
    {
        SingleInstance first;
        ASSERT_TRUE(first.acquire(path));
        SingleInstance second;
        EXPECT_FALSE(second.acquire(path));
    }
    SingleInstance again;
    EXPECT_TRUE(again.acquire(path));

    // A lock file naming a process that no longer runs, as a crash leaves it.
    const QString stale = dir.filePath("stale.lock");
    QFile file(stale);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("999999\norvex\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    file.close();
    SingleInstance next;
    EXPECT_TRUE(next.acquire(stale));
}

}  // namespace
}  // namespace orvex::app
