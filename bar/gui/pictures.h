#pragma once
// The bar's pictures, drawn for the program as SVG and built into it, so they stay sharp at any
// screen scale; link and person icon files are read with Qt's image readers.

#include <QIcon>
#include <QString>

namespace orvex::bar::gui {

// The status picture's sets: imgSmiles (three), imgReadingPage (two), imgAccessDeny and the
// default picture imgBar.
enum class StatusPictureSet { Smile, ReadingPage, AccessDeny, Bar };
inline constexpr int kSmileCount = 3;
inline constexpr int kReadingPageCount = 2;
// The built-in person pictures, imgUserIcon.
inline constexpr int kUserIconCount = 6;

/// Picture `index` of a status set (imgSmiles, imgReadingPage; the index wraps around); the
/// single pictures ignore it.
QIcon statusPictureIcon(StatusPictureSet set, int index);

/// Built-in person picture `index` of imgUserIcon (wrapping around, negative read as 0).
QIcon userIcon(int index);

/// The menu picture imgMenu, the home picture and the default link picture.
QIcon menuPicture();
QIcon homePicture();
QIcon linkPicture();

/// The picture in the icon or bitmap file `path` (.ico, .bmp, .png, .svg, ...); `fallback` when
/// the path is empty, the file is missing or cannot be read as a picture. Never throws.
QIcon pictureFile(const QString& path, const QIcon& fallback);

}  // namespace orvex::bar::gui
