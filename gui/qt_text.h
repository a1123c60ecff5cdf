#pragma once
// Conversions between the program's UTF-16 text and Qt's strings.

#include <QString>

#include "text/text.h"

namespace orvex::gui {

/// The same UTF-16 text as a QString.
inline QString toQt(text::TextView text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// The same UTF-16 text as the program's text.
inline text::Text fromQt(const QString& text) { return text.toStdU16String(); }

}  // namespace orvex::gui
