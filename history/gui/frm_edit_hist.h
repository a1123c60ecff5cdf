#pragma once
// frmEditHist, the history edit window ("応募履歴編集"): one record's deadline, site name, address
// and contents. It is not modal and keeps itself in front every second; what it shows and what
// OK stores come from history/edit_hist.h.

#include <memory>
#include <vector>

#include <QWidget>

#include "history/recs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace orvex::history::gui {

class frmEditHist : public QWidget {
    Q_OBJECT
  public:
    /// The window for `rec` of `store`, centred on the screen, its lists filled for `thisYear`
    /// and the record copied into the controls; shown by Edit.
    frmEditHist(clsRecs& store, std::shared_ptr<clsRec> rec, int thisYear, QWidget* parent = nullptr);

    /// Shows the window (not modal) in front and returns at once with false: the edit's outcome
    /// reaches the program through the store's Changed.
    bool Edit();

    /// OK: the controls into the record, then Save and Notify, or Record for a new one; closes.
    /// Any failure shows "Error!" and leaves the window open.
    void ok();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showRecord();

    clsRecs& m_store;
    std::shared_ptr<clsRec> m_rec;
    std::vector<text::Text> m_years;
    bool m_result = false;
    bool m_centred = false;
    QLabel* m_lblCreated = nullptr;
    QComboBox* m_cmbLimitYear = nullptr;
    QComboBox* m_cmbLimitMonth = nullptr;
    QComboBox* m_cmbLimitDay = nullptr;
    QLineEdit* m_txtSiteName = nullptr;
    QLineEdit* m_txtURL = nullptr;
    QLineEdit* m_txtContents = nullptr;
    QTimer* m_timer = nullptr;
};

}  // namespace orvex::history::gui
