#pragma once
// The bar's way into the links dialog.

#include <optional>

#include "links/link.h"

class QWidget;

namespace orvex::bar {
class BarModel;
}

namespace orvex::links::gui {

/// Shows frmLinks over `parent` on the bar's links, with `newLink` to add when given, and returns
/// when it is closed; after OK stored every link the bar takes the dialog's collection
/// (ReplaceLinkCollection) and rebuilds its link buttons. True when the links were stored.
bool openLinks(bar::BarModel& bar, QWidget* parent, const std::optional<clsLink>& newLink = std::nullopt);

}  // namespace orvex::links::gui
