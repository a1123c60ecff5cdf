#include "links/gui/open_links.h"

#include "bar/bar_model.h"
#include "bar/bar_texts.h"
#include "links/gui/frm_links.h"

namespace orvex::links::gui {

bool openLinks(bar::BarModel& bar, QWidget* parent, const std::optional<clsLink>& newLink) {
    frmLinks dialog(bar.links(), newLink, bar::kDrivenBrowserName, parent);
    dialog.setOnStored([&bar](LinkCollection links) { bar.ReplaceLinkCollection(std::move(links)); });
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace orvex::links::gui
