#pragma once
// Forwards the bar window's input to the bar's logic.

#include "bar/bar_model.h"
#include "bar/gui/frm_main.h"

namespace orvex::bar::gui {

/// frmMain's input handed to a BarModel, which must outlive it.
class ModelInput final : public FrmMainInput {
  public:
    explicit ModelInput(BarModel& model) : m_model(model) {}
    void personClicked(int index) override { m_model.clickPersonButton(index); }
    void linkClicked(int index) override { m_model.clickLinkButton(index); }
    void menuRequested() override { m_model.openRightMenu(); }
    void menuChosen(MenuEntry entry) override { m_model.menuChosen(entry); }
    void autoClicked() override { m_model.clickAutoLabel(); }
    void statusClicked() override { m_model.clickStatusPicture(); }
    void templateExit() override { m_model.exit(); }

  private:
    BarModel& m_model;
};

}  // namespace orvex::bar::gui
