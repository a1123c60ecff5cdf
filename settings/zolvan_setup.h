#pragma once
// The advanced settings dialog without a display: its panels, the option of each panel taken from
// the globals, every choice and both text boxes stored at once in the settings store and the
// globals, and the fixed browser position with its label.

#include <array>
#include <functional>
#include <optional>

#include "settings/globals.h"
#include "settings/settings_dialog_texts.h"
#include "text/text.h"

namespace orvex::settings {

// The panels, in frame order (the index of cmbSetup's entries).
enum class ZolvanPanel { ControlPanel, Hist, Bar, FirstPage, ConstPos };
inline constexpr int kZolvanPanelCount = 5;

/// One panel: its option group, the setting its options store, whether that setting is a Boolean
/// (option 1 is "True"), and the text box with its setting when the panel has one.
struct ZolvanPanelRow {
    const OptionGroup* group;
    text::TextView setting;
    bool boolean;
    const char* textBox;  ///< null when the panel has none
    text::TextView textSetting;
};

// The panels in frame order.
inline constexpr std::array<ZolvanPanelRow, kZolvanPanelCount> kZolvanPanels = {{
    {&kControlPanelGroup, u"ControlPanelMode", false, "txtControlPanel", u"ControlPanelUrl"},
    {&kHistGroup, u"Hist", true, nullptr, {}},
    {&kBarGroup, u"BarMode", false, nullptr, {}},
    {&kFirstPageGroup, u"FirstPageMode", false, "txtFirstPage", u"FirstPageUrl"},
    {&kConstPosGroup, u"ConstEnabled", true, nullptr, {}},
}};

// The option of the control-panel panel whose caption shows the local control panel's folder.
inline constexpr int kLocalControlPanelOption = 2;
// The option of the position panel that fixes the browser's position.
inline constexpr int kFixedPositionOption = 1;
// How often the position is read while it is being taken, in milliseconds.
inline constexpr int kPositionIntervalMs = 500;

/// A browser window's place on the screen, in pixels.
struct BrowserPosition {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const BrowserPosition&, const BrowserPosition&) = default;
};

/// The position label's text: "X=" left ", Y=" top ", 横=" width ", 縦=" height.
text::Text positionText(const BrowserPosition& p);

/// The label beside "PC上": "(" + the data directory's "control02" folder + ")".
text::Text localControlPanelLabel();

/// The panel after `current` of `count`, or `current` when it is the last; the one before, or
/// `current` when it is the first.
int nextPanel(int current, int count);
int previousPanel(int current);

class ZolvanSetup {
  public:
    /// The dialog over `g`; the position label starts from the settings store's ConstLeft,
    /// ConstTop, ConstWidth and ConstHeight (defaults 0, 0, 600, 400).
    explicit ZolvanSetup(Globals& g);

    /// The value of the panel's setting in the globals, as an option index (Booleans 0 and 1);
    /// -1 when it is not one of the panel's options.
    int chosen(ZolvanPanel panel) const;
    /// An option click: stores the option at once (its index as decimal text, "True"/"False" for
    /// the Boolean settings) and sets the global; an index outside the panel's options is ignored.
    /// False when the settings store could not be written (the global is set all the same).
    bool choose(ZolvanPanel panel, int index);

    /// The text of the panel's text box from the globals; empty for panels without one.
    text::Text text(ZolvanPanel panel) const;
    /// Typing in the panel's text box: stored as typed at once and set in the global. False when
    /// it could not be stored; nothing for panels without a text box.
    bool setText(ZolvanPanel panel, text::TextView typed);

    /// True while "以下の位置に指定" is chosen: the position label and buttons are enabled.
    bool positionEnabled() const { return m_g.ConstEnabled; }
    /// The position shown in the label, and its text.
    const BrowserPosition& position() const { return m_position; }
    text::Text positionLabel() const { return positionText(m_position); }
    /// A timer tick's reading of the current browser window.
    void positionRead(const BrowserPosition& p) { m_position = p; }
    /// "更新": stores the position shown as ConstLeft, ConstTop, ConstWidth and ConstHeight in the
    /// globals and the settings store; false when the store could not be written.
    bool updatePosition();

  private:
    Globals& m_g;
    BrowserPosition m_position;
};

}  // namespace orvex::settings
