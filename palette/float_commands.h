#pragma once
// What the floating window's own controls ask of the program. The bar carries them out with its
// own routines, which keep running behind the floating window.

namespace orvex::palette {

class FloatCommands {
  public:
    virtual ~FloatCommands() = default;

    /// "<< 入力": fills the current browser with the person at `position` of the list, as a click
    /// on that person's button of the bar would (with no person set up, the bar says so).
    virtual void fillWithPerson(int position) = 0;
    /// The record button: records the current page in the entry history; nothing without one.
    virtual void recordCurrentPage() = 0;
    /// The home-page picture: opens the first page in a new browser window.
    virtual void openHomePage() = 0;
    /// The menu picture: the bar's pop-up menu without its link entries.
    virtual void showMenu() = 0;
    /// The "Auto" label: turns automatic input over; returns whether it is on now.
    virtual bool toggleAutoInput() = 0;
    /// Whether automatic input is on.
    virtual bool autoInput() const = 0;
    /// Closing the window: the bar's exit command, which ends the program.
    virtual void exit() = 0;
};

}  // namespace orvex::palette
