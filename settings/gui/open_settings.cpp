#include "settings/gui/open_settings.h"

#include <QPointer>

#include "bar/bar_model.h"
#include "bar/browser_provider.h"
#include "settings/gui/frm_system_setup.h"
#include "settings/gui/frm_zolvan_setup.h"

namespace orvex::settings::gui {
namespace {

QPointer<frmSystemSetup>& systemSetup() {
    static QPointer<frmSystemSetup> dialog;
    return dialog;
}

QPointer<frmZolvanSetup>& zolvanSetup() {
    static QPointer<frmZolvanSetup> dialog;
    return dialog;
}

}  // namespace

frmSystemSetup* openSystemSetup(bar::BarModel& bar, QWidget* parent) {
    QPointer<frmSystemSetup>& dialog = systemSetup();
    if (!dialog || dialog->parentWidget() != parent) {
        delete dialog.data();
        dialog = new frmSystemSetup(bar.barSettings(), parent);
        dialog->setOnButtonTypeChanged([&bar](const BarSettings& now) { bar.setBarSettings(now); });
    }
    dialog->exec();
    return dialog;
}

frmZolvanSetup* openZolvanSetup(bar::BarModel& bar, bar::BrowserProvider& provider, QWidget* parent) {
    QPointer<frmZolvanSetup>& dialog = zolvanSetup();
    if (!dialog) {
        BrowserPositionSource source;
        source.openPage = [&bar] { bar.OpenURL({}, {}, {}, links::kInputOnRequest); };
        source.read = [&bar, &provider](std::function<void(std::optional<BrowserPosition>)> done) {
            devtools::BrowserSession* session = provider.currentSession();
            const std::shared_ptr<browser::clsInputForm>& form = bar.currentForm();
            if (session == nullptr || !form || form->Browser().empty()) {
                done(std::nullopt);
                return;
            }
            session->getWindowBounds(form->Browser(), [done](std::optional<devtools::WindowBounds> b) {
                if (!b) {
                    done(std::nullopt);
                    return;
                }
                done(BrowserPosition{b->left, b->top, b->width, b->height});
            });
        };
        dialog = new frmZolvanSetup(globals(), std::move(source), parent);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

}  // namespace orvex::settings::gui
