#pragma once
// The set-up every window of the program gets when it loads: the Japanese user-interface font
// on every control, the string-table captions named by the controls' tags, and an accessible
// name on every control so that screen readers and tests find it.

#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

namespace orvex::gui {

// The font every control asks for; fontconfig has no such face on Linux, so the families
// after it stand in for it (the first one installed wins).
inline constexpr char16_t kUiFontName[] = u"ＭＳ Ｐゴシック";
/// The font families asked for, in order: the UI font, then Japanese sans faces that
/// fontconfig offers (Noto Sans CJK JP, IPA P Gothic, IPA Gothic).
QStringList uiFontFamilies();

// The dynamic property that holds a control's tag (a string-table number or anything else).
inline constexpr char kTagProperty[] = "tag";

/// Registers the Japanese faces as substitutes for the UI font and makes the application's
/// default font ask for it; safe to call more than once.
void installUiFont();

/// `font` asking for the UI font families, with its size and style unchanged.
QFont uiFont(QFont font);

/// Sets the UI font on `window` and every control in it, applies the string-table captions
/// (applyStringTable) and gives every control without one an accessible name
/// (nameForAccessibility). A null window is ignored.
void setUpWindow(QWidget* window);

/// Applies the string table by the tags: a label or menu entry whose tag holds a number takes
/// that entry as its caption; a tab its caption (tab data) and tool tip (a number as tool tip);
/// a tool bar button its tool tip; a list view's column header its text (header data in
/// Qt::UserRole); any other control its caption when its tag starts with a positive number and
/// its tool tip when its tool tip does; the window its title from its own tag. Entries that do
/// not exist leave the text unchanged.
void applyStringTable(QWidget* window);

/// The caption of a control without its mnemonic marks: a label's or button's text, a group's
/// title, a "Caption" property, a window's title; empty when it has none.
QString captionOf(const QWidget* widget);

/// Sets the accessible name of `widget` to its caption, else its tool tip, when it has none
/// yet; a control with neither keeps an empty name.
void nameForAccessibility(QWidget* widget);

}  // namespace orvex::gui
