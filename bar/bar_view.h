#pragma once
// What the bar's logic asks of its window: the Qt layer implements BarView, draws what it is
// handed and forwards the user's input to BarModel.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_geometry.h"
#include "bar/bar_menu.h"
#include "bar/status_animation.h"
#include "links/link.h"
#include "text/text.h"

namespace orvex::bar {

// Object names of the two button arrays; a button's name is the array's name and its index.
inline constexpr const char* kPersonButtonsName = "ibnUsers";
inline constexpr const char* kLinkButtonsName = "ibnLinks";

/// One person or link button as the view shows it.
struct ButtonView {
    int index = 0;  ///< the person button's position from 0, or the link's index in the collection
    Rect rect;      ///< in the bar's pixels
    text::Text caption;
    bool showCaption = true;
    text::Text toolTip;
    /// The picture file; empty for the built-in picture `builtInPicture` (of the person icons for
    /// person buttons), or for no picture when that is -1. A file that cannot be decoded shows the
    /// built-in picture instead.
    std::filesystem::path pictureFile;
    int builtInPicture = -1;
    bool showPicture = true;
    friend bool operator==(const ButtonView&, const ButtonView&) = default;
};

/// Everything of the bar that stands where the layout puts it.
struct BarLayout {
    FixedItemsLayout fixed;
    std::array<int, 2> separators{};
    std::vector<PaintLine> lines;  ///< what the bar paints (Form_Paint)
    friend bool operator==(const BarLayout&, const BarLayout&) = default;
};

// The background of the "Auto" label while automatic input is on; off, it has the system's
// button face colour.
inline constexpr Rgb kAutoOnColour{0, 255, 0};

/// The windows of other parts that the bar's menu and buttons open.
enum class BarDialog {
    PersonSetup,       // frmSetupMain
    Links,             // frmLinks, without a new link
    HistoryList,       // the shared history's list (history::sharedRecs().ShowList())
    AdvancedSettings,  // frmZolvanSetup
    SystemSettings,    // frmSystemSetup
    Clipboard,         // the bar's clipboard palette (frmClip)
    FloatingClipboard, // the clipboard of the floating window (BarMode not 0)
    FloatingWindow,    // frmFloatMain instead of the bar (BarMode not 0): the bar hides itself
};

/// What the about window shows.
struct AboutInfo {
    text::Text name;
    text::Text version;
    text::Text licence;
    std::filesystem::path dataDirectory;
};

/// The bar's window as its logic drives it. Every call comes on the UI thread; none may call back
/// into BarModel before it returns, except the modal ones (message, question, input, menu) whose
/// nested event loop may run other input as usual.
class BarView {
  public:
    virtual ~BarView() = default;

    /// Shows a picture in the status picture (`imgStatus`).
    virtual void setStatusPicture(StatusPicture picture) = 0;
    /// Shows picture `index` of the status box's set (`picStatus`, `picCollection`).
    virtual void setStatusBoxPicture(int index) = 0;
    /// The hit counter's text (`lblHitCnt`).
    virtual void setHitCount(const text::Text& text) = 0;
    /// The current browser window's status text: the bar's status line and its tool tip.
    virtual void setStatusText(const text::Text& text) = 0;
    /// The "Auto" label (`lblAuto`): green while automatic input is on, button face while off.
    virtual void setAutoLabel(bool on) = 0;
    /// Replaces every person button (`ibnUsers`) by these; an empty list hides them all.
    virtual void setPersonButtons(const std::vector<ButtonView>& buttons) = 0;
    /// Replaces every link button (`ibnLinks`) by these; an empty list hides them all.
    virtual void setLinkButtons(const std::vector<ButtonView>& buttons) = 0;
    /// Places the fixed items and repaints the bar's lines.
    virtual void setLayout(const BarLayout& layout) = 0;

    /// A message box with an OK button; returns when it is closed.
    virtual void showMessage(const text::Text& message, const text::Text& title) = 0;
    /// A question with OK and Cancel; true for OK.
    virtual bool askOkCancel(const text::Text& question, const text::Text& title) = 0;
    /// An input box with `preset` filled in; the answer, or nothing for Cancel.
    virtual std::optional<text::Text> askText(const text::Text& prompt, const text::Text& preset,
                                              const text::Text& title) = 0;
    /// A note shown without buttons while something takes time (a download), until hideBusy.
    virtual void showBusy(const text::Text& note) = 0;
    virtual void hideBusy() = 0;
    /// Shows the pop-up menu (`mnuRight`) at the pointer; a chosen entry comes back through
    /// BarModel::menuChosen.
    virtual void showMenu(const std::vector<MenuItem>& items) = 0;

    /// Opens a window of another part; nothing visible until that window exists.
    virtual void openDialog(BarDialog dialog) = 0;
    /// Opens the links dialog with `newLink` as a new link to add (its name, address and icon
    /// filled in).
    virtual void openLinksDialog(const links::clsLink& newLink) = 0;
    /// Shows the about window.
    virtual void showAbout(const AboutInfo& info) = 0;

    /// Turns the flash state of the bar on or off (and asks for attention while on).
    virtual void setFlash(bool on) = 0;
    /// Puts the bar at the top of the stay-on-top windows, or takes it out of them.
    virtual void setAlwaysOnTop(bool on) = 0;
    /// Ends the program: removes the bar's screen reservation and closes it.
    virtual void quit() = 0;
};

}  // namespace orvex::bar
