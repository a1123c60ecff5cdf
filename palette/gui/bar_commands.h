#pragma once
// The floating window's commands carried out by the bar's own routines.

#include "bar/bar_model.h"
#include "palette/float_commands.h"

namespace orvex::palette::gui {

class BarCommands final : public FloatCommands {
  public:
    /// Commands of `bar`, which must outlive them.
    explicit BarCommands(bar::BarModel& bar) : m_bar(bar) {}

    /// The bar's person-button handler with `position`.
    void fillWithPerson(int position) override;
    /// The bar's RecordCurrentPage.
    void recordCurrentPage() override;
    /// The bar's first page (link kFirstPageLink) in a new window.
    void openHomePage() override;
    /// The bar's ShowRightMenu.
    void showMenu() override;
    /// The bar's "Auto" label handler; the switch as it is afterwards.
    bool toggleAutoInput() override;
    bool autoInput() const override;
    /// The bar's exit command.
    void exit() override;

  private:
    bar::BarModel& m_bar;
};

}  // namespace orvex::palette::gui
