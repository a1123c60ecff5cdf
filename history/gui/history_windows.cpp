#include "history/gui/history_windows.h"

#include <QApplication>
#include <QPointer>

#include "history/gui/frm_edit_hist.h"
#include "history/gui/frm_hist_list.h"

namespace orvex::history::gui {
namespace {

struct Windows {
    std::function<Date()> today = localDate;
    QPointer<frmHistList> list;
    clsRecs* listStore = nullptr;
};

Windows& windows() {
    static Windows w;
    return w;
}

// The shared store's own pointer to `rec`, so that an edit changes the record the list shows.
clsRecs::RecPtr storedRecord(clsRec& rec) {
    clsRecs& store = sharedRecs();
    for (int i = 1; i <= store.Count(); ++i)
        if (clsRecs::RecPtr r = store.Item(i); r.get() == &rec) return r;
    return nullptr;
}

}  // namespace

frmHistList* showHistoryList(clsRecs& store) {
    Windows& w = windows();
    if (w.list && w.listStore != &store) delete w.list;
    if (!w.list) {
        w.list = new frmHistList(store, w.today);
        w.list->setAttribute(Qt::WA_DeleteOnClose);
        w.listStore = &store;
    }
    w.list->show();
    w.list->raise();
    w.list->activateWindow();
    return w.list;
}

bool editRecord(clsRec& rec) {
    clsRecs::RecPtr target = storedRecord(rec);
    if (!target) target = std::make_shared<clsRec>(rec);
    auto* window = new frmEditHist(sharedRecs(), target, windows().today().year);
    return window->Edit();
}

void installHistoryWindows(std::function<Date()> today) {
    windows().today = today ? std::move(today) : localDate;
    clsRecs::setShowListHandler([](clsRecs& store) { showHistoryList(store); });
    clsRec::setEditHandler([](clsRec& rec) { return editRecord(rec); });
}

void uninstallHistoryWindows() {
    clsRecs::setShowListHandler({});
    clsRec::setEditHandler({});
    Windows& w = windows();
    if (w.list) delete w.list;
    w.listStore = nullptr;
    // Pointers first: deleting a window deletes its lists' pop-ups, which are top-level too.
    QList<QPointer<frmEditHist>> edits;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* edit = qobject_cast<frmEditHist*>(top)) edits << edit;
    for (const QPointer<frmEditHist>& edit : edits) delete edit.data();
}

}  // namespace orvex::history::gui
