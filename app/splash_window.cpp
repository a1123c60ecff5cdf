#include "app/splash_window.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace orvex::app {

SplashWindow::SplashWindow() : QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
}

SplashWindow* SplashWindow::showPicture(const std::filesystem::path& file) {
    if (file.empty()) return nullptr;
    // Read as a bitmap whatever the content claims, so a file that is not one is skipped.
    QImageReader reader(QString::fromStdString(file.string()), "bmp");
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    if (image.isNull()) return nullptr;
    auto* splash = new SplashWindow;
    splash->setPixmap(QPixmap::fromImage(image));
    splash->setFixedSize(image.size());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(0, 0), image.size());
        r.moveCenter(screen->geometry().center());
        splash->move(r.topLeft());
    }
    splash->show();
    QTimer::singleShot(kSplashMs, splash, &QWidget::close);
    return splash;
}

void SplashWindow::keyPressEvent(QKeyEvent*) { close(); }
void SplashWindow::mousePressEvent(QMouseEvent*) { close(); }

}  // namespace orvex::app
