#include "fill/gui/open_person_setup.h"

#include "bar/bar_model.h"
#include "settings/paths.h"

namespace orvex::fill::gui {

bool openPersonSetup(bar::BarModel& bar, QWidget* parent, BuiltInIcons icons, std::function<void()> afterSave) {
    frmSetupMain dialog(settings::dataDir(), std::move(icons), parent);
    dialog.setAfterSave([&bar, &afterSave] {
        bar.UpdateUserData();
        if (afterSave) afterSave();
    });
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace orvex::fill::gui
