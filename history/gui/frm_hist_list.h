#pragma once
// frmHistList, the history list ("応募履歴"): the store's records in the chosen order, the day
// count of the clicked one, edit and delete. Deadlines that close soon stand out and passed ones
// are greyed. The lines and their records come from history/hist_list.h; the window draws them.

#include <functional>

#include <QWidget>

#include "history/recs.h"
#include "history/deadlines.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace orvex::history::gui {

using TodayFunction = std::function<Date()>;

class frmHistList : public QWidget {
    Q_OBJECT
  public:
    /// The list over `store`, listening to its Changed until it is destroyed; loads the store
    /// when its list is empty and shows sort entry 0. `today` dates the deadlines' look.
    explicit frmHistList(clsRecs& store, TodayFunction today = localDate, QWidget* parent = nullptr);
    ~frmHistList() override;

    /// Sorts again by the chosen entry and fills the list anew.
    void refresh();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int firstSelectedLine() const;
    std::vector<int> selectedLines() const;
    void lineClicked();
    void editClicked();
    void deleteClicked();

    clsRecs& m_store;
    TodayFunction m_today;
    int m_subscription = 0;
    QComboBox* m_cmbSortType = nullptr;
    QListWidget* m_lstHist = nullptr;
    QLabel* m_lblIntheday = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdDelete = nullptr;
};

}  // namespace orvex::history::gui
