#pragma once
// The palette windows of the program: the clipboard palette (frmClip) and the floating window
// (frmFloatMain), each made when the bar first asks for it. The bar's window hands the palette's
// entries of BarView::openDialog to open(); the person setup dialog's OK calls personsChanged()
// after the bar has read the persons again.

#include <filesystem>
#include <memory>

#include "bar/bar_model.h"
#include "bar/bar_view.h"
#include "palette/gui/bar_commands.h"

namespace orvex::palette::gui {

class frmClip;
class frmFloatMain;

class PaletteWindows {
  public:
    /// The windows of `bar`, which must outlive them; their state and phrases live in
    /// "system.ini" of the data directory.
    explicit PaletteWindows(bar::BarModel& bar);
    /// As above with the state in `systemFile` (tests).
    PaletteWindows(bar::BarModel& bar, std::filesystem::path systemFile);
    ~PaletteWindows();
    PaletteWindows(const PaletteWindows&) = delete;
    PaletteWindows& operator=(const PaletteWindows&) = delete;

    /// Carries out one of the palette's dialogs and returns true: Clipboard opens the palette, or
    /// closes it when it is open; FloatingClipboard folds or unfolds the floating window's
    /// clipboard part; FloatingWindow loads and shows the floating window (kept on top with
    /// BarMode 2). Any other dialog is not the palette's: false, nothing done.
    bool open(bar::BarDialog dialog);
    /// The bar's persons changed: the open windows list them again, the first chosen.
    void personsChanged();

    /// The windows, null until first opened.
    frmClip* clipboard() const { return m_clip.get(); }
    frmFloatMain* floatingWindow() const { return m_float.get(); }

  private:
    bar::BarModel& m_bar;
    std::filesystem::path m_systemFile;
    BarCommands m_commands;
    std::unique_ptr<frmClip> m_clip;
    std::unique_ptr<frmFloatMain> m_float;
};

}  // namespace orvex::palette::gui
