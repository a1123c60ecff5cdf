#pragma once
// The program's history windows: installed as the store's list window (clsRecs::ShowList) and the
// records' edit window (clsRec::Edit), so that the bar's "応募履歴", its record command and a
// page's "qzt00rec" open them.

#include <functional>

#include "history/recs.h"
#include "history/deadlines.h"

class QWidget;

namespace orvex::history::gui {

class frmHistList;

/// Makes ShowList show the one history list window (made at the first call, shown and raised at
/// every one) and Edit open an edit window for the record. A record that the shared store holds is
/// edited in place; any other (a page being recorded) is copied, so the window never outlives what
/// it edits. `today` dates the list's deadlines.
void installHistoryWindows(std::function<Date()> today = localDate);

/// Removes both handlers and closes the windows they opened.
void uninstallHistoryWindows();

/// Shows the history list of `store` (the one window, made when there is none).
frmHistList* showHistoryList(clsRecs& store);

/// Opens an edit window for `rec` as Edit does; returns false (the outcome comes through Changed).
bool editRecord(clsRec& rec);

}  // namespace orvex::history::gui
