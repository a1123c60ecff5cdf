#include "palette/gui/bar_commands.h"

#include "settings/globals.h"

namespace orvex::palette::gui {

void BarCommands::fillWithPerson(int position) {
    m_bar.clickPersonButton(position);
}

void BarCommands::recordCurrentPage() {
    m_bar.RecordCurrentPage();
}

void BarCommands::openHomePage() {
    m_bar.OpenLink(bar::kFirstPageLink);
}

void BarCommands::showMenu() {
    m_bar.ShowRightMenu();
}

bool BarCommands::toggleAutoInput() {
    m_bar.clickAutoLabel();
    return autoInput();
}

bool BarCommands::autoInput() const {
    return settings::globals().autoInput;
}

void BarCommands::exit() {
    m_bar.exit();
}

}  // namespace orvex::palette::gui
