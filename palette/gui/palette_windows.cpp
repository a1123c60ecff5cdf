#include "palette/gui/palette_windows.h"

#include "palette/gui/frm_clip.h"
#include "palette/gui/frm_float_main.h"
#include "palette/phrases.h"
#include "settings/globals.h"
#include "settings/paths.h"

namespace orvex::palette::gui {

PaletteWindows::PaletteWindows(bar::BarModel& bar)
    : PaletteWindows(bar, settings::dataFile(kSystemFileName)) {}

PaletteWindows::PaletteWindows(bar::BarModel& bar, std::filesystem::path systemFile)
    : m_bar(bar), m_systemFile(std::move(systemFile)), m_commands(bar) {}

PaletteWindows::~PaletteWindows() = default;

bool PaletteWindows::open(bar::BarDialog dialog) {
    switch (dialog) {
        case bar::BarDialog::Clipboard:
            if (!m_clip) m_clip = std::make_unique<frmClip>(m_systemFile);
            m_clip->toggle(m_bar.persons());
            return true;
        case bar::BarDialog::FloatingClipboard:
            if (m_float) m_float->toggleClipBoard();
            return true;
        case bar::BarDialog::FloatingWindow:
            if (!m_float) {
                m_float =
                    std::make_unique<frmFloatMain>(m_commands, m_systemFile, settings::globals().BarMode);
                m_float->load(m_bar.persons());
            }
            m_float->show();
            m_float->raise();
            return true;
        default:
            return false;
    }
}

void PaletteWindows::personsChanged() {
    if (m_clip && m_clip->isVisible()) m_clip->setPersons(m_bar.persons());
    if (m_float) m_float->setPersons(m_bar.persons());
}

}  // namespace orvex::palette::gui
