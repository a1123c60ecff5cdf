#include "bar/gui/pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace orvex::bar::gui {
namespace {

QIcon builtIn(const QString& name) { return QIcon(QStringLiteral(":/pictures/") + name + QStringLiteral(".svg")); }

int wrap(int index, int count) { return index < 0 ? 0 : index % count; }

}  // namespace

QIcon statusPictureIcon(StatusPictureSet set, int index) {
    switch (set) {
        case StatusPictureSet::Smile: return builtIn(QStringLiteral("smile%1").arg(wrap(index, kSmileCount) + 1));
        case StatusPictureSet::ReadingPage:
            return builtIn(QStringLiteral("reading%1").arg(wrap(index, kReadingPageCount) + 1));
        case StatusPictureSet::AccessDeny: return builtIn(QStringLiteral("access_deny"));
        case StatusPictureSet::Bar: break;
    }
    return builtIn(QStringLiteral("bar"));
}

QIcon userIcon(int index) { return builtIn(QStringLiteral("user%1").arg(wrap(index, kUserIconCount) + 1)); }
QIcon menuPicture() { return builtIn(QStringLiteral("menu")); }
QIcon homePicture() { return builtIn(QStringLiteral("home")); }
QIcon linkPicture() { return builtIn(QStringLiteral("link")); }

QIcon pictureFile(const QString& path, const QIcon& fallback) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return fallback;
    // Every frame of an icon file, so the best size is chosen for the screen.
    QImageReader reader(path);
    QIcon icon;
    do {
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    } while (reader.jumpToNextImage());
    return icon.isNull() ? fallback : icon;
}

}  // namespace orvex::bar::gui
